// On-disk layouts of the three recorder families (TKAR, TKOS, VEL): fixed
// headers, supplementary channel blocks, channel records and presence masks.
// Every record is packed little-endian and read or written whole.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/OnOff.h"

static_assert(sizeof(float) == 4 && sizeof(double) == 8);

inline constexpr int16_t SignatureTKAR = 0x0448;
inline constexpr int16_t SignatureTKARChecksum = 0x0449;
inline constexpr int16_t SignatureTKOS = 0x7460;
inline constexpr int16_t SignatureVEL = 0x0571;

inline constexpr uint8_t MarqueBlocSup = 0x45; // 'E': a supplementary channel block follows

enum FamilleREC : int16_t { FamilleTKAR = 0, FamilleTKOS = 1, FamilleVEL = 2 };

// Channel numbers (exclusive limits) per family.
inline constexpr int LimiteVoiesTKAR = 42, LimiteAnalogTKAR = 36;
inline constexpr int LimiteVoiesTKOS = 96, LimiteAnalogTKOS = 72;
inline constexpr int LimiteVoiesVEL = 244, LimiteAnalogVEL = 204, LimiteAnalogQUILL = 36;

inline constexpr int NombreNomsLogiquesMax = 16;
inline constexpr int TailleNomLogiqueFichier = 20;

// Script area: 40 slots of 12 lines of 200 characters (TKOS uses the first 24).
inline constexpr int NombreSlotsScript = 40, NombreSlotsScriptTKOS = 24;
inline constexpr int NombreLignesScript = 12, LongueurLigneScript = 200;
inline constexpr int TailleZoneScripts = NombreSlotsScript * NombreLignesScript * LongueurLigneScript;

#pragma pack(push, 1)

// Presence mask of the TKAR family: 64 bits in four 16-bit words.
struct tOnOff_TKAR {
    uint16_t Masque[4];
};
static_assert(sizeof(tOnOff_TKAR) == 8);

// Presence mask of the TKOS family: 4 x 32 bits (channels 0..96), then four
// bytes of the fixed header.
struct tOnOff_TKOS {
    uint32_t Masque[4];
    uint8_t Libre1;
    uint8_t NombreMotsLogiques;
    uint8_t NombreNomsLogiques;
    uint8_t Libre2;
};
static_assert(sizeof(tOnOff_TKOS) == 20);
static_assert(offsetof(tOnOff_TKOS, NombreMotsLogiques) == 17);

struct tEnteteTKAR {
    int16_t Signature;            // 0x0448 / 0x0449
    uint8_t RevisionVoies;        // >= 3: scaled computed channels are discarded
    uint8_t Revision;             // >= 3 selects the newer formulas
    char Modele[15];              // "TKAR", "MORA" or "NIV" inside: TKAR model
    uint8_t BlocSup;              // 'E' when a supplementary block follows
    uint32_t Periode;             // microseconds, 0 = external clock
    int32_t PreTrig;              // samples
    tOnOff_TKAR Presence;         // channel-presence mask
    uint16_t Checksum;            // stored checksum (signature 0x0449)
    uint16_t TailleAnnotations;   // bytes of the annotation area at the end of the file
    int16_t MillisecondesTrigger;
    uint8_t Libre[2];
    uint8_t NombreMotsLogiques;   // 0 or 1
    uint8_t NombreNomsLogiques;
    uint8_t Seconde, Minute, Heure, Jour, Mois, Annee; // month - 1, year - 2000
};
static_assert(sizeof(tEnteteTKAR) == 52);
static_assert(offsetof(tEnteteTKAR, Modele) == 4);
static_assert(offsetof(tEnteteTKAR, BlocSup) == 19);
static_assert(offsetof(tEnteteTKAR, Periode) == 20);
static_assert(offsetof(tEnteteTKAR, PreTrig) == 24);
static_assert(offsetof(tEnteteTKAR, Presence) == 28);
static_assert(offsetof(tEnteteTKAR, Checksum) == 36);
static_assert(offsetof(tEnteteTKAR, TailleAnnotations) == 38);
static_assert(offsetof(tEnteteTKAR, MillisecondesTrigger) == 40);
static_assert(offsetof(tEnteteTKAR, NombreMotsLogiques) == 44);
static_assert(offsetof(tEnteteTKAR, NombreNomsLogiques) == 45);
static_assert(offsetof(tEnteteTKAR, Seconde) == 46);
static_assert(offsetof(tEnteteTKAR, Annee) == 51);

