// Geometry of the picture without drawing: time divisions, division lines and
// label instants, trace ordinates, logic lanes, the plot and cursor-box layout.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "config/Reticule.h"
#include "graph/GeometrieGraphe.h"

namespace {

constexpr double Minute = 6e7, Heure = 3.6e9, Jour = 8.64e10;

struct CasDivision {
    const char* Nom;
    double TempsTotal;
    double Division;
};

TEST(DessinDivisions, StepsAndCalendarCorrections) {
    const CasDivision cas[] = {
        {"one second", 1e6, 1e5},
        {"35 s: 3.5 steps to 5", 35e6, 5e6},
        {"300 min: fifty minutes become one hour", 300 * Minute, Heure},
        {"150 h: ten tenths of a day, exactly one day", 150 * Heure, Jour},
        {"300 h: two days is not above two days", 300 * Heure, Jour},
        {"2 ms", 2000.0, 200.0},
        {"7 us: step 10 of a tenth", 7.0, 1.0},
        {"1000 days: ten days in single precision", 1000 * Jour, 8.64e11},
    };
    for (const CasDivision& c : cas) {
        const tDivisionsTemps d = CALCUL_DIVISIONS(0.0, c.TempsTotal);
        EXPECT_NEAR(d.BDT_Division, c.Division, c.Division * 1e-6) << c.Nom;
        EXPECT_EQ(d.PremiereDiv, 0.0) << c.Nom;
    }
    // Corrected values are exact.
    EXPECT_EQ(CALCUL_DIVISIONS(0.0, 300 * Minute).BDT_Division, 3.6e9);
    EXPECT_EQ(CALCUL_DIVISIONS(0.0, 150 * Heure).BDT_Division, 8.64e10);
    EXPECT_EQ(CALCUL_DIVISIONS(0.0, 300 * Heure).BDT_Division, 8.64e10);
    EXPECT_EQ(CALCUL_DIVISIONS(0.0, 35e6).BDT_Division, 5e6);
}

TEST(DessinDivisions, DegenerateSpansStayFinite) {
    const double nan = std::numeric_limits<double>::quiet_NaN(),
                 inf = std::numeric_limits<double>::infinity();
    for (const double total : {0.0, -5.0, 1e-30, nan, inf, 1e300}) {
        const tDivisionsTemps d = CALCUL_DIVISIONS(123.0, total);
        EXPECT_TRUE(std::isfinite(d.BDT_Division) && d.BDT_Division > 0.0) << total;
        EXPECT_TRUE(std::isfinite(d.PremiereDiv)) << total;
        EXPECT_TRUE(std::isfinite(d.TempsTotal) || total == inf) << total;
    }
    EXPECT_EQ(CALCUL_DIVISIONS(0.0, 0.0).TempsTotal, 1.0); // below 1e-20: one microsecond
    // A start whose quotient does not fit in 32 bits still puts the lines on multiples.
    const tDivisionsTemps loin = CALCUL_DIVISIONS(1e18 + 250.0, 1000.0);
    EXPECT_GE(loin.PremiereDiv, 0.0);
    EXPECT_LT(loin.PremiereDiv, loin.BDT_Division + 1e3);
}

TEST(DessinDivisions, LinesOnMultiplesOfTheDivision) {
    // Start at 250 ms, one-second window: 100 ms divisions, offset 50 ms.
    const tDivisionsTemps d = CALCUL_DIVISIONS(250000.0, 1e6);
    EXPECT_EQ(d.BDT_Division, 1e5);
    EXPECT_DOUBLE_EQ(d.PremiereDiv, 50000.0);
    const auto x = LIGNES_VERTICALES(250000.0, 1e6, d.PremiereDiv, d.BDT_Division, 5, 1000);
    ASSERT_FALSE(x.empty());
    EXPECT_EQ(x.front(), 5 + 50); // 300 ms, the first multiple strictly inside
    EXPECT_EQ(x.size(), 10u);
    // A negative start (pre-trigger): truncation toward zero, lines on multiples.
    const tDivisionsTemps n = CALCUL_DIVISIONS(-250000.0, 1e6);
    EXPECT_DOUBLE_EQ(n.PremiereDiv, -50000.0);
    EXPECT_EQ(LIGNES_VERTICALES(-250000.0, 1e6, n.PremiereDiv, 1e5, 0, 1000).front(), 50);
}

TEST(DessinDivisions, OneSecondWindowLinesAtTenths) {
    const auto x = LIGNES_VERTICALES(0.0, 1e6, 0.0, 1e5, 7, 900);
    ASSERT_EQ(x.size(), 9u); // the edges are frame lines, not division lines
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(x[k - 1], static_cast<int>(900 * (k * 1e5 / 1e6) + 7)) << k;
    // Labels: the left edge (f = 0) is written, the right edge too (f = 1 <= 1.0002).
    const auto e = INSTANTS_ETIQUETTES(0.0, 1e6, 0.0, 1e5);
    ASSERT_EQ(e.size(), 11u);
    EXPECT_EQ(e.front().Fraction, 0.0);
    EXPECT_EQ(e.back().Temps, 1e6);
}

TEST(DessinDivisions, LabelsStopAtThirtyLinesAtOneHundredOne) {
    const double total = 1000 * Jour;
    const tDivisionsTemps d = CALCUL_DIVISIONS(0.0, total); // ten days: 100 divisions
    EXPECT_EQ(INSTANTS_ETIQUETTES(0.0, total, d.PremiereDiv, d.BDT_Division).size(), 30u);
    EXPECT_EQ(LIGNES_VERTICALES(0.0, total, d.PremiereDiv, d.BDT_Division, 0, 1000).size(), 99u);
    // A zero span cannot loop for ever: at most 101 line instants.
    EXPECT_LE(LIGNES_VERTICALES(0.0, 1.0, 0.0, 1e-30, 0, 1000).size(), 101u);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(LIGNES_VERTICALES(0.0, nan, 0.0, 1e5, 0, 1000).empty());
    EXPECT_TRUE(INSTANTS_ETIQUETTES(0.0, nan, 0.0, 1e5).empty());
}

TEST(DessinDivisions, AbsoluteTimeOnClockMultiples) {
    EXPECT_DOUBLE_EQ(PREMIERE_DIV_ABSOLUE(1e6, 52327), -1e6); // next whole second
    EXPECT_DOUBLE_EQ(PREMIERE_DIV_ABSOLUE(5e6, 52327), -3e6); // 52330 is a multiple of 5
    EXPECT_DOUBLE_EQ(PREMIERE_DIV_ABSOLUE(8.64e10, 52327), -(86400.0 - 52327) * 1e6); // midnight
    EXPECT_DOUBLE_EQ(PREMIERE_DIV_ABSOLUE(8.64e11, 0), -86400e6);
    EXPECT_DOUBLE_EQ(PREMIERE_DIV_ABSOLUE(0.0, 10), -1e6); // a zero division counts as one second
}

TEST(DessinDivisions, XYAbscissaHasElevenLabels) {
    const auto f = FRACTIONS_XY();
    ASSERT_EQ(f.size(), 11u);
    for (size_t k = 0; k < f.size(); ++k) EXPECT_DOUBLE_EQ(f[k], k / 10.0);
}

TEST(DessinEtiquettes, CentredAndKeptInsideThePlot) {
    EXPECT_DOUBLE_EQ(GAUCHE_CENTREE(100, 40, 5), 80);
    EXPECT_DOUBLE_EQ(GAUCHE_CENTREE(10, 40, 5), 5);
    EXPECT_DOUBLE_EQ(GAUCHE_DANS_PLOT(990, 40, 5, 1000), 960);
    EXPECT_DOUBLE_EQ(GAUCHE_DANS_PLOT(10, 40, 5, 1000), 5);
}

TEST(DessinTraces, OrdinatesInTheRangeAndAtTheEdges) {
    const tZonePixels plein{0, 400};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct {
        double V;
        int Y;
    } const cas[] = {{0.0, 10 + 200}, {1.0, 10}, {7.0, 10}, {-1.0, 410}, {-3.0, 410}, {0.5, 110}, {nan, 410}};
    for (const auto& c : cas) {
        EXPECT_EQ(ORDONNEE_TRACE(c.V, -1.f, 1.f, plein, 10), c.Y) << c.V;
        EXPECT_EQ(ORDONNEE_SIMPLE(c.V, -1.f, 1.f, plein, 10), c.Y) << c.V;
    }
    // Zero range: every value lies on the zone's bottom edge.
    for (const double v : {2.0, 3.0, 4.0}) EXPECT_EQ(ORDONNEE_TRACE(v, 3.f, 3.f, plein, 10), 410) << v;
    // Zero-height zone: the top.
    EXPECT_EQ(ORDONNEE_TRACE(0.3, -1.f, 1.f, tZonePixels{50, 50}, 10), 60);
    // Huge values do not overflow.
    EXPECT_EQ(ORDONNEE_TRACE(-1e300, -1.f, 1.f, plein, 10), 410);
}

TEST(DessinTraces, SecondOfTwoZonesIsTheLowerHalf) {
    tReticEcran r{};
    RESET_RETICULE(&r);
    r.NbEcran = 2;
    r.HautEcran[0] = 0;
    r.BasEcran[0] = 100;
    r.HautEcran[1] = 100;
    r.BasEcran[1] = 200;
    const tZonePixels z = ZONE_PIXELS(r, 1, 401);
    EXPECT_EQ(z.Haut, 200); // 100 * 401 / 200
    EXPECT_EQ(z.Bas, 401);
    EXPECT_EQ(ORDONNEE_TRACE(1.0, -1.f, 1.f, z, 5), 205);
    EXPECT_EQ(ORDONNEE_TRACE(-1.0, -1.f, 1.f, z, 5), 406);
    EXPECT_EQ(LIGNE_HORIZONTALE(0, 8, z, 5), 205);
    EXPECT_EQ(LIGNE_HORIZONTALE(3, 8, z, 5), 3 * 201 / 8 + 205);
    EXPECT_EQ(LIGNE_HORIZONTALE(2, 0, z, 5), 205); // no divisions: no division by zero
}

TEST(DessinTraces, ColumnsPensAndXYPoints) {
    EXPECT_EQ(ABSCISSE_COLONNE(0, 5, 800), 5);
    EXPECT_EQ(ABSCISSE_COLONNE(999, 5, 800), 5 + 799);
    EXPECT_EQ(ABSCISSE_COLONNE(500, 5, 801), 5 + 400);
    EXPECT_DOUBLE_EQ(EPAISSEUR_TRACE(1), 4.0 / 3.0);
    EXPECT_DOUBLE_EQ(EPAISSEUR_TRACE(8), 11.0 / 3.0);
    EXPECT_DOUBLE_EQ(EPAISSEUR_XY(8), 1.0);
    EXPECT_DOUBLE_EQ(EPAISSEUR_XY(0), 0.0);

    const tPointXY milieu = POINT_XY(0.0, -1.f, 1.f, 5.0, 0.f, 10.f, 5, 20, 400, 400);
    EXPECT_EQ(milieu.X, 5 + 200);
    EXPECT_EQ(milieu.Y, 20 + 200);
    const tPointXY dehors = POINT_XY(9.0, -1.f, 1.f, -3.0, 0.f, 10.f, 5, 20, 400, 400);
    EXPECT_EQ(dehors.X, 5);
    EXPECT_EQ(dehors.Y, 20); // limited to the plot
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const tPointXY invalide = POINT_XY(nan, 1.f, 1.f, nan, 2.f, 2.f, 5, 20, 400, 400);
    EXPECT_EQ(invalide.X, 5);
    EXPECT_EQ(invalide.Y, 420);
}

TEST(DessinTraces, LogicLanes) {
    // Band of 50/200 at the bottom, 16 inputs, plot of 400: lanes of 6 pixels.
    const tBandeLogique b = BANDE_LOGIQUE(10, 400, 1, 50, 16);
    EXPECT_EQ(b.Voie, 6);
    EXPECT_EQ(b.Haut, 10 + 300);
    const tBandeLogique haut = BANDE_LOGIQUE(10, 400, 0, 50, 3);
    EXPECT_EQ(haut.Haut, 10);
    EXPECT_EQ(haut.Voie, 400 * 50 / 3 / 200);
    EXPECT_EQ(BANDE_LOGIQUE(0, 400, 0, 50, 0).Voie, 100); // no count: the whole band
    EXPECT_EQ(BANDE_LOGIQUE(0, 50, 0, 50, 16).Voie, 4);   // at least 4 pixels
}

// ---- Layout -------------------------------------------------------------------

tEntreeDisposition Entree() {
    tEntreeDisposition e;
    e.LargeurImage = 1000;
    e.HauteurImage = 600;
    e.HauteurCarac = 15;
    e.LongueurBorne = 100;
    e.ValiditeCurseur = true;
    e.LignesCurseur = 3;
    e.NombreVoieCurseur = 10;
    e.LongueurCote = 150;
    return e;
}

TEST(DessinDisposition, PlotWithoutCursors) {
    tEntreeDisposition e = Entree();
    e.ValiditeCurseur = false;
    e.HauteurTitre = 30;
    const tDisposition d = DISPOSITION(e);
    EXPECT_EQ(d.DebutScrollX, 5);
    EXPECT_EQ(d.DebutScrollY, 35);
    EXPECT_EQ(d.ScrollX, 1000 - 10 - 100);
    EXPECT_EQ(d.ScrollY, 600 - 5 - 15 - 35);
    EXPECT_EQ(d.NombreVoieCurseurTotal, 3);
    e.LigneDate = true;
    EXPECT_EQ(DISPOSITION(e).ScrollY, 600 - 5 - 15 - 35 - 15);
}

TEST(DessinDisposition, BoxSides) {
    tEntreeDisposition e = Entree();
    // Top: the plot moves down by the box.
    e.PositionBoiteCurseur = 0;
    tDisposition d = DISPOSITION(e);
    EXPECT_EQ(d.HauteurCurseur, 5 * 15);
    EXPECT_EQ(d.PosCurseurY, 5);
    EXPECT_EQ(d.DebutScrollY, 5 + 75);
    EXPECT_EQ(d.ScrollY, 575 - 75);
    EXPECT_EQ(d.LongCurseur, d.ScrollX);
    EXPECT_EQ(d.NombreVoieCurseurVisu, 3);
    // Right.
    e.PositionBoiteCurseur = 1;
    d = DISPOSITION(e);
    EXPECT_EQ(d.ScrollX, 890 - 150);
    EXPECT_EQ(d.PosCurseurX, 1000 - 150);
    EXPECT_EQ(d.HauteurCurseur, 575);
    EXPECT_EQ(d.LongCurseur, 150);
    e.CurseurDansReticule = 1;
    d = DISPOSITION(e);
    EXPECT_EQ(d.ScrollX, 890);
    EXPECT_EQ(d.PosCurseurX, 5 - 150 + 890);
    // Left.
    e.CurseurDansReticule = 0;
    e.PositionBoiteCurseur = 3;
    d = DISPOSITION(e);
    EXPECT_EQ(d.DebutScrollX, 5 + 151);
    EXPECT_EQ(d.ScrollX, 890 - 150);
    EXPECT_EQ(d.PosCurseurX, 5);
    // No box shown: it overlays, nothing moves.
    e.BoiteCurseur = 0;
    d = DISPOSITION(e);
    EXPECT_EQ(d.DebutScrollX, 5);
    EXPECT_EQ(d.ScrollX, 890);
}

TEST(DessinDisposition, BottomBoxWithAbsoluteTimeIsTwoLinesBelowThePlot) {
    tEntreeDisposition e = Entree();
    e.PositionBoiteCurseur = 2;
    e.LigneDate = true;
    const tDisposition d = DISPOSITION(e);
    EXPECT_EQ(d.ScrollY, 560 - 75);
    EXPECT_EQ(d.PosCurseurY, d.DebutScrollY + d.ScrollY + 2 * 15);
    e.CurseurDansReticule = 1;
    const tDisposition dedans = DISPOSITION(e);
    EXPECT_EQ(dedans.ScrollY, 560);
    EXPECT_EQ(dedans.PosCurseurY, 5 - 75 + 560);
}

TEST(DessinDisposition, HorizontalBoxShrinksOnASmallPicture) {
    tEntreeDisposition e = Entree();
    e.LignesCurseur = 20;
    e.NombreVoieCurseur = 30;
    e.HauteurImage = 300; // ScrollY 275: (275 / 2) / 15 = 9 lines, 7 channels
    tDisposition d = DISPOSITION(e);
    EXPECT_EQ(d.NombreVoieCurseurVisu, 7);
    EXPECT_EQ(d.HauteurCurseur, 9 * 15);
    EXPECT_EQ(d.NombreVoieCurseurTotal, 20);
    e.HauteurImage = 120; // ScrollY 95: 47 / 15 = 3, one line
    d = DISPOSITION(e);
    EXPECT_EQ(d.NombreVoieCurseurVisu, 1);
    EXPECT_EQ(d.HauteurCurseur, 3 * 15);
    // Limited to NombreVoieCurseur first.
    e.HauteurImage = 2000;
    e.NombreVoieCurseur = 10;
    EXPECT_EQ(DISPOSITION(e).NombreVoieCurseurVisu, 10);
    // A side box keeps the previous count.
    e.PositionBoiteCurseur = 1;
    e.VisuPrecedent = 4;
    EXPECT_EQ(DISPOSITION(e).NombreVoieCurseurVisu, 4);
}

TEST(DessinDisposition, XYIsSquareAndTinyPicturesDoNotDivideByZero) {
    tEntreeDisposition e = Entree();
    e.ModeXY = true;
    const tDisposition d = DISPOSITION(e);
    EXPECT_EQ(d.ScrollX, d.ScrollY);
    EXPECT_EQ(d.ScrollX, 500);
    e.ModeXY = false;
    e.HauteurImage = 3;
    e.HauteurCarac = 0;
    const tDisposition t = DISPOSITION(e);
    EXPECT_LT(t.ScrollY, 0);
    EXPECT_EQ(t.NombreVoieCurseurVisu, 1);
}

} // namespace
