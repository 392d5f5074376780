// Time cursors on their transparent layer, the time arrow, the value that
// follows a cursor, and the amplitude cursors.
#include "graph/SurcoucheTestUtil.h"

namespace {

using namespace surcouche_test;

class CurseurTrace : public BancSurcouche {
protected:
    void SetUp() override {
        BancSurcouche::SetUp();
        Voies(2);
        G->ValiditeCurseur = 1;
        Config.BoiteCurseur = 0;
        Config.ValeurSuitCurseur = 0;
    }
    QImage Tracer(double c1, double c2, uint8_t tenu = 0) {
        QImage couche = G->COUCHE_CURSEUR();
        auto p = Peintre(couche);
        G->TRACE_CURSEUR(*p, c1, c2, tenu);
        p->end();
        return couche;
    }
    QImage TracerY() {
        QImage couche = G->COUCHE_CURSEUR();
        auto p = Peintre(couche);
        G->TRACE_CURSEUR_Y(*p);
        p->end();
        return couche;
    }
    // Two zones split at 100/200; channel 1 in the lower one (y 205..405).
    void DeuxZones() {
        Config.ReticEcran.NbEcran = 2;
        Config.ReticEcran.HautEcran[0] = 0;
        Config.ReticEcran.BasEcran[0] = 100;
        Config.ReticEcran.HautEcran[1] = 100;
        Config.ReticEcran.BasEcran[1] = 200;
        Config.ReticEcran.EcranVoie[0] = 1;
        Config.ReticEcran.EcranVoie[1] = 2;
        Config.VoieCurseurY = 1;
    }
    // Pixels of a run along a line, '1' where drawn.
    static std::string Motif(const QImage& im, int x, int y, int dx, int dy, int n) {
        std::string s;
        for (int k = 0; k < n; ++k) s += qAlpha(im.pixel(x + k * dx, y + k * dy)) != 0 ? '1' : '0';
        return s;
    }
    const QRgb Curseur = 0xFF804000u;
};

TEST_F(CurseurTrace, CoucheTransparenteHorsDesTraitsEtImageIntacte) {
    G->gp->fillRect(50, 50, 100, 100, QColor(Qt::green)); // something already in the picture
    const QImage avant = G->NewBitmap.copy();
    const QImage couche = Tracer(0.3, 0.6);
    EXPECT_EQ(G->NewBitmap, avant);
    ASSERT_EQ(couche.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(couche.size(), G->NewBitmap.size());
    // Only the two vertical lines x = 125 and x = 245 over the plot height.
    const QRegion traits = QRegion(125, 5, 1, 401) + QRegion(245, 5, 1, 401);
    EXPECT_EQ(Opaques(couche, traits), 0);
    EXPECT_EQ(couche.pixel(125, 5), Curseur);
    // C1: dash 4, gap 1, dash 2, gap 1; C2: dash 1, gap 1.
    EXPECT_EQ(Motif(couche, 125, 5, 0, 1, 16), "1111011011110110");
    EXPECT_EQ(Motif(couche, 245, 5, 0, 1, 16), "1010101010101010");
}

TEST_F(CurseurTrace, CurseursHorizontauxDuModeXY) {
    Config.ModeXY = 1;
    Config.CurseurXY = 1;
    Config.ValeurSuitCurseur = 1; // no label and no arrow in XY mode
    const QImage couche = Tracer(0.25, 0.5);
    const QRegion traits = QRegion(5, 105, 401, 1) + QRegion(5, 205, 401, 1);
    EXPECT_EQ(Opaques(couche, traits), 0);
    EXPECT_EQ(Motif(couche, 5, 105, 1, 0, 8), "11110110");
    EXPECT_EQ(Motif(couche, 5, 205, 1, 0, 8), "10101010");
}

TEST_F(CurseurTrace, CurseurNegatifAuBordGauche) {
    const QImage couche = Tracer(-0.4, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(Opaques(couche, QRegion(5, 5, 1, 401)), 0);
    EXPECT_EQ(couche.pixel(5, 5), Curseur);
}

TEST_F(CurseurTrace, FlecheDeTempsDe500ms) {
    Config.ValeurSuitCurseur = 1;
    const QImage couche = Tracer(0.2, 0.7);
    const QFont f = Police();
    const int h = G->HAUTEUR_LIGNE(f);
    const int y = 5 + 400 - 2 - h;
    const int xa = 85, xb = 285;
    const int w = static_cast<int>(Largeur(QStringLiteral("500ms"))) + 3;
    const int x = (xa + xb) / 2 - w / 2;
    QColor etiquette(Qt::black);
    etiquette.setAlpha(192);
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("500ms"), f, etiquette, x, y, QColor(Qt::white)));
    // The label's background, the line at half opacity, both heads.
    EXPECT_EQ(couche.pixel(x + w - 1, y + h), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(couche.pixel(x + w + 1, y + h)), 0);
    EXPECT_EQ(qAlpha(couche.pixel(120, y)), 128);
    EXPECT_EQ(qRed(couche.pixel(120, y)), 0);
    EXPECT_GT(qAlpha(couche.pixel(xa + 3, y + 2)), 0);
    EXPECT_GT(qAlpha(couche.pixel(xa + 3, y - 2)), 0);
    EXPECT_GT(qAlpha(couche.pixel(xb - 3, y + 2)), 0);
    EXPECT_EQ(qAlpha(couche.pixel(xa + 2, y + 4)), 0);
    EXPECT_EQ(qAlpha(couche.pixel(xa - 1, y)), 0);
    EXPECT_EQ(qAlpha(couche.pixel(xb + 1, y)), 0);
}

TEST_F(CurseurTrace, FlecheInverseeEtCurseursProches) {
    Config.ValeurSuitCurseur = 1;
    const QFont f = Police();
    const int h = G->HAUTEUR_LIGNE(f);
    const int y = 5 + 400 - 2 - h;
    QColor etiquette(Qt::black);
    etiquette.setAlpha(192);

    // C2 left of C1: a negative time, the heads at the same two ends.
    QImage couche = Tracer(0.7, 0.2);
    const int w = static_cast<int>(Largeur(QStringLiteral("-500ms"))) + 3;
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("-500ms"), f, etiquette, 185 - w / 2, y, QColor(Qt::white)));
    EXPECT_GT(qAlpha(couche.pixel(85 + 3, y + 2)), 0);
    EXPECT_GT(qAlpha(couche.pixel(285 - 3, y - 2)), 0);

    // Two pixels apart: the heads overlap and each keeps its four pixels.
    couche = Tracer(0.5, 0.505);
    EXPECT_GT(qAlpha(couche.pixel(205 + 4, y + 3)), 0);
    EXPECT_GT(qAlpha(couche.pixel(207 - 4, y - 3)), 0);
}

