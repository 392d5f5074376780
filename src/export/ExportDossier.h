// Exports without the dialog: one recording to CSV (the step of a folder
// export), every recording of a folder tree, and the command-line export.
#pragma once

#include <cstdint>
#include <functional>

#include <QString>
#include <QStringList>

class OuvreREC;

// Exports the recording open in `ouvre` (its header in EnteteF, the view in
// Setup) as CSV to `cible`, synchronously. True when the file was written.
bool Auto_EXPORT(OuvreREC& ouvre, const QString& cible);

// Opens the recording at `chemin` as the displayed one; true when it is open
// and set up. The viewer's own version also joins continuation files.
using tOuvertureExport = std::function<bool(OuvreREC& ouvre, const QString& chemin)>;
// Without dialog: OUVRIR_REC(1) on `chemin`.
bool OUVRIR_SANS_DIALOGUE(OuvreREC& ouvre, const QString& chemin);

struct tResultatDossier {
    QStringList Exportes; // CSV files written
    QStringList Ignores;  // recordings not exported (could not be opened or written)
    // Exported recordings some of whose scripts did not compute their channel
    // on every row: the CSV file, then what became of each such script.
    QStringList ScriptsEnDefaut;
};

// The folder export once the folder is chosen: folder_export is 1 meanwhile;
// every "*.rec" file of `dossier`, then of its subfolders in turn (files of a
// folder first, each folder once), is opened and exported as CSV to the same
// path with ".csv" in place of its last four characters. A recording that
// cannot be opened is skipped, never exported under the data of another. The
// final box "CSV folder export finish" (caption "CSV Export", information
// icon) lists the recordings skipped, then the files written whose script
// channels are not all complete, with what became of those scripts.
tResultatDossier SELECTIONNER_DOSSIER(const QString& dossier, OuvreREC& ouvre,
                                      const tOuvertureExport& ouvrir = OUVRIR_SANS_DIALOGUE);

// The name proposed for an export of `enregistrement`: its folder and name
// without the extension, then ".xlsx", ".txt" or ".csv" by kind.
QString NOM_EXPORT(const QString& enregistrement, uint8_t typeFichier);

// The command-line export of the open recording: mode 0 Excel (/x), 1 text
// (/t), 2 CSV (/c), next to the recording under NOM_EXPORT, synchronously,
// with the closing box. 0 when written, 1 otherwise (no recording open, an
// unknown mode, a file that could not be written).
uint8_t LANCER_EXPORT_CONSOLE(int mode, OuvreREC& ouvre);
