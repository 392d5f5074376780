#include "math/Fonctions.h"

#include <algorithm>
#include <cstring>

#include "config/Config.h"
#include "config/OnOff.h"
#include "recording/EnteteREC.h"

namespace {

// Copies at most `maximum` characters of `source` (a buffer of tailleSource
// bytes, possibly without a terminator) into a cleared `dest`.
void CopieTexte(char* dest, std::size_t tailleDest, const char* source, std::size_t tailleSource,
                std::size_t maximum) {
    std::memset(dest, 0, tailleDest);
    const std::size_t n = strnlen(source, std::min(tailleSource, maximum));
    std::memcpy(dest, source, std::min(n, tailleDest - 1));
}

// Formula fields of the channel record and the display texts, from a definition.
void CopieDefinition(const tFonctionConfig& f, tCalibVoie& voie, tAffichageVoie& affichage) {
    voie.CoefA = f.CoeffA;
    voie.CoefB = f.CoeffB;
    voie.CoefC = f.CoeffC;
    voie.Operande1 = f.Voie1;
    voie.Operande2 = f.Voie2;
    voie.OperateurFonction = f.Operateur;
    CopieTexte(affichage.NomAffiche, sizeof affichage.NomAffiche, f.NomFonction, sizeof f.NomFonction,
               LongueurNomFonction);
    CopieTexte(affichage.UniteAffichee, sizeof affichage.UniteAffichee, f.UniteFonction,
               sizeof f.UniteFonction, LongueurUniteFonction);
}

} // namespace

uint8_t SLOT_FONCTION(int k) {
    return static_cast<uint8_t>(std::clamp(k, 0, NombreSlotsFonction - 1));
}

int AJOUT_FONCTION() {
    const int n = EnteteF.NombreVoiesTotal;
    if (n >= NombreVoiesTable) return 1;

    if (PremiereFonctionAjoutee == -1) PremiereFonctionAjoutee = static_cast<int16_t>(n);
    EnteteF.NombreVoiesTotal = static_cast<uint8_t>(n + 1);

    // The record may still hold a channel of an earlier recording: start it blank.
    tCalibVoie& voie = EnteteF.CalibVoie[n];
    tAffichageVoie& affichage = EnteteF.Affichage[n];
    voie = tCalibVoie{};
    affichage = tAffichageVoie{};
    voie.TypeConversion = ConversionFonctionViewer;
    CopieDefinition(Config.TabFonction[SLOT_FONCTION(NumeroFonction)], voie, affichage);

    AJOUT_ONOFF(Config.VoiesAffichees, n);
    AJOUT_ONOFF(Config.VoiesPresentes, n);

    NumeroNewFonction = static_cast<uint8_t>(std::min(NumeroNewFonction + 1, NombreSlotsFonction - 1));
    return 0;
}

int MODIF_VOIE_FONCTION(int k) {
    const int n = EnteteF.NombreVoiesTotalCopie + k;
    const bool ajoutee = k >= 0 && PremiereFonctionAjoutee >= 0 && n >= PremiereFonctionAjoutee &&
                         n < EnteteF.NombreVoiesTotal && n < NombreVoiesTable;
    if (!ajoutee) return 1;
    CopieDefinition(Config.TabFonction[SLOT_FONCTION(k)], EnteteF.CalibVoie[n], EnteteF.Affichage[n]);
    return 0;
}
