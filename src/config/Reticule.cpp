#include "config/Reticule.h"

#include <algorithm>

namespace {

// The logic band height as a usable extent: the dialog may store up to 250
// before the consistency pass caps it, and the band never exceeds the graph.
int HauteurBande() {
    return std::min<int>(Config.HauteurVoiesLogiques, HauteurGraphe);
}

uint8_t Octet(int v) {
    return static_cast<uint8_t>(v);
}

// Counted members of a set in increasing order, as the count routines see them.
bool EstMembre(const tOn_Off_VEL& s, int c) {
    return TST_B_ONOFF(s, c) && (c < PremiereVoieFonction || s.VoiesFonction != 0);
}

} // namespace

uint8_t NB_DIV_POUR_ECRANS(int nbEcran) {
    if (nbEcran <= 1) return 10;
    if (nbEcran == 2) return 8;
    if (nbEcran <= 4) return 5;
    if (nbEcran <= 8) return 4;
    return 2;
}

void COHER_RETIC_(tReticEcran* r) {
    if (r == nullptr) return;
    if (r->NbEcran == 0) r->NbEcran = 1;
    if (r->NbEcran > NombreVoiesConfig) r->NbEcran = NombreVoiesConfig;
    const int nb = r->NbEcran;
    const bool bandeDehors = Config.VoiesLogiquesPresentes == 1 && Config.VoiesLogiquesEnDehors == 1;

    // Forward: clamp, minimum height, logic band, push the next screen down.
    for (int i = 0; i < nb; ++i) {
        if (r->NbDivEcran[i] > 10) r->NbDivEcran[i] = 10;
        if (r->BasEcran[i] > HauteurGraphe) r->BasEcran[i] = HauteurGraphe;
        if (r->HautEcran[i] > HauteurGraphe) r->HautEcran[i] = HauteurGraphe;
        if (r->BasEcran[i] < r->HautEcran[i] + 2)
            r->BasEcran[i] = Octet(std::min(r->HautEcran[i] + 2, HauteurGraphe));
        if (bandeDehors) {
            if (Config.PositionVoiesLogiques == 1) {
                if (i == nb - 1 && r->BasEcran[i] > HauteurGraphe - HauteurBande())
                    r->BasEcran[i] = Octet(HauteurGraphe - HauteurBande());
            } else if (Config.PositionVoiesLogiques == 0) {
                if (i == 0 && r->HautEcran[i] < HauteurBande()) r->HautEcran[i] = Octet(HauteurBande());
            }
        }
        if (i < nb - 1 && r->HautEcran[i + 1] < r->BasEcran[i]) r->HautEcran[i + 1] = r->BasEcran[i];
    }

    // Backward: pull tops up so each screen keeps 2 units from the bottom.
    for (int i = nb - 1; i >= 0; --i) {
        if (r->HautEcran[i] > r->BasEcran[i] - 2) r->HautEcran[i] = Octet(std::max(r->BasEcran[i] - 2, 0));
        if (i > 0 && r->BasEcran[i - 1] > r->HautEcran[i]) r->BasEcran[i - 1] = r->HautEcran[i];
    }

    for (auto& e : r->EcranVoie) {
        if (e > nb) e = Octet(nb);
        if (e == 0) e = 1;
    }
}

void RESET_RETICULE(tReticEcran* r) {
    if (r == nullptr) return;
    for (int i = 0; i < NombreVoiesConfig; ++i) {
        r->HautEcran[i] = 0;
        r->BasEcran[i] = HauteurGraphe;
        r->NbDivEcran[i] = 10;
        r->EcranVoie[i] = 1;
    }
    r->NbEcran = 1;
    COHER_RETIC_(r);
}

void VALID_INIT_RET(uint8_t logique, uint8_t affecter) {
    tReticEcran& r = Config.ReticEcran;
    tOn_Off_VEL s = Config.VoiesAffichees;
    int n = VRAI_NB_ONOFF_TOTAL(s);
    if (n == 0) n = 1;

    if (r.NbEcran == 0) r.NbEcran = 1;
    // Only 244 screen entries exist.
    if (r.NbEcran > NombreVoiesConfig) r.NbEcran = NombreVoiesConfig;
    const int nb = r.NbEcran;

    // Too few displayed channels: hidden channels get screens of their own so
    // that no screen is left empty. The working copy is never written back.
    for (int c = 0, aAjouter = nb - n; c < PremiereVoieFonction && aAjouter > 0; ++c) {
        if (TST_B_ONOFF(s, c)) continue;
        AJOUT_ONOFF(s, c);
        --aAjouter;
    }

    if (affecter == 1) {
        int restants = VRAI_NB_ONOFF_TOTAL(s);
        int ecran = 0;        // 0-based screen receiving members
        int place = 0;        // members still to give to that screen
        int ecranCourant = 0; // 1-based screen of the latest member seen
        auto quota = [&](int z) {
            if (z == nb - 1) return restants;
            return std::max(restants / (nb - z), 1);
        };
        place = quota(0);
        for (int c = 0; c < NombreVoiesConfig; ++c) {
            if (EstMembre(s, c)) {
                while (place <= 0 && ecran < nb - 1) place = quota(++ecran);
                ecranCourant = ecran + 1;
                --place;
                --restants;
            }
            r.EcranVoie[c] = Octet(ecranCourant);
        }
    }

    int debut = 0;
    int etendue = HauteurGraphe;
    if (Config.VoiesLogiquesEnDehors == 1 && logique == 1) {
        etendue = HauteurGraphe - HauteurBande();
        debut = Config.PositionVoiesLogiques == 0 ? HauteurBande() : 0;
    }
    for (int z = 0; z < nb; ++z) {
        r.HautEcran[z] = z == 0 ? Octet(debut) : r.BasEcran[z - 1];
        r.BasEcran[z] = Octet((z + 1) * etendue / nb + debut);
    }

    const uint8_t div = NB_DIV_POUR_ECRANS(nb);
    for (auto& d : r.NbDivEcran) d = div;
}
