// What a script can use: the math add-on of the engine, the channel type
// `Fonc` and exp. Nothing else is registered, so a script (untrusted, it comes
// with the recording) has no access to files, processes, the network or any
// memory but its own channel row.
#pragma once

namespace AngelScript {
class asIScriptEngine;
}

// Registers the interface with a new engine, in order: the math add-on, Fonc,
// "double exp(double)". Returns the first negative code of the engine, or 0.
int definition_fonctions(AngelScript::asIScriptEngine* moteur);
