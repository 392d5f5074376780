// The two older configuration-file layouts still accepted on loading, and their conversion into
// Config. They hold the fields of tConfig up to TabCalcul, in the same order, with shorter
// per-channel arrays: 42 channels (version 115, 1940 bytes) or 96 channels (version 119,
// 3332 bytes).
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/Config.h"

inline constexpr uint8_t VersionConfigV19 = 115;
inline constexpr uint8_t VersionConfigTKOS = 119;

#pragma pack(push, 1)

// The first `Entete` bytes are the version byte and fields of the older program that are not
// carried over; `LibreParam` aligns ParamVoie on 4 bytes; `LibreFin` ends the record.
template <int NbVoies, int Entete, int LibreParam, int LibreFin> struct tConfigAncien {
    static constexpr int NombreVoies = NbVoies;

    uint8_t VersionConfig;
    uint8_t EnteteAncien[Entete - 1];
    int32_t CouleurFond;
    int32_t CouleurReticule;
    int32_t CouleurCurseur;
    int32_t CouleurVoie[NbVoies];
    int32_t CouleurVoieLogique[NombreLogiquesConfig];
    uint8_t EpaisseurVoie[NbVoies];
    uint8_t NbEcran;
    uint8_t HautEcran[NbVoies];
    uint8_t BasEcran[NbVoies];
    uint8_t NbDivEcran[NbVoies];
    uint8_t EcranVoie[NbVoies];
    uint8_t LibreAvantParam[LibreParam];
    tParamVoie ParamVoie[NbVoies];
    uint8_t PositionVoiesLogiques;
    uint8_t HauteurVoiesLogiques;
    uint8_t NombreVoiesLogiques;
    uint8_t Reserve;
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
    uint8_t Libre1[2];
    tFonctionConfig TabFonction[6];
    uint8_t LimitationExport;
    uint8_t Libre2[3];
    int32_t LongueurExport;
    uint8_t ModeXY;
    uint8_t VoieX;
    uint8_t CurseurDansReticule;
    uint8_t BoiteCurseur;
    uint8_t PositionBoiteCurseur;
    uint8_t ValeurSuitCurseur;
    uint8_t VoieSuitCurseur;
    uint8_t CurseurXY;
    uint8_t NombreVoiesLogiquesAffichees;
    uint8_t Libre3;
    uint16_t MasqueVoiesLogiques;
    uint8_t PlacementMinMax;
    char TexteAnnotation[128];
    uint8_t Libre4[3];
    int32_t CouleurAnnotation;
    uint8_t CalculValide;
    uint8_t NombreCalcul;
    uint8_t TabCalcul[10][2];
    uint8_t LibreFinAncien[LibreFin];
};

#pragma pack(pop)

using tConfig_V19 = tConfigAncien<42, 0x1C, 1, 2>;
using tConfig_TKOS = tConfigAncien<96, 0x40, 3, 6>;

static_assert(sizeof(tConfig_V19) == 1940);
static_assert(offsetof(tConfig_V19, CouleurFond) == 0x1C);
static_assert(offsetof(tConfig_V19, CouleurReticule) == 0x20);
static_assert(offsetof(tConfig_V19, CouleurCurseur) == 0x24);
static_assert(offsetof(tConfig_V19, CouleurVoie) == 0x28);
static_assert(offsetof(tConfig_V19, CouleurVoieLogique) == 0xD0);
static_assert(offsetof(tConfig_V19, EpaisseurVoie) == 0x110);
static_assert(offsetof(tConfig_V19, NbEcran) == 0x13A);
static_assert(offsetof(tConfig_V19, HautEcran) == 0x13B);
static_assert(offsetof(tConfig_V19, BasEcran) == 0x165);
static_assert(offsetof(tConfig_V19, NbDivEcran) == 0x18F);
static_assert(offsetof(tConfig_V19, EcranVoie) == 0x1B9);
static_assert(offsetof(tConfig_V19, ParamVoie) == 0x1E4);
static_assert(offsetof(tConfig_V19, PositionVoiesLogiques) == 0x484);
static_assert(offsetof(tConfig_V19, Reserve) == 0x487);
static_assert(offsetof(tConfig_V19, PoliceNom) == 0x488);
static_assert(offsetof(tConfig_V19, PoliceNom) + offsetof(tPoliceConfig, Taille) == 0x4C8);
static_assert(offsetof(tConfig_V19, PoliceNom) + offsetof(tPoliceConfig, Style) == 0x4CC);
static_assert(offsetof(tConfig_V19, PoliceNom) + offsetof(tPoliceConfig, Reserve) == 0x4D0);
static_assert(offsetof(tConfig_V19, CouleurPoliceNom) == 0x4D4);
static_assert(offsetof(tConfig_V19, PoliceBaseDeTemps) == 0x4D8);
static_assert(offsetof(tConfig_V19, PoliceBaseDeTemps) + offsetof(tPoliceConfig, Taille) == 0x518);
static_assert(offsetof(tConfig_V19, PoliceReserve) == 0x524);
static_assert(offsetof(tConfig_V19, PoliceReserve) + offsetof(tPoliceConfig, Reserve) == 0x56C);
static_assert(offsetof(tConfig_V19, TypeCalibre) == 0x570);
static_assert(offsetof(tConfig_V19, VoiesLogiquesEnDehors) == 0x575);
static_assert(offsetof(tConfig_V19, TabFonction) == 0x578);
static_assert(offsetof(tConfig_V19, LimitationExport) == 0x6E0);
static_assert(offsetof(tConfig_V19, LongueurExport) == 0x6E4);
static_assert(offsetof(tConfig_V19, ModeXY) == 0x6E8);
static_assert(offsetof(tConfig_V19, NombreVoiesLogiquesAffichees) == 0x6F0);
static_assert(offsetof(tConfig_V19, MasqueVoiesLogiques) == 0x6F2);
static_assert(offsetof(tConfig_V19, PlacementMinMax) == 0x6F4);
static_assert(offsetof(tConfig_V19, TexteAnnotation) == 0x6F5);
static_assert(offsetof(tConfig_V19, CouleurAnnotation) == 0x778);
static_assert(offsetof(tConfig_V19, CalculValide) == 0x77C);
static_assert(offsetof(tConfig_V19, NombreCalcul) == 0x77D);
static_assert(offsetof(tConfig_V19, TabCalcul) == 0x77E);

