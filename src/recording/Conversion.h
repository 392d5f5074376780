// Raw sample words to physical values, and the display scale of a channel.
#pragma once

#include <cstdint>

struct tConfig;
struct t_EnteteREC_GlobalTotal;

// Conversion laws of the channel records (TypeConversion).
enum LoiConversion : uint8_t {
    LoiAucune = 0,
    LoiDeuxPoints = 1, // reduced to slope and offset when the header is read
    LoiLineaire = 2,
    LoiValeurAbsolue = 3,
    LoiPolynome = 4,
    LoiLogarithme = 5,
    LoiRacine = 6,
    LoiExponentielle = 7,
    LoiInverse = 8,
};

// The row of physical values being computed (analog channels, then computed or
// script channels); the math scripts read and write channels through it. Null
// when no row is being computed.
extern thread_local double* TableauTravail;

// Physical value of raw word brut of channel n of the recording with header
// `entete` (without it, the open recording's EnteteF): calibration of the
// recorder (offset, gain), then the channel's conversion law. Channels outside
// the table give 0.0.
double RECUP_VALEUR(const t_EnteteREC_GlobalTotal& entete, uint16_t brut, int n);
double RECUP_VALEUR(uint16_t brut, int n);

// Value at a vertical position given in 1/100000 of the displayed range of n
// (in `conf`, or the program's Config).
float RECUP_FLOAT(const tConfig& conf, int32_t position, int n);
float RECUP_FLOAT(int32_t position, int n);

// Chooses ExposantUnite and NombreDecimales of channel n from its displayed
// range (in `conf`, or the program's Config).
void CALCUL_FLOAT(tConfig& conf, int n);
void CALCUL_FLOAT(int n);

// True when a and b differ by less than 1e-10.
bool FLOAT_EGAL(double a, double b);

// Back to the start-up state (no working row); for tests.
void RESET_CONVERSION();
