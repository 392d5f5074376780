#include "recording/ScriptsREC.h"

#include <cstring>

uint8_t ValiditeAngelScript = 0;

void RESET_VALIDITE_SCRIPTS() {
    ValiditeAngelScript = 0;
}

void ScriptsREC::CHARGER_ZONE(const uint8_t* zone) {
    if (zone == nullptr) return;
    std::memcpy(TexteScript, zone, sizeof TexteScript);
}

std::string ScriptsREC::Ligne(int s, int l) const {
    if (s < 0 || s >= NombreSlotsScript || l < 0 || l >= NombreLignesScript) return {};
    const char* ligne = TexteScript[s][l];
    return std::string(ligne, strnlen(ligne, LongueurLigneScript));
}

bool ScriptsREC::SlotVide(int s) const {
    for (int l = 0; l < NombreLignesScript; ++l)
        if (!Ligne(s, l).empty()) return false;
    return true;
}
