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

int NOMBRE_VOIES_SCRIPT() {
    int nombre = 0;
    if (EnteteF.FamilleEnregistreur == FamilleTKOS) {
        for (int s = 0; s < NombreSlotsExecutes; ++s)
            if (TST_B_ONOFF(EnteteF.EnteteTKOS.Presence, LimiteAnalogTKOS + s)) ++nombre;
    } else if (EnteteF.FamilleEnregistreur == FamilleVEL) {
        for (int s = 0; s < NombreSlotsExecutes; ++s)
            if (TST_B_ONOFF(EnteteF.EnteteVEL.Presence, LimiteAnalogVEL + s)) ++nombre;
    }
    return nombre;
}

void RECUP_DOUBLE(const uint16_t* ligneBrute, double* ligne, tRangee rangee) {
    // Channel counts are bounded by the 244 channel records, so no index leaves the row.
    const int analog = std::min<int>(EnteteF.NombreVoiesAnalog, NombreVoiesTable);
    const int total = std::min<int>(EnteteF.NombreVoiesTotal, NombreVoiesTable);

    for (int i = 0; i < analog; ++i) ligne[i] = RECUP_VALEUR(ligneBrute[i], i);

    int debut = analog;
    if (ValiditeAngelScript == 1) {
        // The scripts own the channels right after the analog ones: cleared, so a
        // script that assigns nothing leaves 0.0, then never overwritten by a formula.
        const int finScripts = std::min(analog + NOMBRE_VOIES_SCRIPT(), total);
        std::fill(ligne + analog, ligne + std::max(analog, finScripts), 0.0);
        TableauTravail = ligne;
        if (CrochetScripts) CrochetScripts(rangee);
        TableauTravail = nullptr;
        debut = std::max(analog, finScripts);
        // Added function channels always get their formula.
        if (PremiereFonctionAjoutee >= 0)
            debut = std::max(analog, std::min<int>(debut, PremiereFonctionAjoutee));
    }

    // In channel order, so a computed channel can use a lower-numbered one.
    const tReglesFormule regles{EnteteF.ModeleTKAR, EnteteF.NouvelleFormule};
    for (int k = debut; k < total; ++k) {
        const tCalibVoie& voie = EnteteF.CalibVoie[k];
        const double a = Operande(ligne, voie.Operande1, k);
        const double b = Operande(ligne, voie.Operande2, k);
        ligne[k] = CALCUL_VOIE_CALCULEE(voie, a, b, regles);
    }
}

void RECUP_AVEC_FONCTION(const uint16_t* tabCyclique, double* tabFlottant, int colonnes) {
    if (tabCyclique == nullptr || tabFlottant == nullptr) return;
    for (int c = 0; c < colonnes; ++c)
        RECUP_DOUBLE(tabCyclique + static_cast<std::ptrdiff_t>(c) * NombreSlotsColonne,
                     tabFlottant + static_cast<std::ptrdiff_t>(c) * NombreSlotsColonne, {RangeeColonne, c});
}