TEST_F(CurseurTrace, ValeurQuiSuitLeCurseur) {
    Config.ValeurSuitCurseur = 1;
    Config.VoieSuitCurseur = 1; // second present channel
    Valeur(300, 1, 0.5);
    const QImage couche = Tracer(0.3, 0.95);
    const int x = 125, y = G->POSITION_Y(1, 0.5);
    ASSERT_EQ(y, 105);
    const int hauteur = H() + 4; // one line, the second empty
    const QString t = Complet(1, 0.5);
    EXPECT_TRUE(TexteEn(couche, t, Police(), surcouche::Couleur(Config.CouleurVoie[1]), x + 5,
                        y - hauteur + 1, QColor(Qt::white)));
    // The outline: left edge up from the anchor, top edge, the foot.
    EXPECT_EQ(couche.pixel(x, y - 2), qRgb(0, 0, 0));
    EXPECT_EQ(couche.pixel(x + 3, y - hauteur), qRgb(0, 0, 0));
    const int w = G->LongMessX(t) + 10;
    EXPECT_EQ(couche.pixel(x + w, y - hauteur + 2), qRgb(0, 0, 0));
    EXPECT_EQ(couche.pixel(x + w - 2, y - 5), qRgb(0, 0, 0));
    EXPECT_EQ(couche.pixel(x + w - 2, y - 6), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(couche.pixel(x + w + 1, y - 6)), 0);

    // A list position beyond the present channels follows channel 0.
    Config.VoieSuitCurseur = 9;
    Valeur(300, 0, -0.5);
    const QImage c0 = Tracer(0.3, 0.95);
    EXPECT_TRUE(TexteEn(c0, Complet(0, -0.5), Police(), surcouche::Couleur(Config.CouleurVoie[0]), x + 5,
                        G->POSITION_Y(0, -0.5) - hauteur + 1, QColor(Qt::white)));
}

