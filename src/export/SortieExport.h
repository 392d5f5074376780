// Writers of the export files: the rows computed by the export (EtatExport)
// go to a delimited text file or to an Excel workbook. Both write into a
// temporary file beside the target and put it in place only once complete.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/FichierProvisoire.h"
#include "export/TamponSortie.h"

// What goes into the columns: the exported channels (numbers) and logic inputs
// (bit numbers of the logic word).
struct tColonnesExport {
    std::vector<int> Voies;
    std::vector<int> Logiques;
};

// One row.
struct tLigneExport {
    double TempsMs = 0.0;                     // relative time, milliseconds
    const std::string* TempsAbsolu = nullptr; // absolute time text instead, when set
    const double* Valeurs = nullptr;          // physical values by channel number
    uint16_t MotLogique = 0;
    const std::string* Annotation = nullptr; // null: none on this row
};

class SortieExport {
public:
    virtual ~SortieExport() = default;
    // The header block: whole lines (title, summary, date), then the column
    // header fields (time, channels, logic inputs). Texts in Windows-1252.
    virtual void Entete(const std::vector<std::string>& lignes, const std::vector<std::string>& colonnes) = 0;
    virtual void Ligne(const tLigneExport& ligne) = 0;
    // Rows handed to Ligne whose bytes have not reached the file yet (being
    // formatted on another thread).
    virtual int64_t LignesEnAttente() const { return 0; }
    // True once a write has failed; the export then stops.
    virtual bool Erreur() const = 0;
    // Completes the file and puts it in place of the target. False on failure:
    // nothing is left where the target was named and a previous file stays.
    virtual bool Terminer() = 0;
};

// Number formats of the text kinds.
enum class tFormatValeurs : uint8_t { Exposant, Fixe };
// How numbers are written: the export's own writer, or the C library's
// snprintf (the reference the benchmark compares with; the same characters).
enum class tFormateur : uint8_t { Rapide, Printf };
// How the rows of a text export are formatted: with Fils 2 in blocks of
// LignesParBloc rows (0: sized by the row's width) on the export's thread and
// a worker, with 1 row by row on the export's thread alone. The same bytes.
struct tDecoupageTexte {
    int Fils = 2;
    int LignesParBloc = 0;
};

// Delimited text: every field followed by `separateur`, "." replaced by
// `decimale` in numbers, lines ended by a line feed, bytes as given.
std::unique_ptr<SortieExport> SORTIE_TEXTE(std::unique_ptr<FichierProvisoire> fichier,
                                           const tColonnesExport& colonnes, char separateur, char decimale,
                                           tFormatValeurs format, tFormateur formateur,
                                           const tDecoupageTexte& decoupage = tDecoupageTexte());

// Excel workbook of one sheet: header lines as texts in the first cell of
// their rows, column header texts, then rows of numbers (time, values, logic
// bits) and the annotation text. Texts become UTF-8. Above
// `cellulesMemoireConstante` cells the sheet is streamed to disk row by row
// (texts then stored inline rather than in the shared-string table).
std::unique_ptr<SortieExport> SORTIE_EXCEL(std::unique_ptr<FichierProvisoire> fichier,
                                           const tColonnesExport& colonnes, int64_t lignesPrevues,
                                           int64_t cellulesMemoireConstante);

// Rows an Excel export writes at most.
inline constexpr int64_t LignesMaxExcel = 1048000;
