// Pixels of drawn pictures: graticule, time labels, traces in their zones,
// logic lanes, the XY display, and pictures that must not fail.
#include "DessinTestUtil.h"

#include <QFontInfo>

#include "config/OnOff.h"
#include "config/Reticule.h"
#include "graph/GeometrieGraphe.h"
#include "recording/TexteTemps.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Texte8.h"

namespace graphe_test {
namespace {

using recmaker::Carre;
using recmaker::Constant;
using recmaker::Rampe;
using recmaker::Sinus;

constexpr int32_t Noir = static_cast<int32_t>(0xFF000000u);

// Pixels of a column (or row) segment having a colour.
int Compte(const QImage& im, int x0, int y0, int x1, int y1, int32_t couleur) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (x >= 0 && y >= 0 && x < im.width() && y < im.height() && MemeCouleur(im.pixel(x, y), couleur))
                ++n;
    return n;
}

// Pixels darker than mid-grey (text drawn in black, smoothed) in a rectangle.
int Sombres(const QImage& im, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = std::max(y0, 0); y <= std::min(y1, im.height() - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, im.width() - 1); ++x)
            if (qGray(im.pixel(x, y)) < 128) ++n;
    return n;
}

TEST_F(DessinTest, GraticuleOfAOneSecondWindow) {
    SansEnregistrement();
    const QImage& im = Dessiner(1100, 500);
    const grapheft& g = *Graphe;
    ASSERT_FALSE(im.isNull());
    EXPECT_EQ(im.size(), QSize(1100, 500));
    EXPECT_EQ(g.BDT_Division, 1e5);
    const int haut = g.DebutScrollY, bas = g.DebutScrollY + g.ScrollY;
    const int gauche = g.DebutScrollX, droite = g.DebutScrollX + g.ScrollX;
    std::vector<int> lignesH;
    for (int k = 0; k < 10; ++k) lignesH.push_back(LIGNE_HORIZONTALE(k, 10, tZonePixels{0, g.ScrollY}, haut));

    // Division lines at tenths: one pixel in four from the zone's top.
    for (int k = 1; k <= 9; ++k) {
        const int x = static_cast<int>(g.ScrollX * (k * 1e5 / 1e6) + g.DebutScrollX);
        for (int y = haut + 1; y < bas; ++y) {
            if (std::find(lignesH.begin(), lignesH.end(), y) != lignesH.end()) continue;
            EXPECT_EQ(MemeCouleur(im.pixel(x, y), Noir), (y - haut) % 4 == 0) << "k " << k << " y " << y;
            EXPECT_FALSE(MemeCouleur(im.pixel(x + 2, y), Noir)) << "k " << k << " y " << y;
        }
    }
    // Horizontal division lines: dash 1, gap 3 from the left edge.
    const int y3 = lignesH[3];
    for (int x = gauche + 1; x < gauche + 40; ++x)
        EXPECT_EQ(MemeCouleur(im.pixel(x, y3), Noir), (x - gauche) % 4 == 0) << x;
    // Frame: dash 4, gap 4 down the right edge.
    for (int y = haut; y < haut + 16; ++y) {
        if (std::find(lignesH.begin(), lignesH.end(), y) != lignesH.end()) continue;
        EXPECT_EQ(MemeCouleur(im.pixel(droite, y), Noir), (y - haut) % 8 < 4) << y;
    }
    // Bottom frame line along its first dash.
    EXPECT_EQ(Compte(im, gauche, bas, gauche + 3, bas, Noir), 4);
    EXPECT_EQ(Compte(im, gauche + 5, bas, gauche + 7, bas, Noir), 0);
}

