// The CSV options, kept in the per-user file "csv.conf": automatic detection of
// the separators, the field separator and the decimal mark used when detection
// is off. Three lines written and read as "%d\n%c\n%c".
//
// The file sits in the per-user data folder of the program (on Windows that
// folder is found from the program path minus its file name; here it is simply
// the data folder).
#pragma once

#include <QLocale>
#include <QString>

extern bool CSVSeparatorAutoDetect; // true: ";" and the regional decimal mark
extern char CSV_Separator;          // field separator when detection is off: ',' or ';'
extern char CSV_Delimiter;          // decimal mark when detection is off: '.' or ','

// Detection on, '.', ',': the content of a new "csv.conf".
void RESET_OPTIONS_CSV();

// <per-user data folder>/csv.conf
QString CHEMIN_CSV_CONF();

// Reads "csv.conf" into the three values. A missing file is created with
// "1\n.\n," and those values are taken. As with the C format reading, values
// after the first one that does not read keep what they held. False when the
// file can be neither read nor created.
bool LIRE_CSV_CONF();
// Writes the three values ("%d\n%c\n%c", detection as 1 or 0). False on failure.
bool ECRIRE_CSV_CONF();

// The non-visual half of the CSV options dialog's refresh: reloads "csv.conf";
// with detection on, the decimal mark becomes the regional one and the
// separator "," when that mark is "." and ";" otherwise.
void UpdateCSV();

// The culture's decimal mark as one 8-bit character ('.' when it has none in
// the code page).
char SEPARATEUR_DECIMAL(const QLocale& culture = QLocale());
