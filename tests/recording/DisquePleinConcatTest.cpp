// Joins meeting a full disk wherever it stops their output: the concatenation
// of listed recordings (into a named file or the temporary result) and the
// joining of a recording written in pieces. The failure is told with its text,
// naming the output; the listed files, the pieces and a file that had the
// output's name stay byte for byte, and nothing else is left; once there is
// room the output is the one written on an ordinary disk.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ContenuFichier.h"
#include "SystemeFichiersPlein.h"
#include "recmaker/RecMaker.h"
#include "recording/Annotations.h"
#include "recording/Concatenation.h"
#include "recording/MorceauxREC.h"
#include "recording/ScriptsREC.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"

namespace {

using fs_plein::Page;

int64_t PagesDe(int64_t octets) {
    return (octets + Page() - 1) / Page();
}

using fichier_test::Lire;

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(octets), octets.size());
}

// A VEL recording of two channels whose words tell the file (graine) apart,
// with one annotation of its own.
recmaker::Enregistrement Essai(int64_t scans, uint16_t graine) {
    recmaker::Enregistrement e;
    e.Famille = FamilleVEL;
    e.Modele = "VEL";
    e.PeriodeUs = 500.f;
    e.NombreScans = scans;
    e.Voies = {recmaker::Voie{.Numero = 10, .Nom = "Tension", .Donnees = recmaker::Rampe(graine, 1)},
               recmaker::Voie{.Numero = 13, .Nom = "Courant", .Donnees = recmaker::Rampe(graine * 7, 3)}};
    recmaker::AnnotationNouvelle a;
    a.PositionMot = 40;
    a.Texte = "Propre";
    e.AnnotationsNouvelles = {a};
    return e;
}

class DisquePleinJonction : public ::testing::Test {
protected:
    void SetUp() override {
        EXIGER_SYSTEME_PLEIN(Fs);
        ASSERT_TRUE(Ordinaire.isValid());
        TmpAvant = qgetenv("TMPDIR");
        RESET_ANNOTATIONS();
        RESET_VALIDITE_SCRIPTS();
        RESET_LANGUE();
        Langue = 1;
        Installation.emplace(Boites);
    }
    void TearDown() override {
        Installation.reset();
        if (TmpAvant.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", TmpAvant);
        RESET_ANNOTATIONS();
        RESET_VALIDITE_SCRIPTS();
        RESET_LANGUE();
    }

    fs_plein::SystemeFichiersPlein Fs;
    QTemporaryDir Ordinaire; // an ordinary disk, for the reference outputs
    BoiteMessageEnregistreuse Boites;
    std::optional<InstallationBoiteMessage> Installation;
    QByteArray TmpAvant;
};

TEST_F(DisquePleinJonction, AConcatenationIsToldAndLeavesNoPartialOutput) {
    const QStringList fichiers = {Fs.Chemin(QStringLiteral("a.rec")), Fs.Chemin(QStringLiteral("b.rec"))};
    ASSERT_TRUE(recmaker::Ecrire(Essai(3000, 1), QFile::encodeName(fichiers[0]).toStdString()));
    ASSERT_TRUE(recmaker::Ecrire(Essai(4000, 2), QFile::encodeName(fichiers[1]).toStdString()));
    const QByteArray entrees[] = {Lire(fichiers[0]), Lire(fichiers[1])};
    // The temporary directory of the unsaved joins is on the small file system too.
    const QString tmp = Fs.Chemin(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir(tmp).mkpath(QStringLiteral("OMB_MEM")));
    qputenv("TMPDIR", QFile::encodeName(tmp));
    const QString fixe = QDir(tmp).filePath(QStringLiteral("OMB_MEM/00.rec"));

    // The join written on an ordinary disk.
    QByteArray attendu;
    {
        ConcatenationREC concat;
        concat.MemoriserListe = false;
        concat.Fichiers = fichiers;
        concat.FileTemporaire = QDir(Ordinaire.path()).filePath(QStringLiteral("joint.rec"));
        ASSERT_EQ(concat.ARRET_OK(1), 0);
        attendu = Lire(concat.FileTemporaire);
    }
    const struct {
        bool Sauver;   // into a named file, else the temporary result
        bool Existant; // the output's name (or OMB_MEM/00.rec) holds an older file
    } cas[] = {{true, false}, {true, true}, {false, false}, {false, true}};
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message() << (c.Sauver ? "named output" : "temporary result")
                                        << (c.Existant ? ", replacing a file" : ", new file"));
        const QString cible = c.Sauver ? Fs.Chemin(QStringLiteral("joint.rec")) : fixe;
        if (c.Existant) Ecrire(cible, "avant");
        const QByteArray cibleAvant = Lire(cible);
        const QStringList travail = fs_plein::Contenu(Fs.Travail()), temporaire = fs_plein::Contenu(tmp),
                          omb = fs_plein::Contenu(QDir(tmp).filePath(QStringLiteral("OMB_MEM")));
        const int64_t pages = fs_plein::Balayer(Fs, PagesDe(attendu.size()) + 2, [&](int64_t) {
            Boites.Appels.clear();
            ConcatenationREC concat;
            concat.MemoriserListe = false;
            concat.Fichiers = fichiers;
            if (c.Sauver) concat.FileTemporaire = cible;
            const uint8_t resultat = concat.ARRET_OK(c.Sauver ? 1 : 0);
            concat.SIGNALER_ECHEC(); // what the dialog does after a failure
            EXPECT_TRUE(Lire(fichiers[0]) == entrees[0] && Lire(fichiers[1]) == entrees[1])
                << "a listed file changed";
            if (resultat == 0) {
                EXPECT_TRUE(Boites.Appels.empty());
                EXPECT_EQ(concat.FichierTemp, cible);
                EXPECT_TRUE(Lire(cible) == attendu) << "a join reported done is not whole";
                return true;
            }
            EXPECT_EQ(resultat, 1);
            EXPECT_EQ(concat.Rapport.Echec, tEchecConcat::Ecriture);
            // The output is at fault, named as the user knows it.
            EXPECT_EQ(concat.Rapport.Fichier, c.Sauver ? cible : concat.FileTemporaire);
            EXPECT_TRUE(concat.FichierTemp.isEmpty());
            EXPECT_EQ(Boites.TITRES(), std::vector<std::string>{"Error"});
            EXPECT_EQ(Boites.TEXTES(),
                      std::vector<std::string>{
                          "File error\n" + QDir::toNativeSeparators(concat.Rapport.Fichier).toStdString()});
            EXPECT_TRUE(Lire(cible) == cibleAvant);
            EXPECT_EQ(fs_plein::Contenu(Fs.Travail()), travail);
            EXPECT_EQ(fs_plein::Contenu(tmp), temporaire);
            EXPECT_EQ(fs_plein::Contenu(QDir(tmp).filePath(QStringLiteral("OMB_MEM"))), omb);
            return false;
        });
        EXPECT_EQ(pages, PagesDe(attendu.size()));
        QFile::remove(cible);
    }
}