struct tEnteteTKOS {
    int16_t Signature;            // 0x7460
    uint8_t RevisionFormat;       // >= 4 large block, >= 3 drop scaled computed channels, > 1 scripts
    uint8_t Revision;
    char Modele[15];
    uint8_t BlocSup;
    float Periode;                // microseconds, 0.0 = external clock
    tOnOff_TKOS Presence;         // offsets 24..43 (logic counts at 41 and 42)
    int32_t TailleAnnotations;
    int32_t DebutDonnees;
    uint8_t Seconde, Minute, Heure, Jour, Mois, Annee;
    int16_t MillisecondesTrigger;
    int16_t ChecksumDonnees;
    uint8_t Libre[6];
    int32_t DebutScripts;
    int64_t PreTrig;
};
static_assert(sizeof(tEnteteTKOS) == 80);
static_assert(offsetof(tEnteteTKOS, BlocSup) == 19);
static_assert(offsetof(tEnteteTKOS, Periode) == 20);
static_assert(offsetof(tEnteteTKOS, Presence) == 24);
static_assert(offsetof(tEnteteTKOS, Presence) + offsetof(tOnOff_TKOS, NombreMotsLogiques) == 41);
static_assert(offsetof(tEnteteTKOS, TailleAnnotations) == 44);
static_assert(offsetof(tEnteteTKOS, DebutDonnees) == 48);
static_assert(offsetof(tEnteteTKOS, Seconde) == 52);
static_assert(offsetof(tEnteteTKOS, MillisecondesTrigger) == 58);
static_assert(offsetof(tEnteteTKOS, ChecksumDonnees) == 60);
static_assert(offsetof(tEnteteTKOS, DebutScripts) == 68);
static_assert(offsetof(tEnteteTKOS, PreTrig) == 72);

struct tEnteteVEL {
    int16_t Signature;            // 0x0571
    uint8_t RevisionFormat;       // >= 4: a script area is present
    uint8_t Revision;
    char Modele[15];              // "QUILL" inside: only channels 0..35 are analog
    uint8_t BlocSup;
    float Periode;
    tOn_Off_VEL Presence;         // offsets 24..59 (logic counts at 57 and 58)
    int32_t TailleAnnotations;
    int32_t DebutDonnees;
    uint8_t Seconde, Minute, Heure, Jour, Mois, Annee;
    int16_t MillisecondesTrigger;
    uint8_t Libre[8];
    int32_t DebutScripts;
    int64_t PreTrig;
};
static_assert(sizeof(tEnteteVEL) == 96);
static_assert(offsetof(tEnteteVEL, Presence) == 24);
static_assert(offsetof(tEnteteVEL, Presence) + offsetof(tOn_Off_VEL, NombreMotsLogiques) == 57);
static_assert(offsetof(tEnteteVEL, Presence) + offsetof(tOn_Off_VEL, NombreNomsLogiques) == 58);
static_assert(offsetof(tEnteteVEL, TailleAnnotations) == 60);
static_assert(offsetof(tEnteteVEL, DebutDonnees) == 64);
static_assert(offsetof(tEnteteVEL, Seconde) == 68);
static_assert(offsetof(tEnteteVEL, MillisecondesTrigger) == 74);
static_assert(offsetof(tEnteteVEL, DebutScripts) == 84);
static_assert(offsetof(tEnteteVEL, PreTrig) == 88);

