#include "export/FormatNombre.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// The texts of the C library for values without digits, right-aligned.
char* NonFini(char* p, double v, int largeur) {
    const char* t = std::isnan(v) ? (std::signbit(v) ? "-nan" : "nan") : (std::signbit(v) ? "-inf" : "inf");
    const int n = static_cast<int>(std::strlen(t));
    for (int i = n; i < largeur; ++i) *p++ = ' ';
    std::memcpy(p, t, static_cast<size_t>(n));
    return p + n;
}

// Shifts [debut, fin) right so that it fills `largeur` characters, blanks first.
char* Aligner(char* debut, char* fin, int largeur) {
    const int n = static_cast<int>(fin - debut);
    if (n >= largeur) return fin;
    std::memmove(debut + (largeur - n), debut, static_cast<size_t>(n));
    std::memset(debut, ' ', static_cast<size_t>(largeur - n));
    return debut + largeur;
}

// std::to_chars with a format and a precision is specified as the printf
// conversion of the same format in the "C" locale, rounding included.
char* Chiffres(char* p, double v, std::chars_format format, int precision) {
    return std::to_chars(p, p + TailleMaxNombre, v, format, precision).ptr;
}

} // namespace

char* ECRIRE_EXPOSANT(char* p, double v) {
    if (!std::isfinite(v)) return NonFini(p, v, 8);
    // "d.dddde+dd" is never shorter than 10 characters: no alignment needed.
    return Chiffres(p, v, std::chars_format::scientific, 4);
}

char* ECRIRE_FIXE(char* p, double v) {
    if (!std::isfinite(v)) return NonFini(p, v, 8);
    return Aligner(p, Chiffres(p, v, std::chars_format::fixed, 5), 8);
}

char* ECRIRE_DECIMAL(char* p, double v) {
    if (!std::isfinite(v)) return NonFini(p, v, 0);
    return Chiffres(p, v, std::chars_format::fixed, 6);
}
