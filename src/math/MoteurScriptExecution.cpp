// Running the scripts on one row, each execution within its time and memory
// budgets, and the slots stopped meanwhile.
#include <angelscript.h>

#include <algorithm>
#include <string_view>

#include "math/MoteurScript.h"
#include "math/MoteurScriptMemoire.h"
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

// The exception is the script's stack or call depth running out (runaway
// recursion), by the engine's own texts.
bool PileEpuisee(asIScriptContext* contexte) {
    const char* texte = contexte->GetExceptionString();
    if (texte == nullptr) return false;
    const std::string_view t(texte);
    return t == "Stack overflow" || t == "Too many nested calls";
}

} // namespace

void MoteurScript::RappelLigne(asIScriptContext* contexte, void* parametre) {
    auto& s = *static_cast<MoteurScript::tSurveillance*>(parametre);
    if (++s.Lignes % LignesEntreMesures != 0) return;
    if (std::chrono::steady_clock::now() - s.Debut >= s.Limite) {
        s.Arrete = true;
        contexte->Abort();
    }
}

void MoteurScript::Armer(int s) {
    tSurveillance& surveillance = Surveillance_[s];
    // Within the budget of one execution and what is left of the slot's reserve.
    surveillance.Limite = std::min<std::chrono::steady_clock::duration>(
        BudgetExecution, std::max<std::chrono::steady_clock::duration>(surveillance.Reserve, {}));
    surveillance.Lignes = 0;
    surveillance.Arrete = false;
    surveillance.Debut = std::chrono::steady_clock::now();
}

void MoteurScript::Decompter(int s) {
    tSurveillance& surveillance = Surveillance_[s];
    // Only an execution long enough to have been watched is timed: a script of
    // a few statements costs no clock reading.
    if (surveillance.Lignes >= LignesEntreMesures)
        surveillance.Reserve -= std::chrono::steady_clock::now() - surveillance.Debut;
    surveillance.Reserve = std::min<std::chrono::steady_clock::duration>(
        surveillance.Reserve + RechargeExecution, ReserveExecution);
}

void MoteurScript::ArreterEnCours(int s, asIScriptContext* contexte, bool memoire) {
    Message_[s] = MessageLigne(contexte->GetLineNumber(), memoire ? TexteMemoireDepassee : TexteTempsDepasse);
    Arrets_[s] = 1;
    ArreterSlot(s);
}

bool MoteurScript::PRENDRE_ARRETS(uint8_t (&arrets)[NombreSlotsScript]) {
    const std::lock_guard<std::mutex> verrou(Execution_);
    bool un = false;
    for (int s = 0; s < NombreSlotsScript; ++s) {
        arrets[s] = Arrets_[s];
        un = un || Arrets_[s] != 0;
        Arrets_[s] = 0;
    }
    return un;
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
        int resultat = 0;
        bool memoire = false;
        {
            const ExecutionChargee charge;
            resultat = contexte->Execute();
            memoire = charge.Depasse();
        }
        Decompter(s);
        if (resultat == asEXECUTION_ABORTED || memoire) {
            ArreterEnCours(s, contexte, memoire);
        } else if (resultat == asEXECUTION_EXCEPTION && !PileSignalee_[s] && PileEpuisee(contexte)) {
            // The slot goes on running; its stack running out is said once.
            Message_[s] = MessageLigne(contexte->GetExceptionLineNumber(), contexte->GetExceptionString());
            Arrets_[s] = 1;
            PileSignalee_[s] = true;
        }
    }
}
