#include "recording/TexteValeur.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "config/Config.h"
#include "recording/Conversion.h"
#include "recording/FormatC.h"

const char* const TabFormat[9] = {"p", "n", "\xB5", "m", " ", "K", "M", "G", "T"};
thread_local uint8_t NombreDigit6 = 1;
thread_local uint8_t AffSansUnite = 0;
thread_local int8_t ExpoReel = 0;

void RESET_TEXTE_VALEUR() {
    NombreDigit6 = 1;
    AffSansUnite = 0;
    ExpoReel = 0;
}

// Display format used for a channel number outside the table.
static const tParamVoie ParamHorsTable = [] {
    tParamVoie p{};
    p.NombreDecimales = 3;
    return p;
}();

static const tParamVoie& Param(const tConfig& conf, int n) {
    return n >= 0 && n < NombreVoiesConfig ? conf.ParamVoie[n] : ParamHorsTable;
}

// Precision written as one digit in the format, so at most 9 (10 with the extra digit).
inline constexpr int DecimalesMax = 9;

static void AjouterExposant(char* texte, size_t taille, int e) {
    char suffixe[16];
    ECRIRE_FORMAT(suffixe, sizeof suffixe, "E%c%d", e < 0 ? '-' : '+', 3 * std::abs(e));
    AJOUT_BORNE(texte, taille, suffixe);
}

void AJOUTER_UNITE(char* texte, size_t taille, int n, int e) {
    AJOUTER_UNITE(Config, texte, taille, n, e);
}

void AJOUTER_UNITE(const tConfig& conf, char* texte, size_t taille, int n, int e) {
    if (AffSansUnite == 1) return;
    // Powers beyond the prefix table are written as exponents so the text keeps its value.
    if ((Param(conf, n).FormatAffichage == 2 && e != 0) || e < -4 || e > 4) {
        AjouterExposant(texte, taille, e);
        return;
    }
    AJOUT_BORNE(texte, taille, TabFormat[e + 4]);
}

// "-  2.5" becomes "  -2.5": same width, the sign against the number.
static void JoindreSigne(char* texte) {
    if (texte[0] != '-') return;
    size_t blancs = 0;
    while (texte[1 + blancs] == ' ') ++blancs;
    if (blancs == 0) return;
    std::memset(texte, ' ', blancs);
    texte[blancs] = '-';
}

// Removes trailing zeros, then a trailing point, when the text has a point.
static void Compresser(char* texte) {
    if (!std::strchr(texte, '.')) return;
    size_t l = std::strlen(texte);
    while (l > 0 && texte[l - 1] == '0') texte[--l] = '\0';
    if (l > 0 && texte[l - 1] == '.') texte[--l] = '\0';
}

void CALCUL_MESSAGE(char* texte, size_t taille, double valeur, int n, int mode) {
    CALCUL_MESSAGE(Config, texte, taille, valeur, n, mode);
}

void CALCUL_MESSAGE(const tConfig& conf, char* texte, size_t taille, double valeur, int n, int mode) {
    if (taille == 0) return;
    const tParamVoie& p = Param(conf, n);
    double x = valeur / std::pow(10.0, 3.0 * p.ExposantUnite);
    const char signe = x < 0.0 ? '-' : ' ';
    x = std::fabs(x); // also drops the sign of -0.0 and of a negative NaN

    int precision = p.NombreDecimales > DecimalesMax ? DecimalesMax : p.NombreDecimales;
    int largeur = precision == 0 ? 4 : 5;
    if (NombreDigit6 == 1) {
        ++largeur;
        ++precision;
    }
    if (mode == ModeZeros)
        ECRIRE_FORMAT(texte, taille, "%c%0*.*f", signe, largeur, precision, x);
    else
        ECRIRE_FORMAT(texte, taille, "%c%#*.*f", signe, largeur, precision, x);
    // The padding goes before the sign, never between the sign and the digits:
    // a detached minus is read as a blank, or lost on a line it stands on.
    JoindreSigne(texte);
    if (mode == ModeCompresse) Compresser(texte);
    AJOUTER_UNITE(conf, texte, taille, n, p.ExposantUnite);
}

void MESSAGE_ENTREE_COMPRESSER(char* texte, size_t taille, int n, int32_t position) {
    MESSAGE_ENTREE_COMPRESSER(Config, texte, taille, n, position);
}

void MESSAGE_ENTREE_COMPRESSER(const tConfig& conf, char* texte, size_t taille, int n, int32_t position) {
    const uint8_t digit6 = NombreDigit6, sansUnite = AffSansUnite;
    NombreDigit6 = 0;
    AffSansUnite = 1;
    CALCUL_MESSAGE(conf, texte, taille, RECUP_FLOAT(conf, position, n), n, ModeCompresse);
    NombreDigit6 = digit6;
    AffSansUnite = sansUnite;
}

void CALCUL_MESS_COEFF(char* texte, size_t taille, double coefficient) {
    if (taille == 0) return;
    double c = std::isfinite(coefficient) ? coefficient : 1.0;
    ExpoReel = 0;
    const char signe = c < 0.0 ? '-' : ' ';
    c = std::fabs(c);
    for (int i = 0; i < 3 && c >= 1000.0; ++i) {
        c /= 1000.0;
        ++ExpoReel;
    }
    // The precision is chosen before a tiny coefficient is brought back into range.
    const int precision = c < 1.0 ? 4 : 3;
    if (c < 0.001) {
        c *= 1000.0;
        --ExpoReel;
    }
    ECRIRE_FORMAT(texte, taille, "%c%5.*f", signe, precision, c);
    if (c != 0.0 && ExpoReel != 0) AjouterExposant(texte, taille, ExpoReel);
}
