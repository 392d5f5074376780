// The two-operand formulas of computed channels: those the recorders define
// and the function channels the viewer adds.
#pragma once

#include <cstdint>

#include "recording/FormatREC.h"

// Operator codes of OperateurFonction; codes above OperateurDivision divide too.
enum OperateurVoie : uint8_t {
    OperateurAddition = 0,
    OperateurSoustraction = 1,
    OperateurMultiplication = 2,
    OperateurDivision = 3,
};

// a op b. A divisor of exactly zero leaves the dividend unchanged.
double OPERATION_VOIE(double a, double b, uint8_t operateur);

// Header flags that select the coefficient rules of recorder-computed channels.
struct tReglesFormule {
    uint8_t ModeleTKAR;      // 1: B is not applied to * and /, and recorder channels scale b by CoefD
    uint8_t NouvelleFormule; // 1: the recorders' newer formula
};

// Value of computed channel `voie` from its operand values a and b, in double
// precision with the single-precision coefficients widened.
double CALCUL_VOIE_CALCULEE(const tCalibVoie& voie, double a, double b, tReglesFormule regles);
