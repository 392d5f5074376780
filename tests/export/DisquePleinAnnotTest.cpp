// Saving added annotations onto a full disk, wherever it stops the writing: in
// place (the recording cut back to every byte it had) and into a copy (the
// chosen name keeps what it held, no temporary file left). The failure is told
// with its text, the counters stay, and once there is room the file is the one
// written on an ordinary disk.
#include "SauveAnnotTestUtil.h"
#include "SystemeFichiersPlein.h"

using namespace annot_test;

namespace {

using fs_plein::Page;
using fs_plein::PagesDe;

class DisquePleinAnnot : public AnnotTest {
protected:
    void SetUp() override {
        AnnotTest::SetUp();
        EXIGER_SYSTEME_PLEIN(Fs);
    }

    // The recording written on the small file system, read as the open one,
    // with `ajouts` annotations added to it.
    QString Preparer(FamilleREC famille, int ajouts) {
        RESET_ANNOTATIONS();
        const QString chemin = Fs.Chemin(QStringLiteral("essai.rec"));
        EXPECT_TRUE(recmaker::Ecrire(Petit(6000, famille), QFile::encodeName(chemin).toStdString()));
        EXPECT_EQ(OUVRIR(chemin), LectureOK) << Ouvre.CauseErreur;
        for (int i = 0; i < ajouts; ++i) Ajouter(100 + i * 9, "Ajout sur un disque plein");
        return chemin;
    }

    fs_plein::SystemeFichiersPlein Fs;
};

TEST_F(DisquePleinAnnot, AFullDiskIsToldAndLeavesEveryFileAsItWas) {
    constexpr int Ajouts = 100; // 15200 bytes of records: several pages
    const struct {
        FamilleREC Famille;
        const char* Nom;
    } familles[] = {{FamilleTKAR, "TKAR"}, {FamilleTKOS, "TKOS"}, {FamilleVEL, "VEL"}};
    enum class tCible { SurPlace, CopieNeuve, CopieExistante };
    for (const auto& f : familles) {
        for (const tCible genre : {tCible::SurPlace, tCible::CopieNeuve, tCible::CopieExistante}) {
            SCOPED_TRACE(testing::Message() << f.Nom
                                            << (genre == tCible::SurPlace     ? ", in place"
                                                : genre == tCible::CopieNeuve ? ", into a new copy"
                                                                              : ", replacing a copy"));
            const QString source = Preparer(f.Famille, Ajouts);
            const int32_t nouveaux = NouveauAnnot, enPlus = NombreAnnotEnPlus;
            ASSERT_EQ(enPlus, Ajouts);
            const std::vector<uint8_t> sourceAvant = Octets(source);
            // What the save gives on an ordinary disk.
            const QString reference = Chemin("reference.rec");
            ASSERT_EQ(SAUVE_ANNOTATIONS(source, reference), SauveAnnotOK);
            const std::vector<uint8_t> attendu = Octets(reference);
            ASSERT_EQ(attendu.size(), sourceAvant.size() + Ajouts * 152);
            QFile::remove(reference);

            const QString cible = genre == tCible::SurPlace ? source : Fs.Chemin(QStringLiteral("copie.rec"));
            if (genre == tCible::CopieExistante) {
                QFile g(cible);
                ASSERT_TRUE(g.open(QIODevice::WriteOnly));
                g.write("une version plus ancienne");
            }
            const std::vector<uint8_t> cibleAvant = Octets(cible);
            const QStringList avant = fs_plein::Contenu(Fs.Travail());
            const auto demander = [&](const QString&, const QString&, const QString&, const QString&) {
                return cible;
            };
            const int64_t pages =
                fs_plein::Balayer(Fs, PagesDe(static_cast<int64_t>(attendu.size())) + 2, [&](int64_t) {
                    Boites.Appels.clear();
                    const uint8_t resultat = SAVE_ANNOT(demander, source, source);
                    if (resultat == SauveAnnotOK) {
                        EXPECT_TRUE(Boites.Appels.empty());
                        EXPECT_TRUE(Octets(cible) == attendu) << "a file reported saved is not whole";
                        return true;
                    }
                    EXPECT_EQ(resultat, SauveAnnotErreur);
                    EXPECT_EQ(Boites.TITRES(), std::vector<std::string>{"Error"});
                    EXPECT_EQ(Boites.TEXTES(),
                              std::vector<std::string>{"The annotations could not be saved:\n" +
                                                       QDir::toNativeSeparators(cible).toStdString()});
                    EXPECT_TRUE(Octets(source) == sourceAvant) << "the recording changed";
                    EXPECT_EQ(QFile::exists(cible), genre != tCible::CopieNeuve);
                    EXPECT_TRUE(Octets(cible) == cibleAvant);
                    EXPECT_EQ(fs_plein::Contenu(Fs.Travail()), avant);
                    EXPECT_EQ(NouveauAnnot, nouveaux);
                    EXPECT_EQ(NombreAnnotEnPlus, enPlus);
                    return false;
                });
            // The records fill the last page of the recording first; a copy is written whole.
            const int64_t longueur = static_cast<int64_t>(sourceAvant.size());
            const int64_t besoin = genre == tCible::SurPlace
                                       ? PagesDe(longueur + Ajouts * 152) - PagesDe(longueur)
                                       : PagesDe(longueur + Ajouts * 152);
            EXPECT_EQ(pages, besoin);
            EXPECT_TRUE(Octets(source) == (genre == tCible::SurPlace ? attendu : sourceAvant));
            // Saved in place, the records count as saved; a copy leaves them unsaved.
            EXPECT_EQ(NombreAnnotEnPlus, genre == tCible::SurPlace ? 0 : Ajouts);
            QFile::remove(Fs.Chemin(QStringLiteral("copie.rec")));
        }
    }
}

} // namespace
