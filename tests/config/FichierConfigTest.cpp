#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "FichierConfigTestUtil.h"
#include "config/Coherence.h"
#include "config/CommandesConf.h"
#include "config/Defauts.h"
#include "config/FichierConfig.h"

namespace {

// A configuration far from the defaults, every byte of it set on purpose (reserved and padding
// bytes included), already consistent so that a load gives it back unchanged.
void PoserConfigRiche() {
    INIT_CONFIG();
    auto* octets = reinterpret_cast<uint8_t*>(&Config);
    for (int i = 0; i < 36; ++i) {
        octets[offsetof(tConfig, VoiesPresentes) + i] = static_cast<uint8_t>(0x11 * i + 1);
        octets[offsetof(tConfig, VoiesAffichees) + i] = static_cast<uint8_t>(0x0D * i + 2);
        octets[offsetof(tConfig, Reserve76) + i] = static_cast<uint8_t>(0xA0 + i);
    }
    for (size_t libre : {1u,    2u,    3u,    2385u, 2386u, 2387u, 6534u, 6535u, 6897u, 6898u,
                         6899u, 6913u, 7045u, 7046u, 7047u, 7075u, 7080u, 7289u, 7290u, 7291u})
        octets[libre] = static_cast<uint8_t>(libre * 7 + 3);
    Config.CouleurFond = static_cast<int32_t>(0xFF102030);
    Config.CouleurReticule = static_cast<int32_t>(0xFFE0D0C0);
    for (int n = 0; n < NombreVoiesConfig; ++n) {
        Config.CouleurVoie[n] =
            static_cast<int32_t>(0xFF000000u | (0x010305u * static_cast<uint32_t>(n + 1)));
        Config.EpaisseurVoie[n] = static_cast<uint8_t>(1 + n % 8);
        Config.ParamVoie[n].BorneMin = -0.5f * static_cast<float>(n);
        Config.ParamVoie[n].BorneMax = 2.0f + static_cast<float>(n);
        Config.ParamVoie[n].FormatAffichage = static_cast<uint8_t>(n % 3);
        Config.ParamVoie[n].ExposantUnite = static_cast<int8_t>(n % 5 - 2);
        Config.ParamVoie[n].Reserve[2] = static_cast<uint8_t>(n);
    }
    Config.ReticEcran.NbEcran = 2;
    PoserEcran(Config.ReticEcran, 0, 0, 90);
    PoserEcran(Config.ReticEcran, 1, 90, 200);
    for (int n = 0; n < NombreVoiesConfig; ++n)
        Config.ReticEcran.EcranVoie[n] = static_cast<uint8_t>(1 + n % 2);
    std::strcpy(Config.PoliceNom.Nom, "Courier New");
    Config.PoliceNom.Taille = 12.5f;
    Config.PoliceNom.Style = StyleGras | StyleItalique;
    std::strcpy(Config.TabFonction[3].NomFonction, "Puissance");
    std::strcpy(Config.TabFonction[3].UniteFonction, "\xB5W"); // "µW"
    Config.TabFonction[3].CoeffA = 1.5f;
    Config.LimitationExport = 1;
    Config.LongueurExport = 4321;
    Config.MasqueVoiesLogiques = 0xA5C3;
    std::strcpy(Config.TexteAnnotation, "Annotation par d\xE9"
                                        "faut \xB0"
                                        "C"); // "défaut °C"
    Config.CouleurAnnotation = 0x12345678;
    Config.PositionCurseurY1 = 250;
    Config.PositionCurseurY2 = 750;
    Config.NombreVoieCurseur = 17;
    Config.ReticulePerso = 1;
    std::strcpy(Config.FichierReticulePerso, "C:\\Grilles\\r\xE9ticule perso.bmp"); // "réticule"
    Config.XYPoints = 1;
    Config.FormatExportFixe = 1;
    COHERENCE_CONFIGURATION();
}

QByteArray ImageDefauts() {
    RESET_GLOBAL_CONFIG();
    INIT_CONFIG();
    COHERENCE_CONFIGURATION();
    return QByteArray(reinterpret_cast<const char*>(&Config), sizeof Config);
}

using FichierConfig = FichiersConfig;

TEST_F(FichierConfig, SavedFileIsTheRecordImageAndLoadsBackEveryByte) {
    PoserConfigRiche();
    const QByteArray image = ImageConfig();
    ASSERT_EQ(image.size(), 7292);
    const QString chemin = Chemin(QStringLiteral("perso.spt"));

    ASSERT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
    EXPECT_EQ(LireFichier(chemin), image);

    RESET_GLOBAL_CONFIG();
    EXPECT_EQ(APPEL_CONFIGURATION(chemin), ResultatConfigOk);
    EXPECT_EQ(ImageConfig(), image);
    EXPECT_STREQ(Config.FichierReticulePerso, "C:\\Grilles\\r\xE9ticule perso.bmp");
    EXPECT_STREQ(Config.TexteAnnotation, "Annotation par d\xE9"
                                         "faut \xB0"
                                         "C");
    EXPECT_TRUE(Boites.Appels.empty());
}

TEST_F(FichierConfig, SetupFileGoesToTheUserDataFolder) {
    const QString dossier = Chemin(QStringLiteral("data/OmbView/OmbrixViewer"));
    ASSERT_FALSE(QFileInfo::exists(dossier));
    EXPECT_EQ(CHEMIN_SETUP_VIEWER(), QDir(dossier).filePath(QStringLiteral("setupviewer.spt")));

    PoserConfigRiche();
    ASSERT_EQ(SAVE_CONFIGURATION(), ResultatConfigOk);
    EXPECT_EQ(LireFichier(QDir(dossier).filePath(QStringLiteral("setupviewer.spt"))), ImageConfig());
}

TEST_F(FichierConfig, MissingFileChangesNothing) {
    Config.VersionConfig = 7; // not consistent: a pass would replace everything
    Config.CouleurFond = 42;
    const QByteArray avant = ImageConfig();
    EXPECT_EQ(APPEL_CONFIGURATION(Chemin(QStringLiteral("absent.spt"))), ResultatConfigOk);
    EXPECT_EQ(APPEL_CONFIGURATION(QString()), ResultatConfigOk);
    EXPECT_EQ(ImageConfig(), avant);
}

TEST_F(FichierConfig, UnreadableFileIsAnErrorThatKeepsTheConfiguration) {
    PoserConfigRiche();
    const QByteArray avant = ImageConfig();
    const QString dossier = Chemin(QStringLiteral("un dossier.spt"));
    ASSERT_TRUE(QDir().mkpath(dossier));
    EXPECT_EQ(APPEL_CONFIGURATION(dossier), ResultatConfigErreur);
    EXPECT_EQ(ImageConfig(), avant);
}

// A file of another version or length: defaults, result 1, and the open command says so.
struct tCasMauvais {
    const char* Nom;
    int Longueur;
    int Version; // first byte; -1 for none (empty file)
};

class FichierMauvais : public FichiersConfig, public ::testing::WithParamInterface<tCasMauvais> {};

TEST_P(FichierMauvais, GivesTheDefaultsAndIsReported) {
    const tCasMauvais cas = GetParam();
    const QByteArray defauts = ImageDefauts();

    QByteArray contenu(cas.Longueur, '\0');
    PoserConfigRiche();
    std::memcpy(contenu.data(), &Config, std::min<size_t>(sizeof Config, static_cast<size_t>(cas.Longueur)));
    for (int i = static_cast<int>(sizeof Config); i < cas.Longueur; ++i)
        contenu[i] = static_cast<char>(i * 31);
    if (cas.Version >= 0) contenu[0] = static_cast<char>(cas.Version);
    const QString chemin = Chemin(QStringLiteral("mauvais.spt"));
    EcrireFichier(chemin, contenu);

    EXPECT_EQ(APPEL_CONFIGURATION(chemin), ResultatConfigErreur);
    EXPECT_EQ(ImageConfig(), defauts);
    EXPECT_TRUE(Boites.Appels.empty()); // the loader itself shows nothing

    PoserConfigRiche();
    EXPECT_EQ(OUVRIR_CONF_FICHIER(chemin), ResultatConfigErreur);
    EXPECT_EQ(ImageConfig(), defauts);
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.TITRES()[0], "Error");
    EXPECT_EQ(Boites.TEXTES()[0], "Error: this file is failed !");
    EXPECT_FALSE(Boites.Appels[0].Question);
}

