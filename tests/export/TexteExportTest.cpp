// Text and CSV exports: header block, separators and decimal marks by kind and
// culture, number formats, time column, logic bits, channel selection.
#include "ExportTestUtil.h"

#include <cmath>

using namespace export_test;

namespace {

// Expected row r of Essai(), every field from the C library's formatting.
std::string RangeeAttendue(int64_t r, char sep, char dec, const char* format = "%8.4e") {
    const recmaker::Signal sinus = recmaker::Sinus(32768, 20000, 97);
    const uint16_t mots[3] = {static_cast<uint16_t>(r & 0xFFFF), sinus(r), 3};
    const double tempsUs = std::trunc(EnteteF.TempsDebut + static_cast<double>(r) * 250.0);
    std::string l = Printf("%f", tempsUs / 1000.0, dec) + sep;
    for (int n = 0; n < 3; ++n) l += Printf(format, RECUP_VALEUR(mots[n], n), dec) + sep;
    const uint16_t logique = static_cast<uint16_t>((r & 1) | (r % 3 == 0 ? 2 : 0));
    for (int b = 0; b < 3; ++b) l += std::string((logique >> b) & 1 ? "1" : "0") + sep;
    return l;
}

TEST_F(ExportTest, TextExportInTheCCulture) {
    Enregistrement e = Essai(1000);
    e.PreTrig = 40; // the time column starts before the trigger
    ASSERT_EQ(Ouvrir(e), LectureOK);
    const std::vector<std::string> l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 1000u);
    EXPECT_EQ(l[0], std::string(Ouvre.MessageEntSimplifie));
    EXPECT_EQ(l[0], "essai.rec ( 1000 Samples/channels ) Sample Rate :250\xB5s");
    EXPECT_EQ(l[1], "Date :15 Jun 2024 12:00:00");
    EXPECT_EQ(l[2], "Time\tTension[V]\tCourant[mA]\tTemp[\xB0"
                    "C]\tPompe\tVanne\tMoteur\t");
    EXPECT_LT(double{EnteteF.TempsDebut}, 0.0);
    for (int64_t r = 0; r < 1000; ++r) ASSERT_EQ(l[3 + r], RangeeAttendue(r, '\t', '.')) << "row " << r;
    EXPECT_EQ(l[3], "-20.000000\t0.0000e+00\t" + Printf("%8.4e", RECUP_VALEUR(32768, 1)) +
                        "\t1.5000e+00\t0\t1\t0\t");
    EXPECT_EQ(l[3 + 81].substr(0, 10), "0.250000\t4"); // scan 81: time 81 x 250 us - 20 ms
}

TEST_F(ExportTest, DecimalCommaCultureWritesCommasInEveryNumber) {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ASSERT_EQ(Ouvrir(Essai(200)), LectureOK);
    const std::vector<std::string> l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 200u);
    EXPECT_EQ(l[1], "Date :15/06/2024 12:00:00");
    for (int64_t r = 0; r < 200; ++r) ASSERT_EQ(l[3 + r], RangeeAttendue(r, '\t', ',')) << "row " << r;
    // 1.5 in the exponent format: four decimals, a comma, at least 8 characters, then a tab.
    EXPECT_NE(l[3].find("\t1,5000e+00\t"), std::string::npos) << l[3];
    EXPECT_EQ(l[5].substr(0, 9), "0,500000\t");
}

// The interface shows its dates in its own language; the file keeps the regional format.
TEST_F(ExportTest, FileDateStaysRegionalInEveryLanguage) {
    Langue = 0;
    ASSERT_EQ(Ouvrir(Essai(20)), LectureOK);
    EXPECT_EQ(std::string(Ouvre.Filtre.Mes_DateTrigger), "Date :15/06/2024 12:00:00.000");
    const std::vector<std::string> l = ExporterTexte();
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[1], "Date :15 Jun 2024 12:00:00");
}

TEST_F(ExportTest, FixedFormatIsRightAlignedInEightCharacters) {
    ASSERT_EQ(Ouvrir(Essai(50)), LectureOK);
    Config.FormatExportFixe = 1;
    const std::vector<std::string> l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 50u);
    for (int64_t r = 0; r < 50; ++r) ASSERT_EQ(l[3 + r], RangeeAttendue(r, '\t', '.', "%8.5f"));
    EXPECT_EQ(Champs(l[3], '\t')[3], " 1.50000");
    EXPECT_EQ(Champs(l[3 + 49], '\t')[1], "24.50000");
}

