// A recording written in pieces: NOM, then NOM + "0", NOM + "00" and so on.
// Joining copies the pieces in order into NOM + "Temp000" and only when that
// file is complete and its size is the sum of the pieces does it take the
// first name (one rename) and the other pieces go. Whatever fails before that
// leaves every piece as it was and removes the temporary file.
#pragma once

#include <cstdint>
#include <functional>

#include <QString>
#include <QStringList>

class QFile;

// Bytes copied at a time.
inline constexpr int64_t TailleBlocMorceaux = 10000;

// The existing pieces of `nom`, in order, up to the first one missing. Empty
// when `nom` itself is not a file.
QStringList MORCEAUX_REC(const QString& nom);
// Name of the file the pieces are joined into.
QString NOM_TEMPORAIRE_MORCEAUX(const QString& nom);

// The file operations of a join, so that tests can make any step fail. The
// defaults are the real operations.
struct tEcritureMorceaux {
    // Creates the joined file, empty, for writing.
    std::function<bool(QFile& sortie)> Ouvrir;
    // Reads at most `taille` bytes of a piece; the count read, 0 at its end, -1 on error.
    std::function<int64_t(QFile& morceau, char* donnees, int64_t taille)> Lire;
    // Writes a block; the count written, -1 on error.
    std::function<int64_t(QFile& sortie, const char* donnees, int64_t taille)> Ecrire;
    // Pushes everything written down to the disk.
    std::function<bool(QFile& sortie)> Vider;
    // Closes the joined file; false when closing reports an error.
    std::function<bool(QFile& sortie)> Fermer;
    // Puts `de` in place of `vers` in one step, replacing it.
    std::function<bool(const QString& de, const QString& vers)> Renommer;

    tEcritureMorceaux();
};

// Progress of a join: `position` bytes of `morceau`, `longueur` bytes long,
// are copied (0 once at the start of each piece).
using tProgresMorceaux = std::function<void(const QString& morceau, int64_t position, int64_t longueur)>;

// Joins the pieces of `nom` into `nom`. True when `nom` holds them all (or
// there was nothing to join). On false nothing has changed and `erreur` (when
// given) names the file that failed. On true `erreur` lists the pieces that
// could not be removed afterwards, one per line, or is empty.
bool Concatener(const QString& nom, const tProgresMorceaux& progres, QString* erreur,
                const tEcritureMorceaux& ecriture = tEcritureMorceaux());

// What the joining shows around the copy.
struct tSuiviConcat {
    std::function<void()> Debut; // the user agreed, before the first byte
    tProgresMorceaux Progres;
    std::function<void()> Fin; // the copy is over, before any failure is shown
};

// When `nom` and `nom` + "0" both exist, asks whether to join them
// ("Concatenation", Yes/No; No changes nothing, and so does a handler that
// cannot ask) and on Yes joins them, telling the user of any failure. True
// when the pieces were joined into `nom`.
bool Concat(const QString& nom, const tSuiviConcat& suivi = {},
            const tEcritureMorceaux& ecriture = tEcritureMorceaux());
bool Concat(const QString& nom, const tProgresMorceaux& progres);
