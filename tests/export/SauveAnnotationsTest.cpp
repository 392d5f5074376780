// Saving a recording with its added annotations, in place and into a copy:
// the header patch of each family, what the opener reads back, the counters,
// repeated saves, the save dialog, and the areas a save cannot extend.
#include "SauveAnnotTestUtil.h"

using namespace annot_test;

namespace {

struct tFamille {
    const char* Nom;
    recmaker::Enregistrement (*Exemple)();
    size_t PositionZone; // offset of the area size in the fixed header
    bool Zone16;         // 16-bit field (TKAR), else 32-bit
    int64_t Signature;   // word written at offset 0
};

const tFamille Familles[] = {
    {"TKAR", recmaker::ExempleTKAR, 38, true, 0x0448},
    {"TKOS", recmaker::ExempleTKOS, 44, false, 0x7460},
    {"VEL", recmaker::ExempleVEL, 60, false, 0x0571},
};

class SauveFamilleTest : public AnnotTest, public ::testing::WithParamInterface<tFamille> {};

// Each family: in place, the records are appended, the header announces the
// new area and the opener reads the old and new records back; the samples and
// every other header byte are untouched.
TEST_P(SauveFamilleTest, InPlaceSavePatchesTheHeaderAndReadsBack) {
    const tFamille& f = GetParam();
    const QString chemin = Ouvrir(f.Exemple());
    const std::vector<uint8_t> avant = Octets(chemin);
    const int32_t anciens = AncienAnnot, nouveaux = NouveauAnnot;
    ASSERT_GT(nouveaux, 0);
    const int64_t scans = EnteteF.NombreScans;
    const std::vector<tTabAnnotMem> ancienne = TableAncienne();
    Ajouter(300, "Premier", 1);
    Ajouter(900, "Second");
    const std::vector<tTabAnnotMemNew> attendue = TableNouvelle();

    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK);
    EXPECT_TRUE(Boites.Appels.empty());
    EXPECT_EQ(NouveauAnnot, nouveaux + 2);
    EXPECT_EQ(NombreAnnotEnPlus, 0);

    const std::vector<uint8_t> apres = Octets(chemin);
    ASSERT_EQ(apres.size(), avant.size() + 2 * 152);
    const int64_t zone = 152 * (nouveaux + 2) + 44 * anciens;
    EXPECT_EQ(Mot16(apres, 0), f.Signature);
    EXPECT_EQ(f.Zone16 ? Mot16(apres, f.PositionZone) : Mot32(apres, f.PositionZone), zone);
    std::vector<uint8_t> attendu = avant;
    const size_t largeur = f.Zone16 ? 2 : 4;
    for (size_t i = 0; i < 2; ++i) attendu[i] = apres[i];
    for (size_t i = 0; i < largeur; ++i) attendu[f.PositionZone + i] = apres[f.PositionZone + i];
    EXPECT_TRUE(std::equal(attendu.begin(), attendu.end(), apres.begin())) << "only the patch changed";
    EXPECT_EQ(std::memcmp(apres.data() + avant.size(), &attendue[nouveaux], 2 * 152), 0);

    const tRelu r = Relire(chemin);
    ASSERT_EQ(r.Resultat, LectureOK);
    EXPECT_EQ(r.Scans, scans);
    EXPECT_EQ(r.Version, f.Signature);
    EXPECT_EQ(r.Anciens, anciens);
    EXPECT_TRUE(MemesRecords(r.Ancienne, ancienne));
    EXPECT_EQ(r.Nouveaux, nouveaux + 2);
    EXPECT_TRUE(MemesRecords(r.Nouvelle, attendue));
}

