// Short texts of times and sample counts: time axis labels, cursor read-outs,
// title line and filter dialog. Texts are 8-bit (Windows-1252) NUL-terminated
// buffers of the caller; each routine writes at most taille bytes, NUL included.
#pragma once

#include <cstddef>

// Copy of the sampling period of the open recording (microseconds), taken when
// its title line is built.
extern float samplingPeriod;

// A time in microseconds with its unit: "0.5µs", "1.5ms", "2.05min", "1.30H",
// or days and the time of day ("1D" then the culture's short time).
void CALCUL_VRAI_TEMPS(char* texte, size_t taille, double temps);
// A sample count: "%4d" below 10000, "%7.1E" above.
void CALCUL_TEMPS_EXTERNE(char* texte, size_t taille, double nombre);
// Sample count when periode is 0.0 (external clock), time text otherwise.
void CALCUL_TEMPS_TIME_BASE(char* texte, size_t taille, double valeur, double periode);

template <size_t N> void CALCUL_VRAI_TEMPS(char (&texte)[N], double temps) {
    CALCUL_VRAI_TEMPS(texte, N, temps);
}
template <size_t N> void CALCUL_TEMPS_EXTERNE(char (&texte)[N], double nombre) {
    CALCUL_TEMPS_EXTERNE(texte, N, nombre);
}
template <size_t N> void CALCUL_TEMPS_TIME_BASE(char (&texte)[N], double valeur, double periode) {
    CALCUL_TEMPS_TIME_BASE(texte, N, valeur, periode);
}

// Back to the start-up state; for tests.
void RESET_TEXTE_TEMPS();
