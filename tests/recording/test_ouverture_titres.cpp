// Texts built on opening: the dialog's file information and date, the title
// lines with the clock and the under-sampling period, the recording's title.
#include "test_ouverture_fixture.h"

#include "shell/Texte8.h"

using namespace ouverture_test;
using recmaker::AnnotationNouvelle;

namespace {

const std::string Date = "Date :15 Jun 2024 12:00:00";

TEST_F(OuvertureTest, DialogInformationTexts) {
    ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK);
    EXPECT_EQ(std::string(Ouvre.Filtre.Mes_Label),
              VersCp1252(Chemin) + "\nNumber of samples by channels :100");
    EXPECT_EQ(Ouvre.Filtre.TexteLabel(), Chemin + "\nNumber of samples by channels :100");
    EXPECT_EQ(std::string(Ouvre.Filtre.Mes_DateTrigger), Date + ".000");
}

TEST_F(OuvertureTest, DateTextWithAndWithoutMilliseconds) {
    const struct {
        int16_t Stockees;
        std::string Texte;
    } cas[] = {{45, Date + ".045"}, {0, Date + ".000"}, {-1, Date}, {1200, Date + ".000"}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Stockees);
        Enregistrement e = PetitTKAR();
        e.Millisecondes = c.Stockees;
        ASSERT_EQ(Ouvrir(e), LectureOK);
        EXPECT_EQ(std::string(Ouvre.Filtre.Mes_DateTrigger), c.Texte);
        const std::string entete = Ouvre.MessageEntete;
        EXPECT_EQ(entete, std::string(Ouvre.MessageEntSimplifie) + " " + c.Texte);
    }
}

TEST_F(OuvertureTest, TitleLineWithInternalClock) {
    std::string pendantLeDialogue;
    Dialogue.Action = [&](FiltreFichierModele&) { pendantLeDialogue = Ouvre.MessageEntSimplifie; };
    ASSERT_EQ(Ouvrir(PetitTKAR(), 0), LectureOK);
    const std::string ligne = "essai.rec ( 100 Samples/channels ) Sample Rate :250\xB5s";
    EXPECT_EQ(pendantLeDialogue, ligne + "  "); // before the dialog: two blanks after the period
    EXPECT_EQ(std::string(Ouvre.MessageEntSimplifie), ligne);
    EXPECT_EQ(std::string(Ouvre.MessageEntete), ligne + " " + Date + ".000");
    EXPECT_EQ(samplingPeriod, 250.f);
    EXPECT_EQ(Ouvre.TexteMessageEntSimplifie(),
              QStringLiteral("essai.rec ( 100 Samples/channels ) Sample Rate :250\u00B5s"));
    EXPECT_EQ(Ouvre.TexteMessageEntete(), DepuisCp1252(Ouvre.MessageEntete));
}

TEST_F(OuvertureTest, TitleLineWithExternalClock) {
    Enregistrement e = PetitTKAR();
    e.PeriodeUs = 0.f;
    ASSERT_EQ(Ouvrir(e, 1, "externe.rec"), LectureOK);
    EXPECT_EQ(std::string(Ouvre.MessageEntSimplifie), "externe.rec ( 100 Samples/channels ) External sample");
    EXPECT_EQ(samplingPeriod, 1.f);
}

TEST_F(OuvertureTest, TitleLineWithTheChosenUnderSamplingPeriod) {
    Dialogue.Action = [](FiltreFichierModele& f) {
        f.CHANGE_SOUS_ECHANTILLON(true);
        ASSERT_TRUE(f.CHOIX_PERIODE(9)); // 1 ms
    };
    ASSERT_EQ(Ouvrir(PetitTKAR(), 0), LectureOK);
    EXPECT_EQ(std::string(Ouvre.MessageEntSimplifie),
              "essai.rec ( 100 Samples/channels ) Sample Rate :250\xB5sUndersampling Period :1ms");
    EXPECT_TRUE(sousEchantillonageEnabled.load());
    EXPECT_EQ(selectedValue, 1000.f);
    EXPECT_EQ(underSamplingRatio.load(), 4.f);

    // Rebuilt on demand from the current choice.
    selectedValue = 2500000.f;
    Ouvre.onUnderSamplingSelected();
    EXPECT_EQ(std::string(Ouvre.MessageEntSimplifie),
              "essai.rec ( 100 Samples/channels ) Sample Rate :250\xB5sUndersampling Period :2.5s");
    sousEchantillonageEnabled = false;
    Ouvre.onUnderSamplingSelected();
    EXPECT_EQ(std::string(Ouvre.MessageEntSimplifie),
              "essai.rec ( 100 Samples/channels ) Sample Rate :250\xB5s");
}

TEST_F(OuvertureTest, TitleLineInTheCurrentLanguage) {
    Langue = 0;
    ASSERT_EQ(Ouvrir(PetitTKAR()), LectureOK);
    EXPECT_EQ(std::string(Ouvre.MessageEntSimplifie),
              "essai.rec ( 100 Echant/voies ) P\xE9riode acquisition :250\xB5s");
    EXPECT_EQ(std::string(Ouvre.Filtre.Mes_DateTrigger), "Date :15/06/2024 12:00:00.000");
    EXPECT_EQ(Ouvre.Filtre.TexteEntree(Ouvre.Filtre.NombreEntrees() - 1).toStdString(), "Voie Logique :");
}

// After a change of language the texts are built again from the open recording, as after
// its filter dialog, without reading it again.
TEST_F(OuvertureTest, TitlesRebuiltInTheNewLanguage) {
    Enregistrement e = PetitTKAR();
    e.AnnotationsNouvelles = {AnnotationNouvelle{.Genre = 2, .Texte = "Essai moteur"}};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    Langue = 2;
    Ouvre.REFAIRE_TITRES();
    const std::string ligne = "essai.rec ( 100 Punkte/Kanal ) Abtastrate :250\xB5s";
    EXPECT_EQ(std::string(Ouvre.MessageEntSimplifie), ligne);
    EXPECT_EQ(std::string(Ouvre.MessageEntete), ligne + " Datum :15.06.24 12:00:00.000");
    EXPECT_EQ(std::string(Ouvre.Filtre.Mes_DateTrigger), "Datum :15.06.24 12:00:00.000");
    EXPECT_STREQ(Ouvre.MessageTitreEntete, "Essai moteur");
    Langue = 1;
    Ouvre.REFAIRE_TITRES();
    EXPECT_EQ(std::string(Ouvre.MessageEntete),
              "essai.rec ( 100 Samples/channels ) Sample Rate :250\xB5s " + Date + ".000");

    OuvreREC rien(&EnteteF); // nothing opened: nothing to build
    rien.REFAIRE_TITRES();
    EXPECT_STREQ(rien.MessageEntete, "");
}

TEST_F(OuvertureTest, RecordingTitleFromItsTitleAnnotation) {
    Enregistrement e = PetitVEL();
    e.AnnotationsNouvelles = {AnnotationNouvelle{.Genre = 1, .Texte = "note"},
                              AnnotationNouvelle{.Genre = 2, .Texte = "Essai moteur"}};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    EXPECT_STREQ(Ouvre.MessageTitreEntete, "Essai moteur");
    EXPECT_EQ(Ouvre.TexteMessageTitreEntete(), QStringLiteral("Essai moteur"));

    ASSERT_EQ(Ouvrir(PetitVEL()), LectureOK); // none: the previous title is gone
    EXPECT_STREQ(Ouvre.MessageTitreEntete, "");
}

} // namespace
