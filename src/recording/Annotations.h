// Annotation records of the area at the end of a recording, and the tables
// that hold them while the recording is open.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// Old-format record (TKAR only).
struct tTabAnnotMem {
    int64_t PositionMot; // 16-bit words from the first word of the sample area
    int32_t GenreAnnot;  // 0 in this format; non-zero marks the first 152-byte record
    char TexteAnnot[32]; // at most 31 characters
};
static_assert(sizeof(tTabAnnotMem) == 44);
static_assert(offsetof(tTabAnnotMem, GenreAnnot) == 8);
static_assert(offsetof(tTabAnnotMem, TexteAnnot) == 12);

struct tTabAnnotMemNew {
    int64_t PositionMot;
    int32_t GenreAnnot;   // 1 annotation, 2 title of the recording
    int32_t CouleurAnnot; // RGB in the low 24 bits
    uint8_t Reserve1[4];
    int16_t HauteurAnnot; // thousandths of the graph height, from the top
    uint8_t AnnotVerticale;
    char TexteAnnot[125]; // at most 124 characters written
    uint8_t Reserve2[4];
};
static_assert(sizeof(tTabAnnotMemNew) == 152);
static_assert(offsetof(tTabAnnotMemNew, CouleurAnnot) == 12);
static_assert(offsetof(tTabAnnotMemNew, HauteurAnnot) == 20);
static_assert(offsetof(tTabAnnotMemNew, AnnotVerticale) == 22);
static_assert(offsetof(tTabAnnotMemNew, TexteAnnot) == 23);
static_assert(offsetof(tTabAnnotMemNew, Reserve2) == 148);

#pragma pack(pop)

inline constexpr int32_t GenreAnnotation = 1, GenreTitre = 2;
inline constexpr int TailleTabAnnotMem = 2000;
inline constexpr int TailleTabAnnotMemNew = 5100;

extern tTabAnnotMem TabAnnotMem[TailleTabAnnotMem];
extern tTabAnnotMemNew TabAnnotMemNew[TailleTabAnnotMemNew];
extern tTabAnnotMem TabAnnotMemConc[TailleTabAnnotMem];
extern int32_t AncienAnnot;       // old-format records
extern int32_t NouveauAnnot;      // 152-byte records read from (or saved into) the file
extern int32_t NombreAnnotEnPlus; // records added and not yet saved

// Empties the tables and counters.
void RESET_ANNOTATIONS();
