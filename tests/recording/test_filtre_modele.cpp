// The rules of the file filter dialog, without its widgets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Config.h"
#include "config/Defauts.h"
#include "recording/EtatFonctions.h"
#include "recording/FiltreFichierModele.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"

namespace {

class FiltreTest : public ::testing::Test {
protected:
    void SetUp() override {
        RESET_GLOBAL_CONFIG();
        INIT_CONFIG();
        RESET_SOUS_ECHANTILLONNAGE();
        RESET_FONCTIONS();
        RESET_TEXTE_TEMPS();
    }

    // A list of `voies` channel entries (and the logic entry when asked), all selected.
    void Remplir(int voies, bool logique, float periode = 100.f) {
        samplingPeriod = periode;
        for (int k = 0; k < voies; ++k) F.AJOUT_ENTREE(("V" + std::to_string(k)).c_str(), true);
        if (logique) F.AJOUT_ENTREE("Logic channels :", true);
        F.NombreVoieFonc = static_cast<uint8_t>(voies);
        F.Init();
    }

    // Selects exactly the first n channel entries.
    void Choisir(int n) {
        for (int k = 0; k < F.NombreVoieFonc; ++k) F.SELECTION(k, k < n);
    }

    std::vector<float> PeriodesActives() const {
        std::vector<float> r;
        for (int i = 0; i < NombreBoutonsSousEchantillon; ++i)
            if (F.BoutonActif(i)) r.push_back(PERIODE_SOUS_ECHANTILLON(i));
        return r;
    }

    FiltreFichierModele F;
};

TEST_F(FiltreTest, InitTakesTheChoicesFromConfig) {
    Config.TypeCalibre = 0;
    Config.NombreEcranFiltre = 2;
    Config.ModeXY = 1;
    sousEchantillonageEnabled = true;
    F.ValidSortie = 1;
    Remplir(3, true);
    EXPECT_EQ(F.TypeCalibre, 0);
    EXPECT_EQ(F.NombreEcran, 2);
    EXPECT_TRUE(F.XYCoche());
    EXPECT_EQ(F.ValidSortie, 0);
    EXPECT_FALSE(F.SousEchantillonCoche());
    EXPECT_FALSE(sousEchantillonageEnabled.load()); // the box starts unchecked and says so
    EXPECT_EQ(F.BoutonSousEchantillon(), -1);
    // Three channels and XY checked: the box shows, the screen group hides.
    EXPECT_TRUE(F.XYVisible());
    EXPECT_FALSE(F.GroupeEcranVisible());

    Config.TypeCalibre = 1;
    Config.ModeXY = 0;
    FiltreFichierModele autre;
    autre.Init();
    EXPECT_EQ(autre.TypeCalibre, 1);
    EXPECT_FALSE(autre.XYCoche());
}

TEST_F(FiltreTest, ListChangeDecidesTheVisibleControls) {
    struct Cas {
        int Choisies;
        bool XY;
        bool XYVisible, EcranVisible;
    } cas[] = {
        {0, false, false, true}, {1, false, false, true}, {2, false, true, true}, {3, false, true, true},
        {0, true, false, true},  {1, true, false, true},  {2, true, true, false}, {3, true, true, false},
    };
    Config.ModeXY = 0;
    Remplir(3, true);
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::to_string(c.Choisies) + (c.XY ? " XY" : ""));
        F.CHANGE_XY(c.XY);
        Choisir(c.Choisies);
        EXPECT_EQ(F.NombreVoiesSelectionnees(), c.Choisies);
        EXPECT_EQ(F.XYVisible(), c.XYVisible);
        EXPECT_EQ(F.GroupeEcranVisible(), c.EcranVisible);
    }
}

TEST_F(FiltreTest, TheLogicEntryDoesNotCountAsAChannel) {
    Remplir(1, true);
    ASSERT_EQ(F.NombreEntrees(), 2);
    EXPECT_TRUE(F.EstEntreeLogique(1));
    EXPECT_FALSE(F.EstEntreeLogique(0));
    EXPECT_FALSE(F.EstEntreeLogique(2)); // outside the list
    EXPECT_EQ(F.NombreVoiesSelectionnees(), 1);
    EXPECT_FALSE(F.XYVisible());
}

TEST_F(FiltreTest, XyWithTwoChannelsHidesTheScreensAndKeepsTheirChoice) {
    Config.ModeXY = 0;
    Config.NombreEcranFiltre = 0;
    Remplir(2, false);
    F.CHOIX_ECRAN(2);
    F.CHANGE_XY(true);
    EXPECT_FALSE(F.GroupeEcranVisible());
    F.CEST_OK();
    EXPECT_EQ(Config.NombreEcranFiltre, 2);
    EXPECT_EQ(Config.ModeXY, 1);

    // XY checked but hidden (one channel left): not taken.
    F.SELECTION(1, false);
    EXPECT_FALSE(F.XYVisible());
    EXPECT_TRUE(F.GroupeEcranVisible());
    F.CEST_OK();
    EXPECT_EQ(Config.ModeXY, 0);
}

