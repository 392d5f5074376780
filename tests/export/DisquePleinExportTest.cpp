// Exports meeting a full disk at every point of their output: the text, CSV and
// Excel kinds (with and without the worker thread) and the folder export. Each
// failure is reported with the closing box's text, the recording and a file that
// had the target's name stay byte for byte, and nothing else is left in the
// folder; once there is room the file is the one written on an ordinary disk.
#include "ExportTestUtil.h"
#include "SystemeFichiersPlein.h"

#include "ProgrammeLance.h"

using namespace export_test;

namespace {

using fs_plein::Balayer;
using fs_plein::Page;
using fs_plein::PagesDe;

// `unzip` run on a workbook: its exit code and what it printed.
std::pair<int, QByteArray> Unzip(const QStringList& arguments) {
    const programme_test::tResultat p =
        programme_test::LANCER(QStringLiteral("unzip"), arguments, std::chrono::seconds(60));
    if (!p.Fini) return {-1, {}};
    return {p.Code, p.Sortie};
}

// A workbook is complete when its archive tests good; its sheet is compared,
// the document properties holding the time it was written.
void MemeClasseur(const QString& classeur, const QString& reference) {
    EXPECT_EQ(Unzip({QStringLiteral("-tq"), classeur}).first, 0) << "a damaged workbook";
    const QString feuille = QStringLiteral("xl/worksheets/sheet1.xml");
    const auto a = Unzip({QStringLiteral("-p"), classeur, feuille});
    const auto b = Unzip({QStringLiteral("-p"), reference, feuille});
    EXPECT_EQ(a.first, 0);
    EXPECT_FALSE(b.second.isEmpty());
    EXPECT_TRUE(a.second == b.second) << "the sheet differs from the one written on an ordinary disk";
}

class DisquePleinExport : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        EXIGER_SYSTEME_PLEIN(Fs);
    }

    // Writes the recording on the small file system and opens it.
    QString OuvrirSurPetit(const Enregistrement& e, const QString& nom = QStringLiteral("essai.rec")) {
        const QString chemin = Fs.Chemin(nom);
        EXPECT_TRUE(recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString()));
        Ouvre.VraiNomFichier = Ouvre.NomFichier = chemin;
        EXPECT_EQ(Ouvre.OUVRIR_REC(1), LectureOK);
        return chemin;
    }

    fs_plein::SystemeFichiersPlein Fs;
};

TEST_F(DisquePleinExport, EveryKindFailsCleanlyWhereverTheDiskIsFull) {
    const QString recording = OuvrirSurPetit(Essai(3000));
    const std::string recordingAvant = LireFichier(recording);
    Config.LimitationExport = 0;
    const struct {
        uint8_t Type;
        const char* Nom;
        uint8_t Interface; // 1: on the worker thread
        bool Existant;     // a file of that name is there before
    } cas[] = {
        {TypeTexte, "sortie.txt", 0, false},  {TypeTexte, "sortie.txt", 1, true},
        {TypeCSV, "sortie.csv", 0, true},     {TypeCSV, "sortie.csv", 1, false},
        {TypeExcel, "sortie.xlsx", 0, false}, {TypeExcel, "sortie.xlsx", 1, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message() << c.Nom << (c.Interface == 1 ? ", worker thread" : "")
                                        << (c.Existant ? ", replacing a file" : ", new file"));
        // The file as written on an ordinary disk.
        const QString reference = Chemin(QString::fromLatin1(c.Nom));
        ASSERT_TRUE(Exporter(c.Type, reference));
        const std::string attendu = LireFichier(reference);

        const QString cible = Fs.Chemin(QString::fromLatin1(c.Nom));
        if (c.Existant) EcrireTexte(cible, Ancien);
        const QStringList avant = fs_plein::Contenu(Fs.Travail());
        const int64_t pages = Balayer(Fs, PagesDe(static_cast<int64_t>(attendu.size())) + 4, [&](int64_t) {
            Boites.Appels.clear();
            EtatExport etat;
            etat.FichierExport = cible;
            etat.TypeFichier = c.Type;
            etat.TypeInterface = c.Interface;
            const bool lance = etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre));
            etat.ATTENDRE_FIN();
            etat.AFFICHER_FIN(); // the closing box of the dialog and of the command line
            const bool ecrit = lance && etat.OnAEuUneErreur.load() == 0;
            EXPECT_EQ(etat.CalCulEnCours.load(), ExportFini);
            EXPECT_EQ(DemandeExport.load(), 0);
            EXPECT_EQ(LireFichier(recording), recordingAvant);
            EXPECT_EQ(Boites.TITRES(), std::vector<std::string>{"Export"});
            if (!ecrit) {
                EXPECT_EQ(Boites.TEXTES(),
                          std::vector<std::string>{"Export error: the file could not be created"});
                EXPECT_EQ(QFile::exists(cible), c.Existant);
                if (c.Existant) {
                    EXPECT_EQ(LireFichier(cible), Ancien);
                }
                EXPECT_EQ(fs_plein::Contenu(Fs.Travail()), avant);
                return false;
            }
            EXPECT_EQ(Boites.TEXTES(), std::vector<std::string>{"Export finish"});
            if (c.Type == TypeExcel) {
                MemeClasseur(cible, reference);
            } else {
                EXPECT_TRUE(LireFichier(cible) == attendu) << "a file reported written is not whole";
            }
            return true;
        });
        // Never reported written with less room than the file takes.
        const int64_t taille = QFileInfo(cible).size();
        EXPECT_GE(pages, PagesDe(taille));
        EXPECT_GE(pages, 2) << "the sweep saw too few failures to mean anything";
        QFile::remove(cible);
        QFile::remove(reference);
    }
}

