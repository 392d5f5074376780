// Adding and removing the annotations the user places on the graph. A new
// record goes into TabAnnotMemNew after the NouveauAnnot records read from the
// file and the NombreAnnotEnPlus ones already added; it lives in memory until
// the recording is saved with its annotations (export/SauveAnnotations.h).
//
// An addition is refused, with a message, when the table is full or when the
// annotation area of a TKAR recording would outgrow its 16-bit size field.
#pragma once

#include <cstdint>

#include "config/Config.h"
#include "recording/EnteteREC.h"

// Results of CREATION_ANNOTATION.
inline constexpr uint8_t AnnotCreee = 0;       // a record was added
inline constexpr uint8_t AnnotHorsFenetre = 1; // the click is outside the displayed window: nothing
inline constexpr uint8_t AnnotRefusee = 2;     // table or area full: the user was told

// Characters of a text the viewer writes into a record.
inline constexpr int TexteAnnotMax = 124;
// Largest annotation area a TKAR header can announce.
inline constexpr int64_t ZoneAnnotTKARMax = 65535;

// Where the user clicked, in pixels of the graph picture, and the plot
// rectangle of the graph at that time.
struct tClicAnnotation {
    int X = 0, Y = 0;
    int DebutScrollX = 0, DebutScrollY = 0; // top-left corner of the plot
    int ScrollX = 0, ScrollY = 0;           // its width and height
};

// Size in bytes of the annotation area once the records of the tables are in
// the file: 152 x (NouveauAnnot + NombreAnnotEnPlus) + 44 x AncienAnnot.
int64_t TAILLE_ZONE_ANNOT();

// True when one more record may be added to a recording of `famille`;
// otherwise shows `M_AnnotPleines` (when `prevenir`) and gives false.
bool AJOUT_ANNOT_POSSIBLE(int16_t famille, bool prevenir = true);

// Creates the record of a click: position in the displayed window of `setup`
// (fraction f of the plot width, nothing when f < 0 or f >= 1), height in
// thousandths of the plot from its top (kept within 0..1000), the text, colour
// of `conf`, and the orientation `verticale` (1: vertical).
uint8_t CREATION_ANNOTATION(const tClicAnnotation& clic, uint8_t verticale, const tConfig& conf = Config,
                            const tSetup& setup = Setup, const t_EnteteREC_GlobalTotal& entete = EnteteF);

// Drops the most recently added record. False when none was added.
bool EFFACE_ANNOT();
