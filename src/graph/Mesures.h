// Measurements on the displayed window: minimum, maximum, peak-to-peak, mean,
// and the level analysis behind frequency, period and RMS over whole cycles.
//
// Everything works on the 1000-column display table of DonneesGraphe (raw codes
// in TabCyclique, physical values in TabFlottant), never on the recording, and
// draws nothing: the graph object formats and places the results, the command
// line prints them, tests check the numbers.
//
// Level analysis: a histogram of the channel's codes in classes of 128 codes
// gives a low and a high plateau; the crossings of their mean (the centre)
// mark the cycles.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/Config.h"
#include "graph/DonneesGraphe.h"
#include "recording/EnteteREC.h"
#include "shell/Messages.h"

// Measurement type codes (second byte of a slot of Config.TabCalcul).
enum TypeMesure : uint8_t {
    MesureMin = 0,
    MesureMax = 1,
    MesurePicPic = 2,
    MesureFrequence = 3,
    MesurePeriode = 4,
    MesureMoyenne = 5,
    MesureRMS = 6,
};
inline constexpr int NombreTypesMesure = 7;
// Slots drawn at most, whatever NombreCalcul says.
inline constexpr int NombreCalculMax = 10;
inline constexpr int NombreClasses = 1024;
inline constexpr int TailleClasse = 128; // codes per histogram class (code >> 7)

// Working state of the level analysis of one channel.
class AnalyseNiveaux {
public:
    // Codes of the analysed channel, one per column, and the analysed range.
    std::array<uint16_t, TailleValeurCyclique> ValeurCyclique{};
    int32_t Abscisse_Dep = 0, Abscisse_Fin = 0;
    double BDT_Curseur = 0.0; // microseconds per column

    std::array<uint16_t, NombreClasses> Classif{}; // count of codes per class
    int32_t Math_Min = 0, Math_Max = 0;
    int32_t Recherche[2]{};  // [0] a low plateau was found, [1] a high one
    int32_t Classe_Max[2]{}; // their levels, in codes
    int32_t Math_Low = 0, Math_High = 0, Math_Centre = 0;

    std::array<uint16_t, TailleValeurCyclique> Abscisse_Centre_M{}; // rising crossings
    std::array<uint16_t, TailleValeurCyclique> Abscisse_Centre_D{}; // falling crossings
    int32_t IncrM = 0, IncrD = 0;

    float Math_Periode = 0.f; // seconds
    float Math_Freq = 0.f;    // hertz
    float Math_Rms = 0.f;     // physical unit of the channel

    // Code i of the channel as an unsigned value, 0 outside the array.
    int32_t CAL_VALCYC(int i) const;
    // Histogram, plateaux and centre level.
    void CAL_CLASSE();
    // Columns where the codes cross the centre level, rising and falling.
    void PASSAGE_CENTRE();
    // Period and frequency from the crossings (0 and 0 without two crossings
    // in the direction used).
    void MATH_FREQ();
    // Row range of whole cycles: first to last crossing in the direction used
    // (the last row excluded), else the whole window.
    void CYCLE_RMS(int32_t& debut, int32_t& fin);
    // RMS of channel ch of the table over whole cycles, in single precision.
    void MATH_RMS(const double* tabFlottant, int ch);
};

// The codes of channel ch into the analysis: the raw words of a recorded
// channel (the sign bit turned over for a channel of signed words, so that the
// codes keep the order of the values), or, for a channel with no raw words in
// the table (computed, function and script channels), its physical values
// spread over 0..65535 between their extremes in the window. Range 0 ..
// PointeurCyclique; BDT_Curseur = tempsTotal / 1000.
void CHARGER_VOIE(AnalyseNiveaux& a, DonneesGraphe& d, int ch, double tempsTotal);

// Extreme of channel ch over rows 0..lignes-1 of the table of physical values:
// the first row that reaches it (strict comparisons).
struct tExtreme {
    float Valeur = 0.f;
    int32_t Ligne = 0;
};
inline constexpr int ExtremeMin = 0;
inline constexpr int ExtremeMax = 1;
tExtreme EXTREME_VOIE(const double* tabFlottant, int lignes, int ch, int lequel);
// Mean of channel ch over rows 0..lignes-1 (double accumulation); 0 without rows.
double MOYENNE_VOIE(const double* tabFlottant, int lignes, int ch);

// Every measurement of one channel on a complete table (the command line).
struct tMesuresVoie {
    float Min = 0.f, Max = 0.f, PicPic = 0.f;
    float Frequence = 0.f, Periode = 0.f; // hertz, seconds; 0 without cycles
    double Moyenne = 0.0;
    float Rms = 0.f;
};
tMesuresVoie MESURER_VOIE(DonneesGraphe& d, int ch, double tempsTotal);

// ---- Slots ----------------------------------------------------------------------

// Slots drawn: NombreCalcul, at most 10.
int NOMBRE_MESURES(const tConfig& c);
// Channel measured for a stored channel number: channel 0 when the number is
// not below the recording's channel count.
int VOIE_MESUREE(int voie, const t_EnteteREC_GlobalTotal& e);
// Messages of a measurement type: the dialog's list text and the short tag of
// the result labels (type 0 for a code above 6).
tBloc MESSAGE_LISTE_MESURE(int type);
tBloc MESSAGE_TAG_MESURE(int type);

// ---- Texts (Windows-1252, at most taille bytes with the NUL) ---------------------

// Result label prefix: with a name, channel name, "[", tag, "]"; then ":".
void RECUP_LABEL_MATH(char* texte, size_t taille, const t_EnteteREC_GlobalTotal& e, int ch, int type,
                      int avecNom);
// Slot label of the dialog: five blanks, name, " [ ", tag, " ]" (channel 0 for
// a number not below the channel count, type 0 for a code above 6).
void RECUP_LABEL_DIALOGUE(char* texte, size_t taille, const t_EnteteREC_GlobalTotal& e, int ch, int type);
// Frequency: "  ---- Hz" at or below 0.1 Hz, otherwise the number in six
// places with 1 to 3 decimals, a blank, "K" or "M" when scaled, and "Hz".
void TEXTE_FREQUENCE(char* texte, size_t taille, float frequence);
// Period 1/frequence (0 without a positive frequency) as a time text, or as a
// sample count for a recording with an external clock.
void TEXTE_PERIODE(char* texte, size_t taille, float frequence, const t_EnteteREC_GlobalTotal& e);

// ---- Channel list of the dialog ---------------------------------------------------

// Channel numbers counted by the list: below 210 for TKAR, 228 for TKOS, 244
// otherwise.
int LIMITE_VOIES_LISTE(const t_EnteteREC_GlobalTotal& e);
// Channel of list position k: the k-th present channel below the limit, 0
// when there are fewer.
int VOIE_DE_POSITION(const tOn_Off_VEL& presentes, int k, int limite);
// List position of a channel: its rank among the present channels, 0 when it
// is not present.
int POSITION_DE_VOIE(const tOn_Off_VEL& presentes, int voie);
