// The opening of a recording from raw bytes: the fixed header of each family,
// the supplementary block, the channel records, the logic names, the script
// area (kept as plain texts: the engine has a target of its own), the
// annotation area and the trigger date, then what the opening derives from
// them without the dialog (the filter list, the title lines, the display
// set-up in Config) and the first texts and values drawn from the header.
#include <cstdint>

#include "EtatCoeur.h"
#include "FuzzCommun.h"
#include "recording/Conversion.h"
#include "recording/OuvreREC.h"
#include "recording/TexteTemps.h"
#include "recording/TexteValeur.h"

namespace {

// The values and texts the graph takes from the header as soon as the file is open.
void PremiersUsages(const t_EnteteREC_GlobalTotal& e) {
    char texte[256];
    CALCUL_TEMPS_TIME_BASE(texte, e.DureeTotale, e.BaseDeTempsInterne != 0 ? e.PeriodeEchantillon : 0.0);
    CALCUL_TEMPS_TIME_BASE(texte, e.TempsDebut, e.BaseDeTempsInterne != 0 ? e.PeriodeEchantillon : 0.0);
    for (int n = 0; n < e.NombreVoiesTotal && n < NombreVoiesConfig; ++n) {
        CALCUL_FLOAT(n);
        for (const uint16_t brut : {uint16_t{0}, uint16_t{0x8000}, uint16_t{0xFFFF}})
            CALCUL_MESSAGE(texte, RECUP_VALEUR(brut, n), n, ModeCompresse);
        MESSAGE_ENTREE_COMPRESSER(texte, n, 50000);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    static fuzz::FichierMemoire fichier("fuzz_entete.rec");
    fuzz::BOITES_DU_PASSAGE();
    RESET_ETAT_COEUR();

    fichier.Ecrire(octets, taille);
    OuvreREC ouvre(&EnteteF);
    ouvre.VraiNomFichier = fichier.Chemin();
    ouvre.NomFichier = QStringLiteral("fuzz.rec");
    if (ouvre.OUVRIR_REC(1) == LectureOK) {
        PremiersUsages(EnteteF);
        (void)ouvre.TexteMessageEntete();
        (void)ouvre.TexteMessageTitreEntete();
    }
    ouvre.FERMER_FICHIER();
    return 0;
}
