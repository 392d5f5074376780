#include "shell/OutilsTexte.h"

#include <algorithm>
#include <cstring>

namespace {
// Longest text a single append copies.
constexpr std::size_t LongueurAjoutMax = 99;

// Length of the text in a buffer of `taille` bytes. A buffer without a NUL is cut to end with one,
// so that every routine leaves a valid text behind.
std::size_t LONGUEUR(char* texte, std::size_t taille) {
    std::size_t n = 0;
    while (n < taille && texte[n] != '\0') ++n;
    if (n == taille) texte[--n] = '\0';
    return n;
}

// Appends at most `maximum` characters of `source`, stopping at its NUL, within `taille` bytes.
void AJOUT_BORNE(char* destination, std::size_t taille, const char* source, std::size_t maximum) {
    if (destination == nullptr || taille == 0) return;
    const std::size_t debut = LONGUEUR(destination, taille);
    std::size_t k = 0;
    while (k < maximum && source[k] != '\0' && debut + k + 1 < taille) {
        destination[debut + k] = source[k];
        ++k;
    }
    destination[debut + k] = '\0';
}
} // namespace

void AJOUT_TEXTE(char* destination, std::size_t taille, const char* source, int position) {
    if (source == nullptr || position < 0) return;
    AJOUT_BORNE(destination, taille, source + position, LongueurAjoutMax);
}

void AJOUT_NIEME_TEXTE(char* destination, std::size_t taille, tBloc bloc, int n) {
    int position = 0;
    int longueur = 0;
    const char* texte = POS_MESS_NT(bloc, n, position, longueur);
    if (texte == nullptr) return;
    // The entry's length bounds the copy, so a block whose last text lacks its NUL is safe too.
    AJOUT_BORNE(destination, taille, texte, std::min<std::size_t>(longueur, LongueurAjoutMax));
}

void AJOUT_CAR(char* texte, std::size_t taille, char c) {
    if (texte == nullptr || taille == 0) return;
    const std::size_t n = LONGUEUR(texte, taille);
    if (n + 1 >= taille) return;
    texte[n] = c;
    texte[n + 1] = '\0';
}

void AJOUT_BLANC_DEBUT(char* texte, std::size_t taille) {
    if (texte == nullptr || taille == 0) return;
    std::size_t n = LONGUEUR(texte, taille);
    if (taille < 2) return; // room for the terminator only
    if (n + 2 > taille) n = taille - 2;
    std::memmove(texte + 1, texte, n);
    texte[0] = ' ';
    texte[n + 1] = '\0';
}

void ELIM_CAR(char* texte, char c) {
    if (texte == nullptr) return;
    std::size_t n = std::strlen(texte);
    while (n > 1 && texte[n - 1] == c) texte[--n] = '\0';
}

void ELIM_BLANC(char* texte) {
    ELIM_CAR(texte, ' ');
}

void ELIM_DEBUT_BLANC(char* texte) {
    if (texte == nullptr) return;
    std::size_t blancs = 0;
    while (texte[blancs] == ' ') ++blancs;
    if (blancs > 0) std::memmove(texte, texte + blancs, std::strlen(texte + blancs) + 1);
}

void ELIM_BLANC_TOTAL(char* texte) {
    ELIM_BLANC(texte);
    ELIM_DEBUT_BLANC(texte);
}
