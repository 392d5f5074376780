// The consistency pass on Config alone: the same record as the whole pass, the
// displayed window left as it is.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "ConfigTestUtil.h"
#include "config/Coherence.h"
#include "config/Defauts.h"

namespace {

// Damaged record and window, as a bad file and a stray zoom could leave them.
void Abimer(bool autreVersion) {
    INIT_CONFIG();
    if (autreVersion) Config.VersionConfig = 120;
    Config.HauteurVoiesLogiques = 250;
    Config.CouleurReticule = Config.CouleurFond;
    Config.ReticEcran.NbEcran = 0;
    Config.EpaisseurVoie[7] = 9;
    Config.ParamVoie[3].BorneMin = std::numeric_limits<float>::quiet_NaN();
    Config.NombreCalcul = 12;
    Config.NombreVoieCurseur = 31;
    Config.CurseurXY = 0;
    std::memset(Config.TexteAnnotation, 'x', sizeof Config.TexteAnnotation);
    ::Setup.DebutFenetre = 0.7;
    ::Setup.LargeurFenetre = std::numeric_limits<double>::quiet_NaN();
}

} // namespace

TEST_F(ConfigGlobale, ConfigOnlyPassMatchesTheWholePassAndLeavesTheWindow) {
    for (bool autreVersion : {false, true}) {
        Abimer(autreVersion);
        COHERENCE_CONFIGURATION();
        tConfig attendu;
        std::memcpy(&attendu, &Config, sizeof attendu);

        Abimer(autreVersion);
        tSetup fenetre;
        std::memcpy(&fenetre, &::Setup, sizeof fenetre);
        COHERENCE_CONFIG_SEULE();
        EXPECT_EQ(std::memcmp(&Config, &attendu, sizeof attendu), 0) << autreVersion;
        EXPECT_EQ(std::memcmp(&::Setup, &fenetre, sizeof fenetre), 0) << autreVersion;
        EXPECT_TRUE(std::isnan(::Setup.LargeurFenetre));
        EXPECT_EQ(::Setup.DebutFenetre, 0.7);
    }
}
