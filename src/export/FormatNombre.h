// Number texts of the export rows: exactly the characters the C formats
// "%8.4e", "%8.5f" and "%f" give in the "C" locale (correct rounding, an
// exponent of at least two digits with its sign, right alignment in 8
// characters, "nan", "-nan", "inf", "-inf"), written without the format parser
// and independent of the process locale. The decimal mark is always ".".
#pragma once

#include <cstddef>

// Room a caller leaves for one number: "%f" of the largest double has 309
// integer digits, a sign, the point and 6 decimals.
inline constexpr size_t TailleMaxNombre = 400;

// Each writes the text of v at p (room for TailleMaxNombre characters, no NUL
// added) and returns the end of the text.
char* ECRIRE_EXPOSANT(char* p, double v); // "%8.4e"
char* ECRIRE_FIXE(char* p, double v);     // "%8.5f"
char* ECRIRE_DECIMAL(char* p, double v);  // "%f"
