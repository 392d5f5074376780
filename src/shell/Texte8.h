// Conversions between the core's 8-bit Windows-1252 texts and Unicode, done at the edges only
// (display, files of other tools, the console). Our own table, no codec of the platform.
// Every byte maps to one code point and back: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls U+0081, U+008D, U+008F, U+0090, U+009D.
#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

// Text up to its NUL. A null pointer gives an empty text.
QString DepuisCp1252(const char* texte);
// At most n bytes, stopping early at a NUL (for fixed-size fields that may fill their buffer).
QString DepuisCp1252(const char* texte, int n);

// Windows-1252 bytes of a text; characters the code page lacks become '?' (one per character,
// also for characters outside the basic plane). A U+0000 in the text gives a 0 byte.
std::string VersCp1252(const QString& texte);

// UTF-8 of a NUL-terminated Windows-1252 text; a null pointer gives "".
std::string Cp1252VersUtf8(const char* texte);
// Windows-1252 of a UTF-8 text (invalid sequences and unmappable characters become '?').
std::string Utf8VersCp1252(std::string_view texte);

// Converts a text of the user interface into a NUL-terminated Windows-1252 string in the caller's
// buffer of `taille` bytes, cut to fit; the buffer is always terminated (nothing is written when
// taille is 0). The text stops at a U+0000 it may contain.
void CONVERT_STRING_CHAR(const QString& texte, char* tampon, std::size_t taille);
template <std::size_t N> void CONVERT_STRING_CHAR(const QString& texte, char (&tampon)[N]) {
    CONVERT_STRING_CHAR(texte, tampon, N);
}