// Each family: a copy holds the source with the records and the patch; the
// open recording is left as it was and its records stay unsaved.
TEST_P(SauveFamilleTest, CopyHoldsTheRecordsAndLeavesTheRecordingUnsaved) {
    const tFamille& f = GetParam();
    const QString chemin = Ouvrir(f.Exemple());
    const std::vector<uint8_t> avant = Octets(chemin);
    const int32_t nouveaux = NouveauAnnot;
    Ajouter(500, "Copie");
    const std::vector<tTabAnnotMemNew> attendue = TableNouvelle();
    const QString copie = Chemin("copie.rec");

    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, copie), SauveAnnotOK);
    EXPECT_EQ(Octets(chemin), avant);
    EXPECT_EQ(NouveauAnnot, nouveaux);
    EXPECT_EQ(NombreAnnotEnPlus, 1);
    EXPECT_FALSE(QFile::exists(NOM_TEMPORAIRE_ANNOT(copie)));
    const std::vector<uint8_t> o = Octets(copie);
    ASSERT_EQ(o.size(), avant.size() + 152);
    EXPECT_EQ(Mot16(o, 0), f.Signature);
    EXPECT_TRUE(std::equal(avant.begin() + 64, avant.end(), o.begin() + 64));

    const tRelu r = Relire(copie);
    ASSERT_EQ(r.Resultat, LectureOK);
    EXPECT_EQ(r.Nouveaux, nouveaux + 1);
    EXPECT_TRUE(MemesRecords(r.Nouvelle, attendue));
}

INSTANTIATE_TEST_SUITE_P(Familles, SauveFamilleTest, ::testing::ValuesIn(Familles),
                         [](const auto& i) { return std::string(i.param.Nom); });

class SauveTest : public AnnotTest {};

TEST_F(SauveTest, SecondInPlaceSaveAppendsOnlyTheRecordsAddedSince) {
    const QString chemin = Ouvrir(Petit());
    Ajouter(200, "Un");
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK);
    const size_t longueur = Octets(chemin).size();
    Ajouter(400, "Deux");
    Ajouter(600, "Trois");
    const std::vector<tTabAnnotMemNew> attendue = TableNouvelle();
    ASSERT_EQ(attendue.size(), 4u);
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK);
    EXPECT_EQ(Octets(chemin).size(), longueur + 2 * 152);
    EXPECT_EQ(NouveauAnnot, 4);
    EXPECT_EQ(NombreAnnotEnPlus, 0);
    // Nothing added since: the file keeps its length.
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK);
    EXPECT_EQ(Octets(chemin).size(), longueur + 2 * 152);

    const tRelu r = Relire(chemin);
    EXPECT_EQ(r.Nouveaux, 4);
    EXPECT_TRUE(MemesRecords(r.Nouvelle, attendue));
}

TEST_F(SauveTest, CopyThenInPlaceAppendsTheStillUnsavedRecordsToTheRecording) {
    const QString chemin = Ouvrir(Petit());
    Ajouter(200, "Un");
    Ajouter(300, "Deux");
    const std::vector<tTabAnnotMemNew> attendue = TableNouvelle();
    const QString copie = Chemin("copie.rec");
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, copie), SauveAnnotOK);
    const std::vector<uint8_t> copieAvant = Octets(copie);
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK);
    EXPECT_EQ(Octets(copie), copieAvant);
    EXPECT_EQ(Octets(chemin), copieAvant) << "the same bytes as the copy";
    EXPECT_EQ(NouveauAnnot, 3);

    const tRelu r = Relire(chemin);
    EXPECT_EQ(r.Nouveaux, 3);
    EXPECT_TRUE(MemesRecords(r.Nouvelle, attendue));
}

