// Joining listed recordings into one: the first file's header and samples,
// then the samples of every other file, one marker annotation where each
// following file begins, the TKOS and VEL files' own annotations carried over,
// and the first header's annotation-area size patched to the new area.
//
// Every header is read and checked before any byte is written, so a list that
// cannot be joined writes nothing. The output is written under a name of its
// own and takes its final name only once complete and of the expected size; a
// failure removes it. The listed files are only ever opened for reading, and
// the output may not be one of them.
#pragma once

#include <cstdint>
#include <memory>

#include <QString>
#include <QStringList>

#include "recording/Annotations.h"
#include "recording/EnteteREC.h"
#include "recording/MorceauxREC.h"
#include "recording/OuvreREC.h"

// Folder of the user's temporary directory that receives an unsaved join, and its name there.
inline constexpr const char* DossierConcatTemporaire = "OMB_MEM";
inline constexpr const char* NomConcatTemporaire = "00.rec";

// Records a join collects: the old-layout ones are bounded by the table and by
// the TKAR 16-bit area size (65535 / 44), the 152-byte ones by what an opened
// recording can hold. Records beyond are not carried.
inline constexpr int MaxAnnotConcatAnciennes = 65535 / static_cast<int>(sizeof(tTabAnnotMem));
static_assert(MaxAnnotConcatAnciennes <= TailleTabAnnotMem);
inline constexpr int MaxAnnotConcatNouvelles = TailleTabAnnotMemNew;

// Why the last join failed.
enum class tEchecConcat : uint8_t {
    Aucun,        // joined
    ListeVide,    // nothing listed
    Lecture,      // a header could not be read (missing, unreadable, no known family)
    Incompatible, // a file cannot follow the first one
    SortieListee, // the named output is one of the listed files
    Ecriture,     // the output could not be written, or a file changed while it was copied
};

struct tRapportConcat {
    tEchecConcat Echec = tEchecConcat::Aucun;
    QString Fichier;         // the file at fault (a listed file or the output)
    const char* Cause = "";  // why, in English, for diagnostics
    int Marqueurs = 0;       // marker annotations written
    int Reportees = 0;       // annotations of the files carried over
    int Omises = 0;          // annotations not carried: the tables were full
    int64_t NombreScans = 0; // samples per channel of the result
};

class ConcatenationREC {
    // The header record of the opener (declared first: the opener points to it).
    std::unique_ptr<t_EnteteREC_GlobalTotal> Entete_;

public:
    ConcatenationREC();
    ConcatenationREC(const ConcatenationREC&) = delete;
    ConcatenationREC& operator=(const ConcatenationREC&) = delete;

    // Joins `Fichiers` in order. With `sauver` the output is FileTemporaire
    // (the name the user chose), which becomes the result and
    // PremierNomFichier; otherwise FileTemporaire receives a new name in the
    // temporary directory, the result goes to OMB_MEM/00.rec there (the
    // temporary output itself when 00.rec cannot be replaced, or is listed) and
    // PremierNomFichier is the first listed file. On success FichierTemp names
    // the result, the list is kept in "HG" (when MemoriserListe) and 0 is
    // returned. On failure: the reader's result (1 or 2) for a header that
    // cannot be read, 1 otherwise; Rapport tells why, no output is left and a
    // file that already had the output's name is as it was.
    // The annotation tables of the recording on display are the same afterwards.
    uint8_t ARRET_OK(uint8_t sauver);

    // Tells the user why the last join failed (title `M_Erreur`, warning icon): the output that
    // could not be written, or that is one of the listed files, by `M_ErreurFichier` and its name;
    // a list that cannot be joined by `M_ErreurConcat`. Nothing after a success.
    void SIGNALER_ECHEC() const;

    QStringList Fichiers;      // the recordings to join, in order (full paths)
    OuvreREC OuvrirConcat;     // reads each header into its own record
    QString FileTemporaire;    // path of the output being written
    QString FichierTemp;       // path of the finished recording to open
    QString PremierNomFichier; // name shown for the result
    bool MemoriserListe = true;
    tRapportConcat Rapport;
    tEcritureMorceaux Ecriture; // the file operations, replaceable by tests
};
