// Loading a configuration file from raw bytes: the version byte and the length
// choose the layout (the current image or one of the two older ones), the
// consistency pass then brings every field back into range. Every run starts
// from the start-up state, so runs do not depend on each other.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "EtatCoeur.h"
#include "FuzzCommun.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/FichierConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    static fuzz::FichierMemoire fichier("fuzz_configuration.spt");
    fuzz::BOITES_DU_PASSAGE();
    RESET_ETAT_COEUR();

    fichier.Ecrire(octets, taille);
    const uint8_t resultat = APPEL_CONFIGURATION(fichier.Chemin());
    if (resultat != ResultatConfigOk && resultat != ResultatConfigErreur) std::abort();

    // Every display range is a range: finite bounds, the top above the bottom.
    for (const tParamVoie& v : Config.ParamVoie) {
        const float min = v.BorneMin, max = v.BorneMax;
        if (!std::isfinite(min) || !std::isfinite(max) || !(max > min)) std::abort();
    }

    // A loaded configuration is in range: one more consistency pass changes
    // nothing. The one exception is a top bound rebuilt from a bottom bound at
    // the limit (|BorneMin + 1| x 2 may reach 2e20, which the next pass brings
    // back to 1e20, still above the bottom).
    static tConfig apres;
    static tSetup setup;
    std::memcpy(&apres, &Config, sizeof apres);
    setup = Setup;
    COHERENCE_CONFIGURATION();
    for (int n = 0; n < NombreVoiesConfig; ++n)
        if (std::fabs(apres.ParamVoie[n].BorneMax) > 1e20f)
            apres.ParamVoie[n].BorneMax = Config.ParamVoie[n].BorneMax;
    const auto* a = reinterpret_cast<const uint8_t*>(&apres);
    const auto* b = reinterpret_cast<const uint8_t*>(&Config);
    for (size_t i = 0; i < sizeof apres; ++i)
        if (a[i] != b[i]) {
            std::fprintf(stderr, "Config byte %zu: %u after loading, %u after one more pass\n", i, a[i],
                         b[i]);
            std::abort();
        }
    if (std::memcmp(&setup, &Setup, sizeof setup) != 0) {
        std::fprintf(stderr, "Setup changed by one more pass\n");
        std::abort();
    }
    return 0;
}
