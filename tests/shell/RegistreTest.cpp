#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <cstring>
#include <string>

#include "shell/DossiersUtilisateur.h"
#include "shell/Messages.h"
#include "shell/Registre.h"

namespace {

// Both stores inside a fresh temporary folder, the globals at their first-start values.
class Registre : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, DossierMagasins());
        RESET_GLOBAL_REGISTRE();
        RESET_LANGUE();
    }
    void TearDown() override {
        RESET_GLOBAL_REGISTRE();
        RESET_LANGUE();
    }

    QString DossierMagasins() const { return QDir(Temp.path()).filePath(QStringLiteral("config")); }
    QString FichierMagasin(const char* application) const {
        return DossierMagasins() + QStringLiteral("/OmbView/") + QString::fromLatin1(application) +
               QStringLiteral(".ini");
    }
    // A value as an INI file edited by hand would hold it.
    static void PoserBrut(const char* nom, const QVariant& valeur) {
        QSettings magasin(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("OmbView"),
                          QStringLiteral("OmbrixViewer"));
        magasin.setValue(QStringLiteral("SOFTWARE/OmbView/") + QString::fromLatin1(nom), valeur);
    }

    QTemporaryDir Temp;
};

void PoserValeursConnues() {
    std::strcpy(RepertoireSetUp, "C:\\Mesures\\\xE9t\xE9 2024\\"); // "été"
    std::strcpy(MessageUtil, "Bonjour, \xB5S; =@1");
    Langue = 2;
    PosGraX = 11;
    PosGraY = 22;
    LargeurGra = 1024;
    HauteurGra = 768;
    NombreDePageImprimante = 17;
    PosAnnotX = 33;
    PosAnnotY = 44;
    PosCalculX = 55;
    PosCalculY = 65535;
}

TEST_F(Registre, FirstStartGivesTheDefaultsAndTheSaveCreatesTheTwelveValues) {
    PoserValeursConnues();
    ASSERT_FALSE(CLE_EXISTE());
    LIRE_CLES();
    EXPECT_EQ(std::string(RepertoireSetUp), QDir::rootPath().toStdString());
    EXPECT_STREQ(MessageUtil, "");
    EXPECT_EQ(Langue, 0);
    EXPECT_EQ(PosGraX, 0);
    EXPECT_EQ(PosGraY, 0);
    EXPECT_EQ(LargeurGra, 800);
    EXPECT_EQ(HauteurGra, 600);
    EXPECT_EQ(NombreDePageImprimante, 1);
    EXPECT_EQ(PosAnnotX, 0); // no key: the tool windows are not moved beside the graph
    EXPECT_EQ(PosAnnotY, 0);
    EXPECT_EQ(PosCalculX, 0);
    EXPECT_EQ(PosCalculY, 0);
    EXPECT_FALSE(QFileInfo::exists(FichierMagasin(MagasinUtilisateur))); // reading creates nothing

    ASSERT_TRUE(ECRIRE_CLES());
    EXPECT_TRUE(QFileInfo::exists(FichierMagasin(MagasinUtilisateur)));
    QSettings magasin(FichierMagasin(MagasinUtilisateur), QSettings::IniFormat);
    magasin.beginGroup(QStringLiteral("SOFTWARE/OmbView"));
    QStringList noms = magasin.childKeys();
    noms.sort();
    QStringList attendus{"HauteurGra", "Language",   "LargeurGra", "MessUtil", "NombrePAGEIMP", "PosAnnotX",
                         "PosAnnotY",  "PosCalculX", "PosCalculY", "PosGraX",  "PosGraY",       "Reper"};
    EXPECT_EQ(noms, attendus);
    EXPECT_EQ(RECUP_CLE("Reper"), QDir::rootPath());
    EXPECT_EQ(RECUP_CLE("MessUtil"), QString());
    EXPECT_EQ(RECUP_CLE_DWORD("Language"), 0u);
    EXPECT_EQ(RECUP_CLE_DWORD("HauteurGra"), 600u);
    EXPECT_EQ(RECUP_CLE_DWORD("NombrePAGEIMP"), 1u);
}

