// Qt's own texts (the standard buttons of message boxes, the file, colour, font and print
// dialogs) in the interface language, from the qtbase translations Debian ships
// (qt6-translations-l10n). English needs none: those texts are Qt's own.
#pragma once

#include <cstdint>

#include <QString>

namespace VIEW {

// The qtbase catalogue of a language found in `dossier`: "qtbase_fr" (0), "qtbase_de" (2),
// "qtbase_it" (3, Italian, or "qtbase_de" when Italian is missing: the program's own texts are
// German in Italian); empty for English and every other value.
QString CATALOGUE_QT(uint8_t langue, const QString& dossier);

// Puts the catalogue of `langue` (from Qt's translations folder) in place of the one installed
// before on the application, and removes it in English. True when a catalogue is installed.
bool CHARGER_TRADUCTION_QT(uint8_t langue);

} // namespace VIEW
