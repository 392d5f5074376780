// Culture-made texts (dates, times) brought into the core's 8-bit code page.
#pragma once

#include <string>

#include <QLocale>

class QString;

// The culture of the dates and times shown in the interface: the user's regional settings (the
// default culture) when they are in the interface language (`Langue`), so that a user of
// Canadian French or British English keeps his own formats, otherwise the usual culture of that
// language (French, English, German; Italian in Italian). The neutral C culture counts as
// English. Numbers keep the regional settings, and so do exported files.
QLocale CULTURE_INTERFACE();

// Windows-1252 bytes of a text written by the culture's formats. The spaces
// those formats use that the code page lacks (narrow no-break space, thin
// space...) become ordinary blanks instead of '?'.
std::string TexteCulture(const QString& texte);
