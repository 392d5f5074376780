#include "math/MoteurScript.h"

#include <angelscript.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "math/ErreursScript.h"
#include "math/InterfaceScript.h"
#include "math/MoteurScriptMemoire.h"

using namespace AngelScript;

namespace {

bool CaractereIdentifiant(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Line (from 1) of the first line of slot s with the word "class" or
// "interface"; 1 when no line has one.
int LigneDeClasse(const ScriptsREC& scripts, int s) {
    for (int l = 0; l < NombreLignesScript; ++l) {
        const std::string ligne = scripts.Ligne(s, l);
        for (const std::string_view mot : {std::string_view("class"), std::string_view("interface")})
            for (size_t p = ligne.find(mot); p != std::string::npos; p = ligne.find(mot, p + 1)) {
                const size_t fin = p + mot.size();
                if ((p == 0 || !CaractereIdentifiant(ligne[p - 1])) &&
                    (fin == ligne.size() || !CaractereIdentifiant(ligne[fin])))
                    return l + 1;
            }
    }
    return 1;
}

} // namespace

std::string MoteurScript::MessageLigne(int rangee, const char* texte) {
    return "Ligne " + std::to_string(rangee - 2) + " : " + texte;
}

namespace {

void EcrireErreur(const std::string& message) {
    std::snprintf(erreur_compilation, sizeof erreur_compilation, "%s", message.c_str());
}

} // namespace

void MoteurScript::LibereMoteur::operator()(asIScriptEngine* m) const {
    m->ShutDownAndRelease();
}

void MoteurScript::LibereContexte::operator()(asIScriptContext* c) const {
    c->Release();
}

MoteurScript::MoteurScript(t_EnteteREC_GlobalTotal* entete) : ScriptsREC(entete) {}

MoteurScript::~MoteurScript() {
    const std::lock_guard<std::mutex> verrou(Execution_);
    for (int s = 0; s < NombreSlotsScript; ++s) ArreterSlot(s);
}

bool MoteurScript::SlotEnMarche(int s) const {
    return s >= 0 && s < NombreSlotsScript && Moteur_[s] && Contexte_[s] && FonctionMain_[s] != nullptr;
}

const std::string& MoteurScript::MessageScript(int s) const {
    static const std::string Aucun;
    return s >= 0 && s < NombreSlotsScript ? Message_[s] : Aucun;
}

void MoteurScript::ArreterSlot(int s) {
    // The context goes before its engine; the module and its functions go with the engine.
    Contexte_[s].reset();
    Moteur_[s].reset();
    FonctionMain_[s] = nullptr;
    Module_[s] = nullptr;
}

void MoteurScript::Quit_moteur_script() {
    const int s = SlotCourant;
    if (s < 0 || s >= NombreSlotsScript) return;
    const std::lock_guard<std::mutex> verrou(Execution_);
    if (Contexte_[s] && Moteur_[s]) ArreterSlot(s);
}

void MoteurScript::LANCEMENT_TOUS_SCRIPTS() {
    const int base = PREMIERE_VOIE_SCRIPT(*EnteteFichier);
    if (base < 0) return;
    std::vector<int> existants;
    for (int s = 0; s < NombreSlotsExecutes; ++s)
        if (SLOT_SCRIPT_PRESENT(*EnteteFichier, s)) existants.push_back(s);
    // One child process tries them all, before any is compiled here.
    VERIFIER_COMPILATIONS(existants);
    for (const int s : existants) {
        SlotCourant = static_cast<int16_t>(s);
        Init_Moteur();
        Message_[s] = erreur_compilation;
        if (erreur_compilation[0] != '\0') {
            ErreurScript[s] = 1;
            std::memset(erreur_compilation, 0, sizeof erreur_compilation);
        }
    }
}

int MoteurScript::compile_script() {
    const int s = SlotCourant;
    const std::string texte = TEXTE_SCRIPT(*this, s);
    const std::string nom = std::to_string(s);
    asIScriptModule* module = Moteur_[s]->GetModule(nom.c_str(), asGM_ALWAYS_CREATE);
    if (module == nullptr) return retour_erreur = asERROR;
    const std::string section = "instructions" + nom;
    retour_erreur = module->AddScriptSection(section.c_str(), texte.data(), texte.size(), 0);
    if (retour_erreur < 0) return retour_erreur;
    return retour_erreur = module->Build();
}

void MoteurScript::Init_Moteur() {
    const int s = SlotCourant;
    if (s < 0 || s >= NombreSlotsScript) return;
    if (Verification_[s] == 0) VERIFIER_COMPILATIONS({s});
    const std::lock_guard<std::mutex> verrou(Execution_);
    if (Moteur_[s] || Contexte_[s]) ArreterSlot(s);
    NonPris_[s] = {};
    Premiers_[s] = {};
    const bool fatale = Verification_[s] == 2;
    // Checked once for this set-up: a later one checks the text again.
    Verification_[s] = 0;
    if (fatale) {
        EcrireErreur(TexteCompilationFatale);
        retour_erreur = asERROR;
        return;
    }
    MettreEnPlace(s);
}

void MoteurScript::MettreEnPlace(int s) {
    // The slot has no engine and no context here.
    Moteur_[s].reset(asCreateScriptEngine(ANGELSCRIPT_VERSION));
    asIScriptEngine* moteur = Moteur_[s].get();
    if (moteur == nullptr) {
        retour_erreur = asERROR;
        return;
    }
    moteur->SetMessageCallback(asFUNCTION(gestion_erreur), nullptr, asCALL_CDECL);
    // The globals are initialised by our own context below, within the
    // statement limit: a global initialised by an endless function must not
    // hang the opening.
    moteur->SetEngineProperty(asEP_INIT_GLOBAL_VARS_AFTER_BUILD, 0);
    moteur->SetEngineProperty(asEP_MAX_STACK_SIZE, PileMaxScript);
    moteur->SetEngineProperty(asEP_MAX_CALL_STACK_SIZE, AppelsMaxScript);
    retour_erreur = definition_fonctions(moteur);
    if (retour_erreur < 0 || compile_script() < 0) {
        ArreterSlot(s);
        return;
    }

    Contexte_[s].reset(moteur->CreateContext());
    asIScriptContext* contexte = Contexte_[s].get();
    Module_[s] = moteur->GetModule(std::to_string(s).c_str(), asGM_ONLY_IF_EXISTS);
    if (contexte == nullptr || Module_[s] == nullptr) {
        retour_erreur = asERROR;
        ArreterSlot(s);
        return;
    }
    // Objects of a script's own classes could be piled up without end, and the
    // engine runs their destructors at shut-down outside any limit: a script
    // that computes a channel has no use for them.
    if (Module_[s]->GetObjectTypeCount() > 0) {
        EcrireErreur(MessageLigne(LigneDeClasse(*this, s) + 2, TexteClasseRefusee));
        retour_erreur = asERROR;
        ArreterSlot(s);
        return;
    }
    contexte->SetLineCallback(asFUNCTION(RappelLigne), &Surveillance_[s], asCALL_CDECL);
    Armer(s);
    bool memoire = false;
    {
        const ExecutionChargee charge;
        retour_erreur = Module_[s]->ResetGlobalVars(contexte);
        memoire = charge.Depasse();
    }
    if (retour_erreur < 0 || memoire) {
        // The engine named the global; over a limit, say which one.
        if (memoire || Surveillance_[s].Arrete)
            EcrireErreur(MessageLigne(contexte->GetLineNumber(),
                                      memoire ? TexteMemoireDepassee : TexteInstructionsDepassees));
        if (retour_erreur >= 0) retour_erreur = asERROR;
        ArreterSlot(s);
        return;
    }
    FonctionMain_[s] = Module_[s]->GetFunctionByDecl("void main()");
    if (FonctionMain_[s] == nullptr) ArreterSlot(s);
}
