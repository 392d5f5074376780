#include "math/FormuleVoie.h"

double OPERATION_VOIE(double a, double b, uint8_t operateur) {
    switch (operateur) {
    case OperateurAddition:
        return a + b;
    case OperateurSoustraction:
        return a - b;
    case OperateurMultiplication:
        return a * b;
    default:
        return b == 0.0 ? a : a / b;
    }
}

double CALCUL_VOIE_CALCULEE(const tCalibVoie& voie, double a, double b, tReglesFormule regles) {
    const uint8_t op = voie.OperateurFonction;
    const bool sansB = regles.ModeleTKAR == 1 && (op == OperateurMultiplication || op == OperateurDivision);
    const double coefA = voie.CoefA, coefB = voie.CoefB, coefC = voie.CoefC, coefD = voie.CoefD;

    if (voie.TypeConversion == ConversionFonctionViewer) {
        a = coefA * a;
        if (!sansB) b = coefB * b;
        return coefC + OPERATION_VOIE(a, b, op);
    }
    if (regles.NouvelleFormule == 1) {
        a = coefA * a;
        if (regles.ModeleTKAR == 1)
            b = coefD * b;
        else if (!sansB)
            b = coefC * b;
        return coefB + OPERATION_VOIE(a, b, op);
    }
    return coefA * OPERATION_VOIE(a, b, op) + coefB;
}
