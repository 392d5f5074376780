#include "math/InstallationScripts.h"

#include "math/MoteurScript.h"
#include "math/TexteScript.h"
#include "math/ValeursPhysiques.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"

namespace {

MoteurScript* Moteur(const OuvreREC& ouvre) {
    return dynamic_cast<MoteurScript*>(ouvre.Scripts.get());
}

std::string Nom(const char* texte, size_t taille) {
    std::string nom(texte, strnlen(texte, taille));
    while (!nom.empty() && nom.back() == ' ') nom.pop_back();
    return nom;
}

} // namespace

InstallationScripts::InstallationScripts(OuvreREC& ouvre) : Ouvre_(ouvre) {
    Ouvre_.FabriqueScripts = [](t_EnteteREC_GlobalTotal* entete) -> std::unique_ptr<ScriptsREC> {
        return std::make_unique<MoteurScript>(entete);
    };
    OuvreREC* source = &Ouvre_;
    INSTALLER_CROCHET_SCRIPTS([source](tRangee rangee) {
        if (auto* moteur = Moteur(*source)) moteur->execute_script(rangee);
    });
}

InstallationScripts::~InstallationScripts() {
    INSTALLER_CROCHET_SCRIPTS({});
    Ouvre_.FabriqueScripts = [](t_EnteteREC_GlobalTotal* entete) {
        return std::make_unique<ScriptsREC>(entete);
    };
}

bool InstallationScripts::SIGNALER_ARRETS() {
    auto* moteur = Moteur(Ouvre_);
    tArretsScripts arrets;
    if (moteur == nullptr || !moteur->PRENDRE_ARRETS(arrets) || !Ouvre_.MontrerArretsScripts) return false;
    Ouvre_.MontrerArretsScripts(arrets);
    return true;
}

std::vector<std::string> InstallationScripts::BILAN_SCRIPTS() const {
    return ::BILAN_SCRIPTS(Ouvre_);
}

std::vector<std::string> BILAN_SCRIPTS(const OuvreREC& ouvre) {
    std::vector<std::string> textes;
    const MoteurScript* moteur = Moteur(ouvre);
    if (moteur == nullptr || ValiditeAngelScript != 1) return textes;
    const t_EnteteREC_GlobalTotal& entete = *moteur->EnteteFichier;
    for (int s = 0; s < NombreSlotsExecutes; ++s) {
        if (!SLOT_SCRIPT_PRESENT(entete, s)) continue;
        tArretScript arret = moteur->PREMIER_ARRET(s);
        if (arret.Nature == ArretAucun) {
            if (moteur->SlotEnMarche(s)) continue;
            arret.Message = moteur->MessageScript(s); // its set-up failed
        }
        textes.push_back(TEXTE_ARRET_SCRIPT(entete, s, arret));
    }
    return textes;
}

bool InstallationScripts::SIGNALER_BILAN(const char* suite) const {
    const std::vector<std::string> textes = BILAN_SCRIPTS();
    if (textes.empty()) return false;
    std::string texte;
    for (const std::string& t : textes) texte += (texte.empty() ? "" : "\n") + t;
    if (suite != nullptr) texte += std::string("\n") + suite;
    AFFICHE_MESSAGE(POS_MESS(M_ErreurScript), texte.c_str(), tIconeBoite::Avertissement);
    return true;
}

std::unique_ptr<InstallationScripts> INSTALLER_SCRIPTS(OuvreREC& ouvre) {
    return std::make_unique<InstallationScripts>(ouvre);
}

std::string TEXTE_ARRET_SCRIPT(const t_EnteteREC_GlobalTotal& entete, int s, const tArretScript& arret) {
    std::string texte = "F";
    texte += static_cast<char>('A' + s);
    const int voie = VOIE_SORTIE_SCRIPT(entete, s);
    if (voie >= 0 && voie < NombreVoiesTable) {
        const tAffichageVoie& a = entete.Affichage[voie];
        std::string nom = Nom(a.NomAffiche, sizeof a.NomAffiche);
        if (nom.empty()) nom = Nom(entete.CalibVoie[voie].NomVoie, sizeof entete.CalibVoie[voie].NomVoie);
        if (!nom.empty()) texte += " (" + nom + ")";
    }
    texte += ' ';
    const bool colonne = arret.Rangee.Genre == RangeeColonne;
    switch (arret.Nature) {
    case ArretDefinitif:
        texte += POS_MESS(colonne ? M_ScriptArreteColonne : M_ScriptArreteLigne);
        break;
    case ArretException:
        texte += POS_MESS(colonne ? M_ScriptInterrompuColonne : M_ScriptInterrompuLigne);
        break;
    default:
        texte += POS_MESS(M_ScriptNonInstalle);
        break;
    }
    if (arret.Nature != ArretAucun) texte += ' ' + std::to_string(arret.Rangee.Indice);
    texte += ": " + arret.Message + "; ";
    texte += POS_MESS(arret.Nature == ArretException   ? M_VoieNonCalculee
                      : arret.Nature == ArretDefinitif ? M_VoieZeroEnSuite
                                                       : M_VoieZero);
    return texte;
}
