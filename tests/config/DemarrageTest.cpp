// Start-up initialisation: values of the program's key over their defaults, the configuration file
// of the command line or the user's "setupviewer.spt", the ".spt" association, a coherent Config.
#include <gtest/gtest.h>

#include <QDir>

#include <cstring>

#include "FichierConfigTestUtil.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "config/Demarrage.h"
#include "config/FichierConfig.h"
#include "shell/Messages.h"
#include "shell/Registre.h"

namespace {

const QString Programme = QStringLiteral("/opt/ombrix/bin/ombrixviewer");

class Demarrage : public FichiersConfig {
protected:
    void SetUp() override {
        FichiersConfig::SetUp();
        RESET_LANGUE();
    }

    // A default configuration whose export length marks where it came from.
    void EcrireConfigMarquee(const QString& chemin, int32_t marque) {
        RESET_GLOBAL_CONFIG();
        INIT_CONFIG();
        Config.LongueurExport = marque;
        ASSERT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
        RESET_GLOBAL_CONFIG();
    }
};

TEST_F(Demarrage, FirstStartKeepsEveryDefault) {
    ::Setup.DebutFenetre = 0.5;
    std::strcpy(M_NomLogiciel, "autre");
    EXPECT_FALSE(INIT_DEMARRAGE(QString(), Programme));

    EXPECT_EQ(Langue, 0);
    EXPECT_EQ(PosGraX, 0);
    EXPECT_EQ(PosGraY, 0);
    EXPECT_EQ(LargeurGra, 800);
    EXPECT_EQ(HauteurGra, 600);
    EXPECT_EQ(NombreDePageImprimante, 1);
    EXPECT_EQ(PosCalculX, 0);
    EXPECT_EQ(PosAnnotY, 0);
    EXPECT_STREQ(RepertoireSetUp, QDir::rootPath().toLatin1().constData());
    EXPECT_STREQ(M_NomLogiciel, "OmbrixViewer");
    EXPECT_EQ(::Setup.DebutFenetre, 0.0);

    // Nothing loaded: the consistency pass gave the defaults.
    EXPECT_EQ(Config.VersionConfig, VersionConfigCourante);
    tConfig lue = Config;
    RESET_GLOBAL_CONFIG();
    INIT_CONFIG();
    COHERENCE_CONFIGURATION();
    EXPECT_EQ(std::memcmp(&lue, &Config, sizeof Config), 0);

    EXPECT_EQ(RECUP_CLE_CLASSES(".spt"), QStringLiteral("filespt"));
    EXPECT_EQ(RECUP_CLE_CLASSES("filespt\\shell\\open\\command"), Programme + QStringLiteral(" %1"));
    EXPECT_EQ(RECUP_CLE_CLASSES("filespt\\defaulticon"), Programme + QStringLiteral(",0"));
    EXPECT_TRUE(Boites.Appels.empty());
}

TEST_F(Demarrage, StoredValuesReplaceDefaultsWithinTheirRanges) {
    const struct {
        uint32_t Pages, Langue;
        int16_t PagesLues;
        uint8_t LangueLue;
    } cas[] = {{0, 7, 1, 1}, {45, 5, 30, 1}, {12, 4, 12, 4}, {30, 2, 30, 2}, {1, 3, 1, 3}};
    for (const auto& c : cas) {
        ASSERT_TRUE(SAUVE_CLE_DWORD("NombrePAGEIMP", c.Pages));
        ASSERT_TRUE(SAUVE_CLE_DWORD("Language", c.Langue));
        ASSERT_TRUE(SAUVE_CLE_DWORD("PosGraX", 100));
        ASSERT_TRUE(SAUVE_CLE_DWORD("PosGraY", 200));
        ASSERT_TRUE(SAUVE_CLE_DWORD("PosAnnotY", 7));
        ASSERT_TRUE(SAUVE_CLE_DWORD("LargeurGra", 0x10400)); // cut to 16 bits
        ASSERT_TRUE(SAUVE_CLE("Reper", QStringLiteral("/mesures")));
        INIT_DEMARRAGE(QString(), Programme);
        EXPECT_EQ(NombreDePageImprimante, c.PagesLues) << c.Pages;
        EXPECT_EQ(Langue, c.LangueLue) << c.Langue;
        EXPECT_EQ(PosGraX, 100);
        EXPECT_EQ(LargeurGra, 0x400);
        // Tool windows beside the graph window unless their own place was kept.
        EXPECT_EQ(PosCalculX, 110);
        EXPECT_EQ(PosCalculY, 210);
        EXPECT_EQ(PosAnnotX, 110);
        EXPECT_EQ(PosAnnotY, 7);
        EXPECT_STREQ(RepertoireSetUp, "/mesures");
    }
}

TEST_F(Demarrage, CommandLineConfigurationInPlaceOfTheUsersFile) {
    EcrireConfigMarquee(CHEMIN_SETUP_VIEWER(), 1111);
    const QString cnf = Chemin(QStringLiteral("reglages.cnf"));
    EcrireConfigMarquee(cnf, 2222);
    const QString spt = Chemin(QStringLiteral("autre.spt"));
    EcrireConfigMarquee(spt, 3333);
    const QString mauvais = Chemin(QStringLiteral("mauvais.cnf"));
    EcrireFichier(mauvais, QByteArray(100, '\x79'));

    RESET_GLOBAL_CONFIG();
    COHERENCE_CONFIGURATION();
    const int32_t defaut = Config.LongueurExport;
    ASSERT_NE(defaut, 1111);

    const struct {
        QString Argument;
        bool Charge;
        int32_t Longueur; // which file Config came from
    } cas[] = {
        {QString(), false, 1111},
        {cnf, true, 2222},
        {spt, true, 3333},
        {Chemin(QStringLiteral("essai.rec")), false, 1111},
        {Chemin(QStringLiteral("REGLAGES.CNF")), false, 1111}, // only the lower-case extension
        {mauvais, false, 1111},                                // bad file: the user's file after all
        {Chemin(QStringLiteral("absent.cnf")), true, defaut},  // missing: defaults, the user's file skipped
    };
    for (const auto& c : cas) {
        RESET_GLOBAL_CONFIG();
        EXPECT_EQ(INIT_DEMARRAGE(c.Argument, Programme), c.Charge) << c.Argument.toStdString();
        EXPECT_EQ(Config.LongueurExport, c.Longueur) << c.Argument.toStdString();
        EXPECT_EQ(Config.VersionConfig, VersionConfigCourante);
    }
}

TEST_F(Demarrage, LoadedValuesAreMadeCoherent) {
    RESET_GLOBAL_CONFIG();
    INIT_CONFIG();
    Config.ParamVoie[3].BorneMin = 5.f;
    Config.ParamVoie[3].BorneMax = 5.f; // no range
    ASSERT_EQ(ECRIRE_CONFIGURATION(CHEMIN_SETUP_VIEWER()), ResultatConfigOk);
    RESET_GLOBAL_CONFIG();
    INIT_DEMARRAGE(QString(), Programme);
    EXPECT_GT(Config.ParamVoie[3].BorneMax, Config.ParamVoie[3].BorneMin);
}

} // namespace
