// Pure geometry of the graph picture: layout of the plot and the cursor box,
// zone edges, time divisions, label instants, trace ordinates and logic lanes.
// No drawing here: the graph object draws what these compute, and tests check
// the numbers directly.
#pragma once

#include <cstdint>
#include <vector>

#include "config/Config.h"

// ---- Layout -------------------------------------------------------------------

// What the layout needs besides the configuration.
struct tEntreeDisposition {
    int32_t LargeurImage = 0, HauteurImage = 0;
    int32_t HauteurTitre = 0;     // room of the title lines (0 without them)
    int32_t HauteurCarac = 1;     // line height of the time-label font
    int32_t LongueurBorne = 0;    // width of the bounds column
    bool LigneDate = false;       // absolute time: one more text line below the plot
    bool ValiditeCurseur = false; // time cursors on
    uint8_t BoiteCurseur = 1, CurseurDansReticule = 0, PositionBoiteCurseur = 0;
    int32_t LignesCurseur = 0;      // read-out lines: displayed channels (+1 for the logic inputs)
    int16_t NombreVoieCurseur = 10; // at most that many shown
    int32_t LongueurCote = 0;       // width of a side box (date text, logic digits)
    bool ModeXY = false;
    int16_t VisuPrecedent = 0; // NombreVoieCurseurVisu before this layout
};

struct tDisposition {
    int32_t DebutScrollX = 5, DebutScrollY = 5;
    int16_t ScrollX = 0, ScrollY = 0;
    int16_t PosCurseurX = 0, PosCurseurY = 0, LongCurseur = 0, HauteurCurseur = 0;
    int16_t NombreVoieCurseurTotal = 0;
    int16_t NombreVoieCurseurVisu = 0; // unchanged unless a horizontal box is laid out
};

// Plot rectangle and cursor box.
tDisposition DISPOSITION(const tEntreeDisposition& e);

// ---- Zones ----------------------------------------------------------------------

// Top and bottom of a screen zone in pixels, relative to the plot's top.
struct tZonePixels {
    int32_t Haut = 0, Bas = 0;
    int32_t Hauteur() const { return Bas - Haut; }
};
// Zone z (limited to the 244 entries) of a layout on a plot scrollY high.
tZonePixels ZONE_PIXELS(const tReticEcran& r, int z, int32_t scrollY);
// Ordinate of horizontal division line k of a zone with n divisions.
int32_t LIGNE_HORIZONTALE(int k, int n, tZonePixels zone, int32_t debutY);

// ---- Time axis ------------------------------------------------------------------

struct tDivisionsTemps {
    double TempsTotal = 1.0; // the span, 1 when it was below 1e-20
    double BDT_Division = 0.0;
    double PremiereDiv = 0.0;
};
// Time per division (ten divisions across the plot, steps 1-2-5 of the
// calendar units) and the offset that puts the lines on its multiples.
tDivisionsTemps CALCUL_DIVISIONS(double debutTemps, double tempsTotal);
// The offset in absolute time: lines on whole multiples of the division in
// clock time, from the seconds elapsed since midnight at the left edge.
double PREMIERE_DIV_ABSOLUE(double bdtDivision, int64_t secondesDepuisMinuit);

// Abscissas of the vertical division lines strictly inside the plot.
std::vector<int32_t> LIGNES_VERTICALES(double debutTemps, double tempsTotal, double premiereDiv,
                                       double bdtDivision, int32_t debutX, int32_t scrollX);

// Instants of the time labels: at most 30, those with 0 <= fraction <= 1.0002.
struct tInstantEtiquette {
    double Temps = 0.0;
    double Fraction = 0.0;
};
inline constexpr int EtiquettesMax = 30;
std::vector<tInstantEtiquette> INSTANTS_ETIQUETTES(double debutTemps, double tempsTotal, double premiereDiv,
                                                   double bdtDivision);
// Fractions of the eleven abscissa labels of the XY display.
std::vector<double> FRACTIONS_XY();

// Left edge of a label of width w centred on x, never left of `gauche`.
double GAUCHE_CENTREE(double x, double w, double gauche);
// The same, also ending at `droite` when it would pass it.
double GAUCHE_DANS_PLOT(double x, double w, double gauche, double droite);

// ---- Traces ---------------------------------------------------------------------

// Abscissa of display column c.
int32_t ABSCISSE_COLONNE(int c, int32_t debutX, int32_t scrollX);
// Fraction of a value in a displayed range, limited to 0..1; non-finite gives 0.
double FRACTION_BORNEE(double v, float borneMin, float borneMax);
// Ordinate of a trace point of the time display in a zone (relative top, height h).
int32_t ORDONNEE_TRACE(double v, float borneMin, float borneMax, tZonePixels zone, int32_t debutY);
// The same rule in single precision (cursor labels, measurement flags).
int32_t ORDONNEE_SIMPLE(double v, float borneMin, float borneMax, tZonePixels zone, int32_t debutY);
// Pen width of a time trace and of an XY trace for a thickness of 1..8.
double EPAISSEUR_TRACE(uint8_t epaisseur);
double EPAISSEUR_XY(uint8_t epaisseur);
// Point of the XY display for the value v of a channel and u of the abscissa channel.
struct tPointXY {
    int32_t X = 0, Y = 0;
};
tPointXY POINT_XY(double v, float minV, float maxV, double u, float minX, float maxX, int32_t debutX,
                  int32_t debutY, int32_t scrollX, int32_t scrollY);

// Band of the logic lanes: top of the first lane and lane height (at least 4).
struct tBandeLogique {
    int32_t Haut = 0;
    int32_t Voie = 4;
};
tBandeLogique BANDE_LOGIQUE(int32_t debutY, int32_t scrollY, uint8_t position, uint8_t hauteur,
                            uint8_t nombreAffichees);
