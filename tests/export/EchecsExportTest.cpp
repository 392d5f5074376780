// Targets that cannot be written, writes that fail, recordings that vanish:
// reported, the previous file left byte for byte, no temporary file left.
// Also the target name rules and the export on a worker thread.
#include "ExportTestUtil.h"

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace export_test;

namespace {

// Limits the size of files this process writes, for the lifetime of the object.
class LimiteTailleFichiers {
public:
    explicit LimiteTailleFichiers(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &Avant_);
        Signal_ = std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
        rlimit l = Avant_;
        l.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~LimiteTailleFichiers() {
        setrlimit(RLIMIT_FSIZE, &Avant_);
        std::signal(SIGXFSZ, Signal_);
    }

private:
    rlimit Avant_{};
    void (*Signal_)(int) = nullptr;
};

void AttendreErreur(EtatExport& etat) {
    EXPECT_EQ(etat.OnAEuUneErreur.load(), 1);
    EXPECT_EQ(etat.CalCulEnCours.load(), ExportFini);
    EXPECT_STREQ(etat.MESSAGE_FIN(), "Export error: the file could not be created");
    EXPECT_EQ(DemandeExport.load(), 0);
}

TEST_F(ExportTest, TargetInAFolderThatIsAPlainFile) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    EcrireTexte(Chemin(QStringLiteral("simple")), Ancien);
    for (const uint8_t type : {TypeTexte, TypeCSV, TypeExcel}) {
        EtatExport etat;
        etat.FichierExport = Chemin(QStringLiteral("simple/sortie.txt"));
        etat.TypeFichier = type;
        etat.TypeInterface = 1;
        EXPECT_FALSE(etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre)));
        AttendreErreur(etat);
        etat.AFFICHER_FIN();
    }
    EXPECT_EQ(LireFichier(Chemin(QStringLiteral("simple"))), Ancien);
    EXPECT_EQ(Contenu(), QStringList({QStringLiteral("essai.rec"), QStringLiteral("simple")}));
    ASSERT_EQ(Boites.Appels.size(), 3u);
    EXPECT_EQ(Boites.TITRES()[2], "Export");
    EXPECT_EQ(Boites.TEXTES()[2], "Export error: the file could not be created");
}

TEST_F(ExportTest, TargetInAFolderWithoutWritePermission) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    ASSERT_TRUE(QDir(Dossier()).mkdir(QStringLiteral("lecture")));
    const QString cible = Chemin(QStringLiteral("lecture/sortie.csv"));
    EcrireTexte(cible, Ancien);
    const std::string dossier = QFile::encodeName(Chemin(QStringLiteral("lecture"))).toStdString();
    ASSERT_EQ(chmod(dossier.c_str(), 0555), 0);
    const bool inscriptible = access(dossier.c_str(), W_OK) == 0; // the super-user writes anyway
    if (!inscriptible) {
        EtatExport etat;
        EXPECT_FALSE(Exporter(TypeCSV, cible, etat));
        AttendreErreur(etat);
        EXPECT_EQ(LireFichier(cible), Ancien);
        EXPECT_EQ(Contenu(QStringLiteral("lecture")), QStringList({QStringLiteral("sortie.csv")}));
    }
    chmod(dossier.c_str(), 0755);
    if (inscriptible) GTEST_SKIP() << "folder permissions do not bind this user";
}

TEST_F(ExportTest, WriteFailureKeepsThePreviousFileAndLeavesNoTemporaryFile) {
    ASSERT_EQ(Ouvrir(Essai(100000)), LectureOK);
    const struct {
        uint8_t Type;
        const char* Nom;
    } cas[] = {{TypeTexte, "sortie.txt"}, {TypeCSV, "sortie.csv"}, {TypeExcel, "sortie.xlsx"}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Nom);
        const QString cible = Chemin(QString::fromLatin1(c.Nom));
        EcrireTexte(cible, Ancien);
        EtatExport etat;
        {
            const LimiteTailleFichiers limite(4096); // the workbook compresses to a few KiB
            EXPECT_FALSE(Exporter(c.Type, cible, etat));
        }
        AttendreErreur(etat);
        EXPECT_EQ(LireFichier(cible), Ancien);
    }
    EXPECT_EQ(Contenu(), QStringList({QStringLiteral("essai.rec"), QStringLiteral("sortie.csv"),
                                      QStringLiteral("sortie.txt"), QStringLiteral("sortie.xlsx")}));
}

TEST_F(ExportTest, RecordingThatCannotBeReadIsAnError) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    const QString cible = Chemin(QStringLiteral("sortie.txt"));
    EcrireTexte(cible, Ancien);
    ASSERT_TRUE(QFile::remove(Ouvre.VraiNomFichier));
    EtatExport etat;
    EXPECT_FALSE(Exporter(TypeTexte, cible, etat));
    AttendreErreur(etat);
    EXPECT_EQ(LireFichier(cible), Ancien);
    EXPECT_EQ(Contenu(), QStringList({QStringLiteral("sortie.txt")}));
}

