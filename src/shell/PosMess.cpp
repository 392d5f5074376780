// Entry lookup in message blocks and the choice of the language.
#include "shell/Messages.h"

uint8_t Langue = 0;

void RESET_LANGUE() {
    Langue = 0;
}

namespace {
// Byte i of the block; bytes past its end read as NUL, that is as missing entries.
char OCTET(const tBloc& bloc, std::size_t i) {
    return i < bloc.Taille ? bloc.Octets[i] : '\0';
}

// Offset just past the NUL of the text starting at `debut`, or 0 when the block ends first.
std::size_t APRES_TEXTE(const tBloc& bloc, std::size_t debut) {
    for (std::size_t i = debut; i < bloc.Taille; ++i)
        if (bloc.Octets[i] == '\0') return i + 1;
    return 0;
}
} // namespace

const char* POS_MESS_NT(tBloc bloc, int n, int& position, int& longueur) {
    position = 0;
    longueur = 0;
    if (bloc.Octets == nullptr || bloc.Taille == 0) return nullptr;

    // Walk over the first n entries, remembering the last one present. A text that runs to the
    // end of the block without its NUL counts as missing, like everything after it.
    std::size_t p = 0;
    std::size_t dernierBon = 0;
    for (int i = 0; i < n && p < bloc.Taille; ++i) {
        const char c = OCTET(bloc, p);
        const std::size_t suite = (c != '\0' && c != '^') ? APRES_TEXTE(bloc, p) : 0;
        if (suite != 0) {
            dernierBon = p;
            p = suite;
        } else if (c != '\0' && c != '^') {
            p = bloc.Taille;
        } else {
            ++p;
        }
    }
    const char c = OCTET(bloc, p);
    const bool present = c != '\0' && c != '^' && APRES_TEXTE(bloc, p) != 0;
    const std::size_t debut = present ? p : dernierBon;

    std::size_t fin = debut;
    while (fin < bloc.Taille && bloc.Octets[fin] != '\0') ++fin;
    position = static_cast<int>(debut);
    longueur = static_cast<int>(fin - debut);
    return bloc.Octets + debut;
}

const char* POS_MESS(tBloc bloc) {
    int position = 0;
    int longueur = 0;
    const char* texte = POS_MESS_NT(bloc, Langue, position, longueur);
    if (texte == nullptr) return "";
    if (texte[0] == '?') texte = POS_MESS_NT(bloc, 1, position, longueur);
    if (texte[0] == '?') texte = POS_MESS_NT(bloc, 0, position, longueur);
    // Only a malformed block leaves its text without a NUL inside the block.
    if (static_cast<std::size_t>(position + longueur) >= bloc.Taille) return "";
    return texte;
}
