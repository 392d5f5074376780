// The demonstration recordings open without dialog and carry what they are
// meant to show: logic inputs, annotations, and (but for the one with a
// supplementary block) a computed channel.
#include <gtest/gtest.h>

#include "recmaker/RecMaker.h"
#include "test_ouverture_fixture.h"

namespace {

using namespace ouverture_test;

struct CasExemple {
    const char* Nom;
    recmaker::Enregistrement (*Exemple)();
    int16_t Famille;
    bool Calculee;
};

const CasExemple Exemples[] = {
    {"tkar", recmaker::ExempleTKAR, FamilleTKAR, true},
    {"tkos", recmaker::ExempleTKOS, FamilleTKOS, true},
    {"tkos_sup", recmaker::ExempleTKOSSup, FamilleTKOS, false},
    {"vel", recmaker::ExempleVEL, FamilleVEL, true},
};

TEST_F(OuvertureTest, DemonstrationRecordingsOpenWithWhatTheyShow) {
    for (const CasExemple& c : Exemples) {
        SCOPED_TRACE(c.Nom);
        ASSERT_EQ(Ouvrir(c.Exemple(), 1, std::string(c.Nom) + ".rec"), 0);
        EXPECT_EQ(Val(EnteteF.FamilleEnregistreur), c.Famille);
        EXPECT_EQ(EnteteF.PresenceLogique, 1);
        EXPECT_GT(EnteteF.NombreEntreesLogiques, 0);
        EXPECT_GT(AncienAnnot + NouveauAnnot, 0);
        EXPECT_EQ(EnteteF.NombreVoiesTotal > EnteteF.NombreVoiesAnalog, c.Calculee);
        EXPECT_GT(Val(EnteteF.NombreScans), 1000);
        Ouvre.FERMER_FICHIER();
    }
}

} // namespace