TEST_F(Registre, TheTwelveValuesComeBack) {
    PoserValeursConnues();
    ASSERT_TRUE(ECRIRE_CLES());
    RESET_GLOBAL_REGISTRE();
    LIRE_CLES();
    EXPECT_STREQ(RepertoireSetUp, "C:\\Mesures\\\xE9t\xE9 2024\\");
    EXPECT_STREQ(MessageUtil, "Bonjour, \xB5S; =@1");
    EXPECT_EQ(Langue, 2);
    EXPECT_EQ(PosGraX, 11);
    EXPECT_EQ(PosGraY, 22);
    EXPECT_EQ(LargeurGra, 1024);
    EXPECT_EQ(HauteurGra, 768);
    EXPECT_EQ(NombreDePageImprimante, 17);
    EXPECT_EQ(PosAnnotX, 33);
    EXPECT_EQ(PosAnnotY, 44);
    EXPECT_EQ(PosCalculX, 55);
    EXPECT_EQ(PosCalculY, 65535);
}

struct tCasDword {
    const char* Nom;
    uint32_t Stocke;
    int Lu; // value of the global after the start-up reading
};

// Stored DWORDs are cut to the global's width, then the page count and the language are brought
// into range.
constexpr tCasDword CasDwords[] = {
    {"Language", 7, 1},           {"Language", 4, 4},
    {"Language", 3, 3},           {"Language", 0x105, 1},
    {"Language", 0x102, 2},       {"NombrePAGEIMP", 0, 1},
    {"NombrePAGEIMP", 45, 30},    {"NombrePAGEIMP", 30, 30},
    {"NombrePAGEIMP", 0xFFFF, 1}, {"NombrePAGEIMP", 0x10005, 5},
    {"PosGraX", 0x12345, 0x2345}, {"LargeurGra", 0xFFFFFFFF, 0xFFFF},
    {"PosCalculY", 0x10000, 0},
};

int Global(const std::string& nom) {
    if (nom == "Language") return Langue;
    if (nom == "NombrePAGEIMP") return NombreDePageImprimante;
    if (nom == "PosGraX") return PosGraX;
    if (nom == "LargeurGra") return LargeurGra;
    if (nom == "PosCalculY") return PosCalculY;
    ADD_FAILURE() << nom;
    return -1;
}

TEST_F(Registre, StoredNumbersAreCutAndClamped) {
    for (const tCasDword& cas : CasDwords) {
        ASSERT_TRUE(SAUVE_CLE_DWORD(cas.Nom, cas.Stocke));
        LIRE_CLES();
        EXPECT_EQ(Global(cas.Nom), cas.Lu) << cas.Nom << " = " << cas.Stocke;
    }
}

TEST_F(Registre, ToolWindowsDefaultBesideTheGraphWhenTheKeyExists) {
    ASSERT_TRUE(SAUVE_CLE_DWORD("PosGraX", 100));
    ASSERT_TRUE(SAUVE_CLE_DWORD("PosGraY", 50));
    ASSERT_TRUE(SAUVE_CLE_DWORD("PosAnnotX", 7));
    LIRE_CLES();
    EXPECT_EQ(PosAnnotX, 7);
    EXPECT_EQ(PosAnnotY, 60);
    EXPECT_EQ(PosCalculX, 110);
    EXPECT_EQ(PosCalculY, 60);
    EXPECT_EQ(LargeurGra, 800); // absent values keep their defaults
}

TEST_F(Registre, LongTextsAreCutToTheirBuffers) {
    ASSERT_TRUE(SAUVE_CLE("Reper", QString(300, u'r')));
    ASSERT_TRUE(SAUVE_CLE("MessUtil", QString(150, u'm')));
    LIRE_CLES();
    EXPECT_EQ(std::string(RepertoireSetUp), std::string(255, 'r'));
    EXPECT_EQ(std::string(MessageUtil), std::string(99, 'm'));
}

