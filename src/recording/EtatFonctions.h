// Bookkeeping of the function channels added to the open recording. Kept here,
// below the function-channel code itself, because opening a recording and its
// filter dialog start every recording from this state.
#pragma once

#include <cstdint>

// Slot used by the next added function: 0 at opening, never above 5 (the sixth
// slot serves every further addition).
extern uint8_t NumeroNewFonction;
// Slot the function dialog edits.
extern uint8_t NumeroFonction;
// Channel number of the first function channel added to the open recording, -1 while none.
extern int16_t PremiereFonctionAjoutee;

// State of a freshly opened recording: no function added, slot 0 next.
void RESET_FONCTIONS();
