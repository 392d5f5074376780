// Recording maker: writes recordings of the three families from a plain
// description, for tests, benchmarks and the demonstration files.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "recording/FormatREC.h"

namespace recmaker {

// Raw 16-bit word of a channel at a scan index.
using Signal = std::function<uint16_t(int64_t scan)>;

Signal Constant(uint16_t mot);
Signal Rampe(uint16_t depart, int pas);                             // depart + pas * scan (wraps)
Signal Carre(uint16_t bas, uint16_t haut, int64_t periodeScans);    // low for the first half period
Signal Sinus(double centre, double amplitude, double periodeScans); // rounded, clamped to 0..65535
// Sine for the signed words of supplementary channels: rounded, clamped to -32768..32767.
Signal SinusSigne(double centre, double amplitude, double periodeScans);

// One channel record (a 72-byte record in the file), at channel number Numero.
struct Voie {
    int Numero = 0; // channel number in the family's table (decides the presence bit)
    std::string Nom = "Voie";
    std::string Unite = "V";
    float Decalage = 0.f, Gain = 1.f, Etendue = 65536.f, Centre = 0.f;
    float CoefA = 0.f, CoefB = 0.f, CoefC = 0.f, CoefD = 0.f;
    uint16_t TypeUnite = 0;
    uint8_t FormatVoie = 0;
    uint8_t TypeConversion = 0;
    int8_t PositionVoie = 0;
    // Computed channels (numbers at or above the family's analog limit).
    uint8_t OperateurFonction = 0;
    uint8_t Operande1 = 0, Operande2 = 0; // channel numbers, as the recorder stores them
    Signal Donnees = Constant(0x8000);    // ignored for computed channels
};

// One supplementary-block entry. Type: the family's ordinary code means "described by
// an ordinary channel record", its empty code produces nothing, anything else is a
// supplementary channel (signed words) described by the entry alone.
struct EntreeSup {
    int32_t Type = 0;
    float Gain = 1.f, BorneBasse = -1.f, BorneHaute = 1.f;
    std::string Nom = "Sup";
    std::string Unite = "V";
    Signal Donnees = Constant(0);
};

struct AnnotationAncienne { // 44-byte record (TKAR only)
    int64_t PositionMot = 0;
    std::string Texte;
};

struct AnnotationNouvelle { // 152-byte record
    int64_t PositionMot = 0;
    int32_t Genre = 1; // 1 annotation, 2 title
    int32_t Couleur = 0xFF0000;
    int16_t Hauteur = 500;
    uint8_t Verticale = 0;
    std::string Texte;
};

struct Enregistrement {
    FamilleREC Famille = FamilleTKAR;
    int16_t Signature = 0;       // 0: the family's usual signature (TKAR: 0x0448, or 0x0449 with Checksum)
    uint8_t RevisionVoies = 3;   // TKAR byte 2 / TKOS-VEL byte 2 (format revision)
    uint8_t Revision = 3;        // byte 3
    std::string Modele = "TKAR"; // model text (15 bytes)
    float PeriodeUs = 1000.f;    // 0 = external clock (TKAR stores it as uint32)
    int64_t PreTrig = 0;
    uint8_t Seconde = 0, Minute = 0, Heure = 12, Jour = 15, Mois = 5 /* month - 1 */, Annee = 24 /* - 2000 */;
    int16_t Millisecondes = 0;
    int64_t NombreScans = 1000;
    std::vector<Voie> Voies;                       // in increasing channel number; analog and computed
                                                   // (a repeated number: the first one counts)
    std::optional<std::vector<EntreeSup>> BlocSup; // present: the 'E' block is written
    int NombreEntreesSup = -1;                     // byte 3 of the block; -1: the number of entries given
    bool Logique = false;                          // one logic word per frame
    std::vector<std::string> NomsLogiques;
    Signal DonneesLogiques = Constant(0);
    std::vector<AnnotationAncienne> AnnotationsAnciennes;
    std::vector<AnnotationNouvelle> AnnotationsNouvelles;
    // Script texts: slot -> up to 12 lines (TKOS 24 slots, VEL 40).
    std::vector<std::pair<int, std::vector<std::string>>> Scripts;
    bool ZoneScripts = false;     // write the 40x12x200 script area even when no script is given
    bool Checksum = false;        // TKAR: signature 0x0449 and the correct stored checksum
    int16_t ChecksumDecalage = 0; // added to the stored checksum (to make a wrong one); stored
                                  // alone without Checksum
    int16_t MotChecksumTKOS = 0;  // TKOS word at offset 60
    uint8_t OctetInutilise = 0;   // filler for the bytes the viewer does not read
};

// Layout facts of a built recording, for tests that patch or cut the bytes.
// Order in the file: fixed header, supplementary block, channel records, logic names
// (when Logique), then for TKOS/VEL the script area (when the revision says so, or
// ZoneScripts, or scripts are given), the sample area, the annotation area. The stored
// data and script offsets of TKOS/VEL point there (script offset 0 without an area).
// Presence bits are set for every channel number of Voies, but records and frame words
// are written only for the channels the header reader takes, walking channel numbers as
// it does: up to the family limit, or up to byte 3 of the block (a count above the
// block's entries makes a refused file; the layout then covers the entries) with entry
// types by loop index and supplementary data by produced-channel count, QUILL clearing
// bits 32..223 after the first record, computed channels without a word.
struct Plan {
    int64_t TailleEnteteFixe = 0;
    int64_t DebutBlocSup = -1; // -1 when absent
    int64_t DebutVoies = 0;    // first channel record
    int64_t DebutNomsLogiques = -1;
    int64_t DebutDonnees = 0;
    int64_t DebutScripts = -1;
    int64_t DebutAnnotations = 0; // = file size when no area
    int64_t TailleAnnotations = 0;
    int MotsParScan = 0;       // words per frame, logic word included
    int NombreVoiesAnalog = 0; // words per frame without the logic word
    int NombreRecords = 0;     // 72-byte channel records written
    int64_t Taille = 0;        // file size
};

// The whole file. Plan receives the offsets when given.
std::vector<uint8_t> Construire(const Enregistrement& e, Plan* plan = nullptr);
// Writes the file (the same bytes as Construire) without holding it in memory; false on
// an I/O failure, the partial file then removed.
bool Ecrire(const Enregistrement& e, const std::string& chemin, Plan* plan = nullptr);
// Ecrire without the plan: streams large benchmark files in blocks of whole frames.
bool EcrireEnFlux(const Enregistrement& e, const std::string& chemin);

// Ready-made recordings used by `ombrix sample` and by tests.
Enregistrement ExempleTKAR(); // checksum, logic inputs, annotations of both layouts, a computed channel
// A script filling a computed channel, logic inputs, annotations.
Enregistrement ExempleTKOS();
// Supplementary block (ordinary and supplementary channels), logic inputs, annotations and
// an empty script area: with a block the channel loop ends within the block's entries, so
// no computed (script) channel can follow.
Enregistrement ExempleTKOSSup();
Enregistrement ExempleVEL(); // scripts, logic inputs, annotations, a computed channel

} // namespace recmaker
