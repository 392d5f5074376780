// The viewer's own channel set: 256 bits, one per channel position, with the
// three trailing bytes that the VEL recorders store after their mask.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct tOn_Off_VEL {
    uint32_t Masque[8];         // bit n mod 32 of word n / 32 stands for channel n
    uint8_t VoiesFonction;      // non-zero: channels 204 and above count in the totals
    uint8_t NombreMotsLogiques; // logic words per frame (VEL fixed header byte 57)
    uint8_t NombreNomsLogiques; // logic names after the channel records (byte 58)
    uint8_t Libre;
};
#pragma pack(pop)
static_assert(sizeof(tOn_Off_VEL) == 36);
static_assert(offsetof(tOn_Off_VEL, VoiesFonction) == 32);
static_assert(offsetof(tOn_Off_VEL, NombreMotsLogiques) == 33);
static_assert(offsetof(tOn_Off_VEL, NombreNomsLogiques) == 34);

// First channel number that is a function channel (or beyond the analog slots).
inline constexpr int PremiereVoieFonction = 204;
// Channel numbers examined by the counting routines.
inline constexpr int NombreVoiesMax = 244;

bool TST_B_ONOFF(const tOn_Off_VEL& set, int n);
void AJOUT_ONOFF(tOn_Off_VEL& set, int n);
void ENLEVE_ONOFF(tOn_Off_VEL& set, int n);
// Clears the eight mask words; the four trailing bytes are kept.
void VIDE_ONOFF(tOn_Off_VEL& set);
// Highest counted channel that is set, 0 when none.
int DERNIERE_VOIE_VALIDE(const tOn_Off_VEL& set);
// Number of counted channels that are set.
int VRAI_NB_ONOFF_TOTAL(const tOn_Off_VEL& set);
// Channel of the k-th set bit (from 0) among channels 0..244; 0 when there are fewer.
int VRAI_NUMERO(const tOn_Off_VEL& set, int k);
