#include "graph/GeometrieGraphe.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int16_t En16(int64_t v) {
    return static_cast<int16_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

// Truncation toward zero of a finite or infinite double, kept inside int32.
int32_t Tronque(double v) {
    if (std::isnan(v)) return 0;
    constexpr double bas = std::numeric_limits<int32_t>::min(), haut = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(v, bas, haut));
}

} // namespace

tDisposition DISPOSITION(const tEntreeDisposition& e) {
    tDisposition d;
    const int32_t hc = std::max(e.HauteurCarac, 1); // a zero line height would divide by zero below
    d.DebutScrollX = 5;
    d.DebutScrollY = 5 + e.HauteurTitre;
    int32_t scrollX = e.LargeurImage - 2 * d.DebutScrollX - e.LongueurBorne;
    int32_t scrollY = e.HauteurImage - 5 - hc - d.DebutScrollY;
    if (e.LigneDate) scrollY -= hc;
    d.ScrollX = En16(scrollX);
    d.ScrollY = En16(scrollY);

    int32_t n = e.LignesCurseur;
    d.NombreVoieCurseurTotal = En16(n);
    n = std::min<int32_t>(n, e.NombreVoieCurseur);
    d.NombreVoieCurseurVisu = e.VisuPrecedent;

    if (e.ValiditeCurseur) {
        const uint8_t cote = e.PositionBoiteCurseur;
        const bool lateral = cote == 1 || cote == 3;
        int32_t posX = d.DebutScrollX, posY = d.DebutScrollY, longueur = 0, hauteur = 0;
        if (lateral) {
            longueur = e.LongueurCote;
            hauteur = d.ScrollY;
        } else {
            longueur = d.ScrollX;
            hauteur = (n + 2) * hc;
            if (hauteur > d.ScrollY / 2) {
                n = (d.ScrollY / 2) / hc;
                n = n <= 3 ? 1 : n - 2;
                hauteur = (n + 2) * hc;
            }
            d.NombreVoieCurseurVisu = En16(n);
        }
        const bool recouvre = e.BoiteCurseur == 0 || e.CurseurDansReticule == 1;
        switch (cote) {
        case 0:
            if (!recouvre) {
                d.DebutScrollY += hauteur;
                d.ScrollY = En16(d.ScrollY - hauteur);
            }
            break;
        case 1:
            if (!recouvre) {
                d.ScrollX = En16(d.ScrollX - longueur);
                posX = e.LargeurImage - longueur;
            } else {
                posX = d.DebutScrollX - longueur + d.ScrollX;
            }
            break;
        case 2:
            if (!recouvre) {
                d.ScrollY = En16(d.ScrollY - hauteur);
                posY = d.ScrollY + hc + d.DebutScrollY + (e.LigneDate ? hc : 0);
            } else {
                posY = d.DebutScrollY - hauteur + d.ScrollY;
            }
            break;
        case 3:
            if (!recouvre) {
                d.DebutScrollX += longueur + 1;
                d.ScrollX = En16(d.ScrollX - longueur);
            }
            break;
        default:
            break;
        }
        d.PosCurseurX = En16(posX);
        d.PosCurseurY = En16(posY);
        d.LongCurseur = En16(longueur);
        d.HauteurCurseur = En16(hauteur);
    }

    if (e.ModeXY) d.ScrollX = d.ScrollY = std::min(d.ScrollX, d.ScrollY);
    return d;
}

tZonePixels ZONE_PIXELS(const tReticEcran& r, int z, int32_t scrollY) {
    z = std::clamp(z, 0, NombreVoiesConfig - 1);
    tZonePixels zone;
    zone.Haut = r.HautEcran[z] * scrollY / HauteurGraphe;
    zone.Bas = r.BasEcran[z] * scrollY / HauteurGraphe;
    return zone;
}

int32_t LIGNE_HORIZONTALE(int k, int n, tZonePixels zone, int32_t debutY) {
    if (n <= 0) return zone.Haut + debutY;
    return k * zone.Hauteur() / n + zone.Haut + debutY;
}

tDivisionsTemps CALCUL_DIVISIONS(double debutTemps, double tempsTotal) {
    tDivisionsTemps r;
    if (!(tempsTotal >= 1e-20)) tempsTotal = 1.0; // also a NaN span
    r.TempsTotal = tempsTotal;

    constexpr float minute = 6e7f, heure = 3.6e9f, jour = 8.64e10f, deuxJours = 1.728e11f,
                    dixJours = 8.64e11f;
    const double d0 = tempsTotal / 10.0; // ten divisions across the plot
    float u = 1.0f;
    if (d0 >= minute) {
        u = minute;
        if (d0 / u >= 60.0) {
            u = heure;
            if (d0 / u >= 10.0) {
                u = jour;
                if (d0 / u >= 10.0)
                    u = dixJours;
                else if (d0 / u >= 2.0)
                    u = deuxJours;
            }
        }
    }
    double d = d0 / u;
    if (!std::isfinite(d)) d = 1.0;
    float m = 1.0f;
    while (d > 10.0) {
        m *= 10.0f;
        d /= 10.0;
    }
    while (d <= 1.0) {
        m /= 10.0f;
        d *= 10.0;
    }
    const int i = static_cast<int>(d);
    const double pas = (i == 10 || i > 5) ? 10.0 : (i >= 3 ? 5.0 : 2.0);
    double bdt = pas * static_cast<double>(m) * static_cast<double>(u);

    if (bdt == 3e9)
        bdt = 3.6e9; // fifty minutes: one hour
    else if (bdt > 3.6e10)
        bdt = bdt > 8.64e11 ? 8.64e11 : bdt > 1.728e11 ? 1.728e11 : 8.64e10;
    r.BDT_Division = bdt;

    // Lines on whole multiples of the division counted from time 0. A quotient
    // beyond 32 bits is truncated in double precision instead.
    const double quotient = debutTemps / bdt;
    const double q = std::fabs(quotient) < 2147483647.0 ? static_cast<double>(static_cast<int32_t>(quotient))
                                                        : std::trunc(quotient);
    r.PremiereDiv = std::isfinite(q) ? debutTemps - q * bdt : 0.0;
    return r;
}

