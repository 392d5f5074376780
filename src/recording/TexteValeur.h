// Texts of physical values: engineering prefix or exponent, fixed decimals, and
// the coefficient texts of the function-channel dialog. Texts are 8-bit
// (Windows-1252) NUL-terminated buffers of the caller; each routine writes at
// most taille bytes, NUL included.
#pragma once

#include <cstddef>
#include <cstdint>

struct tConfig;

// Prefix letters for powers of 1000 from -4 to +4 (0xB5 is the micro sign).
extern const char* const TabFormat[9];
// The two modes below and ExpoReel belong to each thread: a picture drawn on a
// worker formats its texts while the window formats its own.
// 1: values get one more digit of width and one more decimal (initially 1).
extern thread_local uint8_t NombreDigit6;
// 1: no prefix or exponent is appended to value texts.
extern thread_local uint8_t AffSansUnite;
// Power of 1000 found by the last CALCUL_MESS_COEFF.
extern thread_local int8_t ExpoReel;

// Modes of CALCUL_MESSAGE.
inline constexpr int ModeCompresse = 1; // trailing zeros removed
inline constexpr int ModeZeros = 2;     // padded with leading zeros

// Formats valeur with the display format of channel n (conf.ParamVoie[n];
// without `conf`, the program's Config): sign character, number, then the
// prefix (AJOUTER_UNITE).
void CALCUL_MESSAGE(const tConfig& conf, char* texte, size_t taille, double valeur, int n, int mode);
void CALCUL_MESSAGE(char* texte, size_t taille, double valeur, int n, int mode);
// The value at a vertical position (1/100000 of the displayed range) in mode 1,
// without the extra digit and without prefix: the scale labels.
void MESSAGE_ENTREE_COMPRESSER(const tConfig& conf, char* texte, size_t taille, int n, int32_t position);
void MESSAGE_ENTREE_COMPRESSER(char* texte, size_t taille, int n, int32_t position);
// Appends the prefix letter of power e, or its exponent "E+3"... in exponent
// format (or when e has no prefix letter).
void AJOUTER_UNITE(const tConfig& conf, char* texte, size_t taille, int n, int e);
void AJOUTER_UNITE(char* texte, size_t taille, int n, int e);
// Coefficient with an exponent suffix, e.g. " 1.500E+3".
void CALCUL_MESS_COEFF(char* texte, size_t taille, double coefficient);

template <size_t N> void CALCUL_MESSAGE(char (&texte)[N], double valeur, int n, int mode) {
    CALCUL_MESSAGE(texte, N, valeur, n, mode);
}
template <size_t N> void MESSAGE_ENTREE_COMPRESSER(char (&texte)[N], int n, int32_t position) {
    MESSAGE_ENTREE_COMPRESSER(texte, N, n, position);
}
template <size_t N>
void MESSAGE_ENTREE_COMPRESSER(const tConfig& conf, char (&texte)[N], int n, int32_t position) {
    MESSAGE_ENTREE_COMPRESSER(conf, texte, N, n, position);
}
template <size_t N> void AJOUTER_UNITE(char (&texte)[N], int n, int e) {
    AJOUTER_UNITE(texte, N, n, e);
}
template <size_t N> void CALCUL_MESS_COEFF(char (&texte)[N], double coefficient) {
    CALCUL_MESS_COEFF(texte, N, coefficient);
}

// Back to the start-up state (NombreDigit6 1, AffSansUnite 0, ExpoReel 0) of
// the calling thread; for tests.
void RESET_TEXTE_VALEUR();
