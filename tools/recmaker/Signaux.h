// Generators behind the ready-made signals. The writer recognises them inside a
// Signal and fills whole blocks of scans without one call per word.
#pragma once

#include <cstdint>
#include <vector>

#include "recmaker/RecMaker.h"

namespace recmaker::detail {

struct GenConstant {
    uint16_t Mot;
    uint16_t operator()(int64_t) const { return Mot; }
};

struct GenRampe {
    uint16_t Depart;
    int Pas;
    uint16_t operator()(int64_t scan) const {
        return static_cast<uint16_t>(Depart + static_cast<uint64_t>(static_cast<int64_t>(Pas)) *
                                                  static_cast<uint64_t>(scan));
    }
};

struct GenCarre {
    uint16_t Bas, Haut;
    int64_t Periode; // >= 2
    uint16_t operator()(int64_t scan) const {
        int64_t phase = scan % Periode;
        if (phase < 0) phase += Periode;
        return phase < Periode / 2 ? Bas : Haut;
    }
};

// Sine rounded to the nearest word: unsigned words clamped to 0..65535, or signed
// values clamped to -32768..32767 stored as their two's-complement word.
struct GenSinus {
    double Centre, Amplitude, Periode; // Periode > 0
    bool Signe;
    uint16_t operator()(int64_t scan) const;
};

// The words of one frame column, produced block by block. A ready-made signal is
// filled by a plain loop (a sine from a one-period table when its period is a whole
// number of scans); any other signal is called once per word.
class Source {
public:
    // nombreScans: how many scans will be asked for (decides whether a table pays).
    Source(const Signal& signal, int64_t nombreScans);
    // Fills out[i * pas] with the word of scan debut + i, for i < n.
    void Remplir(int64_t debut, int64_t n, uint16_t* out, int pas) const;

private:
    const Signal* Signal_;
    std::vector<uint16_t> Table_;
};

} // namespace recmaker::detail