TEST_F(DessinTest, TimeLabelsAndDivisionLabelWhereTheTextIsMeasured) {
    SansEnregistrement();
    const QImage& im = Dessiner(1100, 500);
    const grapheft& g = *Graphe;
    const int y0 = g.DebutScrollY + g.ScrollY + 1, y1 = y0 + g.HauteurCarac - 2;
    double fin = 0.0;
    for (const tInstantEtiquette& i :
         INSTANTS_ETIQUETTES(g.DebutTemps, g.TempsTotal, g.PremiereDiv, g.BDT_Division)) {
        char texte[64];
        CALCUL_TEMPS_TIME_BASE(texte, i.Temps, 100.0);
        const int w = g.LongMessX(texte);
        const double x = g.ScrollX * i.Fraction + g.DebutScrollX;
        const double gauche = GAUCHE_CENTREE(x, w, g.DebutScrollX);
        EXPECT_GT(Sombres(im, int(gauche), y0, int(gauche) + w, y1), 0) << texte;
        fin = gauche + w;
    }
    EXPECT_NEAR(fin, g.DebutScrollX + g.ScrollX + g.LongMessX("1s") / 2.0, 1.0); // "1s" centred on the edge
    char division[64];
    CALCUL_TEMPS_TIME_BASE(division, g.BDT_Division, 100.0);
    const QString texte = DepuisCp1252(division) + QStringLiteral("/div");
    EXPECT_EQ(texte, QStringLiteral("100ms/div"));
    const double gaucheDiv = std::max<double>(g.DebutScrollX + g.ScrollX, fin + g.LongMessX("  "));
    EXPECT_GT(Sombres(im, int(gaucheDiv), y0, int(gaucheDiv) + g.LongMessX(texte), y1), 0);
    // Nothing between the last label and the division label.
    EXPECT_EQ(Sombres(im, int(fin) + 2, y0, int(gaucheDiv) - 2, y1), 0);
    // AFF_TIME_BASE returns the division label's width.
    EXPECT_EQ(Graphe->AFF_TIME_BASE(0), g.LongMessX(texte));
}

TEST_F(DessinTest, AbsoluteTimeTakesADateLineAndFollowsTheClock) {
    SansEnregistrement();
    Config.TempsAbsolu = 1;
    Graphe->DateTrigger = QDateTime(QDate(2024, 6, 15), QTime(14, 32, 7, 250));
    const QImage& im = Dessiner(1100, 500);
    const grapheft& g = *Graphe;
    EXPECT_EQ(QFontInfo(*g.FontBaseDetemps).family(), QStringLiteral("Liberation Sans")); // "Arial"
    EXPECT_EQ(g.ScrollY, 500 - 5 - 2 * g.HauteurCarac - g.DebutScrollY);
    // 14:32:07 is second 52327 of the day: the next tenth of a second after it.
    EXPECT_NEAR(g.PremiereDiv, -1e5, 1e-3);
    const int y = g.DebutScrollY + g.ScrollY;
    EXPECT_GT(Sombres(im, g.DebutScrollX, y + 1, g.DebutScrollX + g.ScrollX, y + g.HauteurCarac - 2), 0);
    EXPECT_GT(Sombres(im, g.DebutScrollX, y + g.HauteurCarac + 1, g.DebutScrollX + g.ScrollX,
                      y + 2 * g.HauteurCarac - 2),
              0);
}

TEST_F(DessinTest, LongWindowsUseCalendarDivisions) {
    SansEnregistrement(300 * 3.6e9); // 300 hours
    Dessiner(900, 400);
    EXPECT_EQ(Graphe->BDT_Division, 8.64e10);
    SansEnregistrement(35e6);
    Dessiner(900, 400);
    EXPECT_EQ(Graphe->BDT_Division, 5e6);
}

