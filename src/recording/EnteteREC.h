// The one in-memory header of the open recording, whatever its family.
#pragma once

#include <cstddef>
#include <cstdint>

#include "recording/FormatREC.h"

inline constexpr int NombreVoiesTable = 244; // channel records held in memory

#pragma pack(push, 1)

struct tAffichageVoie {
    char NomAffiche[100];   // trimmed name as displayed
    char UniteAffichee[30]; // trimmed unit as displayed
    uint8_t VoieSignee;     // 1: channel from the supplementary block (signed words)
};
static_assert(sizeof(tAffichageVoie) == 131);

struct t_EnteteREC_GlobalTotal {
    int32_t SommeEntete;          // byte sum of the header elements after the fixed header
    int32_t HandleFichier;        // open file handle, 0 when closed
    int32_t NombreOctetsLus;      // bytes summed into SommeEntete
    uint8_t ChecksumVerifie;      // 1 once the sample checksum needs no more work
    int32_t DebutDonnees;         // file offset of the sample area
    int64_t NombreScans;          // samples per channel
    uint8_t NombreVoiesAnalog;    // recorded analog channels
    uint8_t NombreVoiesTotal;     // analog + computed channels
    uint8_t NombreVoiesTotalCopie;
    uint8_t LongueurScan;         // 16-bit words per frame
    float PeriodeEchantillon;     // microseconds (1.0 with an external clock)
    uint8_t BaseDeTempsInterne;   // 1: internal clock
    double PreTrig;               // pre-trigger length from the header
    uint8_t NombreEntreesFiltre;  // entries of the filter dialog's channel list
    uint8_t PresenceLogique;      // logic words per frame (0 or 1)
    uint8_t LogiqueAffichee;      // 1: logic channels selected for display
    uint8_t NombreEntreesLogiques;// logic names read
    double TempsDebut;            // first sample relative to the trigger, microseconds
    double DureeTotale;           // NombreScans x PeriodeEchantillon, microseconds
    int16_t FamilleEnregistreur;  // FamilleREC
    int16_t MillisecondesTrigger; // -1: the date is shown without milliseconds
    uint8_t NouvelleFormule;      // newer conversion formulas
    uint8_t Revision;             // byte 3 of the fixed header
    int16_t VersionFichier;       // signature word
    uint8_t ModeleTKAR;
    int16_t ChecksumDonnees;
    uint8_t NbVoiesChoisies;      // channels selected in the filter dialog
    tCalibVoie CalibVoie[NombreVoiesTable];     // analog channels, then computed channels
    char NomLogique[NombreNomsLogiquesMax][21]; // NUL-terminated, blanks removed
    tEnteteTKAR EnteteTKAR;
    tEnteteTKOS EnteteTKOS;
    tEnteteVEL EnteteVEL;
    tAffichageVoie Affichage[NombreVoiesTable];
};

#pragma pack(pop)

static_assert(offsetof(t_EnteteREC_GlobalTotal, ChecksumVerifie) == 12);
static_assert(offsetof(t_EnteteREC_GlobalTotal, NombreScans) == 17);
static_assert(offsetof(t_EnteteREC_GlobalTotal, PeriodeEchantillon) == 29);
static_assert(offsetof(t_EnteteREC_GlobalTotal, PreTrig) == 34);
static_assert(offsetof(t_EnteteREC_GlobalTotal, TempsDebut) == 46);
static_assert(offsetof(t_EnteteREC_GlobalTotal, FamilleEnregistreur) == 62);
static_assert(offsetof(t_EnteteREC_GlobalTotal, CalibVoie) == 74);
static_assert(offsetof(t_EnteteREC_GlobalTotal, NomLogique) == 74 + 244 * 72);
static_assert(offsetof(t_EnteteREC_GlobalTotal, EnteteTKAR) == 74 + 244 * 72 + 16 * 21);
static_assert(sizeof(t_EnteteREC_GlobalTotal) == 74 + 244 * 72 + 16 * 21 + 52 + 80 + 96 + 244 * 131);

// The header of the open recording.
extern t_EnteteREC_GlobalTotal EnteteF;
// Back to all-zero bytes (closed, nothing read); used at start-up and by tests.
void RESET_ENTETE();
