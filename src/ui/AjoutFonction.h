// The two ways into the function-channel dialog: the main window's "Add" command and the
// "Change" button of the display settings dialog on an added function channel.
#pragma once

#include <cstdint>

#include "config/Config.h"

class QWidget;

namespace VIEW {

// "Add": runs the dialog on slot NumeroNewFonction (NumeroFonction is set to it). Returns 1 when
// the definition was stored with "Valid"; the caller then runs AJOUT_FONCTION() and refreshes
// its commands and the graph. Returns 0 after "Abort", without a recording channel to use, or
// when the 244 channel records are all taken (an error box says so and no dialog opens). Once six
// functions were added, a box first tells that the sixth definition is stored over again.
uint8_t ADD_FONCTION(QWidget* parent);

// "Change": runs the dialog on the definition of added function channel `voie` (a channel
// number) and, after "Valid", copies it into that channel (MODIF_VOIE_FONCTION). Returns 1 when
// the channel changed (the caller redraws), 0 after "Abort" or when `voie` is not an added
// function channel.
uint8_t MODIF_FONCTION(QWidget* parent, int voie);

// Rank among the added function channels (0 for the first) of channel `voie`, -1 when it is not
// one: tells whether the "Change" button applies to a channel.
int NUMERO_FONCTION_AJOUTEE(int voie);

// Functions added to the open recording so far.
int NOMBRE_FONCTIONS_AJOUTEES();

// The definition channel `voie` carries in the header: coefficients, operands, operator, name
// (26 characters) and unit (6).
tFonctionConfig DEFINITION_VOIE(int voie);

} // namespace VIEW
