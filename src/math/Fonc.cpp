#include "math/Fonc.h"

#include <angelscript.h>

#include <cmath>
#include <memory>

#include "math/ValeursPhysiques.h"
#include "recording/Conversion.h"

using namespace AngelScript;

namespace {

bool LigneEnCours() {
    return TableauTravail != nullptr;
}

bool DansLaLigne(int32_t voie) {
    return voie >= 0 && voie < NombreSlotsColonne;
}

} // namespace

// The engine holds the handles through their reference count: the object is
// handed over at creation and taken back by Release when the last reference goes.
Fonc* Fonc::Fabrique(int voie) {
    auto f = std::make_unique<Fonc>();
    f->Voie = voie;
    f->Compte = 1;
    return f.release();
}

void Fonc::AddRef() {
    ++Compte;
}

void Fonc::Release() {
    if (--Compte == 0) std::unique_ptr<Fonc> fin(this);
}

double Fonc::Valeur() const {
    if (!LigneEnCours() || !DansLaLigne(Voie)) return 0.0;
    return TableauTravail[Voie];
}

double Fonc::opAssign(double val) const {
    // Index 0 (and below) is never written; nor is an index outside the row.
    if (!LigneEnCours() || Voie <= 0 || !DansLaLigne(Voie)) return 0.0;
    TableauTravail[Voie] = val;
    return val;
}

double Fonc::opAssign(Fonc& val) const {
    return opAssign(val.Valeur());
}

// The binary operators: 0.0 without a row, else the operation on the value.
#define FONC_OPERATION(nom, type, expression)                                                                \
    double Fonc::nom(type val) const {                                                                       \
        if (!LigneEnCours()) return 0.0;                                                                     \
        const double v = Valeur();                                                                           \
        return expression;                                                                                   \
    }

FONC_OPERATION(opAdd, int, v + val)
FONC_OPERATION(opAdd_r, int, v + val)
FONC_OPERATION(opAdd, double, v + val)
FONC_OPERATION(opAdd_r, double, v + val)
FONC_OPERATION(opAdd, Fonc&, v + val.Valeur())
FONC_OPERATION(opAdd_r, Fonc&, v + val.Valeur())
FONC_OPERATION(opMul, int, v* val)
FONC_OPERATION(opMul_r, int, v* val)
FONC_OPERATION(opMul, double, v* val)
FONC_OPERATION(opMul_r, double, v* val)
FONC_OPERATION(opMul, Fonc&, v* val.Valeur())
FONC_OPERATION(opMul_r, Fonc&, v* val.Valeur())
FONC_OPERATION(opSub, int, v - val)
FONC_OPERATION(opSub_r, int, val - v)
FONC_OPERATION(opSub, double, v - val)
FONC_OPERATION(opSub_r, double, val - v)
FONC_OPERATION(opSub, Fonc&, v - val.Valeur())
// Divisions give the largest double rather than an infinity for a zero or
// near-zero divisor; each form has its own threshold.
FONC_OPERATION(opDiv, int, val == 0 ? DivisionImpossible : v / val)
FONC_OPERATION(opDiv_r, int, std::fabs(v) <= 0.001 ? DivisionImpossible : val / v)
FONC_OPERATION(opDiv, double, std::fabs(val) <= 0.001 ? DivisionImpossible : v / val)
FONC_OPERATION(opDiv_r, double, v == 0.0 ? DivisionImpossible : val / v)

#undef FONC_OPERATION

double Fonc::opDiv(Fonc& w) const {
    if (!LigneEnCours()) return 0.0;
    const double d = w.Valeur();
    return std::fabs(d) <= 0.001 ? DivisionImpossible : Valeur() / d;
}

double Fonc::opNeg() const {
    if (!LigneEnCours()) return 0.0;
    return -Valeur();
}

int Fonc::opCmp(int val) const {
    if (!LigneEnCours()) return 0;
    const double d = Valeur() - val;
    if (d > 1e-7) return 1;
    if (d < -1e-7) return -1;
    return 0;
}

