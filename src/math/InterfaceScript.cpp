#include "math/InterfaceScript.h"

#include <angelscript.h>
#include <angelscript/scriptmath.h>

#include <cmath>

#include "math/Fonc.h"

using namespace AngelScript;

namespace {

double Exponentielle(double x) {
    return std::exp(x);
}

} // namespace

int definition_fonctions(asIScriptEngine* moteur) {
    if (moteur == nullptr) return asINVALID_ARG;
    // The add-on reports nothing; a missing function shows when a script uses it.
    RegisterScriptMath(moteur);
    int r = ENREGISTRER_FONC(moteur);
    if (r < 0) return r;
    r = moteur->RegisterGlobalFunction("double exp(double)", asFUNCTION(Exponentielle), asCALL_CDECL);
    return r < 0 ? r : 0;
}
