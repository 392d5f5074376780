// The under-sampling choice of the file filter dialog, read by the display
// pass of the open recording (on its own thread: the flag and the ratio are
// atomics, each written whole).
#pragma once

#include <atomic>

// Under-sampling on or off.
extern std::atomic<bool> sousEchantillonageEnabled;
// Chosen period / sampling period: the display pass keeps one scan of every
// that many.
extern std::atomic<float> underSamplingRatio;
// Chosen under-sampling period in microseconds (user-interface thread only).
extern float selectedValue;

// Under-sampling off, ratio 0, no period chosen: the state at start-up.
void RESET_SOUS_ECHANTILLONNAGE();
