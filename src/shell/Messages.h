// The multilingual message table and the language index.
//
// A message block holds its texts one after the other in Windows-1252, French, English and German,
// each ended by a NUL, possibly followed by padding NULs. An entry may also be missing: a lone NUL,
// or the one-byte placeholder "^" (no NUL after it). The texts themselves live in Messages.def.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// A message block and its size in bytes. Carrying the size lets the entry lookup stop at the end
// of the block: bytes past it read as missing entries. Built from a character array (a string
// literal such as "FR\0EN\0DE" or a fixed buffer) the size is that of the array; a null block has
// no bytes at all.
struct tBloc {
    const char* Octets = nullptr;
    std::size_t Taille = 0;

    constexpr tBloc() = default;
    constexpr tBloc(std::nullptr_t) {}
    constexpr tBloc(const char* octets, std::size_t taille) : Octets(octets), Taille(octets ? taille : 0) {}
    template <std::size_t N> constexpr tBloc(const char (&octets)[N]) : Octets(octets), Taille(N) {}
};

// Size of the two buffers of the table that the program fills itself.
inline constexpr std::size_t TailleTamponMessage = 32;

// The messages: `M_Erreur` and the others are blocks, `M_ADR_WEB` and `M_NomLogiciel` buffers.
#define MESSAGE(nom, fr, en, de) extern const tBloc nom;
#define TAMPON(nom) extern char nom[TailleTamponMessage];
#include "shell/Messages.def"
#undef MESSAGE
#undef TAMPON

// Number of messages in the table, the two buffers included.
inline constexpr std::size_t NombreMessages = 206;

// One line of the table, for listing it (tests, `ombrix` dump).
struct tEntreeMessage {
    const char* Nom; // "M_Erreur"
    tBloc Bloc;      // the block, or the whole 32-byte buffer
    bool EstTampon;  // true for M_ADR_WEB and M_NomLogiciel
};
// The table in the order of Messages.def.
std::span<const tEntreeMessage> TABLE_MESSAGES();

// Language of the texts: 0 French, 1 English, 2 German, 3 Italian (shown with the German texts).
// Other values read as missing entries, which also gives the German text. Starts at 0; the start-up
// reads the user's choice from the registry.
extern uint8_t Langue;
void RESET_LANGUE(); // back to 0

// Fills `M_NomLogiciel` with "OmbrixViewer" and `M_ADR_WEB` with the maker's web address. Both
// buffers already hold these values when the program starts; start-up calls this again.
void INIT_NOM_LOGICIEL();
void RESET_NOM_LOGICIEL(); // same values, for tests that changed the buffers

// Entry n of `bloc`. When that entry is missing, the last present entry before it is given instead
// (offset 0 when there is none). Writes the entry's offset in the block and its length up to its
// NUL. A null block gives 0, 0 and nullptr. The result is NUL-terminated within the block, except
// for a malformed sized block whose last byte is not a NUL: rely on `longueur` there.
const char* POS_MESS_NT(tBloc bloc, int n, int& position, int& longueur);

// The text of `bloc` in the current language. An entry starting with "?" is untranslated: the
// English text is taken instead, and if that starts with "?" too, the French one. A null block
// (or a text not terminated within its block) gives "" rather than nullptr.
const char* POS_MESS(tBloc bloc);
