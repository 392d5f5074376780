#include "graph/GeometrieCurseurs.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixels beyond this distance from the picture are never visible; keeping
// coordinates inside it keeps every conversion to an integer defined.
constexpr double PixelLimite = 1.0e7;

int64_t Tronquer64(double v) {
    if (!std::isfinite(v)) return 0;
    constexpr double limite = 9.2e18; // below 2^63
    return static_cast<int64_t>(std::clamp(v, -limite, limite));
}

} // namespace

double FRACTION_CURSEUR(double c) {
    return std::isfinite(c) ? std::max(c, 0.0) : 0.0;
}

int COLONNE_CURSEUR(double c) {
    if (!std::isfinite(c)) return 0;
    return static_cast<int>(std::clamp(c * 1000.0, 0.0, 999.0));
}

double TEMPS_COLONNE(int colonne, double tempsTotal, double debutTemps) {
    return colonne * tempsTotal / 1000.0 + debutTemps;
}

int32_t PIXEL_CURSEUR(double c, int32_t debut, int32_t scroll) {
    const double p = scroll * c + debut;
    if (!std::isfinite(p)) return debut;
    return static_cast<int32_t>(std::clamp(p, -PixelLimite, PixelLimite));
}

std::optional<uint16_t> POSITION_CURSEUR_Y(int32_t y, int32_t haut, int32_t bas) {
    if (bas == haut) return std::nullopt;
    const int64_t p = (static_cast<int64_t>(y) - haut) * 1000 / (static_cast<int64_t>(bas) - haut);
    return static_cast<uint16_t>(std::clamp<int64_t>(p, 0, 1000));
}

int32_t ORDONNEE_CURSEUR_Y(uint16_t p, int32_t haut, int32_t h) {
    const float y = static_cast<float>(haut) + static_cast<float>(p) * static_cast<float>(h) / 1000.0f;
    return static_cast<int32_t>(std::clamp<double>(y, -PixelLimite, PixelLimite));
}

float VALEUR_CURSEUR_Y(uint16_t p, float borneMin, float borneMax) {
    return borneMin + (1000.0f - static_cast<float>(p)) * (borneMax - borneMin) / 1000.0f;
}

tFenetreMots FENETRE_MOTS(int64_t motsParScan, int64_t scans, double debut, double largeur) {
    const double w = static_cast<double>(std::max<int64_t>(motsParScan, 0)) *
                     static_cast<double>(std::max<int64_t>(scans, 0));
    tFenetreMots f;
    f.Debut = Tronquer64(debut * w);
    f.Fin = Tronquer64((debut + largeur) * w);
    return f;
}

int32_t ABSCISSE_MOT(int64_t p, tFenetreMots f, int32_t debutX, int32_t scrollX) {
    if (f.Vide()) return debutX;
    const __int128 dx = static_cast<__int128>(scrollX) * (static_cast<__int128>(p) - f.Debut) /
                        (static_cast<__int128>(f.Fin) - f.Debut);
    const __int128 x = dx + debutX;
    return static_cast<int32_t>(
        std::clamp<__int128>(x, -static_cast<__int128>(PixelLimite), static_cast<__int128>(PixelLimite)));
}
