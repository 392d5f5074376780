// `ombrix measure`: the measurements of the displayed window as CSV, one line
// per displayed channel, from the built program found in the build folder
// (OMBRIX_BUILD_DIR).
#include <gtest/gtest.h>

#include <cmath>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include "recmaker/RecMaker.h"

namespace {

using recmaker::Enregistrement;
using recmaker::Voie;

struct tSortieMesure {
    int Code = -1;
    QStringList Lignes;
    QString Erreurs;
};

// One second of 1000 scans of 1 ms: a square of 100 scans between the raw words 1000 and 3000
// (values equal to the words), a constant channel, and a channel whose name needs quoting.
Enregistrement EssaiMesure() {
    Enregistrement e;
    e.Famille = FamilleTKAR;
    e.PeriodeUs = 1000.f;
    e.NombreScans = 1000;
    e.Voies = {
        Voie{.Numero = 0,
             .Nom = "Carr\xE9",
             .Unite = "V",
             .Gain = 1.f,
             .Donnees = recmaker::Carre(1000, 3000, 100)},
        Voie{.Numero = 1, .Nom = "Fixe", .Unite = "V", .Gain = 0.5f, .Donnees = recmaker::Constant(40)},
        Voie{.Numero = 3,
             .Nom = "D\xE9"
                    "bit, \"net\"",
             .Unite = "V",
             .Donnees = recmaker::Constant(0x8000)},
    };
    return e;
}

class Measure : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Temp.isValid());
        const QString dossier = qEnvironmentVariable("OMBRIX_BUILD_DIR");
        ASSERT_FALSE(dossier.isEmpty()) << "OMBRIX_BUILD_DIR is not set (run through ctest)";
        Ombrix = dossier + QStringLiteral("/ombrix");
        Fichier = QDir(Temp.path()).filePath(QStringLiteral("essai.rec"));
        ASSERT_TRUE(recmaker::Ecrire(EssaiMesure(), Fichier.toStdString()));
    }

    tSortieMesure Lancer(const QStringList& arguments,
                         const QString& commande = QStringLiteral("measure")) const {
        tSortieMesure s;
        QProcess p;
        p.start(Ombrix, QStringList{commande} + arguments);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "ombrix did not run: " << p.errorString().toStdString();
            return s;
        }
        s.Code = p.exitCode();
        s.Lignes = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        s.Erreurs = QString::fromUtf8(p.readAllStandardError());
        return s;
    }

    // The numeric fields of a line after its channel and name.
    static std::vector<double> Nombres(const QString& ligne) {
        const QStringList champs = ligne.split(QLatin1Char(','));
        std::vector<double> v;
        for (qsizetype i = champs.size() - 7; i < champs.size(); ++i) v.push_back(champs[i].toDouble());
        return v;
    }

    QTemporaryDir Temp;
    QString Ombrix, Fichier;
};

TEST_F(Measure, UneLigneParVoieAfficheeEnPleinePrecision) {
    const tSortieMesure s = Lancer({Fichier});
    ASSERT_EQ(s.Code, 0) << s.Erreurs.toStdString();
    ASSERT_EQ(s.Lignes.size(), 4);
    EXPECT_EQ(s.Lignes[0], QStringLiteral("channel,name,min,max,pkpk,freq_hz,period_s,mean,rms"));
    EXPECT_TRUE(s.Lignes[1].startsWith(QString::fromUtf8("0,Carr\xC3\xA9,")));
    EXPECT_TRUE(s.Lignes[2].startsWith(QStringLiteral("1,Fixe,")));
    EXPECT_TRUE(s.Lignes[3].startsWith(QString::fromUtf8("2,\"D\xC3\xA9"
                                                         "bit, \"\"net\"\"\",")));

    // Rising crossings after columns 49 .. 949 (one millisecond per column): 9 periods over 900
    // columns, in single precision; the RMS over rows 49 .. 948 accumulated in single precision.
    const float periode = static_cast<float>(1000.0 * 900 / 1000000.0) / 9.f;
    float somme = 0.f;
    for (int i = 49; i < 949; ++i) {
        const float x = i % 100 < 50 ? 1000.f : 3000.f;
        somme += x * x;
    }
    const std::vector<double> carre = Nombres(s.Lignes[1]);
    EXPECT_EQ(carre, (std::vector<double>{1000.0, 3000.0, 2000.0, 1.f / periode, periode, 2000.0,
                                          std::sqrt(somme / 900.f)}));

    const std::vector<double> fixe = Nombres(s.Lignes[2]);
    EXPECT_EQ(fixe, (std::vector<double>{20.0, 20.0, 0.0, 0.0, 0.0, 20.0, 20.0}));
}

