// Which scans become rows and at what time: limited and unlimited exports,
// zoomed windows, absolute time, and the row-count rules of the set-up.
#include "ExportTestUtil.h"

#include <cmath>

#include "export/LecteurScans.h"
#include "graph/DonneesGraphe.h"

using namespace export_test;

namespace {

// Scan of a row of Essai(): the "Tension" value is scan / 2.
int64_t ScanDeLaLigne(const std::string& ligne) {
    return std::llround(2.0 * std::stod(Champs(ligne, '\t')[1]));
}

TEST_F(ExportTest, LimitedExportTakesEveryNthScanAtTheDisplayedDurationsTimes) {
    ASSERT_EQ(Ouvrir(Essai(10000)), LectureOK);
    Config.LimitationExport = 1;
    Config.LongueurExport = 100;
    const std::vector<std::string> l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 100u);
    const double duree = EnteteF.DureeTotale; // the whole recording is displayed
    for (int64_t r = 0; r < 100; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(ScanDeLaLigne(l[3 + r]), 100 * r);
        const double attendu =
            std::trunc(EnteteF.TempsDebut + static_cast<double>(r) * duree / 100.0) / 1000.0;
        EXPECT_EQ(Champs(l[3 + r], '\t')[0], Printf("%f", attendu));
    }
    EXPECT_EQ(Champs(l[4], '\t')[0], "25.000000");
}

TEST_F(ExportTest, ZoomedWindowStartsAtItsFirstScanAndTime) {
    Enregistrement e = Essai(8000);
    e.PreTrig = 100;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    ::Setup.DebutFenetre = 0.25;
    ::Setup.LargeurFenetre = 0.5;
    // Unlimited: every scan of the window, times by the period.
    std::vector<std::string> l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 4000u);
    const double debut = EnteteF.DureeTotale * 0.25 + EnteteF.TempsDebut;
    for (int64_t r : {0, 1, 2, 1999, 3999}) {
        EXPECT_EQ(ScanDeLaLigne(l[3 + r]), 2000 + r);
        EXPECT_EQ(Champs(l[3 + r], '\t')[0], Printf("%f", std::trunc(debut + r * 250.0) / 1000.0));
    }
    // Limited to more rows than the window holds: every scan, times from the displayed duration.
    Config.LimitationExport = 1;
    Config.LongueurExport = 5000;
    l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 4000u);
    EXPECT_EQ(ScanDeLaLigne(l[3 + 3999]), 5999);
    // Limited to 3 rows: scans 4000 x r / 3.
    Config.LongueurExport = 3;
    l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 3u);
    EXPECT_EQ(ScanDeLaLigne(l[4]), 2000 + 1333);
    EXPECT_EQ(ScanDeLaLigne(l[5]), 2000 + 2666);
    EXPECT_EQ(Champs(l[5], '\t')[0],
              Printf("%f", std::trunc(debut + 2.0 * EnteteF.DureeTotale * 0.5 / 3.0) / 1000.0));
}

TEST_F(ExportTest, WindowMatchesTheDisplayPass) {
    ASSERT_EQ(Ouvrir(Essai(12345)), LectureOK);
    DonneesGraphe graphe;
    const struct {
        double Debut, Largeur;
    } fenetres[] = {{0.0, 1.0}, {0.1, 0.3}, {0.333333, 0.0001}, {0.9999, 0.0001}, {0.5, 1e-8}};
    for (const auto& f : fenetres) {
        ::Setup.DebutFenetre = f.Debut;
        ::Setup.LargeurFenetre = f.Largeur;
        graphe.DEMARRAGE_GRAPH();
        const tFenetreExport w = CALCUL_FENETRE(EnteteF, ::Setup);
        EXPECT_EQ(w.DepartTracer, graphe.DepartTracer);
        EXPECT_EQ(w.LongueurAcquisition, graphe.LongueurAcquisition);
        EXPECT_EQ(w.TempsTotal, graphe.TempsTotal);
        EXPECT_EQ(w.DebutTemps, graphe.DebutTemps);
    }
}

TEST_F(ExportTest, ScansAcrossPageBoundariesAndTheLastPage) {
    // 3 words per scan: scans straddle every 65536-word page boundary.
    Enregistrement e;
    e.Famille = FamilleTKAR;
    e.NombreScans = 150000;
    e.Voies = {Voie{.Numero = 0, .Donnees = recmaker::Rampe(7, 3)},
               Voie{.Numero = 1, .Donnees = recmaker::Rampe(0, 11)}};
    e.Logique = true;
    e.DonneesLogiques = [](int64_t s) { return static_cast<uint16_t>(s * 5); };
    ASSERT_EQ(Ouvrir(e), LectureOK);
    for (const double debut : {0.0, 0.123457}) {
        ::Setup.DebutFenetre = debut;
        ::Setup.LargeurFenetre = 1.0 - debut;
        const tFenetreExport w = CALCUL_FENETRE(EnteteF, ::Setup);
        LecteurScans lecteur;
        ASSERT_TRUE(lecteur.Ouvrir(Ouvre.VraiNomFichier, EnteteF, w.DepartTracer));
        uint16_t ligne[245]{};
        const int64_t premier = w.DepartTracer / 3;
        for (int64_t s = 0; s < w.LongueurAcquisition; ++s) {
            ASSERT_TRUE(lecteur.LIRE_SCAN(s, ligne));
            const int64_t scan = premier + s;
            ASSERT_EQ(ligne[0], static_cast<uint16_t>(7 + 3 * scan)) << scan;
            ASSERT_EQ(ligne[1], static_cast<uint16_t>(11 * scan)) << scan;
            ASSERT_EQ(ligne[244], static_cast<uint16_t>(5 * scan)) << scan;
        }
        // Sequential reading reads each page once.
        EXPECT_EQ(lecteur.PagesLues(), (w.LongueurAcquisition * 3 + 65535) / 65536);
    }
    LecteurScans absent;
    EXPECT_FALSE(absent.Ouvrir(Chemin(QStringLiteral("absent.rec")), EnteteF, 0));
}

