// Function channels the user adds to the open recording: A x channel 1 (op)
// B x channel 2 + C, defined in one of the six slots of Config.TabFonction and
// appended to the in-memory header as an extra channel.
#pragma once

#include <cstdint>

#include "recording/EtatFonctions.h"

inline constexpr int NombreSlotsFonction = 6;
// Fields copied from a definition into the display entry of its channel.
inline constexpr int LongueurNomFonction = 26;
inline constexpr int LongueurUniteFonction = 6;

// Slot holding the definition of the k-th added function channel (from 0):
// k itself, the sixth slot for every channel beyond.
uint8_t SLOT_FONCTION(int k);

// Appends the function of slot NumeroFonction to the open recording as channel
// NombreVoiesTotal, shown and present. Returns 0, or 1 without any change when
// the 244 channel records are all in use.
int AJOUT_FONCTION();

// Copies the definition of its slot into the k-th added function channel
// (channel NombreVoiesTotalCopie + k): coefficients, operands, operator, name
// and unit. Returns 0, or 1 without any change when that channel is not a
// function channel of the open recording.
int MODIF_VOIE_FONCTION(int k);
