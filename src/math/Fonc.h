// The script-visible type `Fonc`: a handle on one channel of the row of
// physical values being computed (TableauTravail). Its arithmetic operators
// read that row and its assignments write it, so a script computes its
// channel with plain expressions: function = 'Pression' * 2;
//
// Every operation yields 0.0 (comparisons 0, equality false) and writes
// nothing while no row is being computed. A handle on a channel index outside
// the row reads 0.0 and writes nothing, whatever index the script gave; a
// handle of index 0 or below never writes either.
#pragma once

#include <cstdint>

namespace AngelScript {
class asIScriptEngine;
}

// Result of a division by a zero or near-zero divisor: the largest double.
inline constexpr double DivisionImpossible = 1.7976931348623157e308;

struct Fonc {
    int32_t Voie = 0;   // channel index in the row
    int32_t Compte = 1; // references held by the scripts

    // The factory of the scripts: a new handle for channel `voie`, count 1.
    static Fonc* Fabrique(int voie);
    void AddRef();
    void Release(); // deleted when the count reaches 0

    // Value of the channel (the implicit conversion to double).
    double Valeur() const;

    double opAssign(double val) const;
    double opAssign(Fonc& val) const;
    double opAdd(int val) const;
    double opAdd_r(int val) const;
    double opAdd(double val) const;
    double opAdd_r(double val) const;
    double opAdd(Fonc& w) const;
    double opAdd_r(Fonc& w) const;
    double opMul(int val) const;
    double opMul_r(int val) const;
    double opMul(double val) const;
    double opMul_r(double val) const;
    double opMul(Fonc& w) const;
    double opMul_r(Fonc& w) const;
    double opSub(int val) const;
    double opSub_r(int val) const;
    double opSub(double val) const;
    double opSub_r(double val) const;
    double opSub(Fonc& w) const;
    double opNeg() const;
    double opDiv(int val) const;
    double opDiv_r(int val) const;
    double opDiv(double val) const;
    double opDiv_r(double val) const;
    double opDiv(Fonc& w) const;
    int opCmp(int val) const;
    bool opEquals(int val) const;
};

// Registers the type, its behaviours and methods with an engine. Returns the
// first negative code of the engine, or 0.
int ENREGISTRER_FONC(AngelScript::asIScriptEngine* moteur);
