// The rules that move the displayed window (start D and width W, fractions of
// the recording): zoom in and out by two, full page, zoom on a part of the
// window, the mouse wheel, and the horizontal scroll bar's scale. Pure
// functions: the main window stores what they return and recomputes.
#pragma once

#include <cstdint>
#include <optional>

namespace VIEW {

struct tFenetre {
    double Debut = 0.0;   // D
    double Largeur = 1.0; // W
};

// A window must hold more than ten scans.
bool ZOOM_POSSIBLE(int64_t nombreScans, double largeur);

// Half the width around the same centre; nothing when the guard refuses.
std::optional<tFenetre> FENETRE_ZOOM_PLUS(tFenetre f, int64_t nombreScans);
// Twice the width around the same centre, kept inside the recording (no guard).
tFenetre FENETRE_ZOOM_MOINS(tFenetre f);
// The whole recording; nothing when it is already shown whole.
std::optional<tFenetre> FENETRE_PLEINE_PAGE(tFenetre f);
// The part between fractions a and b of the window (in either order); nothing
// when they are equal or the guard refuses the new width.
std::optional<tFenetre> FENETRE_ENTRE(tFenetre f, double a, double b, int64_t nombreScans);
// The wheel: in (avant) or out by two, keeping the recording's point under
// fraction p of the window where it is; through the same guard, kept inside
// the recording. Nothing when nothing would change.
std::optional<tFenetre> FENETRE_MOLETTE(tFenetre f, double p, bool avant, int64_t nombreScans);
// The window moved by `pas` of its own width (negative: to the left), kept
// inside the recording; nothing when it cannot move.
std::optional<tFenetre> FENETRE_DECALEE(tFenetre f, double pas);

// The horizontal scroll bar: 1e-9 of the recording per unit.
inline constexpr int MaximumScroll = 1000000000;
struct tReglageScroll {
    int GrandPas = 1; // W in units, at least 1: one page click moves by one window
    int PetitPas = 1; // a tenth of it, at least 1
    int Valeur = 0;   // D in units
    int Maximum = 0;  // the highest value the bar can take: its scale less one page plus one
};
tReglageScroll REGLAGE_SCROLL(tFenetre f);
// The start a value of the bar gives (the value read in single precision); at
// the end of the bar, and whenever D + W would reach 1, D = 1 - W exactly.
double DEBUT_SCROLL(int valeur, const tReglageScroll& reglage, double largeur);

} // namespace VIEW
