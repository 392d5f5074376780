// `ombrix join A.rec B.rec ... -o OUT.rec`: the join of the concatenation
// dialog without a window. Exit 0 with the output written; exit 1 with the
// error on standard error and nothing left at OUT.rec otherwise.
// Runs the built companion found in the build folder (OMBRIX_BUILD_DIR).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include "ContenuFichier.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"

namespace {

using recmaker::Enregistrement;
using recmaker::Voie;

struct tSortieJoin {
    int Code = -1;
    QString Erreurs;
};

Enregistrement EssaiJoin(float periode, int64_t scans, uint16_t graine) {
    Enregistrement e;
    e.Famille = FamilleVEL;
    e.PeriodeUs = periode;
    e.NombreScans = scans;
    e.Voies = {Voie{.Numero = 0, .Nom = "Tension", .Donnees = recmaker::Rampe(graine, 1)}};
    e.AnnotationsNouvelles = {{.PositionMot = 2, .Texte = "note"}};
    return e;
}

using fichier_test::Lire;

class Join : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        const QString dossier = qEnvironmentVariable("OMBRIX_BUILD_DIR");
        ASSERT_FALSE(dossier.isEmpty()) << "OMBRIX_BUILD_DIR is not set (run through ctest)";
        Ombrix = dossier + QStringLiteral("/ombrix");
        ASSERT_TRUE(QFileInfo::exists(Ombrix));
        A = Chemin(QStringLiteral("a.rec"));
        B = Chemin(QStringLiteral("b.rec"));
        ASSERT_TRUE(recmaker::Ecrire(EssaiJoin(250.f, 100, 1), A.toStdString(), &PlanA));
        ASSERT_TRUE(recmaker::Ecrire(EssaiJoin(250.f, 40, 2), B.toStdString()));
        OctetsA = Lire(A);
        OctetsB = Lire(B);
    }

    QString Chemin(const QString& nom) const { return QDir(Temp.path()).filePath(nom); }

    tSortieJoin Lancer(const QStringList& arguments) {
        tSortieJoin s;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), Chemin(QStringLiteral("maison")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Chemin(QStringLiteral("maison/config")));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(Ombrix, QStringList{QStringLiteral("join")} + arguments);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "ombrix did not run: " << p.errorString().toStdString();
            return s;
        }
        s.Code = p.exitCode();
        s.Erreurs = QString::fromUtf8(p.readAllStandardError());
        return s;
    }

    void EntreesIntactes() {
        EXPECT_EQ(Lire(A), OctetsA);
        EXPECT_EQ(Lire(B), OctetsB);
    }
    QStringList Contenu() const {
        return QDir(Temp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir Temp;
    QString Ombrix, A, B;
    recmaker::Plan PlanA;
    QByteArray OctetsA, OctetsB;
};

TEST_F(Join, WritesTheJoinedRecording) {
    const QString sortie = Chemin(QStringLiteral("joint.rec"));
    const tSortieJoin s = Lancer({A, B, A, QStringLiteral("-o"), sortie});
    ASSERT_EQ(s.Code, 0) << s.Erreurs.toStdString();
    EntreesIntactes();
    auto entete = std::make_unique<t_EnteteREC_GlobalTotal>();
    OuvreREC ouvre(entete.get());
    ouvre.VraiNomFichier = sortie;
    ASSERT_EQ(ouvre.LECTURE_ENTETE(), 0);
    EXPECT_EQ(+entete->NombreScans, 240);
    // a's note, b's marker and note, the second a's marker and note.
    ASSERT_EQ(NouveauAnnot, 5);
    const int64_t mots = PlanA.DebutAnnotations - PlanA.DebutDonnees;
    const int64_t positions[] = {2, mots / 2, mots / 2 + 2, mots / 2 + 40, mots / 2 + 42};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(+TabAnnotMemNew[i].PositionMot, positions[i]) << i;
    EXPECT_EQ(std::string(TabAnnotMemNew[1].TexteAnnot).substr(0, 6), "b.rec ");
    ouvre.FERMER_FICHIER();
    RESET_ANNOTATIONS();
    // The viewer's remembered list is not touched.
    EXPECT_FALSE(QFileInfo::exists(Chemin(QStringLiteral("maison/config/OmbView/OmbrixViewer.ini"))));
}

TEST_F(Join, IncompatibleRecordingsGiveTheMessageAndNoOutput) {
    const QString autre = Chemin(QStringLiteral("autre.rec"));
    ASSERT_TRUE(recmaker::Ecrire(EssaiJoin(500.f, 40, 3), autre.toStdString()));
    const QString sortie = Chemin(QStringLiteral("joint.rec"));
    const tSortieJoin s = Lancer({A, autre, QStringLiteral("-o"), sortie});
    EXPECT_EQ(s.Code, 1);
    EXPECT_TRUE(s.Erreurs.contains(QStringLiteral("Error:\n files headers are incompatibles")))
        << s.Erreurs.toStdString();
    EXPECT_TRUE(s.Erreurs.contains(QStringLiteral("another sampling period"))) << s.Erreurs.toStdString();
    EXPECT_FALSE(QFileInfo::exists(sortie));
    EntreesIntactes();
}

TEST_F(Join, OtherErrorsAreToldAndLeaveNothingBehind) {
    const QString sortie = Chemin(QStringLiteral("joint.rec"));
    struct tCas {
        const char* Nom;
        QStringList Arguments;
        const char* Attendu;
    };
    const QString verrouille = Chemin(QStringLiteral("verrou"));
    ASSERT_TRUE(QDir().mkpath(verrouille));
    ASSERT_EQ(::chmod(QFile::encodeName(verrouille).constData(), 0500), 0);
    const bool racine = ::geteuid() == 0; // permissions do not stop root
    const tCas cas[] = {
        {"missing input",
         {A, Chemin(QStringLiteral("absent.rec")), QStringLiteral("-o"), sortie},
         "absent.rec"},
        {"output folder missing",
         {A, B, QStringLiteral("-o"), Chemin(QStringLiteral("nulle/part.rec"))},
         "the output cannot be created"},
        {"output is an input", {A, B, QStringLiteral("-o"), B}, "the output is one of the files to join"},
        {"no output", {A, B}, "usage: ombrix join"},
        {"no input", {QStringLiteral("-o"), sortie}, "usage: ombrix join"},
        {"output folder read-only",
         {A, B, QStringLiteral("-o"), verrouille + QStringLiteral("/x.rec")},
         "the output cannot be created"},
    };
    for (const tCas& c : cas) {
        if (racine && std::string(c.Nom) == "output folder read-only") continue;
        SCOPED_TRACE(c.Nom);
        const tSortieJoin s = Lancer(c.Arguments);
        EXPECT_EQ(s.Code, 1);
        EXPECT_TRUE(s.Erreurs.contains(QString::fromLatin1(c.Attendu))) << s.Erreurs.toStdString();
        EXPECT_EQ(Contenu(), QStringList({"a.rec", "b.rec"}));
        EXPECT_TRUE(QDir(verrouille).isEmpty());
        EntreesIntactes();
    }
    ::chmod(QFile::encodeName(verrouille).constData(), 0700);
}

TEST_F(Join, AnExistingOutputIsReplacedWhole) {
    const QString sortie = Chemin(QStringLiteral("joint.rec"));
    {
        QFile f(sortie);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5 * 1024 * 1024, 'x')); // longer than the join: nothing of it may remain
    }
    ASSERT_EQ(Lancer({B, QStringLiteral("-o"), sortie}).Code, 0);
    const QByteArray joint = Lire(sortie);
    EXPECT_EQ(joint.size(), OctetsB.size());
    EXPECT_EQ(joint, OctetsB); // one file with its own annotations: the same bytes
    EXPECT_EQ(Contenu(), QStringList({"a.rec", "b.rec", "joint.rec"}));
}

} // namespace