INSTANTIATE_TEST_SUITE_P(
    Regle, FichierMauvais,
    ::testing::Values(
        tCasMauvais{"Empty", 0, -1}, tCasMauvais{"OneByte", 1, 121},
        tCasMauvais{"CurrentLengthOldVersion115", 7292, 115},
        tCasMauvais{"CurrentLengthOldVersion119", 7292, 119}, tCasMauvais{"CurrentLengthVersion0", 7292, 0},
        tCasMauvais{"CurrentLengthVersion200", 7292, 200}, tCasMauvais{"Version121ShortByOne", 7291, 121},
        tCasMauvais{"Version121LongByOne", 7293, 121}, tCasMauvais{"Version121Length115", 1940, 121},
        tCasMauvais{"Version119Length115", 1940, 119}, tCasMauvais{"Version115Length119", 3332, 115},
        tCasMauvais{"Version115ShortByOne", 1939, 115}, tCasMauvais{"Version119LongByOne", 3333, 119},
        tCasMauvais{"MegabyteOfGarbage", 1 << 20, 121}),
    [](const ::testing::TestParamInfo<tCasMauvais>& info) { return std::string(info.param.Nom); });

TEST_F(FichierConfig, GoodFileIsReportedAsLoaded) {
    PoserConfigRiche();
    const QByteArray image = ImageConfig();
    const QString chemin = Chemin(QStringLiteral("bon.spt"));
    ASSERT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
    RESET_GLOBAL_CONFIG();

    EXPECT_EQ(OUVRIR_CONF_FICHIER(chemin), ResultatConfigOk);
    EXPECT_EQ(ImageConfig(), image);
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.TEXTES()[0], "Loading finished . . . ");
}

