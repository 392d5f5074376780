// Culture-made texts (dates, times) brought into the core's 8-bit code page.
#pragma once

#include <string>

class QString;

// Windows-1252 bytes of a text written by the culture's formats. The spaces
// those formats use that the code page lacks (narrow no-break space, thin
// space...) become ordinary blanks instead of '?'.
std::string TexteCulture(const QString& texte);
