// Screen zones of the graph: consistency of a layout, the single screen and
// the even layout of the displayed channels.
#pragma once

#include <cstdint>

#include "config/Config.h"

// Makes a layout consistent: 1..244 screens, each at least 2 units high,
// inside 0..200, in order without overlap, clear of the logic band when that
// band is kept outside the screens; every channel in an existing screen.
// Reads the logic-band fields of Config. A null pointer is ignored.
void COHER_RETIC_(tReticEcran* r);

// One screen over the whole graph with every channel in it, then COHER_RETIC_.
void RESET_RETICULE(tReticEcran* r);

// Lays the NbEcran screens of Config.ReticEcran out evenly. logique = 1 when
// the recording has logic inputs; affecter = 1 rewrites EcranVoie, spreading
// the displayed channels over the screens.
void VALID_INIT_RET(uint8_t logique, uint8_t affecter);

// Graticule divisions of every screen for a given number of screens.
uint8_t NB_DIV_POUR_ECRANS(int nbEcran);
