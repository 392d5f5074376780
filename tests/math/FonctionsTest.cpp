#include <cstring>

#include "MathTestUtil.h"

namespace {

using AjoutFonction = MathTest;

// What the main window's command does for each addition.
int Ajouter() {
    NumeroFonction = NumeroNewFonction;
    return AJOUT_FONCTION();
}

TEST_F(AjoutFonction, AppendsTheSlotAsAShownChannel) {
    Analogiques(3);
    // Leftovers of an earlier recording in the record about to be used.
    EnteteF.CalibVoie[3].Decalage = 9.f;
    EnteteF.CalibVoie[3].CoefD = 9.f;
    std::strcpy(EnteteF.Affichage[3].UniteAffichee, "old unit text");
    EnteteF.Affichage[3].VoieSignee = 1;
    Definition(0, 1.5f, -2.f, 0.25f, 2, 1, 3, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", "kg/m3xyz");

    ASSERT_EQ(Ajouter(), 0);
    EXPECT_EQ(EnteteF.NombreVoiesTotal, 4);
    EXPECT_EQ(EnteteF.NombreVoiesTotalCopie, 3);
    EXPECT_EQ(PremiereFonctionAjoutee, 3);
    EXPECT_EQ(NumeroNewFonction, 1);
    const tCalibVoie& v = EnteteF.CalibVoie[3];
    EXPECT_EQ(v.TypeConversion, ConversionFonctionViewer);
    EXPECT_EQ(+v.CoefA, 1.5f);
    EXPECT_EQ(+v.CoefB, -2.f);
    EXPECT_EQ(+v.CoefC, 0.25f);
    EXPECT_EQ(+v.CoefD, 0.f);
    EXPECT_EQ(+v.Decalage, 0.f);
    EXPECT_EQ(v.Operande1, 2);
    EXPECT_EQ(v.Operande2, 1);
    EXPECT_EQ(v.OperateurFonction, 3);
    EXPECT_STREQ(EnteteF.Affichage[3].NomAffiche, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_STREQ(EnteteF.Affichage[3].UniteAffichee, "kg/m3x");
    EXPECT_EQ(EnteteF.Affichage[3].VoieSignee, 0);
    EXPECT_TRUE(TST_B_ONOFF(Config.VoiesPresentes, 3));
    EXPECT_TRUE(TST_B_ONOFF(Config.VoiesAffichees, 3));
    EXPECT_FALSE(TST_B_ONOFF(Config.VoiesPresentes, 4));
}

TEST_F(AjoutFonction, SeventhAdditionReusesTheSixthSlot) {
    Analogiques(2);
    for (int s = 0; s < NombreSlotsFonction; ++s) Definition(s, static_cast<float>(s + 1), 0.f, 0.f, 0, 0, 0);
    for (int i = 0; i < 8; ++i) {
        ASSERT_EQ(Ajouter(), 0) << i;
        EXPECT_EQ(NumeroNewFonction, i < 5 ? i + 1 : 5);
    }
    EXPECT_EQ(EnteteF.NombreVoiesTotal, 10);
    EXPECT_EQ(PremiereFonctionAjoutee, 2);
    const float attendu[] = {1, 2, 3, 4, 5, 6, 6, 6};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(+EnteteF.CalibVoie[2 + i].CoefA, attendu[i]) << i;
    // Each one is a channel of its own: A x ch0 (B = 0, +).
    const auto ligne = Ligne({10, 0});
    EXPECT_DOUBLE_EQ(ligne[8], 60.0);
    EXPECT_DOUBLE_EQ(ligne[9], 60.0);
}

TEST_F(AjoutFonction, RefusedWhenTheChannelTablesAreFull) {
    Analogiques(2);
    EnteteF.NombreVoiesTotal = NombreVoiesTable - 1;
    Definition(0, 1.f, 0.f, 0.f, 0, 0, 0);
    ASSERT_EQ(Ajouter(), 0);
    EXPECT_EQ(EnteteF.NombreVoiesTotal, NombreVoiesTable);
    EXPECT_EQ(+EnteteF.CalibVoie[NombreVoiesTable - 1].TypeConversion, ConversionFonctionViewer);

    const t_EnteteREC_GlobalTotal avant = EnteteF;
    const tConfig configAvant = Config;
    EXPECT_EQ(Ajouter(), 1);
    EXPECT_EQ(std::memcmp(&avant, &EnteteF, sizeof EnteteF), 0);
    EXPECT_EQ(std::memcmp(&configAvant, &Config, sizeof Config), 0);
    EXPECT_EQ(NumeroNewFonction, 1);
    EXPECT_EQ(PremiereFonctionAjoutee, NombreVoiesTable - 1);

    // A header already claiming more channels than the tables hold refuses too.
    EnteteF.NombreVoiesTotal = 250;
    EXPECT_EQ(Ajouter(), 1);
    EXPECT_EQ(EnteteF.NombreVoiesTotal, 250);
}

TEST_F(AjoutFonction, FunctionOfAFunction) {
    Analogiques(2);
    Definition(0, 1.f, 1.f, 0.f, 0, 1, 0); // ch0 + ch1
    Definition(1, 2.f, 0.f, 1.f, 2, 0, 0); // 2 x first function + 1
    ASSERT_EQ(Ajouter(), 0);
    ASSERT_EQ(Ajouter(), 0);
    const auto ligne = Ligne({10, 4});
    EXPECT_DOUBLE_EQ(ligne[2], 14.0);
    EXPECT_DOUBLE_EQ(ligne[3], 29.0);
}

TEST_F(AjoutFonction, ResetAtOpening) {
    Analogiques(2);
    Definition(0, 1.f, 0.f, 0.f, 0, 0, 0);
    ASSERT_EQ(Ajouter(), 0);
    NumeroFonction = 4;
    RESET_FONCTIONS();
    EXPECT_EQ(NumeroNewFonction, 0);
    EXPECT_EQ(NumeroFonction, 0);
    EXPECT_EQ(PremiereFonctionAjoutee, -1);
}

TEST_F(AjoutFonction, SlotOfTheKthFunction) {
    const int k[] = {-3, 0, 1, 5, 6, 200};
    const int slot[] = {0, 0, 1, 5, 5, 5};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(SLOT_FONCTION(k[i]), slot[i]) << k[i];
}

using ModifFonction = MathTest;

TEST_F(ModifFonction, CopiesTheSlotIntoItsChannel) {
    Analogiques(2);
    Definition(0, 1.f, 1.f, 0.f, 0, 1, 0, "Somme", "V");
    Definition(1, 1.f, 1.f, 0.f, 0, 1, 1, "Ecart", "V");
    ASSERT_EQ(Ajouter(), 0);
    ASSERT_EQ(Ajouter(), 0);
    const tCalibVoie premiere = EnteteF.CalibVoie[2];

    Definition(1, 4.f, 0.5f, -1.f, 1, 2, 2, "Produit de deux voies tres long", "mm/s2abc");
    ASSERT_EQ(MODIF_VOIE_FONCTION(1), 0);
    const tCalibVoie& v = EnteteF.CalibVoie[3];
    EXPECT_EQ(+v.CoefA, 4.f);
    EXPECT_EQ(+v.CoefB, 0.5f);
    EXPECT_EQ(+v.CoefC, -1.f);
    EXPECT_EQ(v.Operande1, 1);
    EXPECT_EQ(v.Operande2, 2);
    EXPECT_EQ(v.OperateurFonction, 2);
    EXPECT_EQ(v.TypeConversion, ConversionFonctionViewer);
    EXPECT_STREQ(EnteteF.Affichage[3].NomAffiche, "Produit de deux voies tres");
    EXPECT_STREQ(EnteteF.Affichage[3].UniteAffichee, "mm/s2a");
    EXPECT_EQ(std::memcmp(&premiere, &EnteteF.CalibVoie[2], sizeof premiere), 0);
    EXPECT_EQ(EnteteF.NombreVoiesTotal, 4);
    EXPECT_DOUBLE_EQ(Ligne({10, 4})[3], 4 * 4 * (0.5 * 14) - 1);
}

TEST_F(ModifFonction, RefusedOutsideTheAddedChannels) {
    Analogiques(2);
    Calculee(0, 0, 0, 1); // a recorder-computed channel, part of the opened recording
    Definition(0, 1.f, 0.f, 0.f, 0, 0, 0);
    EXPECT_EQ(MODIF_VOIE_FONCTION(0), 1); // nothing added yet
    ASSERT_EQ(Ajouter(), 0);
    const t_EnteteREC_GlobalTotal avant = EnteteF;
    Definition(0, 8.f, 0.f, 0.f, 0, 0, 0);
    EXPECT_EQ(MODIF_VOIE_FONCTION(1), 1);
    EXPECT_EQ(MODIF_VOIE_FONCTION(-1), 1);
    EXPECT_EQ(std::memcmp(&avant, &EnteteF, sizeof EnteteF), 0);
    EXPECT_EQ(MODIF_VOIE_FONCTION(0), 0);
    EXPECT_EQ(+EnteteF.CalibVoie[3].CoefA, 8.f);
}

TEST_F(ModifFonction, FunctionsBeyondTheSixthUseTheSixthSlot) {
    Analogiques(1);
    for (int s = 0; s < NombreSlotsFonction; ++s) Definition(s, 1.f, 0.f, 0.f, 0, 0, 0);
    for (int i = 0; i < 7; ++i) ASSERT_EQ(Ajouter(), 0);
    Definition(5, 3.f, 0.f, 0.f, 0, 0, 0);
    ASSERT_EQ(MODIF_VOIE_FONCTION(6), 0);
    EXPECT_EQ(+EnteteF.CalibVoie[1 + 6].CoefA, 3.f);
    EXPECT_EQ(+EnteteF.CalibVoie[1 + 5].CoefA, 1.f);
}

} // namespace
