// Annotations over the traces: old and 152-byte records, the displayed window,
// the records that are never drawn, and texts shortened to their room.
#include <cstdio>

#include "graph/SurcoucheTestUtil.h"

namespace {

using namespace surcouche_test;

class Annot : public BancSurcouche {
protected:
    void SetUp() override {
        BancSurcouche::SetUp();
        // 2 words per scan, 1000 scans; the window shows words 500 to 1500.
        EnteteF.LongueurScan = 2;
        EnteteF.NombreScans = 1000;
        ::Setup.DebutFenetre = 0.25;
        ::Setup.LargeurFenetre = 0.5;
    }
    void Ancienne(int64_t p, const char* texte) {
        tTabAnnotMem& a = TabAnnotMem[AncienAnnot++];
        a = tTabAnnotMem{};
        a.PositionMot = p;
        std::snprintf(a.TexteAnnot, sizeof a.TexteAnnot, "%s", texte);
    }
    tTabAnnotMemNew& Nouvelle(int64_t p, const char* texte, uint8_t verticale = 1, int16_t hauteur = 0,
                              int32_t genre = GenreAnnotation, uint32_t couleur = 0x0000C000u) {
        tTabAnnotMemNew& a = TabAnnotMemNew[NouveauAnnot++];
        a = tTabAnnotMemNew{};
        a.PositionMot = p;
        a.GenreAnnot = genre;
        a.CouleurAnnot = static_cast<int32_t>(couleur);
        a.HauteurAnnot = hauteur;
        a.AnnotVerticale = verticale;
        std::snprintf(a.TexteAnnot, sizeof a.TexteAnnot, "%s", texte);
        return a;
    }
    QImage Dessiner() {
        G->AFF_ANNOT();
        return G->NewBitmap.copy();
    }
    static std::string Motif(const QImage& im, int x, int y, int dx, int dy, int n, QRgb c) {
        std::string s;
        for (int k = 0; k < n; ++k) s += im.pixel(x + k * dx, y + k * dy) == c ? '1' : '0';
        return s;
    }
    // The longest start of t no wider than `place`.
    QString Debut(const QString& t, double place) const {
        QString d = t;
        while (!d.isEmpty() && Largeur(d) > place) d.chop(1);
        return d;
    }
    const QColor Blanc = QColor(Qt::white);
    const QRgb Curseur = 0xFF804000u, Vert = 0xFF00C000u;
};

TEST_F(Annot, AnciennesEtNouvellesDansLaFenetre) {
    Ancienne(1000, "Event");
    Nouvelle(1250, "Valve");
    const QImage im = Dessiner();
    // Old record: dash-dot line at x = 400 x 500 / 1000 + 5, its text upwards from the bottom.
    EXPECT_EQ(Motif(im, 205, 5, 0, 1, 12, Curseur), "111010111010");
    EXPECT_TRUE(TexteEn(im, QStringLiteral("Event"), Police(), QColor(Curseur), 205, 405, Blanc, true,
                        QRect(206, 0, 640, 480)));
    // 152-byte record, vertical: its own colour, made opaque.
    EXPECT_EQ(Motif(im, 305, 5, 0, 1, 12, Vert), "111010111010");
    EXPECT_TRUE(TexteEn(im, QStringLiteral("Valve"), Police(), QColor(Vert), 305, 405, Blanc, true,
                        QRect(306, 0, 640, 480)));
}

TEST_F(Annot, BordsDeLaFenetre) {
    Ancienne(500, "Old start"); // exactly at the start: left out in the old format
    Ancienne(1500, "Old end");  // the end is outside
    Nouvelle(1500, "New end");
    Nouvelle(499, "Before");
    QImage im = Dessiner();
    EXPECT_EQ(im, [&] {
        QImage vide(im.size(), im.format());
        vide.fill(Blanc);
        return vide;
    }());
    Nouvelle(500, "New start"); // a 152-byte record there is drawn
    Ancienne(1499, "Old last");
    im = Dessiner();
    EXPECT_EQ(im.pixel(5, 5), Vert);
    EXPECT_EQ(im.pixel(404, 5), Curseur); // 400 x 999 / 1000 + 5
}

TEST_F(Annot, TitresEtAnnotationsMasqueesJamaisDessines) {
    const QImage vide = G->NewBitmap.copy();
    Nouvelle(1000, "My recording", 1, 0, GenreTitre);
    EXPECT_EQ(Dessiner(), vide);
    Nouvelle(1000, "Shown");
    Ancienne(1000, "Shown too");
    Config.AnnotationsMasquees = 1;
    EXPECT_EQ(Dessiner(), vide);
    Config.AnnotationsMasquees = 0;
    EXPECT_NE(Dessiner(), vide);
}

TEST_F(Annot, CroixEtTexteHorizontal) {
    Nouvelle(1000, "Peak", 0, 250); // a quarter of the plot height from its top
    const QImage im = Dessiner();
    const int x = 205, y = 105;
    // Two dash-dot strokes four pixels each side of the point (the drawing
    // library leaves out the first pixel of a stroke drawn upwards or leftwards).
    for (const std::string& m : {Motif(im, x, y - 4, 0, 1, 9, Vert), Motif(im, x - 4, y, 1, 0, 9, Vert)}) {
        EXPECT_EQ(m.substr(0, 8), "11010111") << m;
        EXPECT_EQ(std::count(m.begin(), m.end(), '1'), 6) << m;
    }
    EXPECT_EQ(im.pixel(x, y + 5), Blanc.rgb());
    EXPECT_EQ(im.pixel(x, y - 5), Blanc.rgb());
    EXPECT_EQ(im.pixel(x + 5, y), Blanc.rgb());
    EXPECT_EQ(im.pixel(x - 5, y), Blanc.rgb());
    // Above and to the right of the cross.
    EXPECT_TRUE(TexteEn(im, QStringLiteral("Peak"), Police(), QColor(Vert), x, y - H(), Blanc, false,
                        QRect(x + 1, 0, 640, 480)));
    EXPECT_TRUE(Trace(im, QRect(0, 0, 640, y - H()), Blanc.rgb()).isEmpty());
}

TEST_F(Annot, TextesRaccourcisALeurPlace) {
    const std::string long_(124, 'M');
    Nouvelle(1000, long_.c_str());
    Nouvelle(1450, "ABCDEFGHIJ", 0, 500); // x = 385: 20 pixels to the right edge
    const QImage im = Dessiner();
    const QString vertical = Debut(QString::fromLatin1(long_.c_str()), 400);
    ASSERT_LT(vertical.size(), 124);
    ASSERT_FALSE(vertical.isEmpty());
    EXPECT_TRUE(
        TexteEn(im, vertical, Police(), QColor(Vert), 205, 405, Blanc, true, QRect(206, 0, 640, 480)));
    const QRect encre = Trace(im, QRect(206, 0, H(), 480), Blanc.rgb());
    EXPECT_GE(encre.top(), 5);
    EXPECT_GT(encre.height(), 300);

    const QString horizontal = Debut(QStringLiteral("ABCDEFGHIJ"), 20);
    ASSERT_LT(horizontal.size(), 10);
    EXPECT_TRUE(TexteEn(im, horizontal, Police(), QColor(Vert), 385, 205 - H(), Blanc, false,
                        QRect(386, 0, 640, 480)));
    const QRect droite = Trace(im, QRect(386, 205 - H(), 200, H()), Blanc.rgb());
    EXPECT_FALSE(droite.isEmpty());
    EXPECT_LE(droite.right(), 405);

    // Old records keep their whole text.
    Ancienne(1100, "0123456789012345678901234567890");
    const QImage ancien = Dessiner();
    EXPECT_TRUE(TexteEn(ancien, QStringLiteral("0123456789012345678901234567890"), Police(), QColor(Curseur),
                        245, 405, Blanc, true, QRect(246, 0, 640, 480)));
}

TEST_F(Annot, TablesEtFenetresAbimeesSansDegat) {
    for (int k = 0; k < TailleTabAnnotMem; ++k) {
        TabAnnotMem[k].PositionMot = 500 + k % 1000;
        std::memset(TabAnnotMem[k].TexteAnnot, 'X', sizeof TabAnnotMem[k].TexteAnnot); // no NUL
    }
    for (int k = 0; k < TailleTabAnnotMemNew; ++k) {
        tTabAnnotMemNew& a = TabAnnotMemNew[k];
        a.PositionMot = 500 + k % 1000;
        a.GenreAnnot = 1;
        a.AnnotVerticale = static_cast<uint8_t>(k % 3);
        a.HauteurAnnot = static_cast<int16_t>(k % 2 == 0 ? -32768 : 32767);
        std::memset(a.TexteAnnot, 'Y', sizeof a.TexteAnnot);
    }
    AncienAnnot = 5000; // more than the tables hold
    NouveauAnnot = 6000;
    NombreAnnotEnPlus = 100;
    Dessiner();
    AncienAnnot = -3;
    NouveauAnnot = -7;
    NombreAnnotEnPlus = 2;
    Dessiner();

    // An empty window, a damaged one, and one of 2^62 words.
    const QImage vide = [&] {
        Surface(*G, 640, 480);
        return G->NewBitmap.copy();
    }();
    AncienAnnot = 10;
    ::Setup.LargeurFenetre = 0.0;
    EXPECT_EQ(Dessiner(), vide);
    ::Setup.DebutFenetre = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Dessiner(), vide);
    ::Setup.DebutFenetre = 0.0;
    ::Setup.LargeurFenetre = 1.0;
    EnteteF.LongueurScan = 4;
    EnteteF.NombreScans = int64_t{1} << 60;
    AncienAnnot = 0;
    NouveauAnnot = 0;
    NombreAnnotEnPlus = 0;
    Nouvelle(int64_t{1} << 61, "Half way");
    EXPECT_EQ(Dessiner().pixel(205, 5), Vert);
    G->ScrollY = 0; // no room for any text
    Dessiner();
}

} // namespace
