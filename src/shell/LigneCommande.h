// The viewer's command line, read into a plain result: the recording to open, the export mode,
// the exported part and the export options. Reading it changes nothing; the start-up applies the
// result (Config.LimitationExport, Config.LongueurExport, Config.TempsAbsolu, Setup).
//
// Arguments, in order:
//  - one whose extension is ".rec" (in any case) names the recording; a relative path is joined to
//    the working directory; a later one replaces an earlier one;
//  - the configuration file given first (EST_FICHIER_CONFIG) is loaded by the start-up and is no
//    option;
//  - any other is an option: lower-cased, its "." and "," replaced by the culture's decimal mark,
//    it must begin with "/". Its value is the text from the fourth character on, read in the
//    culture's format (unreadable: 0; an argument shorter than three characters: -1).
//      /b  start of the exported part, 0..1, else error
//      /e  end of the exported part, above 0 up to 1, else error
//      /x /t /c  export modes 1, 2, 3 (Excel, text, CSV)
//      /n  row count: above 0 limits the export to that many rows
//      /da /dr  absolute / relative time labels; /d with anything else: no effect
//      any other letter: error
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>

// Export modes: none, then /x, /t, /c. The console export takes the mode minus one.
inline constexpr uint8_t ModeSansExport = 0, ModeExportExcel = 1, ModeExportTexte = 2, ModeExportCSV = 3;

struct tLigneCommande {
    QString FichierREC; // full path of the recording named, empty when none
    uint8_t ModeExport = ModeSansExport;
    bool Erreur = false;                   // an argument that is neither a recording nor a valid option
    double Debut = 0.0;                    // /b, fraction of the recording
    double Fin = 1.0;                      // /e
    uint8_t LimitationExport = 0;          // Config.LimitationExport: 1 with a /n above 0, else 0
    std::optional<int32_t> LongueurExport; // /n above 0: the row count (truncated)
    std::optional<uint8_t> TempsAbsolu;    // /da: 1, /dr: 0; the last one given counts
    QString TexteErreur;                   // "Error " then every argument, each after a blank
};

// True for a first argument the start-up loads as a configuration file: its extension, compared
// exactly, is ".cnf", or ".spt" (the type registered to open with the viewer).
bool EST_FICHIER_CONFIG(const QString& argument);

// Reads the arguments (without the program name). `repertoireTravail` is the working directory
// the relative recording paths are joined to; numbers are read in `culture`.
tLigneCommande INTERPRETER_LIGNE_COMMANDE(const QStringList& arguments, const QString& repertoireTravail,
                                          const QLocale& culture = QLocale());

// Start and end of the exported part in order (swapped when the end comes first).
std::pair<double, double> ORDONNER_FRACTIONS(double debut, double fin);
