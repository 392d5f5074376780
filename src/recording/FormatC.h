// printf-style number writing for the core's 8-bit texts. The decimal mark is
// always ".", whatever locale the C runtime was switched to (a Qt application
// takes LC_NUMERIC from the environment at start-up).
#pragma once

#include <cstddef>

// Writes at most taille - 1 characters and a NUL (nothing when taille is 0).
// Returns the length written.
size_t ECRIRE_FORMAT(char* texte, size_t taille, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Appends src to the NUL-terminated texte, cut so that texte stays within taille.
void AJOUT_BORNE(char* texte, size_t taille, const char* src);
