// The viewer configuration record. It is saved and loaded as one block (the
// version-121 configuration file), so every field keeps its byte offset.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/OnOff.h"

inline constexpr uint8_t VersionConfigCourante = 121;
inline constexpr int NombreVoiesConfig = 244;   // per-channel arrays, channels 0..243
inline constexpr int NombreLogiquesConfig = 16; // logic inputs 1..16
inline constexpr int HauteurGraphe = 200;       // vertical positions in 1/200 of the graph height

#pragma pack(push, 1)

// Screen zones: the graph is cut vertically into NbEcran screens, each channel
// drawn in one of them. Positions in 1/200 of the graph height, 0 at the top.
struct tReticEcran {
    uint8_t NbEcran;                       // 1..244
    uint8_t HautEcran[NombreVoiesConfig];  // top of screen i
    uint8_t BasEcran[NombreVoiesConfig];   // bottom of screen i
    uint8_t NbDivEcran[NombreVoiesConfig]; // vertical graticule divisions of screen i, at most 10
    uint8_t EcranVoie[NombreVoiesConfig];  // 1-based screen of channel n
};

// Display range and number format of one channel.
struct tParamVoie {
    uint8_t Reserve[4];
    float BorneMin;          // value at the bottom of the channel's screen
    float BorneMax;          // value at the top
    uint8_t FormatAffichage; // 0 unit prefix, 1 fixed, 2 exponent
    int8_t ExposantUnite;    // unit prefix as a power of 1000
    uint8_t NombreDecimales;
    uint8_t Libre;
};

// Font choice: face name, size in points, style bits.
struct tPoliceConfig {
    char Nom[64];  // NUL-terminated face name
    float Taille;  // points
    int32_t Style; // bold 1, italic 2, underline 4, strikeout 8
    int32_t Reserve;
};
inline constexpr int32_t StyleGras = 1;
inline constexpr int32_t StyleItalique = 2;
inline constexpr int32_t StyleSouligne = 4;
inline constexpr int32_t StyleBarre = 8;

// One function-channel definition: CoeffA * Voie1 (op) CoeffB * Voie2 + CoeffC.
struct tFonctionConfig {
    float CoeffA;
    float CoeffB; // 0: channel 2 not used
    float CoeffC;
    uint8_t Voie1;
    uint8_t Voie2;
    uint8_t Operateur; // 0 +, 1 -, 2 *, 3 /
    char NomFonction[32];
    char UniteFonction[13];
};

struct tConfig {
    uint8_t VersionConfig;
    uint8_t Libre1[3];
    tOn_Off_VEL VoiesPresentes;
    tOn_Off_VEL VoiesAffichees;
    uint8_t Reserve76[36];
    int32_t CouleurFond;
    int32_t CouleurReticule;
    int32_t CouleurCurseur;
    int32_t CouleurVoie[NombreVoiesConfig];
    int32_t CouleurVoieLogique[NombreLogiquesConfig];
    uint8_t EpaisseurVoie[NombreVoiesConfig];
    tReticEcran ReticEcran;
    uint8_t Libre2385[3];
    tParamVoie ParamVoie[NombreVoiesConfig];
    uint8_t PositionVoiesLogiques; // 0 band at the top, 1 at the bottom
    uint8_t HauteurVoiesLogiques;  // 1/200 of the graph height, at most 200
    uint8_t NombreVoiesLogiques;
    uint8_t Reserve6295;
    tPoliceConfig PoliceNom;
    int32_t CouleurPoliceNom;
    tPoliceConfig PoliceBaseDeTemps;
    tPoliceConfig PoliceReserve;
    uint8_t TypeCalibre;
    uint8_t NombreEcranFiltre;
    uint8_t TempsAbsolu;
    uint8_t NomsVerticaux;
    uint8_t BorneUnique;
    uint8_t VoiesLogiquesEnDehors;
    uint8_t Libre6534[2];
    tFonctionConfig TabFonction[6];
    uint8_t LimitationExport;
    uint8_t Libre6897[3];
    int32_t LongueurExport;
    uint8_t ModeXY;
    uint8_t VoieX;
    uint8_t CurseurDansReticule;
    uint8_t BoiteCurseur;
    uint8_t PositionBoiteCurseur; // 0 top, 1 right, 2 bottom, 3 left
    uint8_t ValeurSuitCurseur;
    uint8_t VoieSuitCurseur;
    uint8_t CurseurXY;
    uint8_t NombreVoiesLogiquesAffichees;
    uint8_t Libre6913;
    uint16_t MasqueVoiesLogiques; // bit k-1: logic input k displayed
    uint8_t PlacementMinMax;
    char TexteAnnotation[128];
    uint8_t Libre7045[3];
    int32_t CouleurAnnotation;
    uint8_t CalculValide;
    uint8_t NombreCalcul;
    uint8_t TabCalcul[10][2]; // channel, measurement type
    uint8_t VoieCurseurY;
    uint8_t Libre7075;
    uint16_t PositionCurseurY1;
    uint16_t PositionCurseurY2;
    uint8_t Libre7080;
    uint8_t AnnotationsMasquees;
    int16_t NombreVoieCurseur; // 1..30
    uint8_t ReticulePerso;
    uint8_t AffichageBornes;
    char FichierReticulePerso[200];
    uint8_t XYPoints;
    uint8_t VoiesLogiquesPresentes;
    uint8_t FormatExportFixe;
    uint8_t Libre7289[3];
};