TEST_F(ExportTest, UnderSamplingDoesNotRepeatStaleScans) {
    ASSERT_EQ(Ouvrir(Essai(400)), LectureOK);
    sousEchantillonageEnabled = true;
    underSamplingRatio = 4.f;
    const std::vector<std::string> l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 400u);
    for (int64_t r = 0; r < 400; ++r) ASSERT_EQ(ScanDeLaLigne(l[3 + r]), r);
}

TEST_F(ExportTest, AbsoluteTimeIsTheTriggerDatePlusTheRowTime) {
    Enregistrement e = Essai(20);
    e.PreTrig = 10; // first scan 5 ms before the trigger
    e.Millisecondes = 7;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    Config.TempsAbsolu = 1;
    std::vector<std::string> l = ExporterTexte();
    ASSERT_EQ(l.size(), 3u + 20u);
    EXPECT_EQ(Champs(l[3], '\t')[0], "15 Jun 2024 12:00:00,002");      // 12:00:00.007 - 5 ms
    EXPECT_EQ(Champs(l[3 + 1], '\t')[0], "15 Jun 2024 12:00:00,002");  // 250 us later
    EXPECT_EQ(Champs(l[3 + 19], '\t')[0], "15 Jun 2024 12:00:00,006"); // -5 ms + 4.75 ms
    EXPECT_EQ(Champs(l[3], '\t')[1], "0.0000e+00");

    // Before the second: the date and time go back too.
    e.Millisecondes = 2;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    l = ExporterTexte();
    EXPECT_EQ(Champs(l[3], '\t')[0], "15/06/2024 11:59:59,997"); // no decimal replacement
    EXPECT_EQ(Champs(l[3 + 19], '\t')[0], "15/06/2024 12:00:00,001");

    // An external clock has no absolute time.
    e.PeriodeUs = 0.f;
    ASSERT_EQ(Ouvrir(e), LectureOK);
    l = ExporterTexte();
    EXPECT_EQ(Champs(l[3 + 2], '\t')[0], Printf("%f", std::trunc(EnteteF.TempsDebut + 2.0) / 1000.0, ','));
}

TEST_F(ExportTest, RowCountRulesOfTheSetUp) {
    // Only the header matters here.
    EnteteF.NombreScans = 2'000'000;
    ::Setup.DebutFenetre = 0.0;
    ::Setup.LargeurFenetre = 0.75;
    const struct {
        uint8_t Limitation;
        int32_t Longueur;
        uint8_t Type;
        int32_t LongueurNormalisee;
        int64_t ACalculer;
        uint8_t Vraie;
        const char* Label;
    } cas[] = {
        {1, 0, TypeTexte, 100, 100, 1, "Number of points maximum :"},
        {1, 5, TypeCSV, 5, 5, 1, "Number of points maximum :"},
        {1, -4, TypeTexte, 100, 100, 1, "Number of points maximum :"},
        {3, 1048000, TypeExcel, 1048000, 1048000, 1, "Number of points maximum :"},
        {1, 2000000, TypeTexte, 1048000, 1048000, 1, "Number of points maximum :"},
        {0, 7, TypeTexte, 7, 1500000, 0, "Number of points maximum :1500000"},
        {2, 7, TypeCSV, 7, 1500000, 0, "Number of points maximum :1500000"},
        {0, 0, TypeExcel, 100, 1048000, 1, "Number of points maximum :1048000"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message() << int(c.Limitation) << " " << c.Longueur << " " << int(c.Type));
        Config.LimitationExport = c.Limitation;
        Config.LongueurExport = c.Longueur;
        EtatExport etat;
        etat.TypeFichier = c.Type;
        etat.INIT();
        EXPECT_EQ(etat.Limitation, c.Limitation & 1);
        EXPECT_EQ(int32_t{Config.LongueurExport}, c.LongueurNormalisee);
        EXPECT_EQ(etat.LongueurACalculer, c.ACalculer);
        EXPECT_EQ(etat.VraiLimitation, c.Vraie);
        EXPECT_EQ(etat.TEXTE_NB_LIGNE(), c.Label);
    }
}

TEST_F(ExportTest, AnEmptyWindowGivesTheHeaderOnly) {
    ASSERT_EQ(Ouvrir(Essai(100)), LectureOK);
    ::Setup.LargeurFenetre = 0.001; // less than one scan
    const std::vector<std::string> l = ExporterTexte();
    EXPECT_EQ(l.size(), 3u);
}

} // namespace