TEST_F(DessinTest, FontsFallBackWhenTheRecordCannotMakeThem) {
    SansEnregistrement();
    Config.PoliceNom.Nom[0] = '\0';
    Config.PoliceBaseDeTemps.Taille = -3.f;
    Dessiner(600, 300);
    const grapheft& g = *Graphe;
    ASSERT_TRUE(g.FontNomFichier && g.FontBaseDetemps);
    EXPECT_EQ(g.FontNomFichier->family(), QStringLiteral("Microsoft Sans Serif"));
    EXPECT_DOUBLE_EQ(g.FontNomFichier->pointSizeF(), 16.0);
    EXPECT_DOUBLE_EQ(g.FontBaseDetemps->pointSizeF(), 8.0);
    // The fallback face is drawn with its metric twin.
    EXPECT_EQ(QFontInfo(*g.FontBaseDetemps).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(g.HauteurCarac, g.HAUTEUR_LIGNE(*g.FontBaseDetemps));
    EXPECT_GT(g.HauteurCarac, 0);
    EXPECT_GT(g.LongMessX("100ms"), 0);
}

TEST_F(DessinTest, MissingUserGraticuleIsReportedAndSwitchedOff) {
    SansEnregistrement();
    BoiteMessageEnregistreuse boite;
    InstallationBoiteMessage installation(boite);
    Config.ReticulePerso = 1;
    std::snprintf(Config.FichierReticulePerso, sizeof Config.FichierReticulePerso, "%s",
                  Dossier.filePath(QStringLiteral("absent.png")).toLocal8Bit().constData());
    Dessiner(600, 300);
    ASSERT_EQ(boite.Appels.size(), 1u); // once: the next drawings skip the image
    EXPECT_EQ(boite.TEXTES()[0], "Custom Grid Not Found");
    EXPECT_EQ(boite.TITRES()[0], "Error");
    EXPECT_EQ(boite.Appels[0].Icone, tIconeBoite::Avertissement);
    EXPECT_EQ(Config.ReticulePerso, 0);
    EXPECT_STREQ(Config.FichierReticulePerso, " ");
}

TEST_F(DessinTest, UserGraticuleImageIsStretchedUnderTheLines) {
    SansEnregistrement();
    QImage motif(10, 10, QImage::Format_RGB32);
    motif.fill(QColor(0, 200, 0));
    const QString chemin = Dossier.filePath(QStringLiteral("grille.png"));
    ASSERT_TRUE(motif.save(chemin));
    Config.ReticulePerso = 1;
    std::snprintf(Config.FichierReticulePerso, sizeof Config.FichierReticulePerso, "%s",
                  chemin.toLocal8Bit().constData());
    const QImage& im = Dessiner(600, 300);
    const grapheft& g = *Graphe;
    const int32_t vert = static_cast<int32_t>(0xFF00C800u);
    EXPECT_TRUE(MemeCouleur(im.pixel(g.DebutScrollX + 3, g.DebutScrollY + 3), vert));
    EXPECT_TRUE(MemeCouleur(im.pixel(g.DebutScrollX + g.ScrollX - 3, g.DebutScrollY + g.ScrollY - 3), vert));
    EXPECT_FALSE(MemeCouleur(im.pixel(2, 2), vert));
    EXPECT_TRUE(MemeCouleur(im.pixel(g.DebutScrollX, g.DebutScrollY), Noir)); // frame drawn over it
    EXPECT_EQ(Config.ReticulePerso, 1);
}

TEST_F(DessinTest, ConstantTraceLandsOnTheComputedRow) {
    Ouvrir(TKARDessin({VoieBrute(0, Constant(1000))}));
    Config.ParamVoie[0].BorneMin = 999.f; // value 1000 at a quarter of the range
    Config.ParamVoie[0].BorneMax = 1003.f;
    Config.CouleurVoie[0] = static_cast<int32_t>(0xFFFF0000u);
    // Thickness t gives a pen of t / 3 + 1 pixels, centred on the row.
    const struct {
        uint8_t Epaisseur;
        int Demi; // rows painted on each side of the computed one
    } cas[] = {{1, 0}, {2, 0}, {4, 1}, {8, 1}};
    for (const auto& c : cas) {
        Config.EpaisseurVoie[0] = c.Epaisseur;
        const QImage& im = Dessiner(1000, 600);
        const grapheft& g = *Graphe;
        ASSERT_TRUE(g.TABLE_COMPLETE());
        EXPECT_DOUBLE_EQ(g.VALEUR_TABLE(500, 0), 1000.0);
        const int y = static_cast<int>((1.0 - 0.25) * g.ScrollY) + g.DebutScrollY;
        const int x0 = ABSCISSE_COLONNE(10, g.DebutScrollX, g.ScrollX);
        const int x1 = ABSCISSE_COLONNE(990, g.DebutScrollX, g.ScrollX);
        for (int d = -c.Demi; d <= c.Demi; ++d)
            EXPECT_EQ(Compte(im, x0, y + d, x1, y + d, Config.CouleurVoie[0]), x1 - x0 + 1)
                << int(c.Epaisseur);
        EXPECT_EQ(Compte(im, x0, y - c.Demi - 1, x1, y - c.Demi - 1, Config.CouleurVoie[0]), 0)
            << int(c.Epaisseur);
        EXPECT_EQ(Compte(im, x0, y + c.Demi + 1, x1, y + c.Demi + 1, Config.CouleurVoie[0]), 0)
            << int(c.Epaisseur);
        EXPECT_EQ(g.POSITION_Y(0, 1000.0), y);
    }
}

TEST_F(DessinTest, TraceOfZoneTwoStaysInTheLowerHalf) {
    Ouvrir(TKARDessin({VoieBrute(0, Sinus(1000, 900, 500))}));
    tReticEcran& r = Config.ReticEcran;
    r.NbEcran = 2;
    r.HautEcran[0] = 0;
    r.BasEcran[0] = 100;
    r.HautEcran[1] = 100;
    r.BasEcran[1] = 200;
    r.EcranVoie[0] = 2;
    Config.ParamVoie[0].BorneMin = 500.f; // the sine passes both bounds: clamped to the zone's edges
    Config.ParamVoie[0].BorneMax = 1500.f;
    Config.CouleurVoie[0] = static_cast<int32_t>(0xFFFF0000u);
    const QImage& im = Dessiner(1000, 600);
    const grapheft& g = *Graphe;
    const tZonePixels z = ZONE_PIXELS(r, 1, g.ScrollY);
    int yMin = im.height(), yMax = -1;
    for (int y = 0; y < im.height(); ++y)
        for (int x = g.DebutScrollX; x < g.DebutScrollX + g.ScrollX; ++x) // the scale axis stands at the edge
            if (MemeCouleur(im.pixel(x, y), Config.CouleurVoie[0])) {
                yMin = std::min(yMin, y);
                yMax = std::max(yMax, y);
            }
    EXPECT_EQ(yMin, g.DebutScrollY + z.Haut);
    EXPECT_EQ(yMax, g.DebutScrollY + z.Bas);
}

TEST_F(DessinTest, LogicLanesInOrderOfTheDisplayedInputs) {
    // Inputs 1, 6 and 10 (bits 0, 5, 9) displayed; the word has bits 0 and 9 set.
    Ouvrir(TKARDessin({VoieBrute(0, Constant(0))}, true, Constant(0x0201)));
    VIDE_ONOFF(Config.VoiesAffichees);
    EnteteF.LogiqueAffichee = 1;
    Config.NombreVoiesLogiques = 16;
    Config.MasqueVoiesLogiques = (1u << 0) | (1u << 5) | (1u << 9);
    Config.NombreVoiesLogiquesAffichees = 3;
    Config.PositionVoiesLogiques = 1;
    Config.HauteurVoiesLogiques = 50;
    for (int b = 0; b < 16; ++b) Config.CouleurVoieLogique[b] = static_cast<int32_t>(0xFF000010u + 8u * b);
    const QImage& im = Dessiner(1000, 600);
    const grapheft& g = *Graphe;
    const tBandeLogique bande = BANDE_LOGIQUE(g.DebutScrollY, g.ScrollY, 1, 50, 3);
    EXPECT_EQ(bande.Voie, g.ScrollY * 50 / 3 / 200);
    const int x = ABSCISSE_COLONNE(500, g.DebutScrollX, g.ScrollX);
    const struct {
        int Bit, Rang;
        bool Haut;
    } entrees[] = {{0, 0, true}, {5, 1, false}, {9, 2, true}};
    for (const auto& e : entrees) {
        const int haut = e.Rang * bande.Voie + bande.Haut, bas = haut + bande.Voie - 2;
        const int32_t c = Config.CouleurVoieLogique[e.Bit];
        EXPECT_TRUE(MemeCouleur(im.pixel(x, e.Haut ? haut : bas), c)) << e.Bit;
        EXPECT_FALSE(MemeCouleur(im.pixel(x, e.Haut ? bas : haut), c)) << e.Bit;
    }
    EXPECT_EQ(Compte(im, 0, 0, im.width() - 1, im.height() - 1, Config.CouleurVoieLogique[1]), 0);
}

TEST_F(DessinTest, XYDisplayIsSquareWithElevenAbscissaLabels) {
    Ouvrir(TKARDessin({VoieBrute(0, Rampe(0, 1)), VoieBrute(1, Sinus(2000, 1000, 400))}));
    Config.ModeXY = 1;
    Config.VoieX = 0;
    Config.XYPoints = 1;
    Config.ParamVoie[0].BorneMin = 0.f;
    Config.ParamVoie[0].BorneMax = 4000.f;
    Config.ParamVoie[1].BorneMin = 1000.f;
    Config.ParamVoie[1].BorneMax = 3000.f;
    Config.CouleurVoie[0] = static_cast<int32_t>(0xFF0000FFu);
    Config.CouleurVoie[1] = static_cast<int32_t>(0xFFFF0000u);
    const QImage& im = Dessiner(1000, 600);
    const grapheft& g = *Graphe;
    EXPECT_EQ(g.ScrollX, g.ScrollY);
    EXPECT_EQ(Config.ReticEcran.NbEcran, 1);
    // The abscissa channel itself is not drawn inside the plot; the other is.
    EXPECT_EQ(Compte(im, g.DebutScrollX, g.DebutScrollY, g.DebutScrollX + g.ScrollX,
                     g.DebutScrollY + g.ScrollY - 1, Config.CouleurVoie[0]),
              0);
    EXPECT_GT(Compte(im, g.DebutScrollX, g.DebutScrollY, g.DebutScrollX + g.ScrollX,
                     g.DebutScrollY + g.ScrollY, Config.CouleurVoie[1]),
              100);
    // Eleven labels in the abscissa channel's colour, at tenths of its range.
    const int y0 = g.DebutScrollY + g.ScrollY + 1, y1 = y0 + g.HauteurCarac - 2;
    int etiquettes = 0;
    for (const double f : FRACTIONS_XY()) {
        char texte[64];
        MESSAGE_ENTREE_COMPRESSER(texte, 0, static_cast<int32_t>(std::lround(f * 10)) * 10000);
        const int w = g.LongMessX(texte);
        const int gauche = int(GAUCHE_CENTREE(g.ScrollX * f + g.DebutScrollX, w, g.DebutScrollX));
        int bleus = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = gauche; x <= gauche + w; ++x) {
                const QColor c = im.pixelColor(x, y);
                if (c.blue() > 200 && c.red() < 150) ++bleus;
            }
        if (bleus > 0) ++etiquettes;
    }
    EXPECT_EQ(etiquettes, 11);
    EXPECT_EQ(Graphe->AFF_TIME_BASE(0), 0);
}