static_assert(sizeof(tConfig_TKOS) == 3332);
static_assert(offsetof(tConfig_TKOS, CouleurFond) == 0x40);
static_assert(offsetof(tConfig_TKOS, CouleurReticule) == 0x44);
static_assert(offsetof(tConfig_TKOS, CouleurCurseur) == 0x48);
static_assert(offsetof(tConfig_TKOS, CouleurVoie) == 0x4C);
static_assert(offsetof(tConfig_TKOS, CouleurVoieLogique) == 0x1CC);
static_assert(offsetof(tConfig_TKOS, EpaisseurVoie) == 0x20C);
static_assert(offsetof(tConfig_TKOS, NbEcran) == 0x26C);
static_assert(offsetof(tConfig_TKOS, HautEcran) == 0x26D);
static_assert(offsetof(tConfig_TKOS, BasEcran) == 0x2CD);
static_assert(offsetof(tConfig_TKOS, NbDivEcran) == 0x32D);
static_assert(offsetof(tConfig_TKOS, EcranVoie) == 0x38D);
static_assert(offsetof(tConfig_TKOS, ParamVoie) == 0x3F0);
static_assert(offsetof(tConfig_TKOS, PositionVoiesLogiques) == 0x9F0);
static_assert(offsetof(tConfig_TKOS, Reserve) == 0x9F3);
static_assert(offsetof(tConfig_TKOS, PoliceNom) == 0x9F4);
static_assert(offsetof(tConfig_TKOS, PoliceNom) + offsetof(tPoliceConfig, Taille) == 0xA34);
static_assert(offsetof(tConfig_TKOS, PoliceNom) + offsetof(tPoliceConfig, Style) == 0xA38);
static_assert(offsetof(tConfig_TKOS, PoliceNom) + offsetof(tPoliceConfig, Reserve) == 0xA3C);
static_assert(offsetof(tConfig_TKOS, CouleurPoliceNom) == 0xA40);
static_assert(offsetof(tConfig_TKOS, PoliceBaseDeTemps) == 0xA44);
static_assert(offsetof(tConfig_TKOS, PoliceBaseDeTemps) + offsetof(tPoliceConfig, Taille) == 0xA84);
static_assert(offsetof(tConfig_TKOS, PoliceReserve) == 0xA90);
static_assert(offsetof(tConfig_TKOS, PoliceReserve) + offsetof(tPoliceConfig, Reserve) == 0xAD8);
static_assert(offsetof(tConfig_TKOS, TypeCalibre) == 0xADC);
static_assert(offsetof(tConfig_TKOS, VoiesLogiquesEnDehors) == 0xAE1);
static_assert(offsetof(tConfig_TKOS, TabFonction) == 0xAE4);
static_assert(offsetof(tConfig_TKOS, LimitationExport) == 0xC4C);
static_assert(offsetof(tConfig_TKOS, LongueurExport) == 0xC50);
static_assert(offsetof(tConfig_TKOS, ModeXY) == 0xC54);
static_assert(offsetof(tConfig_TKOS, NombreVoiesLogiquesAffichees) == 0xC5C);
static_assert(offsetof(tConfig_TKOS, MasqueVoiesLogiques) == 0xC5E);
static_assert(offsetof(tConfig_TKOS, PlacementMinMax) == 0xC60);
static_assert(offsetof(tConfig_TKOS, TexteAnnotation) == 0xC61);
static_assert(offsetof(tConfig_TKOS, CouleurAnnotation) == 0xCE4);
static_assert(offsetof(tConfig_TKOS, CalculValide) == 0xCE8);
static_assert(offsetof(tConfig_TKOS, NombreCalcul) == 0xCE9);
static_assert(offsetof(tConfig_TKOS, TabCalcul) == 0xCEA);

// Copy the fields an older file holds into Config, channel arrays over their first 42 or 96
// entries; every other field of Config (the channel sets, the channels beyond, the Y cursors,
// the user graticule, ...) keeps its value. VersionConfig becomes 121. No consistency pass here.
void COPIE_V19_DANS_CONFIG(const tConfig_V19& ancien);
void COPIE_VTKOS_DANS_CONFIG(const tConfig_TKOS& ancien);