// A value of another kind, or not written in any of the forms of the store, reads as absent.
TEST_F(Registre, ValueOfAnotherKindReadsAsAbsent) {
    ASSERT_TRUE(SAUVE_CLE_DWORD("Reper", 5));
    ASSERT_TRUE(SAUVE_CLE("Language", QStringLiteral("2")));
    PoserBrut("PosGraX", 123);                         // a bare number edited by hand
    PoserBrut("PosGraY", QStringLiteral("dword:xyz")); // not hexadecimal
    PoserBrut("LargeurGra", QStringLiteral("dword:123456789"));
    PoserBrut("HauteurGra", QStringLiteral("dword:"));
    PoserBrut("MessUtil", QStringList{QStringLiteral("sz:a"), QStringLiteral("sz:b")});
    ASSERT_TRUE(SAUVE_CLE_MULTI("NombrePAGEIMP", {QStringLiteral("3")}));
    LIRE_CLES();
    EXPECT_EQ(std::string(RepertoireSetUp), QDir::rootPath().toStdString());
    EXPECT_EQ(Langue, 0);
    EXPECT_EQ(PosGraX, 0);
    EXPECT_EQ(PosGraY, 0);
    EXPECT_EQ(LargeurGra, 800);
    EXPECT_EQ(HauteurGra, 600);
    EXPECT_STREQ(MessageUtil, "");
    EXPECT_EQ(NombreDePageImprimante, 1);

    EXPECT_EQ(RECUP_CLE("Reper"), std::nullopt);
    EXPECT_EQ(RECUP_CLE_DWORD("Language"), std::nullopt);
    EXPECT_EQ(RECUP_CLE("NombrePAGEIMP"), std::nullopt);
    EXPECT_EQ(RECUP_CLE_MULTI("Language"), std::nullopt);
    EXPECT_EQ(RECUP_CLE_DWORD("LargeurGra"), std::nullopt);
    PoserBrut("HG", QStringLiteral("multi_sz:a")); // list not ended by its NUL
    EXPECT_EQ(RECUP_CLE_MULTI("HG"), std::nullopt);
    EXPECT_TRUE(LIRE_LISTE_CONCATENATION().isEmpty());
}

TEST_F(Registre, StringsComeBackExactly) {
    EXPECT_EQ(RECUP_CLE("Absente"), std::nullopt);
    EXPECT_TRUE(SAUVE_CLE("Rien", std::nullopt));
    EXPECT_FALSE(CLE_EXISTE()); // an absent value creates nothing
    for (const QString& texte :
         {QString(), QStringLiteral(" blancs "), QStringLiteral("a, b; c = d"), QStringLiteral("@Variant(x)"),
          QStringLiteral("sz:dword:00000001"), QStringLiteral("C:\\dossier\\fichier.rec"),
          QString::fromUtf8("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xE6\xBC\xA2"),
          QStringLiteral("ligne 1\nligne 2\t\"x\"")}) {
        ASSERT_TRUE(SAUVE_CLE("Texte", texte));
        EXPECT_EQ(RECUP_CLE("Texte"), texte) << texte.toStdString();
    }
    EXPECT_TRUE(CLE_EXISTE());
    for (uint32_t n : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        ASSERT_TRUE(SAUVE_CLE_DWORD("Nombre", n));
        EXPECT_EQ(RECUP_CLE_DWORD("Nombre"), n);
    }
}

TEST_F(Registre, RecentFilesAndComparisonFile) {
    for (int rang = 1; rang <= NombreFichiersRecents; ++rang)
        EXPECT_EQ(LIRE_FICHIER_RECENT(rang), std::nullopt);
    const QString chemins[] = {QStringLiteral("/r/un.rec"), QStringLiteral("/r/deux, trois.rec"),
                               QString::fromUtf8("/r/\xC3\xA9t\xC3\xA9.rec"),
                               QStringLiteral("/r/quatre.rec")};
    for (int rang = 1; rang <= NombreFichiersRecents; ++rang)
        ASSERT_TRUE(ECRIRE_FICHIER_RECENT(rang, chemins[rang - 1]));
    for (int rang = 1; rang <= NombreFichiersRecents; ++rang)
        EXPECT_EQ(LIRE_FICHIER_RECENT(rang), chemins[rang - 1]);
    EXPECT_EQ(RECUP_CLE("V3"), chemins[2]);
    EXPECT_FALSE(ECRIRE_FICHIER_RECENT(0, chemins[0]));
    EXPECT_FALSE(ECRIRE_FICHIER_RECENT(5, chemins[0]));
    EXPECT_EQ(LIRE_FICHIER_RECENT(5), std::nullopt);
    EXPECT_EQ(RECUP_CLE("V5"), std::nullopt);

    EXPECT_EQ(LIRE_FICHIER_COMPARAISON(), std::nullopt);
    ASSERT_TRUE(ECRIRE_FICHIER_COMPARAISON(QStringLiteral("/r/ref.rec")));
    EXPECT_EQ(LIRE_FICHIER_COMPARAISON(), QStringLiteral("/r/ref.rec"));
    EXPECT_EQ(RECUP_CLE("FC"), QStringLiteral("/r/ref.rec"));
}