TEST_F(ExportTest, TargetThatIsAFolderIsAnError) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    ASSERT_TRUE(QDir(Dossier()).mkpath(QStringLiteral("sortie.txt/dedans")));
    EtatExport etat;
    EXPECT_FALSE(Exporter(TypeTexte, Chemin(QStringLiteral("sortie.txt")), etat));
    AttendreErreur(etat);
    EXPECT_EQ(Contenu(), QStringList({QStringLiteral("essai.rec"), QStringLiteral("sortie.txt")}));
}

TEST_F(ExportTest, SuccessfulExportReplacesThePreviousFileAndKeepsItsPermissions) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    const QString cible = Chemin(QStringLiteral("sortie.txt"));
    EcrireTexte(cible, Ancien);
    const std::string nom = QFile::encodeName(cible).toStdString();
    ASSERT_EQ(chmod(nom.c_str(), 0640), 0);
    ASSERT_TRUE(Exporter(TypeTexte, cible));
    EXPECT_EQ(Lignes(LireFichier(cible)).size(), 3u + 10u);
    struct stat s {};
    ASSERT_EQ(stat(nom.c_str(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0640u);
    EXPECT_EQ(Contenu(), QStringList({QStringLiteral("essai.rec"), QStringLiteral("sortie.txt")}));
    // A new file: 0666 less the user's mask, as every file the program writes
    // (colleagues read an export as they read the user's other files).
    for (const mode_t masque : {mode_t{022}, mode_t{077}}) {
        const mode_t avant = umask(masque);
        const QString neuf = Chemin(QStringLiteral("neuf%1.txt").arg(masque));
        const bool ecrit = Exporter(TypeTexte, neuf);
        umask(avant);
        ASSERT_TRUE(ecrit);
        ASSERT_EQ(stat(QFile::encodeName(neuf).constData(), &s), 0);
        EXPECT_EQ(s.st_mode & 0777, 0666u & ~masque);
    }
}

TEST_F(ExportTest, SquareBracketsOfTheFileNameBecomeParentheses) {
    ASSERT_EQ(Ouvrir(Essai(10)), LectureOK);
    ASSERT_TRUE(QDir(Dossier()).mkdir(QStringLiteral("essai[1]")));
    const struct {
        const char* Demande;
        const char* Ecrit;
    } cas[] = {{"mesure[1].txt", "mesure(1).txt"},
               {"[a]][b.txt", "(a))(b.txt"},
               {"essai[1]/x[2].txt", "essai[1]/x(2).txt"}}; // the folder named stays
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Demande);
        EtatExport etat;
        ASSERT_TRUE(Exporter(TypeTexte, Chemin(QString::fromLatin1(c.Demande)), etat));
        EXPECT_EQ(etat.FichierExport, Chemin(QString::fromLatin1(c.Ecrit)));
        EXPECT_TRUE(QFile::exists(Chemin(QString::fromLatin1(c.Ecrit))));
        EXPECT_FALSE(QFile::exists(Chemin(QString::fromLatin1(c.Demande))));
    }
}

TEST_F(ExportTest, WorkerThreadHoldsTheDisplayPassAndStopsOnRequest) {
    ASSERT_EQ(Ouvrir(Essai(1'000'000)), LectureOK);
    const QString cible = Chemin(QStringLiteral("fil.txt"));
    EtatExport etat;
    etat.FichierExport = cible;
    etat.TypeInterface = 1;
    ASSERT_TRUE(etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre)));
    while (etat.LignesEcrites.load() == 0 && etat.CalCulEnCours.load() != ExportFini)
        std::this_thread::yield();
    ASSERT_EQ(etat.CalCulEnCours.load(), ExportEnCours) << "the export ended before it could be watched";
    EXPECT_EQ(DemandeExport.load(), 1);
    etat.ARRETER();
    EXPECT_EQ(etat.CalCulEnCours.load(), ExportFini);
    EXPECT_EQ(DemandeExport.load(), 0);
    EXPECT_EQ(etat.OnAEuUneErreur.load(), 0);
    EXPECT_STREQ(etat.MESSAGE_FIN(), "Export finish");
    const int64_t lignes = etat.LignesEcrites.load();
    EXPECT_LT(lignes, 1'000'000);
    // The rows written so far are kept, each complete.
    const std::vector<std::string> l = Lignes(LireFichier(cible));
    ASSERT_EQ(static_cast<int64_t>(l.size()), 3 + lignes);
    EXPECT_EQ(Champs(l.back(), '\t').size(), 8u);

    // Destroying a running export stops it too.
    {
        EtatExport autre;
        autre.FichierExport = Chemin(QStringLiteral("autre.txt"));
        autre.TypeInterface = 1;
        ASSERT_TRUE(autre.LANCE_CALCUL(SOURCE_EXPORT(Ouvre)));
    }
    EXPECT_EQ(DemandeExport.load(), 0);
    EXPECT_TRUE(QFile::exists(Chemin(QStringLiteral("autre.txt"))));
}

} // namespace