// One entry of a supplementary channel block.
struct tVoieSup {
    int32_t Type;                 // only the low 4 bits count
    float Gain;
    float BorneBasse;
    float BorneHaute;
    char Nom[14];
    char Unite[6];
};
static_assert(sizeof(tVoieSup) == 36);
static_assert(offsetof(tVoieSup, Nom) == 16);
static_assert(offsetof(tVoieSup, Unite) == 30);

// Supplementary blocks: a family-specific preamble whose byte 3 is the number of
// entries to process, then the entries.
template <int TaillePreambule, int NombreEntrees> struct tBlocSup {
    uint8_t Preambule[TaillePreambule];
    tVoieSup Voie[NombreEntrees];

    static constexpr int Entrees = NombreEntrees;
    uint8_t NombreAtraiter() const { return Preambule[3]; }
};

using tBlocEPATKARSup = tBlocSup<20, 24>;
using tBlocEPATKOSSup_V16 = tBlocSup<36, 61>;
using tBlocEPATKOSSup = tBlocSup<36, 24>;
using tBlocEPAVELSup = tBlocSup<52, 61>;
static_assert(sizeof(tBlocEPATKARSup) == 884 && offsetof(tBlocEPATKARSup, Voie) == 20);
static_assert(sizeof(tBlocEPATKOSSup_V16) == 2232 && offsetof(tBlocEPATKOSSup_V16, Voie) == 36);
static_assert(sizeof(tBlocEPATKOSSup) == 900 && offsetof(tBlocEPATKOSSup, Voie) == 36);
static_assert(sizeof(tBlocEPAVELSup) == 2248 && offsetof(tBlocEPAVELSup, Voie) == 52);

// Type codes of supplementary entries (low 4 bits).
inline constexpr int TypeSupVideTKAR = 7, TypeSupOrdinaireTKAR = 6;
inline constexpr int TypeSupVideTKOS = 8, TypeSupOrdinaireTKOS = 7;
inline constexpr int TypeSupVideVEL = 7, TypeSupOrdinaireVEL = 6;

// Channel record: calibration, conversion law, name, unit, computed-channel operands.
struct tCalibVoie {
    float Decalage;               // zero offset, raw units
    float Gain;                   // physical units per raw unit
    float Etendue;                // range span
    float Centre;                 // range centre
    float CoefA, CoefB, CoefC, CoefD;
    char NomVoie[26];
    char UniteVoie[6];
    uint16_t TypeUnite;           // bits 0-2 kind, bits 14-15 temperature unit
    uint8_t FormatVoie;           // display format (values >= 3 count as 1)
    uint8_t TypeConversion;       // conversion law 0..8; 12 marks a viewer function channel
    int8_t PositionVoie;          // vertical position, percent of span
    uint8_t OperateurFonction;    // 0 +, 1 -, 2 *, 3 /
    uint8_t Operande1;
    uint8_t Operande2;
};
static_assert(sizeof(tCalibVoie) == 72);
static_assert(offsetof(tCalibVoie, CoefA) == 16);
static_assert(offsetof(tCalibVoie, CoefD) == 28);
static_assert(offsetof(tCalibVoie, NomVoie) == 32);
static_assert(offsetof(tCalibVoie, UniteVoie) == 58);
static_assert(offsetof(tCalibVoie, TypeUnite) == 64);
static_assert(offsetof(tCalibVoie, FormatVoie) == 66);
static_assert(offsetof(tCalibVoie, TypeConversion) == 67);
static_assert(offsetof(tCalibVoie, PositionVoie) == 68);
static_assert(offsetof(tCalibVoie, OperateurFonction) == 69);
static_assert(offsetof(tCalibVoie, Operande2) == 71);

inline constexpr uint8_t ConversionFonctionViewer = 12;

#pragma pack(pop)

// Presence-mask operations of the file layouts.
bool TST_B_ONOFF_TKAR(const tOnOff_TKAR& set, int n);
void ENLEVE_ONOFF_TKAR(tOnOff_TKAR& set, int n);
// False when n > 96.
bool TST_B_ONOFF(const tOnOff_TKOS& set, int n);
void ENLEVE_ONOFF(tOnOff_TKOS& set, int n);
