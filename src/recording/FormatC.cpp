#include "recording/FormatC.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <locale.h>

size_t ECRIRE_FORMAT(char* texte, size_t taille, const char* format, ...) {
    if (taille == 0) return 0;
    // The "C" locale for this thread only, during the call: numbers get "." and
    // the texts inserted by %s are left untouched.
    static const locale_t localeC = newlocale(LC_ALL_MASK, "C", locale_t{});
    const locale_t avant = localeC ? uselocale(localeC) : locale_t{};
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(texte, taille, format, args);
    va_end(args);
    if (localeC) uselocale(avant);
    if (n < 0) {
        texte[0] = '\0';
        return 0;
    }
    return static_cast<size_t>(n) < taille ? static_cast<size_t>(n) : taille - 1;
}

void AJOUT_BORNE(char* texte, size_t taille, const char* src) {
    if (taille == 0) return;
    size_t l = strnlen(texte, taille);
    if (l >= taille) { // not terminated inside the buffer: terminate it
        texte[taille - 1] = '\0';
        return;
    }
    while (*src && l + 1 < taille) texte[l++] = *src++;
    texte[l] = '\0';
}