TEST_F(FiltreTest, PeriodButtonsEnabledAboveTheSamplingPeriod) {
    Remplir(1, false, 100.f);
    EXPECT_EQ(PeriodesActives(), (std::vector<float>{200, 1000, 2000, 10000, 20000, 100000, 200000, 1000000,
                                                     2000000, 10000000}));
    Remplir(1, false, 1.f); // external clock: periods in samples
    EXPECT_EQ(PeriodesActives(), (std::vector<float>{2, 10, 20, 100, 200, 1000, 2000, 10000, 20000, 100000,
                                                     200000, 1000000, 2000000, 10000000}));
    Remplir(1, false, 0.5f);
    EXPECT_EQ(PeriodesActives().front(), 1.f);
    Remplir(1, false, 10000000.f);
    EXPECT_TRUE(PeriodesActives().empty());
    EXPECT_FALSE(F.BoutonActif(-1));
    EXPECT_FALSE(F.BoutonActif(22));
}

TEST_F(FiltreTest, PeriodButtonLabelsAreTimeTexts) {
    const std::vector<std::string> attendus = {
        "1\xB5s",   "2\xB5s", "5\xB5s", "10\xB5s", "20\xB5s", "50\xB5s", "100\xB5s", "200\xB5s",
        "500\xB5s", "1ms",    "2ms",    "5ms",     "10ms",    "20ms",    "50ms",     "100ms",
        "200ms",    "500ms",  "1s",     "2s",      "5s",      "10s"};
    for (int i = 0; i < NombreBoutonsSousEchantillon; ++i) {
        char texte[32];
        FiltreFichierModele::TEXTE_BOUTON(i, texte, sizeof texte);
        EXPECT_EQ(texte, attendus[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(FiltreFichierModele::TexteBouton(0), QStringLiteral("1\u00B5s"));
    EXPECT_EQ(FiltreFichierModele::TexteBouton(22), QString());
    EXPECT_EQ(PERIODE_SOUS_ECHANTILLON(22), 0.f);
}

TEST_F(FiltreTest, AcceptComputesTheUnderSamplingRatio) {
    Remplir(2, false, 100.f);
    EXPECT_FALSE(F.CHOIX_PERIODE(4)); // 20 us: at or below the period, disabled
    EXPECT_FALSE(F.CHOIX_PERIODE(8)); // 500 us: never offered
    EXPECT_EQ(F.BoutonSousEchantillon(), -1);
    ASSERT_TRUE(F.CHOIX_PERIODE(9)); // 1 ms

    // Under-sampling off: the period button is not taken.
    F.CEST_OK();
    EXPECT_EQ(selectedValue, 0.f);
    EXPECT_EQ(underSamplingRatio.load(), 0.f);

    F.CHANGE_SOUS_ECHANTILLON(true);
    EXPECT_TRUE(sousEchantillonageEnabled.load());
    F.CEST_OK();
    EXPECT_EQ(selectedValue, 1000.f);
    EXPECT_EQ(underSamplingRatio.load(), 10.f);
    EXPECT_EQ(F.ValidSortie, 1);

    // On, but no button checked: the previous period is kept, the ratio follows the new sampling period.
    FiltreFichierModele autre;
    samplingPeriod = 250.f;
    autre.Init();
    autre.CHANGE_SOUS_ECHANTILLON(true);
    autre.CEST_OK();
    EXPECT_EQ(selectedValue, 1000.f);
    EXPECT_EQ(underSamplingRatio.load(), 4.f);

    F.CHANGE_SOUS_ECHANTILLON(false);
    EXPECT_FALSE(sousEchantillonageEnabled.load());
}

TEST_F(FiltreTest, AcceptWritesTheChoicesAndCancelDoesNot) {
    Config.TypeCalibre = 1;
    Config.NombreEcranFiltre = 0;
    Remplir(2, true);
    F.CHOIX_CALIBRE(0);
    F.CHOIX_ECRAN(1);
    F.ANNULER();
    EXPECT_EQ(F.ValidSortie, 0);
    EXPECT_EQ(Config.TypeCalibre, 1);
    EXPECT_EQ(Config.NombreEcranFiltre, 0);

    NumeroNewFonction = 4;
    F.CEST_OK();
    EXPECT_EQ(F.ValidSortie, 1);
    EXPECT_EQ(NumeroNewFonction, 0);
    EXPECT_EQ(Config.TypeCalibre, 0);
    EXPECT_EQ(Config.NombreEcranFiltre, 1);
}

TEST_F(FiltreTest, ListEntriesAreCutAndBounded) {
    EXPECT_TRUE(F.AJOUT_ENTREE("un nom de voie bien trop long pour la liste", false));
    EXPECT_STREQ(F.Entree(0)->Nom, "un nom de voie bien trop l");
    EXPECT_FALSE(F.EstSelectionnee(0));
    EXPECT_TRUE(F.AJOUT_ENTREE(nullptr, true));
    EXPECT_STREQ(F.Entree(1)->Nom, "");
    EXPECT_EQ(F.Entree(2), nullptr);
    EXPECT_EQ(F.TexteEntree(-1), QString());
    F.SELECTION(7, true); // outside: ignored
    EXPECT_FALSE(F.EstSelectionnee(7));
    while (F.NombreEntrees() < NombreEntreesFiltreMax) ASSERT_TRUE(F.AJOUT_ENTREE("x", true));
    EXPECT_FALSE(F.AJOUT_ENTREE("y", true));
    F.VIDER_LISTE();
    EXPECT_EQ(F.NombreEntrees(), 0);
}

} // namespace
