// Cursor fractions to columns, times and pixels; amplitude-cursor positions;
// annotation abscissas in the displayed window.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/GeometrieCurseurs.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(CurseurGeometrie, ColonnesDesFractions) {
    const struct {
        double c;
        int colonne;
    } cas[] = {{0.2, 200}, {0.7, 700}, {0.0, 0}, {0.9995, 999}, {1.0, 999},
               {-0.5, 0},  {NaN, 0},   {Inf, 0}, {-Inf, 0},     {1e300, 999}};
    for (const auto& k : cas) EXPECT_EQ(COLONNE_CURSEUR(k.c), k.colonne) << k.c;
}

TEST(CurseurGeometrie, TempsDUneColonneParPasDeColonne) {
    EXPECT_DOUBLE_EQ(TEMPS_COLONNE(200, 1e6, 0.0), 200000.0);
    EXPECT_DOUBLE_EQ(TEMPS_COLONNE(700, 1e6, 0.0) - TEMPS_COLONNE(200, 1e6, 0.0), 500000.0);
    EXPECT_DOUBLE_EQ(TEMPS_COLONNE(0, 2e6, -1e6), -1e6);
}

TEST(CurseurGeometrie, FractionsEtPixels) {
    EXPECT_EQ(FRACTION_CURSEUR(-0.1), 0.0);
    EXPECT_EQ(FRACTION_CURSEUR(NaN), 0.0);
    EXPECT_EQ(FRACTION_CURSEUR(1.5), 1.5); // no upper limit
    EXPECT_EQ(PIXEL_CURSEUR(0.3, 5, 400), 125);
    EXPECT_EQ(PIXEL_CURSEUR(0.0, 5, 400), 5);
    EXPECT_EQ(PIXEL_CURSEUR(0.3333, 5, 400), 138); // truncated
    // Far outside the picture, still a defined integer.
    EXPECT_GT(PIXEL_CURSEUR(1e300, 5, 400), 1000000);
    EXPECT_EQ(PIXEL_CURSEUR(NaN, 5, 400), 5);
}

TEST(CurseurGeometrie, PositionCurseurYDepuisUnPixel) {
    // Zone from y = 205 to y = 405.
    const struct {
        int y;
        int position;
    } cas[] = {{205, 0}, {305, 500}, {405, 1000}, {306, 505}, {100, 0}, {2000, 1000}, {-40000, 0}};
    for (const auto& k : cas) {
        const auto p = POSITION_CURSEUR_Y(k.y, 205, 405);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(*p, k.position) << k.y;
    }
    EXPECT_FALSE(POSITION_CURSEUR_Y(300, 205, 205).has_value()); // zone of no height
}

TEST(CurseurGeometrie, OrdonneeEtValeurDUnCurseurY) {
    EXPECT_EQ(ORDONNEE_CURSEUR_Y(0, 205, 200), 205);
    EXPECT_EQ(ORDONNEE_CURSEUR_Y(500, 205, 200), 305);
    EXPECT_EQ(ORDONNEE_CURSEUR_Y(1000, 205, 200), 405);
    EXPECT_EQ(ORDONNEE_CURSEUR_Y(333, 205, 200), 271); // 205 + 66.6
    EXPECT_FLOAT_EQ(VALEUR_CURSEUR_Y(0, -10.0f, 10.0f), 10.0f);
    EXPECT_FLOAT_EQ(VALEUR_CURSEUR_Y(1000, -10.0f, 10.0f), -10.0f);
    EXPECT_FLOAT_EQ(VALEUR_CURSEUR_Y(250, -10.0f, 10.0f), 5.0f);
    EXPECT_FLOAT_EQ(VALEUR_CURSEUR_Y(400, 3.0f, 3.0f), 3.0f); // zero range
}

TEST(CurseurGeometrie, FenetreEtAbscissesDesAnnotations) {
    const tFenetreMots f = FENETRE_MOTS(2, 1000, 0.25, 0.5);
    EXPECT_EQ(f.Debut, 500);
    EXPECT_EQ(f.Fin, 1500);
    EXPECT_EQ(ABSCISSE_MOT(1000, f, 5, 400), 205);
    EXPECT_EQ(ABSCISSE_MOT(500, f, 5, 400), 5);
    EXPECT_EQ(ABSCISSE_MOT(1499, f, 5, 400), 404); // 400 x 999 / 1000 truncated

    EXPECT_TRUE(FENETRE_MOTS(2, 1000, 0.5, 0.0).Vide());
    EXPECT_TRUE(FENETRE_MOTS(0, 1000, 0.0, 1.0).Vide());
    EXPECT_TRUE(FENETRE_MOTS(2, 1000, NaN, 1.0).Vide());
    EXPECT_EQ(ABSCISSE_MOT(10, FENETRE_MOTS(2, 1000, 0.5, 0.0), 5, 400), 5);

    // A window of 2^62 words: 400 x (p - s) does not fit in 64 bits.
    const tFenetreMots g = FENETRE_MOTS(4, int64_t{1} << 60, 0.0, 1.0);
    EXPECT_EQ(g.Fin, int64_t{1} << 62);
    EXPECT_EQ(ABSCISSE_MOT(int64_t{1} << 61, g, 5, 400), 205);
}

} // namespace
