// Running the scripts on one row, each execution within its statement and
// memory limits, and the reports of the slots stopped meanwhile.
#include <angelscript.h>

#include <utility>

#include "math/MoteurScript.h"
#include "math/MoteurScriptMemoire.h"
#include "recording/Conversion.h"

using namespace AngelScript;

namespace {

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
    // Called before every statement: a count, never a clock, so that the same
    // script on the same row ends the same way on any machine under any load.
    if (++s.Instructions > s.Limite && !s.Arrete) {
        s.Arrete = true;
        contexte->Abort();
    }
}

void MoteurScript::Armer(int s) {
    tSurveillance& surveillance = Surveillance_[s];
    surveillance.Instructions = 0;
    surveillance.Limite = LimiteInstructions;
    surveillance.Arrete = false;
}

void MoteurScript::Signaler(int s, uint8_t nature, tRangee rangee, std::string message) {
    Message_[s] = message;
    tArretScript arret{nature, rangee, std::move(message)};
    if (Premiers_[s].Nature == ArretAucun) Premiers_[s] = arret;
    NonPris_[s] = std::move(arret);
}

bool MoteurScript::PRENDRE_ARRETS(tArretsScripts& arrets) {
    const std::lock_guard<std::mutex> verrou(Execution_);
    bool un = false;
    for (int s = 0; s < NombreSlotsScript; ++s) {
        arrets[s] = std::exchange(NonPris_[s], {});
        un = un || arrets[s].Nature != ArretAucun;
    }
    return un;
}

tArretScript MoteurScript::PREMIER_ARRET(int s) const {
    if (s < 0 || s >= NombreSlotsScript) return {};
    const std::lock_guard<std::mutex> verrou(Execution_);
    return Premiers_[s];
}

void MoteurScript::execute_script(tRangee rangee) {
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
        if (resultat == asEXECUTION_ABORTED || memoire) {
            Signaler(s, ArretDefinitif, rangee,
                     MessageLigne(contexte->GetLineNumber(),
                                  memoire ? TexteMemoireDepassee : TexteInstructionsDepassees));
            ArreterSlot(s);
            // What it wrote before it was stopped is no result: its channel
            // holds 0.0 from this row on.
            const int voie = VOIE_SORTIE_SCRIPT(*EnteteFichier, s);
            if (voie >= 0 && voie < NombreVoiesTable) TableauTravail[voie] = 0.0;
        } else if (resultat == asEXECUTION_EXCEPTION && Premiers_[s].Nature == ArretAucun) {
            // The slot goes on running (its channel keeps what the script wrote
            // before the exception); that it broke off is said once.
            Signaler(s, ArretException, rangee,
                     MessageLigne(contexte->GetExceptionLineNumber(), contexte->GetExceptionString()));
        }
    }
}