// The folder export goes on after a recording that cannot be written, lists it
// in its final box, and leaves for each recording either its whole CSV file or
// what was there before.
TEST_F(DisquePleinExport, FolderExportListsWhatCouldNotBeWrittenAndLeavesNoPartialFile) {
    ASSERT_TRUE(QDir(Fs.Travail()).mkpath(QStringLiteral("lot/sous")));
    struct tEnregistrement {
        QString Rec, Csv;
        bool Existant; // its CSV file is there before
        std::string Octets, Attendu;
    };
    std::vector<tEnregistrement> lot = {
        {Fs.Chemin(QStringLiteral("lot/a.rec")), Fs.Chemin(QStringLiteral("lot/a.csv")), false, {}, {}},
        {Fs.Chemin(QStringLiteral("lot/sous/b.rec")),
         Fs.Chemin(QStringLiteral("lot/sous/b.csv")),
         true,
         {},
         {}},
    };
    for (auto& r : lot) {
        ASSERT_TRUE(recmaker::Ecrire(Essai(1500), QFile::encodeName(r.Rec).toStdString()));
        r.Octets = LireFichier(r.Rec);
    }
    // The files written with room enough, then the folder as it was.
    {
        const tResultatDossier tout = SELECTIONNER_DOSSIER(Fs.Chemin(QStringLiteral("lot")), Ouvre);
        ASSERT_EQ(tout.Exportes, QStringList({lot[0].Csv, lot[1].Csv}));
    }
    for (auto& r : lot) {
        r.Attendu = LireFichier(r.Csv);
        ASSERT_TRUE(QFile::remove(r.Csv));
        if (r.Existant) EcrireTexte(r.Csv, Ancien);
    }
    Boites.Appels.clear();

    const int64_t pages =
        Balayer(Fs, 2 * PagesDe(static_cast<int64_t>(lot[0].Attendu.size())) + 4, [&](int64_t) {
            Boites.Appels.clear();
            const tResultatDossier resultat = SELECTIONNER_DOSSIER(Fs.Chemin(QStringLiteral("lot")), Ouvre);
            EXPECT_EQ(folder_export, 0);
            QStringList exportes, ignores;
            std::string texte = "CSV folder export finish";
            for (const auto& r : lot) {
                EXPECT_EQ(LireFichier(r.Rec), r.Octets);
                const std::string csv = LireFichier(r.Csv);
                if (QFile::exists(r.Csv) && csv == r.Attendu) {
                    exportes.append(r.Csv);
                } else {
                    ignores.append(r.Rec);
                    texte += "\n" + QDir::toNativeSeparators(r.Rec).toStdString();
                    EXPECT_EQ(QFile::exists(r.Csv), r.Existant) << r.Csv.toStdString();
                    if (r.Existant) {
                        EXPECT_EQ(csv, Ancien);
                    }
                }
            }
            EXPECT_EQ(resultat.Exportes, exportes);
            EXPECT_EQ(resultat.Ignores, ignores);
            EXPECT_EQ(Boites.TITRES(), std::vector<std::string>{"CSV Export"});
            EXPECT_EQ(Boites.TEXTES(), std::vector<std::string>{texte});
            // Nothing but the recordings and their CSV files.
            EXPECT_EQ(fs_plein::Contenu(Fs.Chemin(QStringLiteral("lot"))),
                      exportes.contains(lot[0].Csv) ? QStringList({"a.csv", "a.rec", "sous"})
                                                    : QStringList({"a.rec", "sous"}));
            EXPECT_EQ(fs_plein::Contenu(Fs.Chemin(QStringLiteral("lot/sous"))),
                      QStringList({"b.csv", "b.rec"}));
            // The folder as it was for the next run.
            for (const auto& r : lot) {
                QFile::remove(r.Csv);
                if (r.Existant) EcrireTexte(r.Csv, Ancien);
            }
            return resultat.Ignores.isEmpty();
        });
    // The second file is written beside the first one, its previous file still there.
    EXPECT_GE(pages, PagesDe(static_cast<int64_t>(lot[0].Attendu.size())) +
                         PagesDe(static_cast<int64_t>(lot[1].Attendu.size())));
}

// The CSV options file is replaced whole or not at all: a full disk leaves
// the options it held (a file emptied would lose them), or no file when there
// was none.
TEST_F(DisquePleinExport, CsvOptionsAreKeptWhenTheyCannotBeWritten) {
    const QByteArray donnees = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(Fs.Chemin(QStringLiteral("data"))));
    const QString conf = CHEMIN_CSV_CONF(); // its folder is made here, before the disk is full
    EXPECT_TRUE(conf.startsWith(Fs.Travail()));
    for (const bool existant : {true, false}) {
        SCOPED_TRACE(existant ? "replacing the file" : "first run");
        QFile::remove(conf);
        if (existant) EcrireTexte(conf, "0\n;\n.");
        const std::string avant = LireFichier(conf);
        const QStringList dossierAvant = fs_plein::Contenu(QFileInfo(conf).path());
        const int64_t pages = Balayer(Fs, 2, [&](int64_t) {
            RESET_OPTIONS_CSV();
            // A first reading creates the file; otherwise new options are saved.
            const bool ecrit = existant ? ECRIRE_CSV_CONF() : LIRE_CSV_CONF();
            if (ecrit) {
                EXPECT_EQ(LireFichier(conf), "1\n.\n,");
                return true;
            }
            EXPECT_EQ(QFile::exists(conf), existant);
            EXPECT_EQ(LireFichier(conf), avant);
            EXPECT_EQ(fs_plein::Contenu(QFileInfo(conf).path()), dossierAvant);
            return false;
        });
        EXPECT_EQ(pages, 1);
    }
    QFile::remove(conf);
    if (donnees.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", donnees);
}

} // namespace
