// Physical values of the display table: each column of raw words becomes a row
// of doubles holding the recorded analog channels, the script channels, the
// recorder-computed channels and the function channels added by the user.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "recording/EnteteREC.h"

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

// Everything a conversion reads, taken at one moment, so that a conversion on
// another thread (a picture drawn on a worker, an export) never reads the
// program's records while the window changes them.
struct tContexteValeurs {
    const t_EnteteREC_GlobalTotal* Entete = nullptr;
    uint8_t ValiditeScripts = 0;          // ValiditeAngelScript: the scripts are set up
    int16_t PremiereFonctionAjoutee = -1; // first function channel added by the user
    tCrochetScripts Scripts;              // runs the scripts on a row; empty: none
};
// The context of the open recording: EnteteF, ValiditeAngelScript,
// PremiereFonctionAjoutee and the installed hook, as they are now.
tContexteValeurs CONTEXTE_VALEURS();

// Channels written by the math scripts of the recording with header `entete`
// (without it, the open recording): one per existing script slot (0..23) in
// the recorder's fixed-header presence mask. They follow the recorded analog
// channels in the row.
int NOMBRE_VOIES_SCRIPT(const t_EnteteREC_GlobalTotal& entete);
int NOMBRE_VOIES_SCRIPT();

// Fills `ligne` (245 doubles) from one column `ligneBrute` (245 words), the row
// `rangee` (a display column or an exported row, for the scripts' reports).
// Slots not holding a channel of the recording (and the logic slot) are left as
// they were. Without a context, the open recording's as it is now.
void RECUP_DOUBLE(const tContexteValeurs& contexte, const uint16_t* ligneBrute, double* ligne,
                  tRangee rangee);
void RECUP_DOUBLE(const uint16_t* ligneBrute, double* ligne, tRangee rangee);

// Converts `colonnes` columns of the raw table into the table of physical
// values; both tables are column-major with 245 slots per column. `arret`,
// when given, is looked at between columns: once it is set the conversion
// stops where it is (the table is then incomplete; false is returned).
bool RECUP_AVEC_FONCTION(const tContexteValeurs& contexte, const uint16_t* tabCyclique, double* tabFlottant,
                         int colonnes = NombreColonnesAffichage, const std::atomic<bool>* arret = nullptr);
void RECUP_AVEC_FONCTION(const uint16_t* tabCyclique, double* tabFlottant,
                         int colonnes = NombreColonnesAffichage);
