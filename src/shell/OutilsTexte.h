// Building and trimming the NUL-terminated 8-bit texts of the core, in buffers owned by the caller.
//
// The routines that make a text longer come in three forms:
//  - with an explicit buffer size: never writes past it and always leaves the text NUL-terminated
//    inside it (a text that already fills the buffer without a NUL is cut to fit);
//  - on a character array: the same, with the size of the array;
//  - on a bare `char*`: no limit is known, so the buffer must have the room each routine states.
// The trimming routines only shorten the text in place.
#pragma once

#include "shell/Messages.h"

#include <concepts>
#include <cstddef>
#include <type_traits>

namespace outils_texte_detail {
// Size standing for "the caller vouches for the room".
inline constexpr std::size_t SansLimite = static_cast<std::size_t>(-1);
template <class P>
concept PointeurNu = std::same_as < std::remove_cvref_t<P>,
char* > ;
} // namespace outils_texte_detail

// Appends the text starting at source[position]: at most 99 characters, then the NUL.
// A bare pointer needs room for strlen(destination) + 100 bytes. A null source or a negative
// position appends nothing.
void AJOUT_TEXTE(char* destination, std::size_t taille, const char* source, int position);
template <std::size_t N> void AJOUT_TEXTE(char (&destination)[N], const char* source, int position) {
    AJOUT_TEXTE(destination, N, source, position);
}
template <outils_texte_detail::PointeurNu P>
void AJOUT_TEXTE(P&& destination, const char* source, int position) {
    AJOUT_TEXTE(destination, outils_texte_detail::SansLimite, source, position);
}

// Appends entry n of `bloc` (see POS_MESS_NT), cut to 99 characters as AJOUT_TEXTE does.
// A bare pointer needs room for strlen(destination) + 100 bytes. A null block appends nothing.
void AJOUT_NIEME_TEXTE(char* destination, std::size_t taille, tBloc bloc, int n);
template <std::size_t N> void AJOUT_NIEME_TEXTE(char (&destination)[N], tBloc bloc, int n) {
    AJOUT_NIEME_TEXTE(destination, N, bloc, n);
}
template <outils_texte_detail::PointeurNu P> void AJOUT_NIEME_TEXTE(P&& destination, tBloc bloc, int n) {
    AJOUT_NIEME_TEXTE(destination, outils_texte_detail::SansLimite, bloc, n);
}

// Appends one character. A bare pointer needs room for strlen(texte) + 2 bytes. A full buffer is
// left unchanged.
void AJOUT_CAR(char* texte, std::size_t taille, char c);
template <std::size_t N> void AJOUT_CAR(char (&texte)[N], char c) {
    AJOUT_CAR(texte, N, c);
}
template <outils_texte_detail::PointeurNu P> void AJOUT_CAR(P&& texte, char c) {
    AJOUT_CAR(texte, outils_texte_detail::SansLimite, c);
}

// Puts one blank before the text. A bare pointer needs room for strlen(texte) + 2 bytes; in a
// full buffer the last character gives way.
void AJOUT_BLANC_DEBUT(char* texte, std::size_t taille);
template <std::size_t N> void AJOUT_BLANC_DEBUT(char (&texte)[N]) {
    AJOUT_BLANC_DEBUT(texte, N);
}
template <outils_texte_detail::PointeurNu P> void AJOUT_BLANC_DEBUT(P&& texte) {
    AJOUT_BLANC_DEBUT(texte, outils_texte_detail::SansLimite);
}

// Removes the trailing run of c, but never the first character: a text made only of c keeps one.
void ELIM_CAR(char* texte, char c);
// Removes trailing blanks (ELIM_CAR with ' '): a text of blanks only keeps one blank.
void ELIM_BLANC(char* texte);
// Removes leading blanks by shifting the text left.
void ELIM_DEBUT_BLANC(char* texte);
// Removes trailing, then leading blanks: a text of blanks only becomes empty.
void ELIM_BLANC_TOTAL(char* texte);
