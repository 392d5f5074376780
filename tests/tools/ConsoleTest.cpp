// The viewer started with an export option: it exports next to the recording without any window
// or display server, and its exit status tells a script whether it worked.
// Runs the built viewer found in the build folder (OMBRIX_BUILD_DIR).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "recmaker/RecMaker.h"

namespace {

using recmaker::Enregistrement;
using recmaker::Voie;

struct tSortie {
    int Code = -1;
    QString Erreurs;
};

// Two channels, one logic input, 1000 scans every 250 us (250 ms in all).
Enregistrement Essai() {
    Enregistrement e;
    e.Famille = FamilleTKAR;
    e.Modele = "TKAR 8";
    e.PeriodeUs = 250.f;
    e.NombreScans = 1000;
    e.Voies = {
        Voie{.Numero = 0, .Nom = "Tension", .Unite = "V", .Gain = 0.5f, .Donnees = recmaker::Rampe(0, 1)},
        Voie{.Numero = 1, .Nom = "Temp", .Unite = "C", .Gain = 0.5f, .Donnees = recmaker::Constant(3)}};
    e.Logique = true;
    e.NomsLogiques = {"Pompe"};
    e.DonneesLogiques = [](int64_t s) -> uint16_t { return static_cast<uint16_t>(s & 1); };
    return e;
}

class Console : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        const QString dossier = qEnvironmentVariable("OMBRIX_BUILD_DIR");
        ASSERT_FALSE(dossier.isEmpty()) << "OMBRIX_BUILD_DIR is not set (run through ctest)";
        Viewer = dossier + QStringLiteral("/ombrixviewer");
        if (!QFileInfo::exists(Viewer)) GTEST_SKIP() << "the viewer is not part of a core-only build";
        Enregistrement_ = Chemin(QStringLiteral("essai.rec"));
        ASSERT_TRUE(recmaker::Ecrire(Essai(), Enregistrement_.toStdString()));
    }

    QString Chemin(const QString& nom) const { return QDir(Temp.path()).filePath(nom); }
    QString Maison() const { return Chemin(QStringLiteral("maison")); }
    QString SetupUtilisateur() const {
        return Maison() + QStringLiteral("/data/OmbView/OmbrixViewer/setupviewer.spt");
    }

    // The viewer run with no display at all and every per-user folder in the temporary folder.
    tSortie Lancer(const QStringList& arguments) {
        tSortie s;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* nom : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(nom));
        env.insert(QStringLiteral("HOME"), Maison());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Maison() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), Maison() + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), Maison() + QStringLiteral("/cache"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Maison() + QStringLiteral("/runtime"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(Temp.path());
        p.start(Viewer, arguments);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "the viewer did not run to its end: " << p.errorString().toStdString() << "\n"
                          << p.readAllStandardError().toStdString();
            return s;
        }
        s.Code = p.exitCode();
        s.Erreurs = QString::fromUtf8(p.readAllStandardError());
        return s;
    }

    // The rows of an export file: the lines after the column header ("Temps...": a first start
    // speaks French).
    static std::vector<QByteArray> Lignes(const QString& chemin) {
        QFile f(chemin);
        if (!f.open(QIODevice::ReadOnly)) return {};
        const QList<QByteArray> toutes = f.readAll().split('\n');
        std::vector<QByteArray> lignes;
        bool apresEntete = false;
        for (const QByteArray& l : toutes) {
            if (apresEntete && !l.isEmpty()) lignes.push_back(l);
            if (l.startsWith("Temps")) apresEntete = true;
        }
        return lignes;
    }
    static double PremierTemps(const QByteArray& ligne, char sep) {
        return ligne.split(sep).value(0).toDouble();
    }

    QTemporaryDir Temp;
    QString Viewer;
    QString Enregistrement_;
};

TEST_F(Console, EachModeWritesItsFileNextToTheRecording) {
    const struct {
        const char* Option;
        const char* Fichier;
    } cas[] = {{"/t", "essai.txt"}, {"/c", "essai.csv"}, {"/x", "essai.xlsx"}};
    for (const auto& c : cas) {
        const tSortie s = Lancer({Enregistrement_, QString::fromLatin1(c.Option)});
        EXPECT_EQ(s.Code, 0) << c.Option << "\n" << s.Erreurs.toStdString();
        const QString fichier = Chemin(QString::fromLatin1(c.Fichier));
        ASSERT_TRUE(QFileInfo::exists(fichier)) << c.Fichier;
        EXPECT_TRUE(s.Erreurs.contains(QString::fromUtf8("Export: Export termin\u00e9")))
            << s.Erreurs.toStdString();
    }
    // Whole recording, one row per scan; tab-separated text, ";" for CSV with detection on.
    const auto texte = Lignes(Chemin(QStringLiteral("essai.txt")));
    ASSERT_EQ(texte.size(), 1000u);
    EXPECT_DOUBLE_EQ(PremierTemps(texte.front(), '\t'), 0.0);
    EXPECT_EQ(texte[1].count('\t'), 4); // time, two channels, one logic input, each followed by a tab
    EXPECT_EQ(Lignes(Chemin(QStringLiteral("essai.csv"))).size(), 1000u);
    QFile excel(Chemin(QStringLiteral("essai.xlsx")));
    ASSERT_TRUE(excel.open(QIODevice::ReadOnly));
    EXPECT_EQ(excel.read(2), QByteArray("PK")); // a workbook is a zip archive

    // The settings are saved at the end.
    EXPECT_TRUE(QFileInfo::exists(SetupUtilisateur()));
}

