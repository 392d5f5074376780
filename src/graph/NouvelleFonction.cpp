#include "graph/NouvelleFonction.h"

#include <cmath>
#include <limits>

#include "config/Defauts.h"
#include "config/OnOff.h"
#include "math/FormuleVoie.h"

std::optional<std::pair<float, float>> BORNES_NOUVELLE_FONCTION(const grapheft& g,
                                                                const t_EnteteREC_GlobalTotal& e, int n) {
    if (!g.TABLE_COMPLETE() || n < 0 || n >= NombreVoiesTable) return std::nullopt;
    const tCalibVoie& voie = e.CalibVoie[n];
    const tReglesFormule regles{e.ModeleTKAR, e.NouvelleFormule};
    // An operand not computed before it reads 0, as in the conversion.
    const auto operande = [&](int c, int rang) { return rang < n ? g.VALEUR_TABLE(c, rang) : 0.0; };
    double min = std::numeric_limits<double>::infinity(), max = -min;
    for (int c = 0; c < NombreColonnesAffichage; ++c) {
        const double v =
            CALCUL_VOIE_CALCULEE(voie, operande(c, voie.Operande1), operande(c, voie.Operande2), regles);
        if (!std::isfinite(v)) return std::nullopt;
        min = std::min(min, v);
        max = std::max(max, v);
    }
    double marge = (max - min) / 20.0;
    if (!(marge > 0.0)) marge = std::max(std::fabs(max) / 20.0, 1.0); // a constant: around it
    const double bas = min - marge, haut = max + marge;
    if (!std::isfinite(bas) || !std::isfinite(haut) || std::fabs(bas) > std::numeric_limits<float>::max() ||
        std::fabs(haut) > std::numeric_limits<float>::max())
        return std::nullopt;
    return std::pair<float, float>(static_cast<float>(bas), static_cast<float>(haut));
}

int32_t COULEUR_LIBRE(const tConfig& c, int n) {
    const auto rgb = [](int32_t argb) { return static_cast<uint32_t>(argb) & 0xFFFFFFu; };
    for (int k = 0; k < NombreCouleursDefaut; ++k) {
        const int32_t couleur = COULEUR_VOIE_DEFAUT(k);
        if (rgb(couleur) == rgb(c.CouleurFond)) continue;
        bool prise = false;
        for (int ch = 0; ch < NombreVoiesConfig && !prise; ++ch)
            prise = ch != n && TST_B_ONOFF(c.VoiesAffichees, ch) && rgb(c.CouleurVoie[ch]) == rgb(couleur);
        if (!prise) return couleur;
    }
    return COULEUR_VOIE_DEFAUT(n);
}