TEST_F(CurseurTrace, DrapeauDeDeuxLignes) {
    QImage couche = G->COUCHE_CURSEUR();
    auto p = Peintre(couche);
    G->AFF_RESULTAT_CALCUL(*p, 100, 300, "Max", " 0.9000 V", 0);
    p->end();
    const QColor c = surcouche::Couleur(Config.CouleurVoie[0]);
    const int h = 2 * H() + 4;
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("Max"), Police(), c, 105, 300 - h + 1, QColor(Qt::white)));
    EXPECT_TRUE(
        TexteEn(couche, QStringLiteral(" 0.9000 V"), Police(), c, 105, 300 - h + H() + 1, QColor(Qt::white)));
    const int w = G->LongMessX(" 0.9000 V") + 10;
    EXPECT_EQ(couche.pixel(100 + w, 300 - h), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(couche.pixel(100 + w + 1, 300 - h)), 0);
    EXPECT_EQ(qAlpha(couche.pixel(100, 300 - h - 1)), 0);
}

TEST_F(CurseurTrace, CurseursDAmplitude) {
    DeuxZones();
    Plage(1, -10.0f, 10.0f);
    Config.PositionCurseurY1 = 0;
    Config.PositionCurseurY2 = 1000;
    const QImage couche = TracerY();
    // Y1 at the zone's top (dash 4, gap 1, dash 2, gap 1), Y2 at its bottom (dash 4, gap 6).
    EXPECT_EQ(Motif(couche, 149, 205, 1, 0, 16), "1111011011110110");
    EXPECT_EQ(Motif(couche, 145, 405, 1, 0, 20), "11110000001111000000");
    EXPECT_EQ(couche.pixel(149, 205), Curseur);
    const QColor c = surcouche::Couleur(Config.CouleurVoie[1]);
    // Labels above their lines: BorneMax at the top, BorneMin at the bottom,
    // written clear of the frame line (their background starts one pixel
    // right of it).
    const QRect fond(6, 0, 400, 480);
    const int x = 5 + EcartTexteTrait;
    EXPECT_TRUE(TexteEn(couche, Complet(1, 10.0), Police(), c, x, 205 - H(), QColor(Qt::white), false, fond));
    EXPECT_TRUE(
        TexteEn(couche, Complet(1, -10.0), Police(), c, x, 405 - H(), QColor(Qt::white), false, fond));
    const int w = static_cast<int>(Largeur(Complet(1, 10.0))) + EcartTexteTrait + 3;
    EXPECT_EQ(couche.pixel(5 + w, 205 - 1), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(couche.pixel(5 + w + 1, 205 - 1)), 0);
    // Nothing else on the layer.
    const QRegion dessine = QRegion(5, 205 - H(), 401, H() + 1) + QRegion(5, 405 - H(), 401, H() + 1);
    EXPECT_EQ(Opaques(couche, dessine), 0);

    Config.PositionCurseurY1 = 250;
    const QImage quart = TracerY();
    EXPECT_EQ(quart.pixel(5, 255), Curseur);
    EXPECT_TRUE(TexteEn(quart, Complet(1, 5.0), Police(), c, x, 255 - H(), QColor(Qt::white), false, fond));
}