// The displayed part of the recording, as fractions of its whole length.
struct tSetup {
    double DebutFenetre;   // 0..1
    double LargeurFenetre; // 1e-8..1
};

#pragma pack(pop)

static_assert(sizeof(tReticEcran) == 977);
static_assert(offsetof(tReticEcran, NbEcran) == 0);
static_assert(offsetof(tReticEcran, HautEcran) == 1);
static_assert(offsetof(tReticEcran, BasEcran) == 245);
static_assert(offsetof(tReticEcran, NbDivEcran) == 489);
static_assert(offsetof(tReticEcran, EcranVoie) == 733);

static_assert(sizeof(tParamVoie) == 16);
static_assert(offsetof(tParamVoie, BorneMin) == 4);
static_assert(offsetof(tParamVoie, BorneMax) == 8);
static_assert(offsetof(tParamVoie, FormatAffichage) == 12);
static_assert(offsetof(tParamVoie, ExposantUnite) == 13);
static_assert(offsetof(tParamVoie, NombreDecimales) == 14);

static_assert(sizeof(tPoliceConfig) == 76);
static_assert(offsetof(tPoliceConfig, Taille) == 64);
static_assert(offsetof(tPoliceConfig, Style) == 68);
static_assert(offsetof(tPoliceConfig, Reserve) == 72);

static_assert(sizeof(tFonctionConfig) == 60);
static_assert(offsetof(tFonctionConfig, CoeffA) == 0);
static_assert(offsetof(tFonctionConfig, CoeffB) == 4);
static_assert(offsetof(tFonctionConfig, CoeffC) == 8);
static_assert(offsetof(tFonctionConfig, Voie1) == 12);
static_assert(offsetof(tFonctionConfig, Voie2) == 13);
static_assert(offsetof(tFonctionConfig, Operateur) == 14);
static_assert(offsetof(tFonctionConfig, NomFonction) == 15);
static_assert(offsetof(tFonctionConfig, UniteFonction) == 47);

static_assert(sizeof(tSetup) == 16);
static_assert(offsetof(tSetup, LargeurFenetre) == 8);

