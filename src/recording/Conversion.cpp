#include "recording/Conversion.h"

#include <algorithm>
#include <cmath>

#include "config/Config.h"
#include "recording/EnteteREC.h"

thread_local double* TableauTravail = nullptr;

void RESET_CONVERSION() {
    TableauTravail = nullptr;
}

static bool VoieValide(int n) {
    return n >= 0 && n < NombreVoiesTable;
}

static double AppliquerLoi(const t_EnteteREC_GlobalTotal& e, const tCalibVoie& c, double v) {
    const double a = c.CoefA, b = c.CoefB, cc = c.CoefC, d = c.CoefD;
    switch (c.TypeConversion) {
    case LoiDeuxPoints:
    case LoiLineaire:
        return a * v + b;
    case LoiValeurAbsolue:
        return a * std::fabs(v) + b;
    case LoiPolynome:
        // The first TKAR recorders stored a two-term polynomial.
        if (e.FamilleEnregistreur == FamilleTKAR && e.Revision <= 1) return a * v * v + b;
        return a * v * v + b * v + cc;
    case LoiLogarithme:
        return a * std::log(std::max(v, 1e-9)) + b;
    case LoiRacine:
        if (e.NouvelleFormule == 1) return a * std::sqrt(std::fabs(d * v + cc)) + b;
        return a * std::sqrt(std::fabs(cc + v)) + b;
    case LoiExponentielle:
        return a * std::exp(cc * v) + b;
    case LoiInverse:
        return a * (v == 0.0 ? 1e12 : 1.0 / v) + b;
    default:
        return v;
    }
}

double RECUP_VALEUR(uint16_t brut, int n) {
    return RECUP_VALEUR(EnteteF, brut, n);
}

double RECUP_VALEUR(const t_EnteteREC_GlobalTotal& e, uint16_t brut, int n) {
    if (!VoieValide(n)) return 0.0;
    const tCalibVoie& c = e.CalibVoie[n];
    // Supplementary channels store two's-complement words.
    double v = e.Affichage[n].VoieSignee == 1 ? static_cast<double>(static_cast<int16_t>(brut))
                                              : static_cast<double>(brut);
    v = (v - c.Decalage) * c.Gain;
    return AppliquerLoi(e, c, v);
}

float RECUP_FLOAT(int32_t position, int n) {
    return RECUP_FLOAT(Config, position, n);
}

float RECUP_FLOAT(const tConfig& conf, int32_t position, int n) {
    if (!VoieValide(n)) return 0.0f;
    const tParamVoie& p = conf.ParamVoie[n];
    return p.BorneMin + (p.BorneMax - p.BorneMin) * static_cast<float>(position) / 100000.0f;
}

void CALCUL_FLOAT(int n) {
    CALCUL_FLOAT(Config, n);
}

void CALCUL_FLOAT(tConfig& conf, int n) {
    if (!VoieValide(n)) return;
    tParamVoie& p = conf.ParamVoie[n];
    double m =
        std::max(std::fabs(static_cast<double>(p.BorneMax)), std::fabs(static_cast<double>(p.BorneMin)));
    int k = 0;
    if (std::isfinite(m)) {
        while (m >= 10.0 && k < 101) {
            m /= 10.0;
            ++k;
        }
        while (m > 0.0 && m < 1.0 && k > -101) {
            m *= 10.0;
            --k;
        }
    }
    int e = 0;
    while (k >= 3) {
        ++e;
        k -= 3;
    }
    while (k < 0) {
        --e;
        k += 3;
    }
    p.ExposantUnite = static_cast<int8_t>(e);
    p.NombreDecimales = static_cast<uint8_t>(3 - k);
    if (p.FormatAffichage == 1 && e != 0) {
        p.ExposantUnite = 0;
        p.NombreDecimales = 0;
    }
}

bool FLOAT_EGAL(double a, double b) {
    return std::fabs(a - b) < 1e-10;
}
