// Pure geometry of the cursors and overlays: cursor fractions to table columns,
// times and pixels, amplitude-cursor positions, and where an annotation of the
// recording falls in the displayed window. Every input that could come from a
// damaged configuration (non-finite fractions, zones of no height, empty
// windows) gives a defined result here.
#pragma once

#include <cstdint>
#include <optional>

// A cursor fraction as drawn: below 0 (or not a number) is the left edge.
double FRACTION_CURSEUR(double c);
// Display-table column of a cursor fraction: integer part of c x 1000, limited to 0..999.
int COLONNE_CURSEUR(double c);
// Time at a table column, microseconds.
double TEMPS_COLONNE(int colonne, double tempsTotal, double debutTemps);
// Pixel of a fraction along a plot side: truncation of scroll x c + debut, kept
// within a range any drawing library can take.
int32_t PIXEL_CURSEUR(double c, int32_t debut, int32_t scroll);

// Position in thousandths of a zone (0 at its top) for the pixel ordinate y,
// limited to 0..1000; nothing for a zone of no height.
std::optional<uint16_t> POSITION_CURSEUR_Y(int32_t y, int32_t haut, int32_t bas);
// Pixel ordinate of an amplitude cursor at position p in a zone whose top is
// at `haut` (absolute) and of height h, in single precision.
int32_t ORDONNEE_CURSEUR_Y(uint16_t p, int32_t haut, int32_t h);
// Value of an amplitude cursor at position p: BorneMax at 0, BorneMin at 1000.
float VALEUR_CURSEUR_Y(uint16_t p, float borneMin, float borneMax);

// Displayed window in sample words, [Debut, Fin).
struct tFenetreMots {
    int64_t Debut = 0, Fin = 0;
    bool Vide() const { return Fin <= Debut; }
};
// The window of the recording shown: from trunc(debut x W) to
// trunc((debut + largeur) x W), W = words per scan x scans.
tFenetreMots FENETRE_MOTS(int64_t motsParScan, int64_t scans, double debut, double largeur);
// Abscissa of word position p in a non-empty window: scrollX x (p - s) / (e - s)
// (integer division, without overflow) + debutX.
int32_t ABSCISSE_MOT(int64_t p, tFenetreMots f, int32_t debutX, int32_t scrollX);
