// Exact summaries of runs of scans, for the fast display pass and its min/max
// pyramid.
//
// A column's value is the extreme reached first, starting from the extreme the
// previous column ended on. That needs no scan-by-scan carry: a run of scans is
// summarised as (min, max, "the last strict record was a new max"), records being
// taken only on strict < and >, exactly as the running extremes of the pass do.
// Two summaries A then B merge exactly (see Fusionner), and the carried value of
// the previous column is applied once per column (see Fermer).
//
// Channel words are compared as signed 16-bit values after an XOR: 0 for signed
// channels, 0x8000 for unsigned ones (the unsigned order then is the signed one).
// Logic words are summarised by the AND and the OR of the run: the bits that left
// a reference r in the run are (~r & OR) | (r & ~AND), which merges exactly too.
#pragma once

#include <cstdint>

inline constexpr int VoiesPliMax = 204; // channel lanes of a summary

// One run of scans. Empty: no scan yet (merging with it changes nothing).
struct ResumePli {
    bool Vide = true;
    uint16_t Et = 0xFFFF, Ou = 0; // logic word: AND and OR of the run
    int16_t Min[VoiesPliMax]{};   // in the compared domain (word XOR channel bias)
    int16_t Max[VoiesPliMax]{};
    uint8_t Pente[VoiesPliMax]{}; // 1: the last strict record was a new maximum
};

// Where the scans are and how a scan is laid out.
struct FormeScans {
    const uint8_t* Debut = nullptr; // first byte of scan 0
    const uint8_t* Fin = nullptr;   // end of readable memory (loads never go past it)
    int64_t PasOctets = 0;          // bytes from one scan to the next
    int Voies = 0;                  // channel words at the start of each scan (<= VoiesPliMax)
    int DecalageLogique = -1;       // word index of the logic word in a scan, -1 for none
    const int16_t* Biais = nullptr; // per channel: XOR into the compared domain
};

// Summary of scans [premier, premier + nombre) (nombre >= 1) written into r, and
// when somme is not null the byte sum of those scans' nombre * PasOctets bytes
// added to *somme. Vectorised; the result is exactly the scan-by-scan fold.
using NoyauPli = void (*)(const FormeScans& f, int64_t premier, int64_t nombre, ResumePli& r,
                          uint64_t* somme);

void PlierSSE2(const FormeScans& f, int64_t premier, int64_t nombre, ResumePli& r, uint64_t* somme);
void PlierAVX2(const FormeScans& f, int64_t premier, int64_t nombre, ResumePli& r, uint64_t* somme);
bool AVX2Disponible();
// The widest kernel this processor runs (chosen once, at the first call).
NoyauPli NoyauPliActif();

// The same summary one scan at a time: the reference the kernels are tested against.
void PlierScalaire(const FormeScans& f, int64_t premier, int64_t nombre, ResumePli& r, uint64_t* somme);

// a = a then b, exactly, for `voies` channel lanes.
void Fusionner(ResumePli& a, const ResumePli& b, int voies);

// Closes a column of summary r for one lane, starting from the carried value v
// (compared domain): returns the column's value and leaves in v the next carry.
inline int16_t Fermer(const ResumePli& r, int n, int16_t& v) {
    const int16_t min = r.Min[n], max = r.Max[n];
    if (v <= min && v >= max) return v;
    if (v <= min) { // the run only rose above v: v was first, the maximum last
        const int16_t sortie = v;
        v = max;
        return sortie;
    }
    if (v >= max) {
        const int16_t sortie = v;
        v = min;
        return sortie;
    }
    if (r.Pente[n] != 0) {
        v = max;
        return min;
    }
    v = min;
    return max;
}

// Logic word of a column from reference ref; the result is the next reference.
inline uint16_t FermerLogique(const ResumePli& r, uint16_t ref) {
    const uint16_t changes = static_cast<uint16_t>((~ref & r.Ou) | (ref & ~r.Et));
    return static_cast<uint16_t>(changes ^ ref);
}
