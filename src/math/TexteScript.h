// Where the math scripts of a recording sit: which slots exist, which channel
// of the row each one writes, and the complete text compiled for a slot.
#pragma once

#include <string>

#include "recording/EnteteREC.h"
#include "recording/ScriptsREC.h"

// Only the first 24 slots are ever compiled and run, in both families.
inline constexpr int NombreSlotsExecutes = NombreSlotsScriptTKOS;

// Recorder channel of slot 0: 72 for a TKOS recording, 204 for a VEL one, -1
// for a family without scripts.
int PREMIERE_VOIE_SCRIPT(const t_EnteteREC_GlobalTotal& entete);

// True when recorder channel n is present in the fixed header's presence record.
bool VOIE_ENREGISTREUR_PRESENTE(const t_EnteteREC_GlobalTotal& entete, int n);

// True when slot s (0..23) exists: its recorder channel is present.
bool SLOT_SCRIPT_PRESENT(const t_EnteteREC_GlobalTotal& entete, int s);

// Channel of the row written by slot s: NombreVoiesAnalog + the existing slots below s.
int VOIE_SORTIE_SCRIPT(const t_EnteteREC_GlobalTotal& entete, int s);

// "Fonc V%d(%d); " for every present recorded channel (TKOS 0..71, VEL
// 0..203), counted from 0: Vi is the handle on row entry i.
std::string DECLARE_VOIE(const t_EnteteREC_GlobalTotal& entete);

// The text compiled for slot s, preprocessed: the prologue ("typedef double
// var;" and "Fonc function(%d);" with the slot's channel, each on its own
// row, so that the script's first line is row 3 for the engine), the
// declarations, " void main() {", the slot's 12 lines joined by line breaks,
// and "}".
std::string TEXTE_SCRIPT(const ScriptsREC& scripts, int s);

// Slot whose script computes channel `voie` of the open recording, for the
// script text window: the (voie + 1)-th present recorder channel (TKOS over
// 0..95, VEL over 0..243) minus the first script channel; -1 when that
// channel is not a script channel or there is none.
int SLOT_SCRIPT_VOIE(const t_EnteteREC_GlobalTotal& entete, int voie);
