// Saving a configuration file that fails: at each step of the writing (the
// operations made to fail one by one) and wherever a full disk stops it. The
// failure is reported, the file of that name keeps every byte it had, and no
// other file is left in the folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <array>
#include <memory>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "FichierConfigTestUtil.h"
#include "SystemeFichiersPlein.h"
#include "config/Coherence.h"
#include "config/Defauts.h"
#include "config/FichierConfig.h"

namespace {

// A configuration that differs from whatever a file holds before.
void PoserConfigNouvelle() {
    INIT_CONFIG();
    Config.CouleurFond = 0x0A0B0C0D;
    Config.LongueurExport = 777;
    COHERENCE_CONFIGURATION();
}

QStringList Contenu(const QString& dossier) {
    return fs_plein::Contenu(dossier);
}

class EcritureConfig : public FichiersConfig {
protected:
    // Checks a failed save of `chemin`: reported, and the folder as it was.
    void VerifierEchec(uint8_t resultat, const QString& chemin, const QByteArray& avant, bool existant,
                       const QStringList& dossierAvant) {
        EXPECT_EQ(resultat, ResultatConfigErreur);
        ASSERT_EQ(Boites.Appels.size(), 1u);
        EXPECT_EQ(Boites.TITRES()[0], "Error");
        EXPECT_EQ(Boites.TEXTES()[0], "File error\n" + QDir::toNativeSeparators(chemin).toStdString());
        EXPECT_EQ(Boites.Appels[0].Icone, tIconeBoite::Avertissement);
        EXPECT_EQ(QFileInfo::exists(chemin), existant);
        if (existant) {
            EXPECT_EQ(LireFichier(chemin), avant);
        }
        EXPECT_EQ(Contenu(QFileInfo(chemin).path()), dossierAvant);
    }
};

enum class tEtape { Creer, Ecrire, Vider, Fermer, Renommer };

struct tPanne {
    tEtape Etape;
    bool Partiel = false; // a failing write first writes half of its bytes
    bool Ment = false;    // a write that claims success having written nothing
    const char* Nom = "";
};

tEcritureConfig AvecPanne(const tPanne& p, const std::shared_ptr<std::array<int, 5>>& appels) {
    const tEcritureConfig reel;
    const auto echoue = [p, appels](tEtape e) {
        ++(*appels)[static_cast<size_t>(e)];
        return e == p.Etape;
    };
    tEcritureConfig t;
    t.Creer = [=](const QString& c) { return echoue(tEtape::Creer) ? -1 : reel.Creer(c); };
    t.Ecrire = [=](int fd, const void* o, int64_t n) {
        if (!echoue(tEtape::Ecrire)) return reel.Ecrire(fd, o, n);
        if (p.Ment) return true;
        if (p.Partiel) reel.Ecrire(fd, o, n / 2);
        return false;
    };
    t.Vider = [=](int fd) { return !echoue(tEtape::Vider) && reel.Vider(fd); };
    t.Fermer = [=](int fd) {
        const bool ferme = reel.Fermer(fd); // released all the same
        return !echoue(tEtape::Fermer) && ferme;
    };
    t.Renommer = [=](const QString& de, const QString& vers) {
        return !echoue(tEtape::Renommer) && reel.Renommer(de, vers);
    };
    return t;
}

TEST_F(EcritureConfig, AFailureAtAnyStepIsReportedAndKeepsThePreviousFile) {
    const tPanne pannes[] = {
        {tEtape::Creer, false, false, "creating the new file"},
        {tEtape::Ecrire, true, false, "half written"},
        {tEtape::Ecrire, false, true, "not written, said written"},
        {tEtape::Vider, false, false, "not pushed to the disk"},
        {tEtape::Fermer, false, false, "closing"},
        {tEtape::Renommer, false, false, "taking the name"},
    };
    for (const bool existant : {false, true}) {
        const QString chemin = Chemin(existant ? QStringLiteral("garde.spt") : QStringLiteral("neuf.spt"));
        QByteArray avant;
        if (existant) {
            INIT_CONFIG();
            ASSERT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
            avant = LireFichier(chemin);
        }
        for (const tPanne& p : pannes) {
            SCOPED_TRACE(testing::Message() << p.Nom << (existant ? ", replacing" : ", new file"));
            PoserConfigNouvelle();
            const QByteArray image = ImageConfig();
            const QStringList dossierAvant = Contenu(Temp.path());
            Boites.Appels.clear();
            auto appels = std::make_shared<std::array<int, 5>>();
            const uint8_t resultat = ECRIRE_CONFIGURATION(chemin, AvecPanne(p, appels));
            VerifierEchec(resultat, chemin, avant, existant, dossierAvant);
            EXPECT_EQ((*appels)[static_cast<size_t>(p.Etape)], 1) << "the step was not reached";
            EXPECT_EQ(ImageConfig(), image); // a save never changes the record
        }
    }
}

// The file a link names is replaced, the link stays, and a replaced file keeps
// its permissions.
TEST_F(EcritureConfig, ReplacingKeepsTheLinkAndThePermissions) {
    const QString vrai = Chemin(QStringLiteral("vrai.spt")), lien = Chemin(QStringLiteral("lien.spt"));
    INIT_CONFIG();
    ASSERT_EQ(ECRIRE_CONFIGURATION(vrai), ResultatConfigOk);
    ASSERT_EQ(::chmod(QFile::encodeName(vrai).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(vrai, lien));
    PoserConfigNouvelle();
    ASSERT_EQ(ECRIRE_CONFIGURATION(lien), ResultatConfigOk);
    EXPECT_TRUE(QFileInfo(lien).isSymLink());
    EXPECT_EQ(LireFichier(vrai), ImageConfig());
    struct stat s {};
    ASSERT_EQ(::stat(QFile::encodeName(vrai).constData(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0640u);
    EXPECT_EQ(Contenu(Temp.path()), QStringList({"lien.spt", "vrai.spt"}));
    EXPECT_TRUE(Boites.Appels.empty());
}

// A full disk, wherever it stops the writing: a file chosen by the user and
// "setupviewer.spt" of the end of the run, new or replaced.
TEST_F(EcritureConfig, AFullDiskIsReportedAndKeepsThePreviousFile) {
    fs_plein::SystemeFichiersPlein fs;
    EXIGER_SYSTEME_PLEIN(fs);
    qputenv("XDG_DATA_HOME", QFile::encodeName(fs.Chemin(QStringLiteral("data"))));
    const QString setup = CHEMIN_SETUP_VIEWER(); // its folder is made here, before the disk is full
    ASSERT_TRUE(setup.startsWith(fs.Travail()));
    const struct {
        bool Setup; // SAVE_CONFIGURATION, else ECRIRE_CONFIGURATION of a chosen file
        bool Existant;
    } cas[] = {{false, false}, {false, true}, {true, false}, {true, true}};
    for (const auto& c : cas) {
        const QString chemin = c.Setup ? setup : fs.Chemin(QStringLiteral("choisi.spt"));
        SCOPED_TRACE(testing::Message()
                     << chemin.toStdString() << (c.Existant ? ", replacing" : ", new file"));
        QByteArray avant;
        QFile::remove(chemin);
        if (c.Existant) {
            INIT_CONFIG();
            ASSERT_EQ(ECRIRE_CONFIGURATION(chemin), ResultatConfigOk);
            avant = LireFichier(chemin);
        }
        PoserConfigNouvelle();
        const QByteArray image = ImageConfig();
        const QStringList dossierAvant = Contenu(QFileInfo(chemin).path());
        const int64_t pages = fs_plein::Balayer(fs, 4, [&](int64_t) {
            Boites.Appels.clear();
            const uint8_t resultat = c.Setup ? SAVE_CONFIGURATION() : ECRIRE_CONFIGURATION(chemin);
            if (resultat == ResultatConfigOk) {
                EXPECT_TRUE(Boites.Appels.empty());
                EXPECT_EQ(LireFichier(chemin), image);
                return true;
            }
            VerifierEchec(resultat, chemin, avant, c.Existant, dossierAvant);
            return false;
        });
        // 7292 bytes take two pages.
        EXPECT_EQ(pages, (static_cast<int64_t>(sizeof(tConfig)) + fs_plein::Page() - 1) / fs_plein::Page());
        QFile::remove(chemin);
    }
}

} // namespace
