#include "ui/ZoomFenetre.h"

#include <algorithm>
#include <utility>

namespace VIEW {

bool ZOOM_POSSIBLE(int64_t nombreScans, double largeur) {
    return static_cast<double>(nombreScans) * largeur > 10.0;
}

std::optional<tFenetre> FENETRE_ZOOM_PLUS(tFenetre f, int64_t nombreScans) {
    const double h = f.Largeur * 0.5;
    const double c = f.Debut + h;
    if (!ZOOM_POSSIBLE(nombreScans, h)) return std::nullopt;
    f.Largeur = f.Largeur * 0.5;
    f.Debut = c - f.Largeur * 0.5;
    return f;
}

tFenetre FENETRE_ZOOM_MOINS(tFenetre f) {
    const double c = f.Debut + f.Largeur * 0.5;
    f.Largeur = 2.0 * f.Largeur;
    f.Debut = c - f.Largeur * 0.5;
    if (f.Debut + f.Largeur > 1.0) f.Debut = 1.0 - f.Largeur;
    if (f.Debut < 0.0) f.Debut = 0.0;
    return f;
}

std::optional<tFenetre> FENETRE_PLEINE_PAGE(tFenetre f) {
    if (!(f.Largeur < 1.0)) return std::nullopt;
    return tFenetre{0.0, 1.0};
}

std::optional<tFenetre> FENETRE_ENTRE(tFenetre f, double a, double b, int64_t nombreScans) {
    if (a == b) return std::nullopt;
    if (b < a) std::swap(a, b);
    const tFenetre n{f.Largeur * a + f.Debut, (b - a) * f.Largeur};
    if (!ZOOM_POSSIBLE(nombreScans, n.Largeur)) return std::nullopt;
    return n;
}

namespace {

tFenetre DansEnregistrement(tFenetre f) {
    f.Largeur = std::min(f.Largeur, 1.0);
    f.Debut = std::clamp(f.Debut, 0.0, 1.0 - f.Largeur);
    return f;
}

} // namespace

std::optional<tFenetre> FENETRE_MOLETTE(tFenetre f, double p, bool avant, int64_t nombreScans) {
    p = std::clamp(p, 0.0, 1.0);
    const double largeur = avant ? f.Largeur * 0.5 : std::min(1.0, f.Largeur * 2.0);
    if (avant && !ZOOM_POSSIBLE(nombreScans, largeur)) return std::nullopt;
    const double point = f.Debut + p * f.Largeur; // stays under the pointer
    const tFenetre n = DansEnregistrement({point - p * largeur, largeur});
    if (n.Debut == f.Debut && n.Largeur == f.Largeur) return std::nullopt;
    return n;
}

std::optional<tFenetre> FENETRE_DECALEE(tFenetre f, double pas) {
    const tFenetre n = DansEnregistrement({f.Debut + pas * f.Largeur, f.Largeur});
    if (n.Debut == f.Debut) return std::nullopt;
    return n;
}

tReglageScroll REGLAGE_SCROLL(tFenetre f) {
    tReglageScroll r;
    r.GrandPas = std::max(1, static_cast<int>(f.Largeur * MaximumScroll));
    r.PetitPas = std::max(1, r.GrandPas / 10);
    r.Maximum = std::max(0, MaximumScroll - r.GrandPas + 1);
    r.Valeur = std::clamp(static_cast<int>(f.Debut * MaximumScroll), 0, r.Maximum);
    return r;
}

double DEBUT_SCROLL(int valeur, const tReglageScroll& reglage, double largeur) {
    if (valeur >= reglage.Maximum) return 1.0 - largeur;
    double debut = static_cast<double>(static_cast<float>(valeur)) / MaximumScroll;
    if (largeur + debut >= 1.0) debut = 1.0 - largeur;
    return debut;
}

} // namespace VIEW
