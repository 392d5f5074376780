// Scrolling state of the cursor read-out list, shared with the main window's
// scroll bar. The counts it is checked against (NombreVoieCurseurTotal,
// NombreVoieCurseurVisu) are written by the layout of the graph object.
#pragma once

#include <cstdint>

// Index of the first read-out line written in a horizontal cursor box.
extern int16_t VoieCurseurDebut;

// Back to 0; for tests.
void RESET_GLOBAUX_CURSEURS();
