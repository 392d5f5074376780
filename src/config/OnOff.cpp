#include "config/OnOff.h"

namespace {
bool Compte(const tOn_Off_VEL& set, int n) {
    return n < PremiereVoieFonction || set.VoiesFonction != 0;
}
} // namespace

bool TST_B_ONOFF(const tOn_Off_VEL& set, int n) {
    if (n < 0 || n >= 256) return false;
    return (set.Masque[n / 32] >> (n % 32)) & 1u;
}

void AJOUT_ONOFF(tOn_Off_VEL& set, int n) {
    if (n < 0 || n >= 256) return;
    set.Masque[n / 32] |= 1u << (n % 32);
}

void ENLEVE_ONOFF(tOn_Off_VEL& set, int n) {
    if (n < 0 || n >= 256) return;
    set.Masque[n / 32] &= ~(1u << (n % 32));
}

void VIDE_ONOFF(tOn_Off_VEL& set) {
    for (auto& mot : set.Masque) mot = 0;
}

int DERNIERE_VOIE_VALIDE(const tOn_Off_VEL& set) {
    int derniere = 0;
    for (int n = 0; n < NombreVoiesMax; ++n)
        if (Compte(set, n) && TST_B_ONOFF(set, n)) derniere = n;
    return derniere;
}

int VRAI_NB_ONOFF_TOTAL(const tOn_Off_VEL& set) {
    int total = 0;
    for (int n = 0; n < NombreVoiesMax; ++n)
        if (Compte(set, n) && TST_B_ONOFF(set, n)) ++total;
    return total;
}

int VRAI_NUMERO(const tOn_Off_VEL& set, int k) {
    int compte = 0;
    for (int n = 0; n <= NombreVoiesMax; ++n) {
        if (!TST_B_ONOFF(set, n)) continue;
        if (compte == k) return n;
        ++compte;
    }
    return 0;
}