TEST_F(FichierConfig, OutOfRangeValuesInAGoodFileAreMendedSilently) {
    PoserConfigRiche();
    Config.HauteurVoiesLogiques = 250;
    Config.NombreVoieCurseur = 99;
    Config.ParamVoie[3].BorneMin = 3.0f;
    Config.ParamVoie[3].BorneMax = 3.0f;
    const QString chemin = Chemin(QStringLiteral("hors.spt"));
    ASSERT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
    RESET_GLOBAL_CONFIG();

    EXPECT_EQ(APPEL_CONFIGURATION(chemin), ResultatConfigOk);
    EXPECT_EQ(Config.HauteurVoiesLogiques, 200);
    EXPECT_EQ(Config.NombreVoieCurseur, 30);
    EXPECT_EQ(Config.ParamVoie[3].BorneMax, 8.0f);
}

// A save that cannot complete is reported, and whatever was there before stays as it was.
TEST_F(FichierConfig, FailedWriteKeepsThePreviousFile) {
    const QString chemin = Chemin(QStringLiteral("garde.spt"));
    PoserConfigRiche();
    ASSERT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
    const QByteArray precedent = LireFichier(chemin);

    INIT_CONFIG();
    COHERENCE_CONFIGURATION();
    // Files of this process may not grow beyond 1000 bytes while the write runs.
    rlimit ancienne{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &ancienne), 0);
    rlimit limite = ancienne;
    limite.rlim_cur = 1000;
    const auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const uint8_t resultat = ECRIRE_CONFIGURATION(chemin);
    setrlimit(RLIMIT_FSIZE, &ancienne);
    std::signal(SIGXFSZ, ancienSignal);

    EXPECT_EQ(resultat, ResultatConfigErreur);
    EXPECT_EQ(LireFichier(chemin), precedent);
    EXPECT_EQ(QDir(Temp.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("garde.spt")});
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.TITRES()[0], "Error");
    EXPECT_EQ(Boites.TEXTES()[0], "File error\n" + chemin.toStdString());
    EXPECT_EQ(Boites.Appels[0].Icone, tIconeBoite::Avertissement);
}

TEST_F(FichierConfig, UnusableFolderIsReported) {
    // The data folder's place is taken by a plain file, so it can be neither made nor written.
    EcrireFichier(Chemin(QStringLiteral("data")), QByteArray("not a folder"));
    PoserConfigRiche();
    EXPECT_EQ(SAVE_CONFIGURATION(), ResultatConfigErreur);
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.TEXTES()[0].rfind("File error\n", 0), 0u);

    if (geteuid() != 0) { // permissions do not hold back the superuser
        const QString dossier = Chemin(QStringLiteral("lecture seule"));
        ASSERT_TRUE(QDir().mkpath(dossier));
        const QString chemin = QDir(dossier).filePath(QStringLiteral("a.spt"));
        ASSERT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
        const QByteArray precedent = LireFichier(chemin);
        INIT_CONFIG();
        ASSERT_TRUE(QFile::setPermissions(dossier, QFile::ReadOwner | QFile::ExeOwner));
        EXPECT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigErreur);
        QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(LireFichier(chemin), precedent);
        EXPECT_EQ(Boites.Appels.size(), 2u);
    }
}

} // namespace
