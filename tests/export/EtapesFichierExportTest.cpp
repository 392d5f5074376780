// The steps that complete an export file and that a full disk cannot make
// fail: pushing it to the disk, closing it, renaming it over the target. Each
// failing one is reported, leaves the target as it was and no temporary file.
#include "ExportTestUtil.h"

#include <memory>

#include <unistd.h>

using namespace export_test;

namespace {

enum class tEtape { Vider, Fermer, Renommer };

struct tAppels {
    int Vider = 0, Fermer = 0, Renommer = 0;
};

// The real operations, but `etape` fails every time; the calls are counted.
tEcritureProvisoire AvecPanne(tEtape etape, const std::shared_ptr<tAppels>& appels) {
    const tEcritureProvisoire reel;
    tEcritureProvisoire e;
    e.Vider = [=](int fd) {
        ++appels->Vider;
        return etape != tEtape::Vider && reel.Vider(fd);
    };
    e.Fermer = [=](int fd) {
        ++appels->Fermer;
        const bool ferme = reel.Fermer(fd); // released all the same
        return etape != tEtape::Fermer && ferme;
    };
    e.Renommer = [=](const QString& de, const QString& vers) {
        ++appels->Renommer;
        return etape != tEtape::Renommer && reel.Renommer(de, vers);
    };
    return e;
}

TEST_F(ExportTest, EachFailingStepOfCompletingTheFileIsReportedAndLeavesTheTargetAsItWas) {
    ASSERT_EQ(Ouvrir(Essai(200)), LectureOK);
    const std::string recording = LireFichier(Ouvre.VraiNomFichier);
    const struct {
        uint8_t Type;
        const char* Nom;
    } genres[] = {{TypeTexte, "sortie.txt"}, {TypeCSV, "sortie.csv"}, {TypeExcel, "sortie.xlsx"}};
    const struct {
        tEtape Etape;
        const char* Nom;
    } etapes[] = {{tEtape::Vider, "pushing to the disk"},
                  {tEtape::Fermer, "closing"},
                  {tEtape::Renommer, "renaming over the target"}};
    for (const auto& g : genres) {
        for (const auto& p : etapes) {
            for (const bool existant : {false, true}) {
                SCOPED_TRACE(testing::Message() << g.Nom << ", " << p.Nom << (existant ? ", replacing" : ""));
                const QString cible = Chemin(QString::fromLatin1(g.Nom));
                if (existant) {
                    std::ofstream(QFile::encodeName(cible).toStdString(), std::ios::binary) << Ancien;
                }
                const QStringList avant = Contenu();
                Boites.Appels.clear();
                auto appels = std::make_shared<tAppels>();
                EtatExport etat;
                etat.Ecriture = AvecPanne(p.Etape, appels);
                etat.FichierExport = cible;
                etat.TypeFichier = g.Type;
                etat.TypeInterface = 0;
                etat.LANCE_CALCUL(SOURCE_EXPORT(Ouvre));
                etat.AFFICHER_FIN();
                EXPECT_EQ(etat.OnAEuUneErreur.load(), 1);
                EXPECT_EQ(etat.CalCulEnCours.load(), ExportFini);
                EXPECT_EQ(Boites.TITRES(), std::vector<std::string>{"Export"});
                EXPECT_EQ(Boites.TEXTES(),
                          std::vector<std::string>{"Export error: the file could not be created"});
                EXPECT_EQ(QFile::exists(cible), existant);
                if (existant) {
                    EXPECT_EQ(LireFichier(cible), Ancien);
                }
                EXPECT_EQ(Contenu(), avant);
                EXPECT_EQ(LireFichier(Ouvre.VraiNomFichier), recording);
                // The step was really reached, and never a rename after a failure.
                if (p.Etape == tEtape::Vider) {
                    EXPECT_EQ(appels->Vider, 1);
                }
                if (p.Etape != tEtape::Renommer) {
                    EXPECT_EQ(appels->Renommer, 0);
                } else {
                    EXPECT_EQ(appels->Vider, 1);
                }
                QFile::remove(cible);
            }
        }
    }
}

// With nothing failing, every kind goes through the same steps: pushed to the
// disk once, then renamed once.
TEST_F(ExportTest, EveryKindIsPushedToTheDiskBeforeItTakesTheTargetName) {
    ASSERT_EQ(Ouvrir(Essai(50)), LectureOK);
    for (const uint8_t type : {TypeTexte, TypeCSV, TypeExcel}) {
        SCOPED_TRACE(+type);
        auto appels = std::make_shared<tAppels>();
        EtatExport etat;
        const tEcritureProvisoire reel;
        etat.Ecriture = reel;
        auto vider = reel.Vider;
        auto renommer = reel.Renommer;
        etat.Ecriture.Vider = [=](int fd) {
            ++appels->Vider;
            EXPECT_EQ(appels->Renommer, 0);
            return vider(fd);
        };
        etat.Ecriture.Renommer = [=](const QString& de, const QString& vers) {
            ++appels->Renommer;
            return renommer(de, vers);
        };
        EXPECT_TRUE(Exporter(type, Chemin(QStringLiteral("ok.out")), etat));
        EXPECT_EQ(appels->Vider, 1);
        EXPECT_EQ(appels->Renommer, 1);
    }
}

} // namespace
