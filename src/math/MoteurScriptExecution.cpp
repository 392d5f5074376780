// Running the scripts on one row, each execution within its time budget.
#include <angelscript.h>

#include "math/MoteurScript.h"
#include "recording/Conversion.h"

using namespace AngelScript;

namespace {

// The clock is read once every so many statements: cheap for the short
// scripts of a row, soon enough for a loop that never ends.
constexpr uint32_t LignesEntreMesures = 256;

// The engine keeps data for every thread that runs a script; a thread frees
// its own when it ends (the export's worker threads come and go).
struct NettoyageFil {
    NettoyageFil() = default;
    NettoyageFil(const NettoyageFil&) = delete;
    NettoyageFil& operator=(const NettoyageFil&) = delete;
    ~NettoyageFil() { asThreadCleanup(); }
};

void NettoyerEnFinDeFil() {
    thread_local const NettoyageFil nettoyage;
}

} // namespace

void MoteurScript::RappelLigne(asIScriptContext* contexte, void* parametre) {
    auto& s = *static_cast<MoteurScript::tSurveillance*>(parametre);
    if (++s.Lignes % LignesEntreMesures != 0) return;
    if (std::chrono::steady_clock::now() - s.Debut >= s.Limite) contexte->Abort();
}

void MoteurScript::Armer(int s) {
    tSurveillance& surveillance = Surveillance_[s];
    surveillance.Limite = BudgetExecution;
    surveillance.Lignes = 0;
    surveillance.Debut = std::chrono::steady_clock::now();
}

void MoteurScript::execute_script() {
    const std::lock_guard<std::mutex> verrou(Execution_);
    NettoyerEnFinDeFil();
    for (int s = 0; s < NombreSlotsExecutes; ++s) {
        if (FonctionMain_[s] == nullptr || !Moteur_[s] || !Contexte_[s] || TableauTravail == nullptr)
            continue;
        asIScriptContext* contexte = Contexte_[s].get();
        // A context that cannot be prepared stops this row's run of the remaining slots.
        if (contexte->Prepare(FonctionMain_[s]) < 0) break;
        Armer(s);
        if (contexte->Execute() == asEXECUTION_ABORTED) ArreterSlot(s);
    }
}