TEST_F(SauveTest, CopyReplacesAnExistingFileAndTheSameFileByAnotherNameIsSavedInPlace) {
    const QString chemin = Ouvrir(Petit());
    const QString autre = Chemin("autre.rec");
    {
        QFile f(autre);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ancien contenu");
    }
    Ajouter(200, "Un");
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, autre), SauveAnnotOK);
    EXPECT_EQ(Octets(autre).size(), Octets(chemin).size() + 152);

    // Through "." or "..", or a symbolic link: the open recording itself.
    ASSERT_TRUE(QDir().mkpath(Chemin("sous")));
    ASSERT_TRUE(QFile::link(chemin, Chemin("lien.rec")));
    for (const char* meme : {"./essai.rec", "sous/../essai.rec", "lien.rec"}) {
        ASSERT_EQ(OUVRIR(chemin), LectureOK);
        const int32_t nouveaux = NouveauAnnot;
        const size_t longueur = Octets(chemin).size();
        Ajouter(300, "Meme");
        ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, Chemin(meme)), SauveAnnotOK) << meme;
        EXPECT_EQ(NouveauAnnot, nouveaux + 1) << meme;
        EXPECT_EQ(NombreAnnotEnPlus, 0);
        EXPECT_EQ(Octets(chemin).size(), longueur + 152);
    }
    EXPECT_TRUE(QFileInfo(Chemin("lien.rec")).isSymLink());
}

TEST_F(SauveTest, TextOf124CharactersStaysTerminatedInTheFile) {
    const QString chemin = Ouvrir(Petit());
    const std::string texte(124, 'T');
    Ajouter(500, texte.c_str());
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK);
    const std::vector<uint8_t> o = Octets(chemin);
    const size_t record = o.size() - 152;
    for (size_t i = 23; i <= 146; ++i) ASSERT_EQ(o[record + i], 'T') << i;
    EXPECT_EQ(o[record + 147], 0);
    const tRelu r = Relire(chemin);
    ASSERT_EQ(r.Nouvelle.size(), 2u);
    EXPECT_EQ(std::string(r.Nouvelle[1].TexteAnnot), texte);
}

// A TKAR recording filled up to the last record its 16-bit size allows: the
// file takes it and reads it back; the next addition is refused.
TEST_F(SauveTest, TkarAreaFilledToItsLimitReadsBack) {
    recmaker::Enregistrement e = Petit(2000, FamilleTKAR);
    e.AnnotationsAnciennes = {{8, "Ancienne"}};
    const recmaker::AnnotationNouvelle modele = e.AnnotationsNouvelles[0];
    e.AnnotationsNouvelles.assign(429, modele); // 44 + 429 x 152 = 65252
    const QString chemin = Ouvrir(e);
    ASSERT_EQ(AncienAnnot, 1);
    ASSERT_EQ(NouveauAnnot, 429);
    Ajouter(500, "Derniere"); // 65404
    std::strcpy(Config.TexteAnnotation, "De trop");
    EXPECT_EQ(CREATION_ANNOTATION(Clic(600), 0), AnnotRefusee); // 65556
    ASSERT_EQ(Boites.Appels.size(), 1u);
    ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK);
    const std::vector<uint8_t> o = Octets(chemin);
    EXPECT_EQ(Mot16(o, 38), 65404);
    const tRelu r = Relire(chemin);
    EXPECT_EQ(r.Anciens, 1);
    ASSERT_EQ(r.Nouveaux, 430);
    EXPECT_STREQ(r.Nouvelle[429].TexteAnnot, "Derniere");
}

