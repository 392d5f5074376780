#include "ui/AppelReticule.h"

#include <cstring>

#include "config/Coherence.h"
#include "config/Reticule.h"

namespace VIEW {

uint8_t APPEL_RETICULE(QWidget* parent, int page, int voie, const tLiensRetic& liens) {
    tConfig copie;
    std::memcpy(&copie, &Config, sizeof copie);
    COHER_RETIC_(&Config.ReticEcran);

    uint8_t valide = 0;
    {
        Retic dialogue(page, voie, liens, parent);
        if (liens.Executer)
            liens.Executer(dialogue);
        else
            dialogue.exec();
        valide = dialogue.OnAModifierLaConfig;
    }
    if (valide != 1) std::memcpy(&Config, &copie, sizeof copie);
    // A display pass may be reading Setup: the window rule is then left to the
    // main window's recomputation, which already applied it.
    COHERENCE_CONFIG_SEULE();
    if (!liens.NouvelleFenetre) COHER_SETUP();
    return valide;
}

} // namespace VIEW
