// How a described recording is laid out: every header byte, the frame columns in
// the order the header reader produces channels, and the annotation area.
#pragma once

#include <cstdint>
#include <vector>

#include "recmaker/RecMaker.h"

namespace recmaker::detail {

struct Disposition {
    std::vector<uint8_t> Entete;         // every byte before the sample area
    std::vector<const Signal*> Colonnes; // one per frame word, the logic word last
    std::vector<uint8_t> Annotations;    // the area at the end of the file
    Plan Plan_;
    bool Checksum = false;    // TKAR: the stored checksum at offset 36 is computed
    uint32_t SommeEntete = 0; // byte sum of the header after the fixed header
};

// The layout of e; the signals stay owned by e.
Disposition Disposer(const Enregistrement& e);

// Low 16 bits of a byte sum plus the deliberate offset, as stored at offset 36.
uint16_t ChecksumStocke(const Enregistrement& e, uint64_t somme);

inline constexpr int64_t OffsetChecksumTKAR = 36;

} // namespace recmaker::detail
