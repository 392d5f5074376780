#include "math/TexteScript.h"

#include "config/OnOff.h"
#include "math/PreprocesseurScript.h"
#include "recording/FormatREC.h"

int PREMIERE_VOIE_SCRIPT(const t_EnteteREC_GlobalTotal& entete) {
    switch (entete.FamilleEnregistreur) {
    case FamilleTKOS:
        return LimiteAnalogTKOS;
    case FamilleVEL:
        return LimiteAnalogVEL;
    default:
        return -1;
    }
}

bool VOIE_ENREGISTREUR_PRESENTE(const t_EnteteREC_GlobalTotal& entete, int n) {
    switch (entete.FamilleEnregistreur) {
    case FamilleTKOS:
        return n >= 0 && n < LimiteVoiesTKOS && TST_B_ONOFF(entete.EnteteTKOS.Presence, n);
    case FamilleVEL:
        return n >= 0 && n < LimiteVoiesVEL && TST_B_ONOFF(entete.EnteteVEL.Presence, n);
    default:
        return false;
    }
}

bool SLOT_SCRIPT_PRESENT(const t_EnteteREC_GlobalTotal& entete, int s) {
    const int base = PREMIERE_VOIE_SCRIPT(entete);
    return base >= 0 && s >= 0 && s < NombreSlotsExecutes && VOIE_ENREGISTREUR_PRESENTE(entete, base + s);
}

int VOIE_SORTIE_SCRIPT(const t_EnteteREC_GlobalTotal& entete, int s) {
    int voie = entete.NombreVoiesAnalog;
    for (int k = 0; k < s && k < NombreSlotsExecutes; ++k)
        if (SLOT_SCRIPT_PRESENT(entete, k)) ++voie;
    return voie;
}

std::string DECLARE_VOIE(const t_EnteteREC_GlobalTotal& entete) {
    std::string texte;
    const int fin = PREMIERE_VOIE_SCRIPT(entete);
    for (int n = 0, i = 0; n < fin; ++n) {
        if (!VOIE_ENREGISTREUR_PRESENTE(entete, n)) continue;
        const std::string numero = std::to_string(i++);
        texte += "Fonc V" + numero + "(" + numero + "); ";
    }
    return texte;
}

std::string TEXTE_SCRIPT(const ScriptsREC& scripts, int s) {
    const t_EnteteREC_GlobalTotal& entete = *scripts.EnteteFichier;
    std::string texte = "typedef double var;\nFonc function(" +
                        std::to_string(VOIE_SORTIE_SCRIPT(entete, s)) + ");\n" + DECLARE_VOIE(entete) +
                        " void main() {";
    for (int l = 0; l < NombreLignesScript; ++l) {
        texte += scripts.Ligne(s, l);
        if (l < NombreLignesScript - 1) texte += '\n';
    }
    return Script_Preprocesseur(std::move(texte), entete) + "}";
}

int SLOT_SCRIPT_VOIE(const t_EnteteREC_GlobalTotal& entete, int voie) {
    const int base = PREMIERE_VOIE_SCRIPT(entete);
    if (base < 0 || voie < 0) return -1;
    const int limite = entete.FamilleEnregistreur == FamilleTKOS ? LimiteVoiesTKOS : LimiteVoiesVEL;
    int presentes = 0;
    for (int n = 0; n < limite; ++n) {
        if (!VOIE_ENREGISTREUR_PRESENTE(entete, n)) continue;
        if (presentes++ == voie) {
            const int slot = n - base;
            return slot >= 0 && slot < NombreSlotsScript ? slot : -1;
        }
    }
    return -1;
}