TEST_F(CurseurTrace, CurseursDAmplitudeRepliesEtAbsents) {
    DeuxZones();
    // A channel beyond the filter list falls back to channel 0 (upper zone).
    Config.VoieCurseurY = 9;
    Config.PositionCurseurY1 = 0;
    Config.PositionCurseurY2 = 1000;
    QImage couche = TracerY();
    EXPECT_EQ(couche.pixel(149, 5), Curseur);
    EXPECT_EQ(couche.pixel(145, 205), Curseur);
    EXPECT_EQ(qAlpha(couche.pixel(145, 405)), 0);
    // Not in XY mode; not for a channel without a zone.
    Config.ModeXY = 1;
    EXPECT_EQ(Opaques(TracerY()), 0);
    Config.ModeXY = 0;
    Config.ReticEcran.EcranVoie[0] = 0;
    EXPECT_EQ(Opaques(TracerY()), 0);
}

TEST_F(CurseurTrace, ChangerUnCurseurDAmplitudeDepuisUnPixel) {
    DeuxZones();
    Config.PositionCurseurY1 = 123;
    Config.PositionCurseurY2 = 456;
    G->CHANGE_CURSEUR_Y(305, 2);
    EXPECT_EQ(Config.PositionCurseurY1, 500);
    G->CHANGE_CURSEUR_Y(100, 3); // above the zone
    EXPECT_EQ(Config.PositionCurseurY2, 0);
    G->CHANGE_CURSEUR_Y(1000, 3); // below it
    EXPECT_EQ(Config.PositionCurseurY2, 1000);
    G->CHANGE_CURSEUR_Y(300, 4);
    G->CHANGE_CURSEUR_Y(300, 0);
    EXPECT_EQ(Config.PositionCurseurY1, 500);
    EXPECT_EQ(Config.PositionCurseurY2, 1000);

    G->INIT_CURSEURS_Y(); // 10 pixels inside the zone of 200 pixels
    EXPECT_EQ(Config.PositionCurseurY1, 50);
    EXPECT_EQ(Config.PositionCurseurY2, 950);

    // A zone of no height, or none at all: the cursors stay.
    Config.ReticEcran.HautEcran[1] = 100;
    Config.ReticEcran.BasEcran[1] = 100;
    G->CHANGE_CURSEUR_Y(300, 2);
    EXPECT_EQ(Config.PositionCurseurY1, 50);
    Config.ReticEcran.EcranVoie[1] = 0;
    G->CHANGE_CURSEUR_Y(300, 2);
    G->INIT_CURSEURS_Y();
    EXPECT_EQ(Config.PositionCurseurY1, 50);
    EXPECT_EQ(Config.PositionCurseurY2, 950);
    Config.ReticEcran.EcranVoie[1] = 200; // beyond the zones
    G->CHANGE_CURSEUR_Y(300, 2);
    EXPECT_EQ(Config.PositionCurseurY1, 50);
}

TEST_F(CurseurTrace, CoucheDUneAutreResolution) {
    DeuxZones();
    Config.PositionCurseurY1 = 300;
    Config.PositionCurseurY2 = 700;
    const QImage reference = TracerY();
    QImage couche(G->NewBitmap.size(), QImage::Format_ARGB32_Premultiplied);
    couche.setDotsPerMeterX(2835); // 72 dots per inch
    couche.setDotsPerMeterY(2835);
    ASSERT_NE(couche.logicalDpiY(), reference.logicalDpiY());
    couche.fill(Qt::transparent);
    {
        auto p = Peintre(couche);
        G->TRACE_CURSEUR_Y(*p);
    }
    QImage a = couche, b = reference;
    a.setDotsPerMeterX(b.dotsPerMeterX());
    a.setDotsPerMeterY(b.dotsPerMeterY());
    EXPECT_EQ(a, b);
}

} // namespace
