// The export of the displayed window of the open recording, without its
// dialog: the state the Export dialog shows and drives (row count rules, the
// start, the progress, the closing message) and the writing of the rows.
//
// The export reads the recording through its own reader (LecteurScans) and
// holds the display pass through DemandeExport while it reads. It writes into
// a temporary file beside the target and renames it over the target once
// complete; a target that cannot be written, or a write that fails, is
// reported (OnAEuUneErreur, M_ExportErreur) and leaves the previous file as it
// was. An export stopped by DemandeAbort keeps the rows written so far.
//
// Threads: with TypeInterface 1 the rows are written on a worker thread
// started by LANCE_CALCUL; the dialog's thread only polls LongProgress and
// CalCulEnCours and may set DemandeAbort. Everything the worker needs (the
// separators, texts, channel lists, annotations, the culture) is taken on the
// calling thread before it starts. Whichever thread writes, the rows are
// converted there, in row order; the text and CSV kinds then format and write
// them in blocks on that thread and one more (EcritureEnBlocs), giving the
// bytes of a row-by-row writing.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "export/SortieExport.h"

class OuvreREC;

// TypeFichier.
inline constexpr uint8_t TypeExcel = 0, TypeTexte = 1, TypeCSV = 2;
// CalCulEnCours.
inline constexpr uint8_t ExportAucun = 0, ExportEnCours = 1, ExportFini = 2;

// What an export takes from the opening of the recording.
struct SourceExport {
    QString CheminDonnees;  // the recording file read for the samples
    std::string LigneTitre; // the recording's title (Windows-1252), empty: no title line
    std::string Resume;     // the title line without the trigger date
    QDateTime DateTrigger;  // trigger date and time (wall clock)
};
// From the opener of the displayed recording.
SourceExport SOURCE_EXPORT(const OuvreREC& ouvre);

class EtatExport {
public:
    EtatExport();
    // Stops a running writing and waits for it.
    ~EtatExport();
    EtatExport(const EtatExport&) = delete;
    EtatExport& operator=(const EtatExport&) = delete;

    // Row rules of the dialog set-up, rerun after every change: Limitation from
    // bit 0 of Config.LimitationExport; Config.LongueurExport normalised (0 or
    // less becomes 100, 1048000 and more become 1048000); LongueurACalculer the
    // row count when limited, else the scans of the displayed window, at most
    // 1048000 for the Excel kind (which then counts as limited, VraiLimitation).
    void INIT();

    // Starts the export (the dialog's "Valid" after its own steps): brackets
    // of the file name become parentheses in FichierExport; the temporary file
    // is created beside the target, or OnAEuUneErreur is set and false returned;
    // then the rows are written on a worker thread (TypeInterface 1) or at once.
    // True when the writing was started (and, synchronously, has ended).
    bool LANCE_CALCUL(const SourceExport& source);

    // The writing itself (CalCulEnCours 1, then 2); LANCE_CALCUL prepares it.
    void CALCUL_TEXTE();

    // Waits until a running writing has ended.
    void ATTENDRE_FIN();
    // Closing the dialog while the writing runs: DemandeAbort, then wait.
    void ARRETER();

    // Text of the closing box: M_ExportErreur when the file could not be
    // created or written, else M_ExportEnd.
    const char* MESSAGE_FIN() const;
    // The closing box: caption M_Export, OK, warning icon, MESSAGE_FIN.
    void AFFICHER_FIN() const;
    // The row-count label: M_NbLigne, followed by the number of rows when not
    // limited.
    std::string TEXTE_NB_LIGNE() const;

    // ---- Dialog state ---------------------------------------------------------
    QString FichierExport; // target path
    uint8_t TypeFichier = TypeTexte;
    uint8_t TypeInterface = 1;  // 1: worker thread, 0: synchronous
    uint8_t Limitation = 0;     // bit 0 of Config.LimitationExport
    uint8_t VraiLimitation = 0; // a row limit in force
    int64_t LongueurACalculer = 0;
    std::atomic<int32_t> LongProgress{0}; // 0..1000
    std::atomic<uint8_t> CalCulEnCours{ExportAucun};
    std::atomic<uint8_t> DemandeAbort{0};   // 1: stop after the current row
    std::atomic<uint8_t> OnAEuUneErreur{0}; // 1: the file could not be created or written

    // ---- Tuning and diagnostics -----------------------------------------------
    tFormateur Formateur = tFormateur::Rapide;
    tDecoupageTexte DecoupageTexte;               // text and CSV: rows formatted on two threads
    int64_t CellulesMemoireConstante = 4'000'000; // Excel: stream the sheet above this
    tEcritureProvisoire Ecriture;                 // completing the file, replaceable by tests
    std::atomic<int64_t> LignesEcrites{0};        // rows whose bytes went to the file

    // The target name with "[" and "]" of its file name replaced by "(" and ")".
    static QString NOM_SANS_CROCHETS(const QString& chemin);

private:
    bool PREPARER(const SourceExport& source);
    // LignesEcrites and LongProgress once `ecrites` of `lignes` rows are in the file.
    void Avancer(int64_t ecrites, int64_t lignes);

    struct tPreparation;
    std::unique_ptr<tPreparation> Prep_;
    std::thread Travailleur_;
};