bool Fonc::opEquals(int val) const {
    if (!LigneEnCours()) return false;
    const double d = Valeur() - val;
    return d >= -0.001 && d <= 0.001;
}

int ENREGISTRER_FONC(asIScriptEngine* moteur) {
    int premier = 0;
    const auto garder = [&](int r) {
        if (r < 0 && premier == 0) premier = r;
    };
    garder(moteur->RegisterObjectType("Fonc", 0, asOBJ_REF));
    garder(moteur->RegisterObjectBehaviour("Fonc", asBEHAVE_FACTORY, "Fonc@ f(int voie)",
                                           asFUNCTION(Fonc::Fabrique), asCALL_CDECL));
    garder(moteur->RegisterObjectBehaviour("Fonc", asBEHAVE_ADDREF, "void f()", asMETHOD(Fonc, AddRef),
                                           asCALL_THISCALL));
    garder(moteur->RegisterObjectBehaviour("Fonc", asBEHAVE_RELEASE, "void f()", asMETHOD(Fonc, Release),
                                           asCALL_THISCALL));
    // The implicit value cast of the engine: a method named opImplConv.
    garder(moteur->RegisterObjectMethod("Fonc", "double opImplConv() const", asMETHOD(Fonc, Valeur),
                                        asCALL_THISCALL));

    struct tMethode {
        const char* Declaration;
        asSFuncPtr Fonction;
    };
#define FONC_METHODE(declaration, nom, parametre, retour)                                                    \
    tMethode {                                                                                               \
        declaration, asMETHODPR(Fonc, nom, parametre const, retour)                                          \
    }
    const tMethode methodes[] = {
        FONC_METHODE("double opAssign(double val) const", opAssign, (double), double),
        FONC_METHODE("double opAssign(Fonc &val) const", opAssign, (Fonc&), double),
        FONC_METHODE("double opAdd(int val) const", opAdd, (int), double),
        FONC_METHODE("double opAdd_r(int val) const", opAdd_r, (int), double),
        FONC_METHODE("double opAdd(double val) const", opAdd, (double), double),
        FONC_METHODE("double opAdd_r(double val) const", opAdd_r, (double), double),
        FONC_METHODE("double opAdd(Fonc &) const", opAdd, (Fonc&), double),
        FONC_METHODE("double opAdd_r(Fonc &) const", opAdd_r, (Fonc&), double),
        FONC_METHODE("double opMul(int val) const", opMul, (int), double),
        FONC_METHODE("double opMul_r(int val) const", opMul_r, (int), double),
        FONC_METHODE("double opMul(double val) const", opMul, (double), double),
        FONC_METHODE("double opMul_r(double val) const", opMul_r, (double), double),
        FONC_METHODE("double opMul(Fonc &) const", opMul, (Fonc&), double),
        FONC_METHODE("double opMul_r(Fonc &) const", opMul_r, (Fonc&), double),
        FONC_METHODE("double opSub(int val) const", opSub, (int), double),
        FONC_METHODE("double opSub_r(int) const", opSub_r, (int), double),
        FONC_METHODE("double opSub(double val) const", opSub, (double), double),
        FONC_METHODE("double opSub_r(double) const", opSub_r, (double), double),
        FONC_METHODE("double opSub(Fonc &) const", opSub, (Fonc&), double),
        FONC_METHODE("double opNeg() const", opNeg, (), double),
        FONC_METHODE("double opDiv(int val) const", opDiv, (int), double),
        FONC_METHODE("double opDiv_r(int) const", opDiv_r, (int), double),
        FONC_METHODE("double opDiv(double val) const", opDiv, (double), double),
        FONC_METHODE("double opDiv_r(double) const", opDiv_r, (double), double),
        FONC_METHODE("double opDiv(Fonc &) const", opDiv, (Fonc&), double),
        FONC_METHODE("int opCmp(int) const", opCmp, (int), int),
        FONC_METHODE("bool opEquals(int) const", opEquals, (int), bool),
    };
#undef FONC_METHODE
    for (const tMethode& m : methodes)
        garder(moteur->RegisterObjectMethod("Fonc", m.Declaration, m.Fonction, asCALL_THISCALL));
    return premier;
}
