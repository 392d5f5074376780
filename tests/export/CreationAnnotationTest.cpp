// Creating an annotation from a click: its position in the displayed window,
// its height, its fields; the clicks that create nothing; the table and TKAR
// area limits; removing the last added ones.
#include "SauveAnnotTestUtil.h"

using namespace annot_test;

namespace {

// 4 words per scan, 1000 scans: 4000 words.
void Entete(int16_t famille = FamilleTKOS) {
    EnteteF.FamilleEnregistreur = famille;
    EnteteF.LongueurScan = 4;
    EnteteF.NombreScans = 1000;
}

class CreationTest : public AnnotTest {};

TEST_F(CreationTest, PositionAndHeightFollowTheClickInTheDisplayedWindow) {
    struct tCas {
        double Debut, Largeur;
        int X, Y;
        int64_t Position;
        int16_t Hauteur;
    } cas[] = {
        {0.0, 1.0, 100, 50, 0, 0},        // top-left corner of the plot
        {0.0, 1.0, 600, 350, 2000, 500},  // middle
        {0.0, 1.0, 1099, 649, 3996, 998}, // last pixel: f = 0.999
        {0.25, 0.5, 600, 200, 2000, 250}, // zoomed: words 1000..3000
        {0.25, 0.5, 350, 50, 1500, 0},    // f = 0.25 of the zoomed window
        {0.1, 0.3, 101, 50, 401, 0},      // trunc(1200 x 0.001 + 400)
        {0.0, 1.0, 600, 20, 2000, 0},     // above the plot: its top
        {0.0, 1.0, 600, 900, 2000, 1000}, // below the plot: its bottom
    };
    for (const tCas& c : cas) {
        RESET_ANNOTATIONS();
        Entete();
        ::Setup.DebutFenetre = c.Debut;
        ::Setup.LargeurFenetre = c.Largeur;
        ASSERT_EQ(CREATION_ANNOTATION(Clic(c.X, c.Y), 0), AnnotCreee);
        EXPECT_EQ(TabAnnotMemNew[0].PositionMot, c.Position) << c.X << " in " << c.Debut << "+" << c.Largeur;
        EXPECT_EQ(TabAnnotMemNew[0].HauteurAnnot, c.Hauteur) << c.Y;
    }
    EXPECT_TRUE(Boites.Appels.empty());
}

TEST_F(CreationTest, ClickOutsideTheWindowCreatesNothing) {
    Entete();
    NouveauAnnot = 2;
    for (const int x : {99, 1100, 1101, -5}) {
        EXPECT_EQ(CREATION_ANNOTATION(Clic(x), 0), AnnotHorsFenetre) << x;
    }
    // A plot of no width or height (nothing drawn yet).
    tClicAnnotation vide = Clic(100);
    vide.ScrollX = 0;
    EXPECT_EQ(CREATION_ANNOTATION(vide, 0), AnnotHorsFenetre);
    vide = Clic(100);
    vide.ScrollY = 0;
    EXPECT_EQ(CREATION_ANNOTATION(vide, 0), AnnotHorsFenetre);
    EXPECT_EQ(NombreAnnotEnPlus, 0);
    EXPECT_EQ(NouveauAnnot, 2);
    EXPECT_TRUE(Boites.Appels.empty());
}

TEST_F(CreationTest, RecordTakesTheSettingsAndGoesAfterTheRecordsOfTheFile) {
    Entete();
    NouveauAnnot = 3;
    NombreAnnotEnPlus = 1;
    // Stale bytes of a removed record in the slot the new one takes.
    std::memset(&TabAnnotMemNew[4], 0x5A, sizeof TabAnnotMemNew[4]);
    std::strcpy(Config.TexteAnnotation, "Vanne \xE9tanche");
    Config.CouleurAnnotation = static_cast<int32_t>(0xFF123456u);
    ASSERT_EQ(CREATION_ANNOTATION(Clic(600), 1), AnnotCreee);
    EXPECT_EQ(NombreAnnotEnPlus, 2);
    EXPECT_EQ(NouveauAnnot, 3);

    const tTabAnnotMemNew& a = TabAnnotMemNew[4];
    EXPECT_EQ(a.PositionMot, 2000);
    EXPECT_EQ(a.GenreAnnot, GenreAnnotation);
    EXPECT_EQ(static_cast<uint32_t>(a.CouleurAnnot), 0xFF123456u);
    EXPECT_EQ(a.HauteurAnnot, 500);
    EXPECT_EQ(a.AnnotVerticale, 1);
    EXPECT_STREQ(a.TexteAnnot, "Vanne \xE9tanche");
    // Every other byte, reserved ones included, is 0.
    tTabAnnotMemNew attendu{};
    attendu.PositionMot = 2000;
    attendu.GenreAnnot = GenreAnnotation;
    attendu.CouleurAnnot = static_cast<int32_t>(0xFF123456u);
    attendu.HauteurAnnot = 500;
    attendu.AnnotVerticale = 1;
    std::strcpy(attendu.TexteAnnot, "Vanne \xE9tanche");
    EXPECT_EQ(std::memcmp(&attendu, &a, sizeof a), 0);
}

TEST_F(CreationTest, TextIsCutTo124CharactersAndStaysTerminated) {
    Entete();
    for (const size_t longueur : {size_t{124}, size_t{127}}) {
        RESET_ANNOTATIONS();
        std::memset(Config.TexteAnnotation, 0, sizeof Config.TexteAnnotation);
        std::memset(Config.TexteAnnotation, 'x', longueur);
        ASSERT_EQ(CREATION_ANNOTATION(Clic(600), 0), AnnotCreee);
        const auto* octets = reinterpret_cast<const uint8_t*>(&TabAnnotMemNew[0]);
        for (int i = 23; i <= 146; ++i) ASSERT_EQ(octets[i], 'x') << i;
        EXPECT_EQ(octets[147], 0) << longueur;
        EXPECT_EQ(std::strlen(TabAnnotMemNew[0].TexteAnnot), 124u);
    }
}

TEST_F(CreationTest, FullTableRefusesTheAdditionWithAMessage) {
    Entete(FamilleVEL);
    NouveauAnnot = TailleTabAnnotMemNew - 2;
    ASSERT_EQ(CREATION_ANNOTATION(Clic(600), 0), AnnotCreee);
    ASSERT_EQ(CREATION_ANNOTATION(Clic(700), 0), AnnotCreee);
    EXPECT_TRUE(Boites.Appels.empty());
    const tTabAnnotMemNew dernier = TabAnnotMemNew[TailleTabAnnotMemNew - 1];
    EXPECT_EQ(CREATION_ANNOTATION(Clic(800), 0), AnnotRefusee);
    EXPECT_EQ(NombreAnnotEnPlus, 2);
    EXPECT_EQ(std::memcmp(&dernier, &TabAnnotMemNew[TailleTabAnnotMemNew - 1], sizeof dernier), 0);
    ASSERT_EQ(Boites.Appels.size(), 1u);
    EXPECT_EQ(Boites.TEXTES()[0], "Maximum number of annotations reached: the annotation was not added");
    EXPECT_EQ(Boites.TITRES()[0], "Error");
    // Removing one makes room again.
    EXPECT_TRUE(EFFACE_ANNOT());
    EXPECT_EQ(CREATION_ANNOTATION(Clic(800), 0), AnnotCreee);
}

TEST_F(CreationTest, TkarAreaNeverOutgrowsItsSixteenBitSize) {
    // 2 old records and 3 of 152 bytes: 544 bytes; 427 more fit (65448), the next would make 65600.
    for (const int16_t famille : {int16_t{FamilleTKAR}, int16_t{FamilleTKOS}}) {
        RESET_ANNOTATIONS();
        Boites.Appels.clear();
        Entete(famille);
        AncienAnnot = 2;
        NouveauAnnot = 3;
        int ajoutes = 0;
        while (ajoutes < 500 && CREATION_ANNOTATION(Clic(600), 0) == AnnotCreee) ++ajoutes;
        if (famille == FamilleTKAR) {
            EXPECT_EQ(ajoutes, 427);
            EXPECT_EQ(TAILLE_ZONE_ANNOT(), 65448);
            ASSERT_EQ(Boites.Appels.size(), 1u);
        } else {
            EXPECT_EQ(ajoutes, 500) << "no 16-bit field in this family";
            EXPECT_TRUE(Boites.Appels.empty());
        }
    }
}

TEST_F(CreationTest, DeleteDropsTheLastAddedRecordsOnly) {
    Entete();
    NouveauAnnot = 1;
    EXPECT_FALSE(EFFACE_ANNOT());
    std::strcpy(Config.TexteAnnotation, "A");
    ASSERT_EQ(CREATION_ANNOTATION(Clic(200), 0), AnnotCreee);
    std::strcpy(Config.TexteAnnotation, "B");
    ASSERT_EQ(CREATION_ANNOTATION(Clic(300), 0), AnnotCreee);
    EXPECT_TRUE(EFFACE_ANNOT());
    EXPECT_EQ(NombreAnnotEnPlus, 1);
    EXPECT_STREQ(TabAnnotMemNew[1].TexteAnnot, "A");
    EXPECT_TRUE(EFFACE_ANNOT());
    EXPECT_FALSE(EFFACE_ANNOT());
    EXPECT_EQ(NombreAnnotEnPlus, 0);
    EXPECT_EQ(NouveauAnnot, 1) << "the records of the file stay";
}

} // namespace
