#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <cstring>
#include <string>

#include "FichierConfigTestUtil.h"
#include "config/Coherence.h"
#include "config/CommandesConf.h"
#include "config/Defauts.h"
#include "config/FichierConfig.h"
#include "config/SauverCle.h"

namespace {

struct tCasNom {
    const char* Choisi;
    const char* Ecrit;
};

// The saved file always has the extension ".spt", written in lower case, in the chosen folder.
constexpr tCasNom CasNoms[] = {
    {"/d/a", "/d/a.spt"},     {"/d/a.txt", "/d/a.spt"},
    {"/d/a.spt", "/d/a.spt"}, {"/d/a.SPT", "/d/a.spt"},
    {"/d/a.Spt", "/d/a.spt"}, {"/d/a.b.txt", "/d/a.b.spt"},
    {"/d/a.", "/d/a.spt"},    {"/d.x/a", "/d.x/a.spt"},
    {"a.txt", "a.spt"},       {"/d/r\xC3\xA9glages.cnf", "/d/r\xC3\xA9glages.spt"},
};

TEST(CheminConfSpt, ExtensionIsAlwaysSpt) {
    for (const tCasNom& cas : CasNoms)
        EXPECT_EQ(CHEMIN_CONF_SPT(QString::fromUtf8(cas.Choisi)).toStdString(), cas.Ecrit) << cas.Choisi;
}

using CommandesConf = FichiersConfig;

TEST_F(CommandesConf, SaveWritesUnderTheSptNameInTheSameFolder) {
    INIT_CONFIG();
    Config.CouleurFond = static_cast<int32_t>(0xFF203040);
    COHERENCE_CONFIGURATION();
    for (const char* nom : {"a", "b.txt", "c.spt", "d.SPT"}) {
        ASSERT_EQ(SAUVE_CONF_FICHIER(Chemin(QString::fromLatin1(nom))), ResultatConfigOk) << nom;
        EXPECT_FALSE(QFileInfo::exists(Chemin(QStringLiteral("b.txt"))));
    }
    QStringList attendus{QStringLiteral("a.spt"), QStringLiteral("b.spt"), QStringLiteral("c.spt"),
                         QStringLiteral("d.spt")};
    EXPECT_EQ(QDir(Temp.path()).entryList(QDir::Files, QDir::Name), attendus);
    for (const QString& nom : attendus)
        EXPECT_EQ(LireFichier(Chemin(nom)), ImageConfig()) << nom.toStdString();
    EXPECT_TRUE(Boites.Appels.empty());
}

TEST_F(CommandesConf, SaveWithoutANameWritesNothing) {
    EXPECT_EQ(SAUVE_CONF_FICHIER(QString()), ResultatConfigErreur);
    EXPECT_TRUE(QDir(Temp.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(CommandesConf, ResetGivesTheDefaults) {
    INIT_CONFIG();
    COHERENCE_CONFIGURATION();
    const QByteArray defauts = ImageConfig();
    Config.CouleurFond = 1234;
    Config.NombreCalcul = 9;
    std::strcpy(Config.FichierReticulePerso, "/x.bmp");
    RESET_CONF_SPT();
    EXPECT_EQ(ImageConfig(), defauts);
}

TEST_F(CommandesConf, DialogFilterAndFolder) {
    EXPECT_EQ(FILTRE_CONF_SPT(), "File *.spt|*.spt");
    Langue = 0;
    EXPECT_EQ(FILTRE_CONF_SPT(), "Fichier *.spt|*.spt");
    std::strcpy(RepertoireSetUp, "/enregistrements/essais \xE9t\xE9/"); // "été"
    EXPECT_EQ(DOSSIER_CONF(), QString::fromUtf8("/enregistrements/essais \xC3\xA9t\xC3\xA9/"));
    EXPECT_STREQ(NomInitialOuvertureConf, "*.spt");
}

// End of the run after a first start: the configuration file and all twelve values appear.
TEST_F(CommandesConf, EndOfRunSaveWritesTheFileThenTheTwelveValues) {
    ASSERT_FALSE(CLE_EXISTE());
    LIRE_CLES();
    INIT_CONFIG();
    COHERENCE_CONFIGURATION();

    EXPECT_TRUE(SAUVER_CLE());
    EXPECT_EQ(LireFichier(CHEMIN_SETUP_VIEWER()), ImageConfig());
    EXPECT_TRUE(CLE_EXISTE());
    for (const char* nom : {"Reper", "MessUtil"}) EXPECT_TRUE(RECUP_CLE(nom).has_value()) << nom;
    for (const char* nom : {"Language", "PosGraX", "PosGraY", "LargeurGra", "HauteurGra", "NombrePAGEIMP",
                            "PosAnnotX", "PosAnnotY", "PosCalculX", "PosCalculY"})
        EXPECT_TRUE(RECUP_CLE_DWORD(nom).has_value()) << nom;
    EXPECT_EQ(RECUP_CLE_DWORD("LargeurGra"), 800u);
    EXPECT_TRUE(Boites.Appels.empty());
}

TEST_F(CommandesConf, EndOfRunSaveWritesTheValuesEvenWhenTheFileFails) {
    EcrireFichier(Chemin(QStringLiteral("data")), QByteArray("not a folder"));
    LIRE_CLES();
    EXPECT_FALSE(SAUVER_CLE());
    EXPECT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(RECUP_CLE_DWORD("HauteurGra"), 600u);
}

} // namespace
