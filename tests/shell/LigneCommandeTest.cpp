// The viewer's command line read into its result, without side effects.
#include <gtest/gtest.h>

#include <QLocale>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "shell/LigneCommande.h"

namespace {

const QString Travail = QStringLiteral("/mesures/jour");

QStringList Arguments(const std::vector<const char*>& textes) {
    QStringList a;
    for (const char* t : textes) a.append(QString::fromUtf8(t));
    return a;
}

tLigneCommande Lire(const std::vector<const char*>& textes, const QLocale& culture = QLocale::c()) {
    return INTERPRETER_LIGNE_COMMANDE(Arguments(textes), Travail, culture);
}

struct tCasOption {
    const char* Argument;
    bool Erreur;
    double Debut;
    double Fin;
};

class OptionsFenetre : public ::testing::TestWithParam<tCasOption> {};

TEST_P(OptionsFenetre, RangeRulesOfStartAndEnd) {
    const tCasOption& c = GetParam();
    const tLigneCommande r = Lire({"essai.rec", c.Argument});
    EXPECT_EQ(r.Erreur, c.Erreur) << c.Argument;
    EXPECT_DOUBLE_EQ(r.Debut, c.Debut) << c.Argument;
    EXPECT_DOUBLE_EQ(r.Fin, c.Fin) << c.Argument;
}

INSTANTIATE_TEST_SUITE_P(
    Table, OptionsFenetre,
    ::testing::Values(
        tCasOption{"/b:2", true, 0.0, 1.0},                                          // beyond the recording
        tCasOption{"/b:0", false, 0.0, 1.0},                                         // the very start
        tCasOption{"/b:1", false, 1.0, 1.0},                                         // the very end
        tCasOption{"/b:0.25", false, 0.25, 1.0}, tCasOption{"/b", true, 0.0, 1.0},   // too short: -1
        tCasOption{"/b:x", false, 0.0, 1.0},                                         // unreadable: 0
        tCasOption{"/b:", false, 0.0, 1.0},                                          // empty value: 0
        tCasOption{"/b:-0.1", true, 0.0, 1.0}, tCasOption{"/b:nan", true, 0.0, 1.0}, // not a number
        tCasOption{"/b:inf", true, 0.0, 1.0}, tCasOption{"/e:0", true, 0.0, 1.0},    // must be above 0
        tCasOption{"/e:x", true, 0.0, 1.0},                                          // unreadable: 0
        tCasOption{"/e", true, 0.0, 1.0}, tCasOption{"/e:1", false, 0.0, 1.0},
        tCasOption{"/e:1.0001", true, 0.0, 1.0}, tCasOption{"/e:0.75", false, 0.0, 0.75},
        tCasOption{"/e:nan", true, 0.0, 1.0}, tCasOption{"/B:0.5", false, 0.5, 1.0}, // upper case
        tCasOption{"/E=0,5", false, 0.0, 0.5},                                       // any separator, comma
        tCasOption{"/b:5e-1", false, 0.5, 1.0}));

TEST(LigneCommande, NoArgumentsGiveTheDefaults) {
    const tLigneCommande r = Lire({});
    EXPECT_TRUE(r.FichierREC.isEmpty());
    EXPECT_EQ(r.ModeExport, ModeSansExport);
    EXPECT_FALSE(r.Erreur);
    EXPECT_DOUBLE_EQ(r.Debut, 0.0);
    EXPECT_DOUBLE_EQ(r.Fin, 1.0);
    EXPECT_EQ(r.LimitationExport, 0);
    EXPECT_FALSE(r.LongueurExport);
    EXPECT_FALSE(r.TempsAbsolu);
    EXPECT_TRUE(r.TexteErreur.isEmpty());
}

TEST(LigneCommande, ExportModesAndTheLastOneCounts) {
    const struct {
        std::vector<const char*> Arguments;
        uint8_t Mode;
    } cas[] = {{{"a.rec", "/x"}, ModeExportExcel}, {{"a.rec", "/t"}, ModeExportTexte},
               {{"a.rec", "/c"}, ModeExportCSV},   {{"/T", "a.rec"}, ModeExportTexte},
               {{"/x", "/c"}, ModeExportCSV},      {{"/c", "/t"}, ModeExportTexte},
               {{"/txt"}, ModeExportTexte}};
    for (const auto& c : cas) {
        const tLigneCommande r = Lire(c.Arguments);
        EXPECT_EQ(r.ModeExport, c.Mode) << c.Arguments.front();
        EXPECT_FALSE(r.Erreur);
    }
}

TEST(LigneCommande, RowCountLimitsOnlyAboveZero) {
    const struct {
        const char* Argument;
        uint8_t Limitation;
        std::optional<int32_t> Longueur;
    } cas[] = {{"/n:0", 0, std::nullopt},
               {"/n:-5", 0, std::nullopt},
               {"/n", 0, std::nullopt},
               {"/n:abc", 0, std::nullopt},
               {"/n:nan", 0, std::nullopt},
               {"/n:250", 1, 250},
               {"/n:99.9", 1, 99},
               {"/n:0.5", 1, 0}, // the export makes 0 into 100
               {"/n:1e12", 1, std::numeric_limits<int32_t>::max()},
               {"/n:inf", 1, std::numeric_limits<int32_t>::max()}};
    for (const auto& c : cas) {
        const tLigneCommande r = Lire({c.Argument});
        EXPECT_FALSE(r.Erreur) << c.Argument;
        EXPECT_EQ(r.LimitationExport, c.Limitation) << c.Argument;
        EXPECT_EQ(r.LongueurExport, c.Longueur) << c.Argument;
    }
}

TEST(LigneCommande, TimeLabelOptions) {
    EXPECT_EQ(Lire({"/da"}).TempsAbsolu, std::optional<uint8_t>(1));
    EXPECT_EQ(Lire({"/DR"}).TempsAbsolu, std::optional<uint8_t>(0));
    EXPECT_EQ(Lire({"/da", "/dr"}).TempsAbsolu, std::optional<uint8_t>(0));
    EXPECT_EQ(Lire({"/dr", "/da"}).TempsAbsolu, std::optional<uint8_t>(1));
    for (const char* sansEffet : {"/d", "/dx", "/d:1"}) {
        const tLigneCommande r = Lire({sansEffet});
        EXPECT_FALSE(r.Erreur) << sansEffet;
        EXPECT_FALSE(r.TempsAbsolu) << sansEffet;
    }
}

TEST(LigneCommande, UnknownOptionsAndPlainWordsAreErrors) {
    for (const char* mauvais : {"/q", "/z:1", "/", "-t", "essai.txt", "t", "/1"}) {
        EXPECT_TRUE(Lire({"a.rec", mauvais}).Erreur) << mauvais;
    }
}

TEST(LigneCommande, ErrorTextListsEveryArgumentAfterABlank) {
    const tLigneCommande r = Lire({"Essai.REC", "/B:2", "/t"});
    ASSERT_TRUE(r.Erreur);
    // As typed, not lower-cased; two blanks after "Error".
    EXPECT_EQ(r.TexteErreur.toStdString(), "Error  Essai.REC /B:2 /t");
}

TEST(LigneCommande, RecordingPaths) {
    EXPECT_EQ(Lire({"essai.rec"}).FichierREC, QStringLiteral("/mesures/jour/essai.rec"));
    EXPECT_EQ(Lire({"sous/essai.rec"}).FichierREC, QStringLiteral("/mesures/jour/sous/essai.rec"));
    EXPECT_EQ(Lire({"/ailleurs/essai.rec"}).FichierREC, QStringLiteral("/ailleurs/essai.rec"));
    // The extension in any case; the name keeps its case.
    EXPECT_EQ(Lire({"Essai.REC"}).FichierREC, QStringLiteral("/mesures/jour/Essai.REC"));
    // The last one named is the one opened.
    const tLigneCommande r = Lire({"un.rec", "/t", "deux.rec", "/ailleurs/trois.rec"});
    EXPECT_EQ(r.FichierREC, QStringLiteral("/ailleurs/trois.rec"));
    EXPECT_FALSE(r.Erreur);
}

TEST(LigneCommande, ConfigurationFileFirstIsNoOption) {
    const tLigneCommande r = Lire({"reglages.cnf", "essai.rec", "/t"});
    EXPECT_FALSE(r.Erreur);
    EXPECT_EQ(r.ModeExport, ModeExportTexte);
    EXPECT_FALSE(Lire({"/etc/ombrix/reglages.spt"}).Erreur);
    // Anywhere else, or not in lower case, it is an unknown argument.
    EXPECT_TRUE(Lire({"essai.rec", "reglages.cnf"}).Erreur);
    EXPECT_TRUE(Lire({"reglages.CNF"}).Erreur);
}

TEST(LigneCommande, WhichArgumentIsAConfigurationFile) {
    EXPECT_TRUE(EST_FICHIER_CONFIG(QStringLiteral("a.cnf")));
    EXPECT_TRUE(EST_FICHIER_CONFIG(QStringLiteral("/x/y/a.spt")));
    EXPECT_FALSE(EST_FICHIER_CONFIG(QStringLiteral("a.CNF")));
    EXPECT_FALSE(EST_FICHIER_CONFIG(QStringLiteral("a.cnf.rec")));
    EXPECT_FALSE(EST_FICHIER_CONFIG(QStringLiteral("cnf")));
    EXPECT_FALSE(EST_FICHIER_CONFIG(QString()));
}

TEST(LigneCommande, DecimalCommaCultureReadsBothMarks) {
    const QLocale francais(QLocale::French, QLocale::France);
    const QLocale precedente;
    QLocale::setDefault(francais);
    const tLigneCommande point = INTERPRETER_LIGNE_COMMANDE(Arguments({"/b:0.5", "/e:0.75"}), Travail);
    const tLigneCommande virgule = INTERPRETER_LIGNE_COMMANDE(Arguments({"/b:0,5", "/e:0,75"}), Travail);
    QLocale::setDefault(precedente);
    EXPECT_FALSE(point.Erreur);
    EXPECT_FALSE(virgule.Erreur);
    EXPECT_DOUBLE_EQ(point.Debut, 0.5);
    EXPECT_DOUBLE_EQ(virgule.Debut, 0.5);
    EXPECT_DOUBLE_EQ(point.Fin, 0.75);
    EXPECT_DOUBLE_EQ(virgule.Fin, 0.75);
}

TEST(LigneCommande, FractionsAreOrderedByTheCaller) {
    const tLigneCommande r = Lire({"/b:0.8", "/e:0.2"});
    ASSERT_FALSE(r.Erreur);
    const auto [debut, fin] = ORDONNER_FRACTIONS(r.Debut, r.Fin);
    EXPECT_DOUBLE_EQ(debut, 0.2);
    EXPECT_DOUBLE_EQ(fin, 0.8);
    EXPECT_EQ(ORDONNER_FRACTIONS(0.1, 0.9), std::make_pair(0.1, 0.9));
    EXPECT_EQ(ORDONNER_FRACTIONS(0.5, 0.5), std::make_pair(0.5, 0.5));
}

} // namespace
