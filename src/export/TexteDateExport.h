// Date and time texts of the export files, in the user's regional format.
#pragma once

#include <string>

class QDateTime;
class QLocale;

// The culture's short date, a blank and its long time without the time-zone
// field (a recorder's clock carries no zone), in Windows-1252.
std::string TEXTE_DATE_HEURE(const QDateTime& date, const QLocale& culture);