TEST_F(Measure, FenetreZoomee) {
    // Half the recording over the 1000 columns: 500 us per column, the same 10 Hz.
    const tSortieMesure s = Lancer({Fichier, QStringLiteral("--start"), QStringLiteral("0.25"),
                                    QStringLiteral("--width"), QStringLiteral("0.5")});
    ASSERT_EQ(s.Code, 0) << s.Erreurs.toStdString();
    ASSERT_GE(s.Lignes.size(), 2);
    const std::vector<double> carre = Nombres(s.Lignes[1]);
    EXPECT_FLOAT_EQ(static_cast<float>(carre[3]), 10.f);
    EXPECT_FLOAT_EQ(static_cast<float>(carre[4]), 0.1f);
}

TEST_F(Measure, EchecsSurLaSortieDErreur) {
    QFile abime(QDir(Temp.path()).filePath(QStringLiteral("abime.rec")));
    ASSERT_TRUE(abime.open(QIODevice::WriteOnly));
    abime.write(QByteArray(300, '\x5A'));
    abime.close();
    for (const QString& f : {abime.fileName(), QDir(Temp.path()).filePath(QStringLiteral("absent.rec"))}) {
        const tSortieMesure s = Lancer({f});
        EXPECT_EQ(s.Code, 1) << f.toStdString();
        EXPECT_TRUE(s.Lignes.isEmpty());
        EXPECT_TRUE(s.Erreurs.contains(QStringLiteral("ombrix measure: cannot open")))
            << s.Erreurs.toStdString();
    }
    for (const QStringList& mauvais : {QStringList{}, QStringList{Fichier, QStringLiteral("--width")},
                                       QStringList{Fichier, QStringLiteral("--zoom"), QStringLiteral("2")}}) {
        const tSortieMesure s = Lancer(mauvais);
        EXPECT_EQ(s.Code, 1);
        EXPECT_TRUE(s.Erreurs.contains(QStringLiteral("usage: ombrix measure")));
    }
}

// Scripts that do not compute their channel on every row: slot 0 is slow but
// ends (its mean is exact), slot 1 never ends from column 501 on, slot 2 does
// not compile. Each command says what it met on standard error and ends with
// status 3; `table`, which shows raw words only, never runs a row.
TEST_F(Measure, ScriptsQuiNeCalculentPasChaqueLigneSontSignales) {
    Enregistrement e;
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 4;
    e.Revision = 4;
    e.Modele = "TKOS 8";
    e.NombreScans = 1000;
    e.Voies = {Voie{.Numero = 0, .Nom = "A", .Donnees = recmaker::Rampe(0, 1)},
               Voie{.Numero = 72, .Nom = "Lent"}, Voie{.Numero = 73, .Nom = "Boucle"},
               Voie{.Numero = 74, .Nom = "Faute"}};
    e.Scripts = {{0, {"double s = 0; for (int i = 0; i < 10000; i++) s += 1; function = s;"}},
                 {1, {"function = 'A';", "if ('A' > 500) while (true) {}"}},
                 {2, {"function = ;"}}};
    const QString chemin = QDir(Temp.path()).filePath(QStringLiteral("scripts.rec"));
    ASSERT_TRUE(recmaker::Ecrire(e, chemin.toStdString()));
    const QString arret = QStringLiteral("FB (Boucle) stopped at display column 501: Ligne 2 : nombre d");
    const QString faute = QStringLiteral("FC (Faute) not set up: Ligne 1 : ");

    const tSortieMesure m = Lancer({chemin});
    EXPECT_EQ(m.Code, 3) << m.Erreurs.toStdString();
    ASSERT_GE(m.Lignes.size(), 3);
    ASSERT_TRUE(m.Lignes[2].startsWith(QStringLiteral("1,Lent,"))) << m.Lignes[2].toStdString();
    EXPECT_EQ(Nombres(m.Lignes[2])[5], 10000.0) << "mean";
    EXPECT_TRUE(m.Erreurs.contains(arret)) << m.Erreurs.toStdString();
    EXPECT_TRUE(m.Erreurs.contains(faute)) << m.Erreurs.toStdString();
    EXPECT_FALSE(m.Erreurs.contains(QStringLiteral("FA"))) << m.Erreurs.toStdString();

    const tSortieMesure t = Lancer({chemin}, QStringLiteral("table"));
    EXPECT_EQ(t.Code, 3) << t.Erreurs.toStdString();
    EXPECT_EQ(t.Lignes.size(), 1001);
    EXPECT_TRUE(t.Erreurs.contains(faute)) << t.Erreurs.toStdString();
    EXPECT_FALSE(t.Erreurs.contains(QStringLiteral("FB"))) << t.Erreurs.toStdString();

    const QString image = QDir(Temp.path()).filePath(QStringLiteral("scripts.png"));
    const tSortieMesure r = Lancer({chemin, QStringLiteral("-o"), image}, QStringLiteral("render"));
    EXPECT_EQ(r.Code, 3) << r.Erreurs.toStdString();
    EXPECT_TRUE(QFile::exists(image));
    EXPECT_TRUE(r.Erreurs.contains(arret)) << r.Erreurs.toStdString();
    EXPECT_TRUE(r.Erreurs.contains(faute)) << r.Erreurs.toStdString();
}

} // namespace
