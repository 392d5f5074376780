// What the fast display pass keeps for the open recording: the identity of the
// file, and a min/max pyramid built on the first full view. The pyramid
// holds the summary (PliRapide.h) of every block of 256 scans, then of every 16
// blocks, and so on; a later pass over any window merges whole blocks inside each
// column and folds raw scans only at the column edges, so its cost follows the
// number of columns and not the window's length.
//
// Its memory is bounded whatever the recording's length: when blocks of 256
// scans would need more than the budget, level 0 starts with blocks of 256 x 16^k
// scans, the smallest that fit (the column edges then fold more raw scans).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "graph/PliRapide.h"

// A file as seen by the mapping: a change of any of these means another file.
struct IdentiteFichier {
    uint64_t Peripherique = 0, Noeud = 0;
    int64_t Taille = -1;
    int64_t DateNs = 0; // last modification
    bool operator==(const IdentiteFichier&) const = default;
};

// The header fields a pass reads the scans with: the pyramid is only valid for these.
struct FormeEnregistrement {
    IdentiteFichier Fichier;
    int64_t DebutDonnees = 0, NombreScans = 0;
    int32_t LongueurScan = 0, Voies = 0;
    bool Logique = false;
    std::array<int16_t, VoiesPliMax> Biais{};
    bool operator==(const FormeEnregistrement&) const = default;
};

// Identity of the file open on descriptor fd; false when it is not a regular file.
bool LireIdentite(int fd, IdentiteFichier& id);

// Folds raw scans [debut, fin) into r; false when they cannot be read.
using PlierBrut = std::function<bool(int64_t debut, int64_t fin, ResumePli& r)>;

class PyramidePli {
public:
    static constexpr int64_t ScansBloc = 256; // the smallest block of level 0
    static constexpr int64_t Facteur = 16;
    // Bytes the pyramid of one recording may hold.
    static constexpr int64_t BudgetOctets = 64 << 20;

    struct Niveau {
        int64_t ScansParBloc = 0, Nombre = 0;
        std::vector<int16_t> Min, Max; // Nombre x voies
        std::vector<uint8_t> Pente;
        std::vector<uint16_t> Et, Ou; // Nombre
    };

    // Scans per block of level 0 for `scans` scans of `voies` channels within
    // `budget` bytes: ScansBloc x Facteur^k, the smallest that fits.
    static int64_t ScansBlocPour(int voies, int64_t scans, int64_t budget);
    // Level 0 sized for `scans` scans of `voies` channels (whole blocks only),
    // with blocks of ScansBlocPour(voies, scans, budget) scans.
    void Preparer(int voies, int64_t scans, int64_t budget = BudgetOctets);
    // Scans per block of level 0 (ScansBloc before Preparer).
    int64_t ScansNiveau0() const { return Niveaux_.empty() ? ScansBloc : Niveaux_[0].ScansParBloc; }
    void Ecrire(int niveau, int64_t bloc, const ResumePli& r);
    void Lire(int niveau, int64_t bloc, ResumePli& r) const;
    // The levels above 0, once level 0 is complete.
    void Achever();
    void Vider();
    int64_t BlocsNiveau0() const { return Niveaux_.empty() ? 0 : Niveaux_[0].Nombre; }
    // Bytes held (memory accounting in the benchmark).
    int64_t Octets() const;

    bool Prete = false;
    FormeEnregistrement Forme;
    uint64_t SommeDonnees = 0; // byte sum of the file bytes [DebutDonnees, FinSomme)
    int64_t FinSomme = 0;

private:
    int Voies_ = 0;
    std::vector<Niveau> Niveaux_;

    friend bool ReplierIntervalle(const PyramidePli*, int, const PlierBrut&, int64_t, int64_t, ResumePli&);
};

// Summary of scans [debut, fin) (debut < fin) of `voies` channels: whole blocks
// of the pyramid where they fit (p may be null: no pyramid), raw scans elsewhere.
// False when raw scans could not be read.
bool ReplierIntervalle(const PyramidePli* p, int voies, const PlierBrut& brut, int64_t debut, int64_t fin,
                       ResumePli& r);
