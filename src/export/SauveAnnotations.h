// Saving a recording with the annotations added since it was opened: the
// NombreAnnotEnPlus records that follow the first NouveauAnnot records of
// TabAnnotMemNew are appended to the file, 152 bytes each, and the fixed
// header announces the larger annotation area (TKAR also takes the signature
// of a recording without data checksum, the sum no longer covering the file).
//
// A recording is never left damaged:
// - into the open recording itself: the records are appended and pushed to
//   the disk, then the header is patched and pushed too; on any failure the
//   file is cut back to its former length and its header written back;
// - into another file: the copy is written beside it under a temporary name,
//   complete, pushed to the disk and its size checked, and only then renamed
//   onto the chosen name (an existing file there is replaced in one step).
// Every failure is told to the user (`M_ErreurSauveAnnot` and the file) and
// leaves the counters as they were.
#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "recording/EnteteREC.h"

inline constexpr uint8_t SauveAnnotOK = 0, SauveAnnotErreur = 1;
// Bytes copied at a time into a new file.
inline constexpr int64_t TailleBlocCopieAnnot = 10000;

// The file operations of a save, so that tests can make any step fail. The
// defaults are the real operations.
struct tEcritureAnnot {
    // Opens `chemin` for writing: the existing recording read-write (creer
    // false) or a new empty file (creer true; fails when the name exists).
    // The descriptor, -1 on failure.
    std::function<int(const QString& chemin, bool creer)> Ouvrir;
    // Writes all n bytes at `position`.
    std::function<bool(int fd, int64_t position, const void* octets, int64_t n)> Ecrire;
    // Pushes everything written down to the disk.
    std::function<bool(int fd)> Vider;
    // Sets the file's length.
    std::function<bool(int fd, int64_t longueur)> Tronquer;
    // Closes a new file; the descriptor is released whatever the result.
    std::function<bool(int fd)> Fermer;
    // Puts `de` in place of `vers` in one step, replacing it.
    std::function<bool(const QString& de, const QString& vers)> Renommer;

    tEcritureAnnot();
};

// The temporary name a copy is written under before it takes `cible`.
QString NOM_TEMPORAIRE_ANNOT(const QString& cible);

// Saves the added annotations of the recording `source` (the file the header
// `entete` and the annotation tables were read from) into `cible`: in place
// when both name the same file, else into a copy of `source`. In place, the
// records then count as saved (NouveauAnnot += NombreAnnotEnPlus,
// NombreAnnotEnPlus = 0); a copy leaves them unsaved for the open recording.
uint8_t SAUVE_ANNOTATIONS(const QString& source, const QString& cible,
                          const t_EnteteREC_GlobalTotal& entete = EnteteF,
                          const tEcritureAnnot& ecriture = tEcritureAnnot());

// The save dialog: (title, folder, proposed name, filter as "text|pattern")
// gives the chosen path, empty when cancelled.
using tDemandeEnregistrementAnnot = std::function<QString(const QString& titre, const QString& dossier,
                                                          const QString& nom, const QString& filtre)>;

// The file a chosen path names: its folder, its name without extension, ".rec".
QString NOM_CIBLE_ANNOT(const QString& choisi);

// "Save Annotation file": the save dialog (folder RepertoireSetUp, title " ",
// filter "file *.rec |*.rec", proposed name the file name of `nomFichier`),
// then SAUVE_ANNOTATIONS from `source` into the chosen file. 0: saved; 1:
// cancelled, or failed (the user was told).
uint8_t SAVE_ANNOT(const tDemandeEnregistrementAnnot& demander, const QString& source,
                   const QString& nomFichier, const t_EnteteREC_GlobalTotal& entete = EnteteF,
                   const tEcritureAnnot& ecriture = tEcritureAnnot());
