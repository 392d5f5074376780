// Physical values of the display table: each column of raw words becomes a row
// of doubles holding the recorded analog channels, the script channels, the
// recorder-computed channels and the function channels added by the user.
#pragma once

#include <cstdint>
#include <functional>

#include "recording/ScriptsREC.h"

// One column of the display table: 245 slots, channels 0..243 and the logic word in slot 244.
inline constexpr int NombreSlotsColonne = 245;
inline constexpr int SlotLogique = 244;
// Columns filled by a display pass, and the room the graph object allocates.
inline constexpr int NombreColonnesAffichage = 1000;
inline constexpr int NombreColonnesTable = 2000;

// Runs the compiled math scripts on the row TableauTravail points to, which is
// the row `rangee`. Installed by the scripting engine once it exists; until
// then no script runs.
using tCrochetScripts = std::function<void(tRangee rangee)>;
// Replaces the hook (an empty function removes it).
void INSTALLER_CROCHET_SCRIPTS(tCrochetScripts crochet);

// Channels written by the math scripts of the open recording: one per existing
// script slot (0..23) in the recorder's fixed-header presence mask. They follow
// the recorded analog channels in the row.
int NOMBRE_VOIES_SCRIPT();

// Fills `ligne` (245 doubles) from one column `ligneBrute` (245 words), the row
// `rangee` (a display column or an exported row, for the scripts' reports).
// Slots not holding a channel of the open recording (and the logic slot) are
// left as they were.
void RECUP_DOUBLE(const uint16_t* ligneBrute, double* ligne, tRangee rangee);

// Converts `colonnes` columns of the raw table into the table of physical
// values; both tables are column-major with 245 slots per column.
void RECUP_AVEC_FONCTION(const uint16_t* tabCyclique, double* tabFlottant,
                         int colonnes = NombreColonnesAffichage);