TEST_F(Console, PartAndRowCountOptions) {
    const struct {
        QStringList Options;
        size_t Lignes;
        double PremierMs; // the window start
    } cas[] = {
        {{QStringLiteral("/n:10")}, 10u, 0.0},
        {{QStringLiteral("/b:0.5")}, 500u, 125.0},
        {{QStringLiteral("/b:0.8"), QStringLiteral("/e:0.2")}, 600u, 50.0}, // put in order
        {{QStringLiteral("/b:0,4"), QStringLiteral("/e:0,6"), QStringLiteral("/n:20")}, 20u, 100.0},
    };
    for (const auto& c : cas) {
        QFile::remove(Chemin(QStringLiteral("essai.txt")));
        const tSortie s = Lancer(QStringList{Enregistrement_, QStringLiteral("/t")} + c.Options);
        const std::string nom = c.Options.join(QLatin1Char(' ')).toStdString();
        ASSERT_EQ(s.Code, 0) << nom << "\n" << s.Erreurs.toStdString();
        const auto lignes = Lignes(Chemin(QStringLiteral("essai.txt")));
        ASSERT_EQ(lignes.size(), c.Lignes) << nom;
        EXPECT_NEAR(PremierTemps(lignes.front(), '\t'), c.PremierMs, 0.25) << nom;
    }
}

TEST_F(Console, BadOptionIsReportedAndNothingIsDone) {
    const tSortie s = Lancer({Enregistrement_, QStringLiteral("/t"), QStringLiteral("/q")});
    EXPECT_EQ(s.Code, 1);
    EXPECT_TRUE(s.Erreurs.contains(QStringLiteral("Error  ") + Enregistrement_ + QStringLiteral(" /t /q")))
        << s.Erreurs.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Chemin(QStringLiteral("essai.txt"))));
    EXPECT_FALSE(QFileInfo::exists(SetupUtilisateur())); // settings not saved after an error
}

TEST_F(Console, RecordingThatCannotBeOpenedFails) {
    const QString abime = Chemin(QStringLiteral("abime.rec"));
    {
        QFile f(abime);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(300, '\x5A'));
    }
    for (const QString& rec : {abime, Chemin(QStringLiteral("absent.rec"))}) {
        const tSortie s = Lancer({rec, QStringLiteral("/c")});
        EXPECT_EQ(s.Code, 1) << rec.toStdString();
        EXPECT_FALSE(s.Erreurs.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(rec.left(rec.size() - 4) + QStringLiteral(".csv")));
    }
    // No recording named at all: nothing to export, which is said and is a
    // failure as any export that writes nothing; the settings are saved as
    // after any export.
    const tSortie rien = Lancer({QStringLiteral("/t")});
    EXPECT_EQ(rien.Code, 1);
    EXPECT_TRUE(rien.Erreurs.contains(QStringLiteral("nothing exported"))) << rien.Erreurs.toStdString();
    EXPECT_TRUE(QFileInfo::exists(SetupUtilisateur()));
}

// A recording whose scripts cannot all compute their channels: the file is
// written whole, the slow script's channel right on every row, the stopped
// one's at 0; standard error says which script, where and why, and the exit
// status is 3 so that a batch sees it.
TEST_F(Console, ScriptThatCouldNotComputeItsChannelIsReportedAndFails) {
    Enregistrement e;
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 4;
    e.Revision = 4;
    e.Modele = "TKOS 8";
    e.PeriodeUs = 100.f;
    e.NombreScans = 300;
    e.Voies = {Voie{.Numero = 0, .Nom = "A", .Donnees = recmaker::Rampe(0, 1)},
               Voie{.Numero = 72, .Nom = "Lent"}, Voie{.Numero = 73, .Nom = "Boucle"}};
    e.Scripts = {{0, {"double s = 0; for (int i = 0; i < 10000; i++) s += 1; function = s;"}},
                 {1, {"function = 1;", "if ('A' > 99) while (true) {}"}}};
    const QString chemin = Chemin(QStringLiteral("scripts.rec"));
    ASSERT_TRUE(recmaker::Ecrire(e, chemin.toStdString()));
    const tSortie s = Lancer({chemin, QStringLiteral("/t")});
    EXPECT_EQ(s.Code, 3) << s.Erreurs.toStdString();
    EXPECT_TRUE(s.Erreurs.contains(QString::fromUtf8("FB (Boucle) arrêté à la ligne exportée 100: "
                                                     "Ligne 2 : nombre d'instructions dépassé")))
        << s.Erreurs.toStdString();
    EXPECT_TRUE(s.Erreurs.contains(QStringLiteral("sauf les voies de ces scripts")))
        << s.Erreurs.toStdString();
    EXPECT_FALSE(s.Erreurs.contains(QStringLiteral("FA"))) << "the slow script ran to its end";
    const auto lignes = Lignes(Chemin(QStringLiteral("scripts.txt")));
    ASSERT_EQ(lignes.size(), 300u);
    for (size_t r = 0; r < lignes.size(); ++r) {
        const QList<QByteArray> champs = lignes[r].split('\t');
        ASSERT_GE(champs.size(), 4) << r;
        EXPECT_EQ(champs[2].toDouble(), 10000.0) << r;
        EXPECT_EQ(champs[3].toDouble(), r < 100 ? 1.0 : 0.0) << r;
    }
}

TEST_F(Console, ConfigurationFileFirstAndRelativeRecording) {
    // A relative name is found in the working directory; the configuration file given first is no
    // option error (a missing one leaves the defaults).
    const tSortie s =
        Lancer({QStringLiteral("reglages.cnf"), QStringLiteral("essai.rec"), QStringLiteral("/T")});
    EXPECT_EQ(s.Code, 0) << s.Erreurs.toStdString();
    EXPECT_EQ(Lignes(Chemin(QStringLiteral("essai.txt"))).size(), 1000u);
}

} // namespace