TEST_F(Registre, JoinListIsAMultiString) {
    EXPECT_TRUE(LIRE_LISTE_CONCATENATION().isEmpty());
    const QStringList listes[] = {
        {},
        {QString()},
        {QStringLiteral("/a.rec")},
        {QStringLiteral("/x/a, b.rec"), QStringLiteral("c;d.rec"), QString(), QStringLiteral("@e.rec"),
         QString::fromUtf8("\xC3\xA9\x30.rec"), QStringLiteral("0f")},
    };
    for (const QStringList& liste : listes) {
        ASSERT_TRUE(ECRIRE_LISTE_CONCATENATION(liste));
        EXPECT_EQ(LIRE_LISTE_CONCATENATION(), liste) << liste.join(u'|').toStdString();
        EXPECT_EQ(RECUP_CLE_MULTI("HG"), liste);
    }
    ASSERT_TRUE(ECRIRE_LISTE_CONCATENATION(
        {QStringLiteral("av") + QChar(u'\0') + QStringLiteral("ant"), QStringLiteral("b")}));
    EXPECT_EQ(LIRE_LISTE_CONCATENATION(), (QStringList{QStringLiteral("av"), QStringLiteral("b")}));
    EXPECT_EQ(RECUP_CLE("HG"), std::nullopt);
}

TEST_F(Registre, AssociationKeysGoToTheClassRoot) {
    CREATION_CLE(QStringLiteral("/opt/ombrix/OmbrixViewer"));
    EXPECT_EQ(RECUP_CLE_CLASSES(".spt"), QStringLiteral("filespt"));
    EXPECT_EQ(RECUP_CLE_CLASSES("filespt\\shell\\open\\command"),
              QStringLiteral("/opt/ombrix/OmbrixViewer %1"));
    EXPECT_EQ(RECUP_CLE_CLASSES("filespt/defaulticon"), QStringLiteral("/opt/ombrix/OmbrixViewer,0"));
    EXPECT_TRUE(QFileInfo::exists(FichierMagasin(MagasinClasses)));
    EXPECT_FALSE(CLE_EXISTE()); // nothing in the user store

    CREATION_CLE(QStringLiteral("/autre/OmbrixViewer")); // every start writes them again
    EXPECT_EQ(RECUP_CLE_CLASSES("filespt\\defaulticon"), QStringLiteral("/autre/OmbrixViewer,0"));
    EXPECT_EQ(RECUP_CLE_CLASSES(".rec"), std::nullopt);
}

TEST_F(Registre, AssociationFailureIsIgnored) {
    // The stores' folder cannot be made: a plain file has its name.
    QFile bloque(DossierMagasins());
    ASSERT_TRUE(bloque.open(QIODevice::WriteOnly));
    bloque.close();
    CREATION_CLE(QStringLiteral("/opt/ombrix/OmbrixViewer"));
    EXPECT_FALSE(ECRIRE_CLES());
}

TEST(DossiersUtilisateur, DataFolderIsNamedForTheProgramAndCreated) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QByteArray ancien = qgetenv("XDG_DATA_HOME");
    const bool avait = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(temp.path()));
    const QString dossier = DossierDonneesUtilisateur();
    if (avait)
        qputenv("XDG_DATA_HOME", ancien);
    else
        qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(dossier, temp.path() + QStringLiteral("/OmbView/OmbrixViewer"));
    EXPECT_TRUE(QFileInfo(dossier).isDir());
}

} // namespace