static_assert(sizeof(tConfig) == 7292);
static_assert(offsetof(tConfig, VersionConfig) == 0);
static_assert(offsetof(tConfig, VoiesPresentes) == 4);
static_assert(offsetof(tConfig, VoiesAffichees) == 40);
static_assert(offsetof(tConfig, Reserve76) == 76);
static_assert(offsetof(tConfig, CouleurFond) == 112);
static_assert(offsetof(tConfig, CouleurReticule) == 116);
static_assert(offsetof(tConfig, CouleurCurseur) == 120);
static_assert(offsetof(tConfig, CouleurVoie) == 124);
static_assert(offsetof(tConfig, CouleurVoieLogique) == 1100);
static_assert(offsetof(tConfig, EpaisseurVoie) == 1164);
static_assert(offsetof(tConfig, ReticEcran) == 1408);
static_assert(offsetof(tConfig, Libre2385) == 2385);
static_assert(offsetof(tConfig, ParamVoie) == 2388);
static_assert(offsetof(tConfig, PositionVoiesLogiques) == 6292);
static_assert(offsetof(tConfig, HauteurVoiesLogiques) == 6293);
static_assert(offsetof(tConfig, NombreVoiesLogiques) == 6294);
static_assert(offsetof(tConfig, Reserve6295) == 6295);
static_assert(offsetof(tConfig, PoliceNom) == 6296);
static_assert(offsetof(tConfig, CouleurPoliceNom) == 6372);
static_assert(offsetof(tConfig, PoliceBaseDeTemps) == 6376);
static_assert(offsetof(tConfig, PoliceReserve) == 6452);
static_assert(offsetof(tConfig, TypeCalibre) == 6528);
static_assert(offsetof(tConfig, NombreEcranFiltre) == 6529);
static_assert(offsetof(tConfig, TempsAbsolu) == 6530);
static_assert(offsetof(tConfig, NomsVerticaux) == 6531);
static_assert(offsetof(tConfig, BorneUnique) == 6532);
static_assert(offsetof(tConfig, VoiesLogiquesEnDehors) == 6533);
static_assert(offsetof(tConfig, Libre6534) == 6534);
static_assert(offsetof(tConfig, TabFonction) == 6536);
static_assert(offsetof(tConfig, LimitationExport) == 6896);
static_assert(offsetof(tConfig, LongueurExport) == 6900);
static_assert(offsetof(tConfig, ModeXY) == 6904);
static_assert(offsetof(tConfig, VoieX) == 6905);
static_assert(offsetof(tConfig, CurseurDansReticule) == 6906);
static_assert(offsetof(tConfig, BoiteCurseur) == 6907);
static_assert(offsetof(tConfig, PositionBoiteCurseur) == 6908);
static_assert(offsetof(tConfig, ValeurSuitCurseur) == 6909);
static_assert(offsetof(tConfig, VoieSuitCurseur) == 6910);
static_assert(offsetof(tConfig, CurseurXY) == 6911);
static_assert(offsetof(tConfig, NombreVoiesLogiquesAffichees) == 6912);
static_assert(offsetof(tConfig, Libre6913) == 6913);
static_assert(offsetof(tConfig, MasqueVoiesLogiques) == 6914);
static_assert(offsetof(tConfig, PlacementMinMax) == 6916);
static_assert(offsetof(tConfig, TexteAnnotation) == 6917);
static_assert(offsetof(tConfig, Libre7045) == 7045);
static_assert(offsetof(tConfig, CouleurAnnotation) == 7048);
static_assert(offsetof(tConfig, CalculValide) == 7052);
static_assert(offsetof(tConfig, NombreCalcul) == 7053);
static_assert(offsetof(tConfig, TabCalcul) == 7054);
static_assert(offsetof(tConfig, VoieCurseurY) == 7074);
static_assert(offsetof(tConfig, Libre7075) == 7075);
static_assert(offsetof(tConfig, PositionCurseurY1) == 7076);
static_assert(offsetof(tConfig, PositionCurseurY2) == 7078);
static_assert(offsetof(tConfig, Libre7080) == 7080);
static_assert(offsetof(tConfig, AnnotationsMasquees) == 7081);
static_assert(offsetof(tConfig, NombreVoieCurseur) == 7082);
static_assert(offsetof(tConfig, ReticulePerso) == 7084);
static_assert(offsetof(tConfig, AffichageBornes) == 7085);
static_assert(offsetof(tConfig, FichierReticulePerso) == 7086);
static_assert(offsetof(tConfig, XYPoints) == 7286);
static_assert(offsetof(tConfig, VoiesLogiquesPresentes) == 7287);
static_assert(offsetof(tConfig, FormatExportFixe) == 7288);
static_assert(offsetof(tConfig, Libre7289) == 7289);

// The one configuration of the program, zero-filled before anything runs.
extern tConfig Config;
// The displayed window. Kept as a plain global record (the program's single
// instance); code that wants pointer access uses &Setup.
extern tSetup Setup;

// Back to the state before start-up (all zero bytes); for tests.
void RESET_GLOBAL_CONFIG();
void RESET_GLOBAL_SETUP();

// k-th present channel of the open recording (the k-th set bit of
// Config.VoiesPresentes, from 0), 0 when there are fewer.
int VRAI_NUMERO(int k);
