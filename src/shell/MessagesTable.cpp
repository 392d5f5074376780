// Builds the message blocks from Messages.def at compile time: the UTF-8 texts of the source become
// Windows-1252 blocks "French\0English\0German\0" followed by padding NULs.
#include "shell/Cp1252.h"
#include "shell/Messages.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace messages_detail {
// Reaching one of these while building a block stops the build; the name says what is wrong.
inline void texte_non_representable_en_windows_1252() {}
inline void texte_utf8_invalide() {}
inline void texte_commencant_par_circonflexe() {}

// Next code point of a UTF-8 text of n bytes, from byte i (constexpr rather than consteval: clang 14
// cannot call an immediate function on a parameter of another one).
constexpr char32_t LIRE_UTF8(const char* s, std::size_t n, std::size_t& i) {
    const auto c0 = static_cast<unsigned char>(s[i++]);
    if (c0 == 0) texte_utf8_invalide(); // a NUL would split the entry
    if (c0 < 0x80) return c0;
    int suite = 0;
    char32_t u = 0;
    if ((c0 & 0xE0) == 0xC0) {
        suite = 1;
        u = c0 & 0x1F;
    } else if ((c0 & 0xF0) == 0xE0) {
        suite = 2;
        u = c0 & 0x0F;
    } else if ((c0 & 0xF8) == 0xF0) {
        suite = 3;
        u = c0 & 0x07;
    } else {
        texte_utf8_invalide();
    }
    for (int k = 0; k < suite; ++k) {
        if (i >= n || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) texte_utf8_invalide();
        u = (u << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return u;
}

// Writes one entry at k: the lone "^" stays a one-byte placeholder, any other text is converted
// and ended by its NUL. Never writes more bytes than the literal holds.
template <std::size_t T, std::size_t N>
consteval void ECRIRE_ENTREE(std::array<char, T>& bloc, std::size_t& k, const char (&texte)[N]) {
    if (N == 2 && texte[0] == '^') {
        bloc[k++] = '^';
        return;
    }
    if (texte[0] == '^') texte_commencant_par_circonflexe();
    for (std::size_t i = 0; i < N - 1;) {
        const int octet = Cp1252DepuisUnicode(LIRE_UTF8(texte, N - 1, i));
        if (octet <= 0) texte_non_representable_en_windows_1252();
        bloc[k++] = static_cast<char>(octet);
    }
    bloc[k++] = '\0';
}

// A Windows-1252 text is never longer than its UTF-8 source, so the block always ends with at
// least one padding NUL: the lookup of the Italian entry finds it missing.
template <std::size_t A, std::size_t B, std::size_t C>
consteval std::array<char, A + B + C + 1> FAIRE_BLOC(const char (&fr)[A], const char (&en)[B],
                                                     const char (&de)[C]) {
    std::array<char, A + B + C + 1> bloc{};
    std::size_t k = 0;
    ECRIRE_ENTREE(bloc, k, fr);
    ECRIRE_ENTREE(bloc, k, en);
    ECRIRE_ENTREE(bloc, k, de);
    return bloc;
}

#define MESSAGE(nom, fr, en, de) constexpr auto nom##_octets = FAIRE_BLOC(fr, en, de);
#define TAMPON(nom)
#include "shell/Messages.def"
#undef MESSAGE
#undef TAMPON

#define MESSAGE(nom, fr, en, de) +1
#define TAMPON(nom) +1
static_assert(0
#include "shell/Messages.def"
                  == NombreMessages,
              "the table holds 206 messages");
#undef MESSAGE
#undef TAMPON

} // namespace messages_detail

// The start-up values of the two buffers. The web address is a stand-in: the maker's own address
// is not part of this program.
#define NOM_LOGICIEL_DEPART "OmbrixViewer"
#define ADRESSE_WEB_DEPART "https://www.ombrix.example"
static_assert(sizeof(NOM_LOGICIEL_DEPART) <= TailleTamponMessage);
static_assert(sizeof(ADRESSE_WEB_DEPART) <= TailleTamponMessage);

#define MESSAGE(nom, fr, en, de)                                                                             \
    constinit const tBloc nom{messages_detail::nom##_octets.data(), messages_detail::nom##_octets.size()};
#define TAMPON(nom)
#include "shell/Messages.def"
#undef MESSAGE
#undef TAMPON

char M_ADR_WEB[TailleTamponMessage] = ADRESSE_WEB_DEPART;
char M_NomLogiciel[TailleTamponMessage] = NOM_LOGICIEL_DEPART;

namespace {
#define MESSAGE(nom, fr, en, de)                                                                             \
    tEntreeMessage{#nom, tBloc(messages_detail::nom##_octets.data(), messages_detail::nom##_octets.size()),  \
                   false},
#define TAMPON(nom) tEntreeMessage{#nom, tBloc(nom), true},
constinit const tEntreeMessage TableMessages[] = {
#include "shell/Messages.def"
};
#undef MESSAGE
#undef TAMPON
static_assert(std::size(TableMessages) == NombreMessages);
} // namespace

std::span<const tEntreeMessage> TABLE_MESSAGES() {
    return TableMessages;
}

// Writes the whole buffer: the text, then NULs up to its end.
static void REMPLIR(char (&tampon)[TailleTamponMessage], const char* texte) {
    std::memset(tampon, 0, TailleTamponMessage);
    std::memcpy(tampon, texte, std::min(std::strlen(texte), TailleTamponMessage - 1));
}

void INIT_NOM_LOGICIEL() {
    REMPLIR(M_NomLogiciel, NOM_LOGICIEL_DEPART);
    REMPLIR(M_ADR_WEB, ADRESSE_WEB_DEPART);
}

void RESET_NOM_LOGICIEL() {
    INIT_NOM_LOGICIEL();
}