TEST_F(DessinTest, XYLinesWithAZeroThicknessStillDraw) {
    Ouvrir(TKARDessin({VoieBrute(0, Rampe(0, 1)), VoieBrute(1, Constant(2000))}));
    Config.ModeXY = 1;
    Config.VoieX = 0;
    Config.XYPoints = 0;
    Config.EpaisseurVoie[1] = 0;
    Config.ParamVoie[0] = {{}, 0.f, 4000.f, 0, 0, 0, 0};
    Config.ParamVoie[1] = {{}, 1000.f, 3000.f, 0, 0, 0, 0};
    Config.CouleurVoie[1] = static_cast<int32_t>(0xFFFF0000u);
    const QImage& im = Dessiner(800, 600);
    const grapheft& g = *Graphe;
    const int y = static_cast<int>(0.5 * g.ScrollY) + g.DebutScrollY;
    // The ramp covers the whole range: one horizontal line at mid height.
    EXPECT_GT(Compte(im, g.DebutScrollX, y, g.DebutScrollX + g.ScrollX, y, Config.CouleurVoie[1]),
              g.ScrollX * 9 / 10);
}

TEST_F(DessinTest, DegenerateRangesZonesAndValuesDoNotFail) {
    // Channel 0: NaN where the square is high (0 x exp(huge)); channel 1: +inf there.
    recmaker::Voie nan = VoieBrute(0, Carre(0, 5, 200));
    nan.TypeConversion = 7;
    nan.CoefA = 0.f;
    nan.CoefC = 1000.f;
    recmaker::Voie inf = VoieBrute(1, Carre(0, 5, 200));
    inf.TypeConversion = 7;
    inf.CoefA = 1.f;
    inf.CoefC = 1000.f;
    Ouvrir(TKARDessin({nan, inf, VoieBrute(2, Rampe(0, 3))}));
    Config.ParamVoie[2].BorneMin = Config.ParamVoie[2].BorneMax = 7.f; // zero range
    tReticEcran& r = Config.ReticEcran;
    r.NbEcran = 2;
    r.HautEcran[0] = 0;
    r.BasEcran[0] = 100;
    r.HautEcran[1] = 100;
    r.BasEcran[1] = 100; // a zone of zero height
    r.NbDivEcran[1] = 10;
    r.EcranVoie[0] = 1;
    r.EcranVoie[1] = 2;
    r.EcranVoie[2] = 1;
    for (int c = 0; c < 3; ++c) Config.CouleurVoie[c] = static_cast<int32_t>(0xFF100000u + 0x100000u * c);
    const QImage& im = Dessiner(900, 500);
    const grapheft& g = *Graphe;
    ASSERT_FALSE(im.isNull());
    const tZonePixels z0 = ZONE_PIXELS(r, 0, g.ScrollY);
    // The zero-range ramp lies on the bottom edge of its zone.
    const int bas = g.DebutScrollY + z0.Bas;
    const int x0 = g.DebutScrollX + 10, x1 = g.DebutScrollX + g.ScrollX - 10;
    EXPECT_EQ(Compte(im, x0, bas, x1, bas, Config.CouleurVoie[2]), x1 - x0 + 1);
    // The table does hold non-finite values.
    int nans = 0, infinis = 0;
    for (int c = 0; c < NombreColonnesAffichage; ++c) {
        nans += std::isnan(g.VALEUR_TABLE(c, 0)) ? 1 : 0;
        infinis += std::isinf(g.VALEUR_TABLE(c, 1)) ? 1 : 0;
    }
    EXPECT_GT(nans, 0);
    EXPECT_GT(infinis, 0);
    // Smallest pictures and a cursor box on a picture too small for it.
    Graphe->ValiditeCurseur = 1;
    for (const QSize s : {QSize(1, 1), QSize(12, 9), QSize(40, 30)}) {
        Dessiner(s.width(), s.height());
        EXPECT_EQ(Graphe->NewBitmap.size(), s);
    }
    Dessiner(0, 100); // nothing drawn, no failure
    Dessiner(-5, -5);
}

TEST_F(DessinTest, TemporaryObjectDrawsTheMainTable) {
    Ouvrir(TKARDessin({VoieBrute(0, Constant(1000))}));
    Config.ParamVoie[0].BorneMin = 999.f;
    Config.ParamVoie[0].BorneMax = 1003.f;
    const QImage principal = Dessiner(700, 400).copy();
    grapheft temporaire(&EnteteF, &::Setup);
    temporaire.DateTrigger = Graphe->DateTrigger;
    temporaire.Initialisation();
    temporaire.REPRENDRE_TABLE(Graphe->Donnees);
    EXPECT_TRUE(temporaire.TABLE_COMPLETE());
    temporaire.LargeurImage = 700;
    temporaire.HauteurImage = 400;
    temporaire.RESIZE_GRAPHE();
    EXPECT_EQ(temporaire.NewBitmap, principal);
}

} // namespace
} // namespace graphe_test