double PREMIERE_DIV_ABSOLUE(double bdtDivision, int64_t secondesDepuisMinuit) {
    double d = bdtDivision / 1000000.0;
    if (d >= 86400.0) d = 86400.0; // the next line at midnight
    if (d == 0.0 || !std::isfinite(d)) d = 1.0;
    const double s = static_cast<double>(secondesDepuisMinuit);
    const double n = (std::trunc(s / d) + 1.0) * d;
    return -(n - s) * 1000000.0;
}

std::vector<int32_t> LIGNES_VERTICALES(double debutTemps, double tempsTotal, double premiereDiv,
                                       double bdtDivision, int32_t debutX, int32_t scrollX) {
    std::vector<int32_t> x;
    for (int k = 0; k <= 100; ++k) {
        const double t = debutTemps - premiereDiv + k * bdtDivision;
        const double f = (t - debutTemps) / tempsTotal;
        if (f >= 1.0) break;
        if (f > 0.0 && f < 1.0) x.push_back(Tronque(scrollX * f + debutX));
    }
    return x;
}

std::vector<tInstantEtiquette> INSTANTS_ETIQUETTES(double debutTemps, double tempsTotal, double premiereDiv,
                                                   double bdtDivision) {
    std::vector<tInstantEtiquette> r;
    for (int k = 0; k < EtiquettesMax; ++k) {
        const double t = debutTemps - premiereDiv + k * bdtDivision;
        const double f = (t - debutTemps) / tempsTotal;
        if (f > 1.0002) break;
        if (f >= 0.0) r.push_back({t, f});
    }
    return r;
}

std::vector<double> FRACTIONS_XY() {
    std::vector<double> f;
    for (int k = 0; k < EtiquettesMax; ++k) {
        const double t = k * 100000.0;
        const double fraction = t / 1000000.0;
        if (fraction > 1.0002) break;
        f.push_back(fraction);
    }
    return f;
}

double GAUCHE_CENTREE(double x, double w, double gauche) {
    return std::max(x - w / 2.0, gauche);
}

double GAUCHE_DANS_PLOT(double x, double w, double gauche, double droite) {
    double g = GAUCHE_CENTREE(x, w, gauche);
    if (g + w > droite) g = droite - w;
    return g;
}

int32_t ABSCISSE_COLONNE(int c, int32_t debutX, int32_t scrollX) {
    return debutX + static_cast<int32_t>(static_cast<int64_t>(scrollX) * c / 1000);
}

double FRACTION_BORNEE(double v, float borneMin, float borneMax) {
    const double f = (v - borneMin) / (static_cast<double>(borneMax) - borneMin);
    if (!std::isfinite(f) || f <= 0.0) return 0.0;
    return f >= 1.0 ? 1.0 : f;
}

int32_t ORDONNEE_TRACE(double v, float borneMin, float borneMax, tZonePixels zone, int32_t debutY) {
    const double f = FRACTION_BORNEE(v, borneMin, borneMax);
    return Tronque((1.0 - f) * zone.Hauteur()) + zone.Haut + debutY;
}

int32_t ORDONNEE_SIMPLE(double v, float borneMin, float borneMax, tZonePixels zone, int32_t debutY) {
    float f = static_cast<float>((v - borneMin) / (static_cast<double>(borneMax) - borneMin));
    if (!std::isfinite(f) || f <= 0.0f) f = 0.0f;
    if (f >= 1.0f) f = 1.0f;
    const float y = static_cast<float>(debutY + zone.Haut) + (1.0f - f) * static_cast<float>(zone.Hauteur());
    return Tronque(y);
}

double EPAISSEUR_TRACE(uint8_t epaisseur) {
    return epaisseur / 3.0 + 1.0;
}

double EPAISSEUR_XY(uint8_t epaisseur) {
    return epaisseur * 0.125;
}

tPointXY POINT_XY(double v, float minV, float maxV, double u, float minX, float maxX, int32_t debutX,
                  int32_t debutY, int32_t scrollX, int32_t scrollY) {
    tPointXY p;
    double fy = (v - minV) / (static_cast<double>(maxV) - minV);
    if (!std::isfinite(fy)) fy = 0.0;
    const int32_t y = Tronque((1.0 - fy) * scrollY);
    p.Y = std::clamp<int32_t>(y, 0, std::max<int32_t>(scrollY, 0)) + debutY;
    const double fx = FRACTION_BORNEE(u, minX, maxX);
    p.X = Tronque(scrollX * fx) + debutX;
    return p;
}

tBandeLogique BANDE_LOGIQUE(int32_t debutY, int32_t scrollY, uint8_t position, uint8_t hauteur,
                            uint8_t nombreAffichees) {
    tBandeLogique b;
    b.Haut = debutY;
    if (position == 1) b.Haut += scrollY * (HauteurGraphe - hauteur) / HauteurGraphe;
    int32_t voie = scrollY * hauteur;
    if (nombreAffichees != 0) voie /= nombreAffichees;
    voie /= HauteurGraphe;
    b.Voie = std::max(voie, 4);
    return b;
}
