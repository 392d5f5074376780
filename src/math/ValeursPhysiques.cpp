#include "math/ValeursPhysiques.h"

#include <algorithm>
#include <utility>

#include "math/Fonctions.h"
#include "math/FormuleVoie.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/ScriptsREC.h"

namespace {

tCrochetScripts CrochetScripts;

// Only the first 24 script slots are ever compiled and run, in both families.
constexpr int NombreSlotsExecutes = NombreSlotsScriptTKOS;

// Operand of computed channel k. Only the channels below k hold a value of this
// row yet; any other rank (the channel itself or a later one, 255 for an operand
// the recorder could not place, a definition from another recording) reads as
// 0.0 rather than a slot left from an earlier conversion or a foreign one.
double Operande(const double* ligne, int rang, int k) {
    return rang < k ? ligne[rang] : 0.0;
}

} // namespace

void INSTALLER_CROCHET_SCRIPTS(tCrochetScripts crochet) {
    CrochetScripts = std::move(crochet);
}

tContexteValeurs CONTEXTE_VALEURS() {
    return {&EnteteF, ValiditeAngelScript, PremiereFonctionAjoutee, CrochetScripts};
}

int NOMBRE_VOIES_SCRIPT() {
    return NOMBRE_VOIES_SCRIPT(EnteteF);
}

int NOMBRE_VOIES_SCRIPT(const t_EnteteREC_GlobalTotal& e) {
    int nombre = 0;
    if (e.FamilleEnregistreur == FamilleTKOS) {
        for (int s = 0; s < NombreSlotsExecutes; ++s)
            if (TST_B_ONOFF(e.EnteteTKOS.Presence, LimiteAnalogTKOS + s)) ++nombre;
    } else if (e.FamilleEnregistreur == FamilleVEL) {
        for (int s = 0; s < NombreSlotsExecutes; ++s)
            if (TST_B_ONOFF(e.EnteteVEL.Presence, LimiteAnalogVEL + s)) ++nombre;
    }
    return nombre;
}

void RECUP_DOUBLE(const uint16_t* ligneBrute, double* ligne, tRangee rangee) {
    RECUP_DOUBLE(CONTEXTE_VALEURS(), ligneBrute, ligne, rangee);
}

void RECUP_DOUBLE(const tContexteValeurs& x, const uint16_t* ligneBrute, double* ligne, tRangee rangee) {
    if (x.Entete == nullptr) return;
    const t_EnteteREC_GlobalTotal& e = *x.Entete;
    // Channel counts are bounded by the 244 channel records, so no index leaves the row.
    const int analog = std::min<int>(e.NombreVoiesAnalog, NombreVoiesTable);
    const int total = std::min<int>(e.NombreVoiesTotal, NombreVoiesTable);

    for (int i = 0; i < analog; ++i) ligne[i] = RECUP_VALEUR(e, ligneBrute[i], i);

    int debut = analog;
    if (x.ValiditeScripts == 1) {
        // The scripts own the channels right after the analog ones: cleared, so a
        // script that assigns nothing leaves 0.0, then never overwritten by a formula.
        const int finScripts = std::min(analog + NOMBRE_VOIES_SCRIPT(e), total);
        std::fill(ligne + analog, ligne + std::max(analog, finScripts), 0.0);
        TableauTravail = ligne;
        if (x.Scripts) x.Scripts(rangee);
        TableauTravail = nullptr;
        debut = std::max(analog, finScripts);
        // Added function channels always get their formula.
        if (x.PremiereFonctionAjoutee >= 0)
            debut = std::max(analog, std::min<int>(debut, x.PremiereFonctionAjoutee));
    }

    // In channel order, so a computed channel can use a lower-numbered one.
    const tReglesFormule regles{e.ModeleTKAR, e.NouvelleFormule};
    for (int k = debut; k < total; ++k) {
        const tCalibVoie& voie = e.CalibVoie[k];
        const double a = Operande(ligne, voie.Operande1, k);
        const double b = Operande(ligne, voie.Operande2, k);
        ligne[k] = CALCUL_VOIE_CALCULEE(voie, a, b, regles);
    }
}

void RECUP_AVEC_FONCTION(const uint16_t* tabCyclique, double* tabFlottant, int colonnes) {
    RECUP_AVEC_FONCTION(CONTEXTE_VALEURS(), tabCyclique, tabFlottant, colonnes);
}

bool RECUP_AVEC_FONCTION(const tContexteValeurs& contexte, const uint16_t* tabCyclique, double* tabFlottant,
                         int colonnes, const std::atomic<bool>* arret) {
    if (tabCyclique == nullptr || tabFlottant == nullptr) return false;
    for (int c = 0; c < colonnes; ++c) {
        if (arret != nullptr && arret->load(std::memory_order_relaxed)) return false;
        RECUP_DOUBLE(contexte, tabCyclique + static_cast<std::ptrdiff_t>(c) * NombreSlotsColonne,
                     tabFlottant + static_cast<std::ptrdiff_t>(c) * NombreSlotsColonne, {RangeeColonne, c});
    }
    return true;
}
