// Holder of the math-script texts a TKOS or VEL recording carries, filled from
// the recording's script area when it is opened. This plain holder keeps the
// texts and the per-slot error flags; the scripting engine derives from it to
// compile and run the scripts (it overrides the two set-up hooks below).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "recording/EnteteREC.h"

// Which row of physical values the scripts run on: a column of the display
// table or a row of an export, by its index, so that a script that breaks off
// on it can be reported with it.
inline constexpr uint8_t RangeeColonne = 0, RangeeExport = 1;
struct tRangee {
    uint8_t Genre = RangeeColonne;
    int64_t Indice = 0;
};

// What happened to a script slot while it ran, as the user is told it.
inline constexpr uint8_t ArretAucun = 0;
inline constexpr uint8_t ArretDefinitif = 1; // stopped for good: its channel holds 0.0 from that row on
inline constexpr uint8_t ArretException = 2; // broke off on that row (a script exception), runs on
struct tArretScript {
    uint8_t Nature = ArretAucun;
    tRangee Rangee;
    std::string Message; // "Ligne %d : " and why, as the engine's messages (Windows-1252)
};
using tArretsScripts = std::array<tArretScript, NombreSlotsScript>;

class ScriptsREC {
public:
    explicit ScriptsREC(t_EnteteREC_GlobalTotal* entete = &EnteteF) : EnteteFichier(entete) {}
    virtual ~ScriptsREC() = default;
    ScriptsREC(const ScriptsREC&) = delete;
    ScriptsREC& operator=(const ScriptsREC&) = delete;

    // Copies the script area image (TailleZoneScripts bytes) into the texts.
    void CHARGER_ZONE(const uint8_t* zone);

    // Line l of slot s, at most LongueurLigneScript characters (a line that fills
    // its 200 bytes has no terminator in the area); empty for an index out of range.
    std::string Ligne(int s, int l) const;
    // True when all 12 lines of slot s are empty.
    bool SlotVide(int s) const;

    // Shuts the current slot down; nothing to do for plain texts.
    virtual void Quit_moteur_script() {}
    // Sets up every existing slot; nothing to do for plain texts.
    virtual void LANCEMENT_TOUS_SCRIPTS() {}

    t_EnteteREC_GlobalTotal* EnteteFichier;
    uint8_t ErreurScript[NombreSlotsScript]{}; // 1: slot s reported an error
    char TexteScript[NombreSlotsScript][NombreLignesScript][LongueurLigneScript]{}; // image of the area
    int16_t SlotCourant = 0; // slot being set up or shut down
};
static_assert(sizeof(ScriptsREC::TexteScript) == TailleZoneScripts);

// 1 once the scripts of the open recording are set up.
extern uint8_t ValiditeAngelScript;
void RESET_VALIDITE_SCRIPTS();