TEST_F(ExportTest, TitleLineComesFirstWhenTheRecordingHasOne) {
    Enregistrement e = Essai(20);
    e.AnnotationsNouvelles = {Annot(5, "Essai de pompe", 4, GenreTitre)};
    ASSERT_EQ(Ouvrir(e), LectureOK);
    const std::vector<std::string> l = ExporterTexte();
    ASSERT_EQ(l.size(), 4u + 20u);
    EXPECT_EQ(l[0], "Essai de pompe");
    EXPECT_EQ(l[1], std::string(Ouvre.MessageEntSimplifie));
    EXPECT_EQ(l[2].rfind("Date :", 0), 0u);
    EXPECT_EQ(l[3].rfind("Time\t", 0), 0u);
    // The title record is no annotation of a row.
    for (size_t i = 4; i < l.size(); ++i) EXPECT_EQ(l[i].find("Essai"), std::string::npos);
}

TEST_F(ExportTest, OnlyDisplayedChannelsAndLogicInputsUnlessFolderExport) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    ENLEVE_ONOFF(Config.VoiesAffichees, 1);
    Config.MasqueVoiesLogiques &= static_cast<uint16_t>(~2u); // input 1 hidden
    std::vector<std::string> l = ExporterTexte();
    EXPECT_EQ(l[2], "Time\tTension[V]\tTemp[\xB0"
                    "C]\tPompe\tMoteur\t");
    EXPECT_EQ(l[3 + 3], "0.750000\t1.5000e+00\t1.5000e+00\t1\t0\t"); // scan 3: bits 0 and 1 set

    folder_export = 1;
    l = ExporterTexte();
    EXPECT_EQ(l[2], "Time\tTension[V]\tCourant[mA]\tTemp[\xB0"
                    "C]\tPompe\tVanne\tMoteur\t");
    EXPECT_EQ(l[3 + 3], RangeeAttendue(3, '\t', '.'));
}

TEST_F(ExportTest, LogicInputsNotChosenAtOpeningAreNotExported) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    EnteteF.LogiqueAffichee = 0;
    folder_export = 1; // not even in a folder export
    const std::vector<std::string> l = ExporterTexte();
    EXPECT_EQ(l[2], "Time\tTension[V]\tCourant[mA]\tTemp[\xB0"
                    "C]\t");
    EXPECT_EQ(Champs(l[3], '\t').size(), 5u);
}

TEST_F(ExportTest, FastAndReferenceFormattingWriteTheSameFile) {
    Enregistrement e = Essai(3000);
    e.Voies[1].Gain = 1.234567e-7f; // tiny values
    e.Voies[2].Gain = 8.5e12f;      // huge values
    ASSERT_EQ(Ouvrir(e), LectureOK);
    for (const uint8_t fixe : {0, 1}) {
        Config.FormatExportFixe = fixe;
        EtatExport rapide, reference;
        reference.Formateur = tFormateur::Printf;
        ASSERT_TRUE(Exporter(TypeTexte, Chemin(QStringLiteral("rapide.txt")), rapide));
        ASSERT_TRUE(Exporter(TypeTexte, Chemin(QStringLiteral("printf.txt")), reference));
        const std::string a = LireFichier(Chemin(QStringLiteral("rapide.txt")));
        EXPECT_GT(a.size(), 3000u * 40u);
        EXPECT_TRUE(a == LireFichier(Chemin(QStringLiteral("printf.txt")))) << "format " << int(fixe);
    }
}

TEST_F(ExportTest, ProgressAndStateAtTheEnd) {
    ASSERT_EQ(Ouvrir(Essai(100)), LectureOK);
    EtatExport etat;
    EXPECT_EQ(etat.CalCulEnCours.load(), ExportAucun);
    ASSERT_TRUE(Exporter(TypeTexte, Chemin(QStringLiteral("p.txt")), etat));
    EXPECT_EQ(etat.LongProgress.load(), 1000);
    EXPECT_EQ(etat.LignesEcrites.load(), 100);
    EXPECT_EQ(DemandeExport.load(), 0);
    EXPECT_STREQ(etat.MESSAGE_FIN(), "Export finish");
    etat.AFFICHER_FIN();
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.TITRES()[0], "Export");
    EXPECT_EQ(Boites.TEXTES()[0], "Export finish");
    EXPECT_EQ(Boites.Appels[0].Icone, tIconeBoite::Avertissement);
}

} // namespace
