// CSV exports and the "csv.conf" options: first run, automatic detection,
// chosen separators, the reading of the file and the dialog's refresh.
#include "ExportTestUtil.h"

using namespace export_test;

namespace {

void EcrireConf(const char* contenu) {
    QFile f(CHEMIN_CSV_CONF());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
}

std::string Conf() {
    return LireFichier(CHEMIN_CSV_CONF());
}

TEST_F(ExportTest, FirstCsvExportCreatesTheOptionsFileAndUsesSemicolons) {
    ASSERT_FALSE(QFile::exists(CHEMIN_CSV_CONF()));
    EXPECT_TRUE(CHEMIN_CSV_CONF().endsWith(QStringLiteral("/OmbView/OmbrixViewer/csv.conf")));
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    std::vector<std::string> l = ExporterTexte(TypeCSV);
    EXPECT_EQ(Conf(), "1\n.\n,");
    EXPECT_EQ(l[2], "Time;Tension[V];Courant[mA];Temp[\xB0"
                    "C];Pompe;Vanne;Moteur;");
    EXPECT_EQ(l[3 + 2].substr(0, 20), "0.500000;1.0000e+00;");

    // With a decimal comma the numbers take it, the separator stays ";".
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    l = ExporterTexte(TypeCSV);
    EXPECT_EQ(l[3 + 2].substr(0, 20), "0,500000;1,0000e+00;");
    EXPECT_NE(l[3].find(";1,5000e+00;"), std::string::npos);
}

TEST_F(ExportTest, CsvWithDetectionOffUsesTheChosenSeparators) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); // ignored with detection off
    const struct {
        const char* Conf;
        char Sep, Dec;
    } cas[] = {{"0\n,\n.", ',', '.'}, {"0\n;\n,", ';', ','}, {"0\n;\n.", ';', '.'}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Conf);
        EcrireConf(c.Conf);
        const std::vector<std::string> l = ExporterTexte(TypeCSV);
        ASSERT_GE(l.size(), 4u);
        const std::string sep(1, c.Sep);
        EXPECT_EQ(l[2].substr(0, 16), "Time" + sep + "Tension[V]" + sep);
        EXPECT_EQ(l[3 + 3],
                  "0" + std::string(1, c.Dec) + "750000" + sep + "1" + std::string(1, c.Dec) + "5000e+00" +
                      sep + Printf("%8.4e", RECUP_VALEUR(recmaker::Sinus(32768, 20000, 97)(3), 1), c.Dec) +
                      sep + "1" + std::string(1, c.Dec) + "5000e+00" + sep + "1" + sep + "1" + sep + "0" +
                      sep);
        EXPECT_EQ(Conf(), c.Conf); // read, not rewritten
    }
}

TEST_F(ExportTest, OptionsFileReadingFollowsTheThreeLineFormat) {
    const struct {
        const char* Contenu;
        bool Auto;
        char Sep, Dec;
    } cas[] = {
        {"0\n;\n.", false, ';', '.'},
        {"7\n,\n,", true, ',', ','},           // any number but 0 is on
        {"  0 \n\n ;  \n .", false, ';', '.'}, // white space skipped between fields
        {"0\n;", false, ';', 'X'},             // missing last field: kept
        {"-0\n,\n.", false, ',', '.'},
        {"oui\n;\n.", true, 'Y', 'X'}, // no number: nothing read
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Contenu);
        EcrireConf(c.Contenu);
        CSVSeparatorAutoDetect = true;
        CSV_Separator = 'Y';
        CSV_Delimiter = 'X';
        EXPECT_TRUE(LIRE_CSV_CONF());
        EXPECT_EQ(CSVSeparatorAutoDetect, c.Auto);
        EXPECT_EQ(CSV_Separator, c.Sep);
        EXPECT_EQ(CSV_Delimiter, c.Dec);
    }
    CSVSeparatorAutoDetect = false;
    CSV_Separator = ';';
    CSV_Delimiter = ',';
    EXPECT_TRUE(ECRIRE_CSV_CONF());
    EXPECT_EQ(Conf(), "0\n;\n,");
}

TEST_F(ExportTest, RefreshOfTheOptionsDialog) {
    // Detection on: the regional mark and the separator that goes with it.
    EXPECT_FALSE(QFile::exists(CHEMIN_CSV_CONF()));
    UpdateCSV();
    EXPECT_EQ(Conf(), "1\n.\n,");
    EXPECT_TRUE(CSVSeparatorAutoDetect);
    EXPECT_EQ(CSV_Delimiter, '.');
    EXPECT_EQ(CSV_Separator, ',');
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    UpdateCSV();
    EXPECT_EQ(CSV_Delimiter, ',');
    EXPECT_EQ(CSV_Separator, ';');
    // Detection off: the file's values as they are.
    EcrireConf("0\n,\n.");
    UpdateCSV();
    EXPECT_FALSE(CSVSeparatorAutoDetect);
    EXPECT_EQ(CSV_Separator, ',');
    EXPECT_EQ(CSV_Delimiter, '.');
}

TEST_F(ExportTest, TextExportIgnoresTheCsvOptions) {
    EcrireConf("0\n,\n,");
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    const std::vector<std::string> l = ExporterTexte(TypeTexte);
    EXPECT_EQ(l[3 + 3].substr(0, 20), "0.750000\t1.5000e+00\t");
}

} // namespace
