// A save that fails at any step of its writing leaves every file as it was,
// tells the user, and leaves the counters unchanged.
#include "SauveAnnotTestUtil.h"

using namespace annot_test;

namespace {

class EchecSauveTest : public AnnotTest {
protected:
    // The small recording with two added records; 6000 scans of 2 words: 24000
    // sample bytes, so a copy takes several blocks.
    QString Preparer() {
        const QString chemin = Ouvrir(Petit());
        Ajouter(300, "Un");
        Ajouter(700, "Deux");
        return chemin;
    }

    void VerifierEchec(const tPanne& p, const QString& cible) {
        ASSERT_EQ(Boites.Appels.size(), 1u) << p.Nom;
        EXPECT_EQ(Boites.TITRES()[0], "Error");
        const std::string attendu =
            "The annotations could not be saved:\n" + QDir::toNativeSeparators(cible).toStdString();
        EXPECT_EQ(Boites.TEXTES()[0], attendu) << p.Nom;
        EXPECT_EQ(NouveauAnnot, 1) << p.Nom;
        EXPECT_EQ(NombreAnnotEnPlus, 2) << p.Nom;
    }
};

TEST_F(EchecSauveTest, InPlaceFailureLeavesTheRecordingByteIdentical) {
    const tPanne pannes[] = {
        {tEtape::Ouvrir, 1, false, false, "opening"},
        {tEtape::Ecrire, 1, true, false, "records half written"},
        {tEtape::Ecrire, 1, false, true, "records not written, said written"},
        {tEtape::Vider, 1, false, false, "records not pushed to the disk"},
        {tEtape::Ecrire, 2, true, false, "header half written"},
        {tEtape::Vider, 2, false, false, "header not pushed to the disk"},
    };
    for (const tPanne& p : pannes) {
        RESET_ANNOTATIONS();
        Boites.Appels.clear();
        const QString chemin = Preparer();
        const std::vector<uint8_t> avant = Octets(chemin);
        EXPECT_EQ(SAUVE_ANNOTATIONS(chemin, chemin, EnteteF, AvecPanne(p)), SauveAnnotErreur) << p.Nom;
        EXPECT_EQ(Octets(chemin), avant) << p.Nom;
        VerifierEchec(p, chemin);
        // The same save without the fault then succeeds.
        Boites.Appels.clear();
        EXPECT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK) << p.Nom;
        EXPECT_EQ(Octets(chemin).size(), avant.size() + 2 * 152);
    }
}

// A copy fails at any step: the chosen name keeps what it held (here an
// older file, or nothing), the recording is untouched and no temporary file
// is left behind.
TEST_F(EchecSauveTest, CopyFailureLeavesTheTargetAsItWasAndNoTemporaryFile) {
    const QString chemin = Preparer();
    const std::vector<uint8_t> source = Octets(chemin);
    // Blocks of 10000 bytes, then the records, then the header.
    const int blocs = static_cast<int>((source.size() + 9999) / 10000);
    ASSERT_GE(blocs, 3);
    const tPanne pannes[] = {
        {tEtape::Ouvrir, 1, false, false, "creating the temporary file"},
        {tEtape::Ecrire, 1, true, false, "first block"},
        {tEtape::Ecrire, blocs, true, false, "last block"},
        {tEtape::Ecrire, blocs + 1, true, false, "records"},
        {tEtape::Ecrire, blocs + 1, false, true, "records said written"},
        {tEtape::Ecrire, blocs + 2, true, false, "header"},
        {tEtape::Vider, 1, false, false, "not pushed to the disk"},
        {tEtape::Fermer, 1, false, false, "closing"},
        {tEtape::Renommer, 1, false, false, "renaming"},
    };
    for (const bool existante : {false, true}) {
        const QString cible = Chemin(existante ? "existante.rec" : "nouvelle.rec");
        if (existante) {
            QFile f(cible);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("une version plus ancienne");
        }
        const std::vector<uint8_t> cibleAvant = Octets(cible);
        for (const tPanne& p : pannes) {
            Boites.Appels.clear();
            EXPECT_EQ(SAUVE_ANNOTATIONS(chemin, cible, EnteteF, AvecPanne(p)), SauveAnnotErreur) << p.Nom;
            EXPECT_EQ(QFile::exists(cible), existante) << p.Nom;
            EXPECT_EQ(Octets(cible), cibleAvant) << p.Nom;
            EXPECT_EQ(Octets(chemin), source) << p.Nom;
            EXPECT_FALSE(QFile::exists(NOM_TEMPORAIRE_ANNOT(cible))) << p.Nom;
            VerifierEchec(p, cible);
        }
    }
}

TEST_F(EchecSauveTest, StaleTemporaryFileIsReplacedAndAMissingSourceIsReported) {
    const QString chemin = Preparer();
    const QString cible = Chemin("copie.rec");
    {
        QFile f(NOM_TEMPORAIRE_ANNOT(cible));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("reste d'un essai interrompu");
    }
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, cible), SauveAnnotOK);
    EXPECT_EQ(Octets(cible).size(), Octets(chemin).size() + 2 * 152);
    EXPECT_FALSE(QFile::exists(NOM_TEMPORAIRE_ANNOT(cible)));

    const QString absente = Chemin("absente.rec");
    EXPECT_EQ(SAUVE_ANNOTATIONS(absente, Chemin("autre.rec")), SauveAnnotErreur);
    EXPECT_FALSE(QFile::exists(Chemin("autre.rec")));
    VerifierEchec({tEtape::Ouvrir, 1, false, false, "missing source"}, Chemin("autre.rec"));
}

// The file changed family since it was read (its first word no longer
// matches): nothing is written.
TEST_F(EchecSauveTest, FileOfAnotherFamilyIsNotWritten) {
    const QString chemin = Preparer();
    EnteteF.FamilleEnregistreur = FamilleVEL;
    const std::vector<uint8_t> avant = Octets(chemin);
    EXPECT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotErreur);
    EXPECT_EQ(Octets(chemin), avant);
    EXPECT_EQ(SAUVE_ANNOTATIONS(chemin, Chemin("copie.rec")), SauveAnnotErreur);
    EXPECT_FALSE(QFile::exists(Chemin("copie.rec")));
    EXPECT_EQ(Boites.Appels.size(), 2u);
}

} // namespace