TEST_F(DisquePleinJonction, JoiningPiecesIsToldAndKeepsEveryPiece) {
    const QString nom = Fs.Chemin(QStringLiteral("essai.rec"));
    // Three blocks and a half, one block, a few bytes.
    const std::vector<std::pair<QString, QByteArray>> morceaux = {
        {nom, QByteArray(35000, 'a')},
        {nom + QStringLiteral("0"), QByteArray(10000, 'b')},
        {nom + QStringLiteral("00"), QByteArray(3, 'c')}};
    QByteArray attendu;
    for (const auto& [chemin, octets] : morceaux) {
        Ecrire(chemin, octets);
        attendu += octets;
    }
    const QStringList avant = fs_plein::Contenu(Fs.Travail());
    const int64_t pages = fs_plein::Balayer(Fs, PagesDe(attendu.size()) + 2, [&](int64_t) {
        Boites.Appels.clear();
        Boites.Reponses = {true};
        const bool joint = Concat(nom);
        if (joint) {
            EXPECT_EQ(Boites.Appels.size(), 1u); // the question only
            EXPECT_TRUE(Lire(nom) == attendu) << "a join reported done is not whole";
            EXPECT_EQ(fs_plein::Contenu(Fs.Travail()), QStringList{QStringLiteral("essai.rec")});
            return true;
        }
        for (const auto& [chemin, octets] : morceaux)
            EXPECT_TRUE(Lire(chemin) == octets) << chemin.toStdString() << " changed";
        EXPECT_EQ(fs_plein::Contenu(Fs.Travail()), avant);
        EXPECT_EQ(Boites.TITRES(), (std::vector<std::string>{"Concatenation", "Error"}));
        if (Boites.TEXTES().size() != 2u) return false;
        // The joined file is at fault, not a piece.
        EXPECT_EQ(Boites.TEXTES()[1],
                  "The files could not be concatenated:\nno file was changed\n" +
                      QDir::toNativeSeparators(NOM_TEMPORAIRE_MORCEAUX(nom)).toStdString());
        return false;
    });
    // The joined file is written beside the pieces, which stay until it is complete.
    EXPECT_EQ(pages, PagesDe(attendu.size()));
}

} // namespace
