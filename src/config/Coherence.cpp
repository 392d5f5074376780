#include "config/Coherence.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "config/Config.h"
#include "config/Defauts.h"
#include "config/Reticule.h"

namespace {

constexpr uint32_t AlphaOpaque = 0xFF000000u;

double Assainir(double v) {
    if (!std::isfinite(v)) return 1.0;
    if (std::fabs(v) > 1e20) return v > 0 ? 1e20 : -1e20;
    if (std::fabs(v) < 1e-20) return 0.0;
    return v;
}

int32_t Opaque(int32_t c) {
    return static_cast<int32_t>(static_cast<uint32_t>(c) | AlphaOpaque);
}

// Text buffers of a loaded record always end in a NUL, so readers never run
// past them.
template <size_t N> void Terminer(char (&texte)[N]) {
    texte[N - 1] = '\0';
}

void TerminerTextes() {
    Terminer(Config.PoliceNom.Nom);
    Terminer(Config.PoliceBaseDeTemps.Nom);
    Terminer(Config.PoliceReserve.Nom);
    for (auto& f : Config.TabFonction) {
        Terminer(f.NomFonction);
        Terminer(f.UniteFonction);
    }
    Terminer(Config.TexteAnnotation);
    Terminer(Config.FichierReticulePerso);
}

// Floats outside the ranges above that a damaged file could still carry: a
// font size that is not a number falls back to the default size, function
// coefficients go through the number sanitiser.
void AssainirAutresNombres() {
    for (tPoliceConfig* p : {&Config.PoliceNom, &Config.PoliceBaseDeTemps, &Config.PoliceReserve})
        if (!std::isfinite(p->Taille)) p->Taille = 10.0f;
    for (auto& f : Config.TabFonction) {
        f.CoeffA = COHER_FLOAT(f.CoeffA);
        f.CoeffB = COHER_FLOAT(f.CoeffB);
        f.CoeffC = COHER_FLOAT(f.CoeffC);
    }
}

} // namespace

float COHER_FLOAT(float f) {
    return static_cast<float>(Assainir(static_cast<double>(f)));
}

double COHER_DOUBLE(double d) {
    return Assainir(d);
}

void COHER_FLOAT(float* f) {
    if (f != nullptr) *f = COHER_FLOAT(*f);
}

void COHER_DOUBLE(double* d) {
    if (d != nullptr) *d = COHER_DOUBLE(*d);
}

void COHER_COULEUR() {
    int32_t grille = Opaque(Config.CouleurReticule);
    const int32_t fond = Opaque(Config.CouleurFond);
    if (grille == fond) grille = Opaque(~fond);
    Config.CouleurReticule = grille;
    Config.CouleurFond = fond;

    auto corriger = [&](int32_t& c) {
        c = Opaque(c);
        if (c == fond) c = grille;
    };
    for (auto& c : Config.CouleurVoie) corriger(c);
    for (auto& c : Config.CouleurVoieLogique) corriger(c);
    corriger(Config.CouleurPoliceNom);
}

void COHER_RANGE() {
    for (auto& p : Config.ParamVoie) {
        p.BorneMax = COHER_FLOAT(p.BorneMax);
        p.BorneMin = COHER_FLOAT(p.BorneMin);
        if (!(p.BorneMax > p.BorneMin))
            p.BorneMax = static_cast<float>(std::fabs(static_cast<double>(p.BorneMin) + 1.0) * 2.0);
    }
}

void COHER_SETUP() {
    double largeur = COHER_DOUBLE(Setup.LargeurFenetre);
    double debut = COHER_DOUBLE(Setup.DebutFenetre);
    if (largeur < 0 || largeur > 1) largeur = 1;
    if (debut < 0 || debut > 1) debut = 0;
    // The minimum width is applied before the end check, so that a window
    // widened to the minimum still ends inside the recording.
    if (largeur < 1e-8) largeur = static_cast<double>(1e-8f);
    if (debut + largeur >= 1) debut = 1 - largeur;
    Setup.LargeurFenetre = largeur;
    Setup.DebutFenetre = debut;
}

void COHERENCE_CONFIGURATION() {
    // The window rule reads and writes only Setup, so running it after the
    // rules of Config gives the same result as in the middle of them.
    COHERENCE_CONFIG_SEULE();
    COHER_SETUP();
}

void COHERENCE_CONFIG_SEULE() {
    if (Config.VersionConfig != VersionConfigCourante) INIT_CONFIG();
    if (Config.HauteurVoiesLogiques > HauteurGraphe) Config.HauteurVoiesLogiques = HauteurGraphe;
    COHER_COULEUR();
    COHER_RETIC_(&Config.ReticEcran);
    for (auto& e : Config.EpaisseurVoie)
        if (e <= 1 || e > 8) e = 1;
    COHER_RANGE();
    Config.CurseurXY = 1;
    if (Config.NombreCalcul > 11) Config.NombreCalcul = 1;
    if (Config.NombreVoieCurseur <= 0) Config.NombreVoieCurseur = 1;
    if (Config.NombreVoieCurseur > 30) Config.NombreVoieCurseur = 30;
    TerminerTextes();
    AssainirAutresNombres();
}
