// Values shared between the display pass and the parts that steer it: the
// scan-skip counter that carries over from one pass to the next, and the flag
// an export raises while it reads the recording. The under-sampling choice the
// pass reads (sousEchantillonageEnabled, underSamplingRatio) belongs to the
// file filter dialog and is declared with it.
#pragma once

#include <atomic>
#include <cstdint>

#include "recording/SousEchantillonnage.h"

// Scans skipped since the last scan read. Not reset between passes: which scans
// an under-sampled pass reads depends on where the previous one stopped.
extern std::atomic<int32_t> decimator;

// 1 while an export reads the recording; the display pass waits meanwhile.
extern std::atomic<uint8_t> DemandeExport;

// Counter 0, no export: the state at start-up.
void RESET_GLOBAUX_GRAPHE();
