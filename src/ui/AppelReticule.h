// How the main window opens the display settings dialog.
#pragma once

#include <cstdint>

#include "ui/Retic.h"

class QWidget;

namespace VIEW {

// Opens the display settings dialog modally on `page` (0 screen, 1 channels,
// 2 time base) with the channel at position `voie` of the list of present
// channels selected (255, or any position beyond the list: the first channel).
// Config is copied whole first and put back unless the dialog was closed with
// "Valid"; in both cases the consistency rules of Config run afterwards, and
// those of Setup too when `liens.NouvelleFenetre` is empty (when it is set,
// every new window already went through it). Returns 1 when closed with
// "Valid", 0 otherwise.
//
// After it returns the caller redraws (Modification, RESIZE_FORM): channel
// names, titles and the restored or kept Config all show then. No display
// pass is needed for Config: a new window was handed to NouvelleFenetre while
// the dialog was open.
uint8_t APPEL_RETICULE(QWidget* parent, int page, int voie, const tLiensRetic& liens);

} // namespace VIEW