// The records are appended after the file's own area, which must hold what
// the tables describe. TKAR reads from the area's start: bytes after its
// records would shift the new ones, so the save is refused and nothing changes.
// TKOS and VEL read from its end: bytes before the records stay where they are.
TEST_F(SauveTest, AreaWithStrayBytesIsExtendedOnlyWhereTheReaderStillFindsTheRecords) {
    for (const FamilleREC famille : {FamilleTKAR, FamilleTKOS, FamilleVEL}) {
        SCOPED_TRACE(famille);
        Boites.Appels.clear();
        recmaker::Plan plan;
        std::vector<uint8_t> o = recmaker::Construire(Petit(3000, famille), &plan);
        // 10 stray bytes: after the records (TKAR), before them (TKOS, VEL).
        const int64_t ou = famille == FamilleTKAR ? plan.Taille : plan.DebutAnnotations;
        o.insert(o.begin() + ou, 10, 0xEE);
        const size_t champ = famille == FamilleTKAR ? 38 : famille == FamilleTKOS ? 44 : 60;
        o[champ] = static_cast<uint8_t>(o[champ] + 10);
        const QString chemin = Chemin("parasite.rec");
        {
            QFile f(chemin);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(f.write(reinterpret_cast<const char*>(o.data()), static_cast<qint64>(o.size())),
                      static_cast<qint64>(o.size()));
        }
        ASSERT_EQ(OUVRIR(chemin), LectureOK) << Ouvre.CauseErreur;
        ASSERT_EQ(NouveauAnnot, 1);
        Ajouter(400, "Ajout");
        const std::vector<tTabAnnotMemNew> attendue = TableNouvelle();
        if (famille == FamilleTKAR) {
            EXPECT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotErreur);
            EXPECT_EQ(Octets(chemin), o);
            EXPECT_EQ(NombreAnnotEnPlus, 1);
            ASSERT_EQ(Boites.Appels.size(), 1u);
            continue;
        }
        ASSERT_EQ(SAUVE_ANNOTATIONS(chemin, chemin), SauveAnnotOK);
        const tRelu r = Relire(chemin);
        EXPECT_EQ(r.Nouveaux, 2);
        EXPECT_TRUE(MemesRecords(r.Nouvelle, attendue));
        EXPECT_EQ(Mot32(Octets(chemin), champ), 10 + 2 * 152);
    }
}

TEST_F(SauveTest, SaveDialogIsAskedWithTheRecordingsFolderAndName) {
    const QString chemin = Ouvrir(Petit());
    std::strcpy(RepertoireSetUp, QFile::encodeName(Chemin("")).constData());
    Ajouter(200, "Un");
    struct tQuestion {
        QString Titre, Dossier, Nom, Filtre;
    } q;
    QString reponse;
    const tDemandeEnregistrementAnnot demander = [&](const QString& titre, const QString& dossier,
                                                     const QString& nom, const QString& filtre) {
        q = {titre, dossier, nom, filtre};
        return reponse;
    };
    // Cancelled: nothing written, nothing shown.
    EXPECT_EQ(SAVE_ANNOT(demander, chemin, QStringLiteral("/ailleurs/Essai.rec")), SauveAnnotErreur);
    EXPECT_EQ(q.Titre, QStringLiteral(" "));
    EXPECT_EQ(q.Dossier, Chemin(""));
    EXPECT_EQ(q.Nom, QStringLiteral("Essai.rec"));
    EXPECT_EQ(q.Filtre, QStringLiteral("file *.rec |*.rec"));
    EXPECT_TRUE(Boites.Appels.empty());
    EXPECT_EQ(NombreAnnotEnPlus, 1);
    // Any extension becomes ".rec".
    reponse = Chemin("sortie.txt");
    EXPECT_EQ(SAVE_ANNOT(demander, chemin, chemin), SauveAnnotOK);
    EXPECT_TRUE(QFile::exists(Chemin("sortie.rec")));
    EXPECT_FALSE(QFile::exists(Chemin("sortie.txt")));
    EXPECT_EQ(NombreAnnotEnPlus, 1) << "a copy";
    // The recording's own name: in place.
    reponse = chemin;
    EXPECT_EQ(SAVE_ANNOT(demander, chemin, chemin), SauveAnnotOK);
    EXPECT_EQ(NombreAnnotEnPlus, 0);
}

TEST(NomCibleAnnot, FolderAndNameWithoutExtensionThenRec) {
    const struct {
        const char* Choisi;
        const char* Cible;
    } cas[] = {
        {"/d/essai.rec", "/d/essai.rec"},
        {"/d/essai", "/d/essai.rec"},
        {"/d/essai.txt", "/d/essai.rec"},
        {"/d/a.b.rec", "/d/a.b.rec"},
        {"/d//sous/essai.REC", "/d/sous/essai.rec"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(NOM_CIBLE_ANNOT(QString::fromUtf8(c.Choisi)), QString::fromUtf8(c.Cible)) << c.Choisi;
}

} // namespace
