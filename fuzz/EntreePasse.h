// Layout of a fuzz_passe input: this fixed record (missing bytes read as 0),
// then the bytes tiled over the sample zone. Shared by the target and by the
// corpus writer.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

struct tEntreePasse {
    uint8_t Choix;   // bits 0-1 family (0 TKAR, 1 TKOS, 2 VEL, 3 TKAR with checksum), then ChoixLogique...
    uint8_t Options; // bit 0 consistency rule on the window, bit 1 external clock, bits 2-7 period in
                     // microseconds, minus 1
    uint8_t PreTrig;
    uint8_t Ratio;           // under-sampling ratio x 4
    uint32_t Masque;         // bit n: recorded analog channel number n
    uint16_t Zone;           // scans of the sample zone: low byte x 2^(bits 8-11)
    uint8_t NombreRetouches; // modulo 4: header bytes overwritten after the recording is made
    struct {
        uint16_t Position;
        uint8_t Valeur;
    } Retouches[3];
    uint32_t Debut;   // window start, x / (2^32 - 1)
    uint32_t Largeur; // window width, x / (2^32 - 1)
};

#pragma pack(pop)

static_assert(sizeof(tEntreePasse) == 28);
static_assert(offsetof(tEntreePasse, Debut) == 20);

inline constexpr uint8_t ChoixLogique = 4;          // a logic word per frame
inline constexpr uint8_t ChoixSupplementaire = 8;   // a supplementary block with a signed channel
inline constexpr uint8_t ChoixAnnotations = 16;     // an annotation area
inline constexpr uint8_t ChoixSousEchantillon = 32; // under-sampling on
inline constexpr uint8_t ChoixVueEntiere = 64;      // a full view before the window
inline constexpr uint8_t ChoixChecksumFaux = 128;   // the stored checksum is off by one

inline constexpr uint8_t OptionCoherence = 1;
inline constexpr uint8_t OptionHorlogeExterne = 2;
