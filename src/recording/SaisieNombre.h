// Numbers typed by the user, read with the decimal mark of the current culture.
#pragma once

#include <cstdint>

class QString;

// 1 when texte is a finite number (stored in resultat), 0 otherwise (resultat
// := 0.0). In a decimal-comma culture a typed "." counts as the comma; blanks
// (digit-group spaces included) are ignored.
uint8_t TEST_CONVERSION_DOUBLE(double& resultat, const QString& texte);
// The same for an 8-bit (Windows-1252) text.
uint8_t TEST_CONVERSION_DOUBLE(double& resultat, const char* texte);
