#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "ConfigTestUtil.h"
#include "config/Coherence.h"
#include "config/Defauts.h"

namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
const double LargeurMin = static_cast<double>(1e-8f);

std::vector<uint8_t> Image() {
    return {OctetsConfig(), OctetsConfig() + sizeof(tConfig)};
}

// Starts from a consistent configuration, as after start-up.
class Coherence : public ConfigGlobale {
protected:
    void SetUp() override {
        ConfigGlobale::SetUp();
        INIT_CONFIG();
        ::Setup.LargeurFenetre = 1.0;
        COHERENCE_CONFIGURATION();
    }
};

TEST_F(ConfigGlobale, ZeroRecordBecomesTheDefaults) {
    COHERENCE_CONFIGURATION();
    const auto depuisZero = Image();
    INIT_CONFIG();
    COHERENCE_CONFIGURATION();
    EXPECT_EQ(Image(), depuisZero);

    // What the pass adds to the defaults.
    INIT_CONFIG();
    auto attendu = Image();
    for (int n = 0; n < 244; ++n) attendu[1164 + n] = 1;  // thickness
    EcrireA<uint32_t>(attendu.data(), 6372, 0xFF000000u); // opaque name colour
    attendu[6911] = 1;                                    // CurseurXY
    EXPECT_EQ(depuisZero, attendu);
    // The zeroed window becomes the minimum width at the start.
    EXPECT_EQ(::Setup.LargeurFenetre, LargeurMin);
    EXPECT_EQ(::Setup.DebutFenetre, 0.0);
}

TEST_F(Coherence, ConsistentRecordIsLeftAsItIs) {
    Config.CouleurVoie[3] = static_cast<int32_t>(0xFF102030u);
    Config.EpaisseurVoie[3] = 5;
    Config.ParamVoie[3].BorneMin = -250.0f;
    Config.ParamVoie[3].BorneMax = 1e-3f;
    Config.ReticEcran.NbEcran = 2;
    PoserEcran(Config.ReticEcran, 0, 0, 120);
    PoserEcran(Config.ReticEcran, 1, 120, 200);
    Config.ReticEcran.EcranVoie[3] = 2;
    std::strcpy(Config.TexteAnnotation, "Essai \xb5S");
    std::strcpy(Config.FichierReticulePerso, "C:\\grille.bmp");
    Config.NombreCalcul = 11;
    Config.NombreVoieCurseur = 30;
    ::Setup.DebutFenetre = 0.25;
    ::Setup.LargeurFenetre = 0.5;
    COHERENCE_CONFIGURATION();
    const auto avant = Image();
    COHERENCE_CONFIGURATION();
    EXPECT_EQ(Image(), avant);
    EXPECT_STREQ(Config.TexteAnnotation, "Essai \xb5S");
    EXPECT_EQ(Config.ParamVoie[3].BorneMax, 1e-3f);
    EXPECT_EQ(::Setup.DebutFenetre, 0.25);
    EXPECT_EQ(::Setup.LargeurFenetre, 0.5);
}

TEST_F(Coherence, OtherVersionIsReplacedWholeByTheDefaults) {
    for (int version : {0, 115, 119, 120, 122, 255}) {
        Config.VersionConfig = static_cast<uint8_t>(version);
        Config.CouleurFond = static_cast<int32_t>(0xFF123456u);
        Config.EpaisseurVoie[0] = 4;
        Config.ParamVoie[0].BorneMax = 77.0f;
        COHERENCE_CONFIGURATION();
        EXPECT_EQ(Config.VersionConfig, 121) << version;
        EXPECT_EQ(static_cast<uint32_t>(Config.CouleurFond), 0xFFFFFFFFu) << version;
        EXPECT_EQ(Config.EpaisseurVoie[0], 1) << version;
        EXPECT_EQ(Config.ParamVoie[0].BorneMax, 1.0f) << version;
    }
}

TEST_F(Coherence, SmallFieldRules) {
    const struct { int entree, sortie; } epaisseur[] = {{0, 1}, {1, 1}, {2, 2}, {8, 8}, {9, 1}, {255, 1}};
    for (const auto& c : epaisseur) {
        Config.EpaisseurVoie[243] = static_cast<uint8_t>(c.entree);
        COHERENCE_CONFIGURATION();
        EXPECT_EQ(Config.EpaisseurVoie[243], c.sortie) << c.entree;
    }
    const struct { int entree, sortie; } calcul[] = {{0, 0}, {1, 1}, {10, 10}, {11, 11}, {12, 1}, {255, 1}};
    for (const auto& c : calcul) {
        Config.NombreCalcul = static_cast<uint8_t>(c.entree);
        COHERENCE_CONFIGURATION();
        EXPECT_EQ(Config.NombreCalcul, c.sortie) << c.entree;
    }
    const struct {
        int entree, sortie;
    } curseur[] = {{-32768, 1}, {-5, 1}, {0, 1}, {1, 1}, {30, 30}, {31, 30}, {32767, 30}};
    for (const auto& c : curseur) {
        Config.NombreVoieCurseur = static_cast<int16_t>(c.entree);
        COHERENCE_CONFIGURATION();
        EXPECT_EQ(Config.NombreVoieCurseur, c.sortie) << c.entree;
    }
    const struct { int entree, sortie; } bande[] = {{0, 0}, {50, 50}, {200, 200}, {201, 200}, {255, 200}};
    for (const auto& c : bande) {
        Config.HauteurVoiesLogiques = static_cast<uint8_t>(c.entree);
        COHERENCE_CONFIGURATION();
        EXPECT_EQ(Config.HauteurVoiesLogiques, c.sortie) << c.entree;
    }
    Config.CurseurXY = 0;
    COHERENCE_CONFIGURATION();
    EXPECT_EQ(Config.CurseurXY, 1);
}

TEST_F(Coherence, ScreenLayoutIsMadeConsistent) {
    Config.ReticEcran.NbEcran = 0;
    Config.ReticEcran.EcranVoie[10] = 9;
    COHERENCE_CONFIGURATION();
    EXPECT_EQ(Config.ReticEcran.NbEcran, 1);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[10], 1);
}

// ---- colours ----

uint32_t U(int32_t c) {
    return static_cast<uint32_t>(c);
}
int32_t I(uint32_t c) {
    return static_cast<int32_t>(c);
}

TEST_F(Coherence, GraticuleEqualToBackgroundBecomesItsComplement) {
    const struct {
        uint32_t fond, grille, fondAttendu, grilleAttendue;
    } cas[] = {
        {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}, // both white: black graticule
        {0x00FFFFFF, 0x80FFFFFF, 0xFFFFFFFF, 0xFF000000}, // alpha forced before comparing
        {0x80123456, 0x00123456, 0xFF123456, 0xFFEDCBA9},
        {0xFF000000, 0x00FF0000, 0xFF000000, 0xFFFF0000}, // distinct: only made opaque
    };
    for (const auto& c : cas) {
        Config.CouleurFond = I(c.fond);
        Config.CouleurReticule = I(c.grille);
        COHER_COULEUR();
        EXPECT_EQ(U(Config.CouleurFond), c.fondAttendu) << std::hex << c.fond;
        EXPECT_EQ(U(Config.CouleurReticule), c.grilleAttendue) << std::hex << c.fond;
    }
}

TEST_F(Coherence, NoTraceOrNameInTheBackgroundColour) {
    Config.CouleurFond = I(0xFFFFFFFF);
    Config.CouleurReticule = I(0xFFFFFFFF);
    Config.CouleurVoie[0] = I(0xFFFFFFFF);
    Config.CouleurVoie[1] = I(0x00FFFFFF); // background but for the alpha byte
    Config.CouleurVoie[243] = I(0x12345678);
    Config.CouleurVoieLogique[15] = I(0x7FFFFFFF);
    Config.CouleurPoliceNom = I(0xFFFFFFFF);
    Config.CouleurCurseur = I(0x00FFFFFF);    // not checked
    Config.CouleurAnnotation = I(0x00FFFFFF); // not checked
    COHER_COULEUR();
    EXPECT_EQ(U(Config.CouleurVoie[0]), 0xFF000000u);
    EXPECT_EQ(U(Config.CouleurVoie[1]), 0xFF000000u);
    EXPECT_EQ(U(Config.CouleurVoie[243]), 0xFF345678u);
    EXPECT_EQ(U(Config.CouleurVoieLogique[15]), 0xFF000000u);
    EXPECT_EQ(U(Config.CouleurPoliceNom), 0xFF000000u);
    EXPECT_EQ(U(Config.CouleurCurseur), 0x00FFFFFFu);
    EXPECT_EQ(U(Config.CouleurAnnotation), 0x00FFFFFFu);
    for (int32_t c : Config.CouleurVoie) EXPECT_EQ(U(c) >> 24, 0xFFu);
}

// ---- number sanitiser ----

TEST(Assainissement, DoubleCases) {
    const struct {
        double entree, sortie;
    } cas[] = {
        {Nan, 1.0},
        {Inf, 1.0},
        {-Inf, 1.0},
        {1e300, 1e20},
        {-1e300, -1e20},
        {1e20, 1e20},
        {1.5e20, 1e20},
        {-1.5e20, -1e20},
        {1e-20, 1e-20},
        {9e-21, 0.0},
        {-9e-21, 0.0},
        {4.9e-324, 0.0},
        {0.0, 0.0},
        {-0.0, 0.0},
        {3.5, 3.5},
        {-2.0, -2.0},
        {123456.789, 123456.789},
    };
    for (const auto& c : cas) {
        double v = c.entree;
        COHER_DOUBLE(&v);
        EXPECT_EQ(v, c.sortie) << c.entree;
        EXPECT_EQ(COHER_DOUBLE(c.entree), c.sortie) << c.entree;
    }
    COHER_DOUBLE(static_cast<double*>(nullptr));
}

TEST(Assainissement, FloatCasesComputeInDouble) {
    const float fmax = std::numeric_limits<float>::max();
    const float denorm = std::numeric_limits<float>::denorm_min();
    const struct {
        float entree, sortie;
    } cas[] = {
        {std::numeric_limits<float>::quiet_NaN(), 1.0f},
        {std::numeric_limits<float>::infinity(), 1.0f},
        {-std::numeric_limits<float>::infinity(), 1.0f},
        {fmax, 1e20f},
        {-fmax, -1e20f},
        // 1e20f is slightly above 1e20 in double: clamped, and stored back as 1e20f.
        {1e20f, 1e20f},
        {1e-20f, 0.0f}, // 1e-20f is slightly below 1e-20 in double
        {1.1e-20f, 1.1e-20f},
        {9.9e-21f, 0.0f},
        {denorm, 0.0f},
        {-denorm, 0.0f},
        {-7.25f, -7.25f},
        {0.1f, 0.1f},
    };
    for (const auto& c : cas) {
        float v = c.entree;
        COHER_FLOAT(&v);
        EXPECT_EQ(v, c.sortie) << c.entree;
        EXPECT_FALSE(std::signbit(v) && v == 0.0f) << c.entree;
        EXPECT_EQ(COHER_FLOAT(c.entree), c.sortie) << c.entree;
    }
    COHER_FLOAT(static_cast<float*>(nullptr));
}

// ---- display ranges ----

TEST_F(Coherence, RangeRuleTable) {
    const float nanf = std::numeric_limits<float>::quiet_NaN();
    const float inff = std::numeric_limits<float>::infinity();
    const struct {
        float min, max, minAttendu, maxAttendu;
    } cas[] = {
        {3, 3, 3, 8},
        {0, 0, 0, 2},
        {-1, -1, -1, 0},
        {5, 5, 5, 12},
        {5, 1, 5, 12},
        {-3, -5, -3, 4},
        {-0.5f, -0.5f, -0.5f, 1},
        {-1, 1, -1, 1},      // already fine
        {nanf, 0.5f, 1, 4},  // NaN minimum becomes 1, then the maximum is checked against it
        {0, nanf, 0, 1},     // NaN maximum becomes 1, above the minimum
        {inff, -inff, 1, 4}, // both become 1
        {1e30f, 0, 1e20f, static_cast<float>(std::fabs(static_cast<double>(1e20f) + 1.0) * 2.0)},
        {-1e30f, 2e30f, -1e20f, 1e20f},
        {1e-25f, 0, 0, 2},
        {0.1f, 0.1f, 0.1f, static_cast<float>((static_cast<double>(0.1f) + 1.0) * 2.0)},
    };
    for (const auto& c : cas) {
        Config.ParamVoie[7].BorneMin = c.min;
        Config.ParamVoie[7].BorneMax = c.max;
        COHER_RANGE();
        EXPECT_EQ(Config.ParamVoie[7].BorneMin, c.minAttendu) << c.min << " " << c.max;
        EXPECT_EQ(Config.ParamVoie[7].BorneMax, c.maxAttendu) << c.min << " " << c.max;
        EXPECT_GT(Config.ParamVoie[7].BorneMax, Config.ParamVoie[7].BorneMin);
    }
}

TEST_F(Coherence, RangeRuleReachesEveryChannel) {
    for (auto& p : Config.ParamVoie) p.BorneMin = p.BorneMax = 3.0f;
    COHERENCE_CONFIGURATION();
    for (const auto& p : Config.ParamVoie) EXPECT_EQ(p.BorneMax, 8.0f);
}

// ---- displayed window ----

TEST_F(Coherence, WindowRuleTable) {
    const struct {
        double debut, largeur, debutAttendu, largeurAttendue;
    } cas[] = {
        {0.0, 1.0, 0.0, 1.0},
        {0.2, 0.3, 0.2, 0.3},
        {0.7, 0.5, 0.5, 0.5}, // ends past the recording: pulled back
        {0.5, 0.5, 0.5, 0.5}, // ends exactly at the end
        {0.5, 0.0, 0.5, LargeurMin},
        {0.0, 0.0, 0.0, LargeurMin},
        {0.3, -0.1, 0.0, 1.0},
        {0.3, 1.5, 0.0, 1.0},
        {-0.2, 0.5, 0.0, 0.5},
        {1.2, 0.5, 0.0, 0.5},
        {Nan, 0.5, 0.5, 0.5}, // NaN start becomes 1, then the end check
        {0.1, Nan, 0.0, 1.0},
        {0.1, Inf, 0.0, 1.0},
        {-Inf, 0.25, 0.75, 0.25}, // -inf becomes 1 too
        {1e-25, 0.25, 0.0, 0.25},
        // Widened to the minimum, the window still ends inside the recording.
        {1.0, 0.0, 1.0 - LargeurMin, LargeurMin},
        {0.999999999, 0.0, 1.0 - LargeurMin, LargeurMin},
    };
    for (const auto& c : cas) {
        ::Setup.DebutFenetre = c.debut;
        ::Setup.LargeurFenetre = c.largeur;
        COHER_SETUP();
        EXPECT_EQ(::Setup.DebutFenetre, c.debutAttendu) << c.debut << " " << c.largeur;
        EXPECT_EQ(::Setup.LargeurFenetre, c.largeurAttendue) << c.debut << " " << c.largeur;
        const double d = ::Setup.DebutFenetre, w = ::Setup.LargeurFenetre;
        EXPECT_GE(d, 0.0);
        EXPECT_GE(w, LargeurMin);
        EXPECT_TRUE(d + w < 1 || d == 1 - w) << c.debut << " " << c.largeur;
    }
}

// ---- damaged records ----

TEST_F(Coherence, DamagedNumbersNeverSurviveThePass) {
    const float nanf = std::numeric_limits<float>::quiet_NaN();
    Config.ParamVoie[0].BorneMin = nanf;
    Config.ParamVoie[243].BorneMax = -std::numeric_limits<float>::infinity();
    Config.PoliceNom.Taille = nanf;
    Config.PoliceBaseDeTemps.Taille = std::numeric_limits<float>::infinity();
    Config.PoliceReserve.Taille = 12.0f;
    Config.TabFonction[0].CoeffA = nanf;
    Config.TabFonction[5].CoeffC = -std::numeric_limits<float>::infinity();
    Config.TabFonction[2].CoeffB = 2.5f;
    ::Setup.DebutFenetre = Nan;
    ::Setup.LargeurFenetre = Nan;
    COHERENCE_CONFIGURATION();
    for (const auto& p : Config.ParamVoie) {
        EXPECT_TRUE(std::isfinite(p.BorneMin));
        EXPECT_TRUE(std::isfinite(p.BorneMax));
    }
    EXPECT_EQ(Config.ParamVoie[0].BorneMin, 1.0f);
    EXPECT_EQ(Config.PoliceNom.Taille, 10.0f);
    EXPECT_EQ(Config.PoliceBaseDeTemps.Taille, 10.0f);
    EXPECT_EQ(Config.PoliceReserve.Taille, 12.0f);
    EXPECT_EQ(Config.TabFonction[0].CoeffA, 1.0f);
    EXPECT_EQ(Config.TabFonction[5].CoeffC, 1.0f);
    EXPECT_EQ(Config.TabFonction[2].CoeffB, 2.5f);
    EXPECT_TRUE(std::isfinite(::Setup.DebutFenetre));
    EXPECT_EQ(::Setup.LargeurFenetre, 1.0);
    EXPECT_EQ(::Setup.DebutFenetre, 0.0);
}

TEST_F(Coherence, TextsAlwaysEndInANul) {
    std::memset(Config.TexteAnnotation, 'x', sizeof Config.TexteAnnotation);
    std::memset(Config.FichierReticulePerso, 'y', sizeof Config.FichierReticulePerso);
    std::memset(Config.PoliceNom.Nom, 'z', sizeof Config.PoliceNom.Nom);
    std::memset(Config.PoliceReserve.Nom, 'z', sizeof Config.PoliceReserve.Nom);
    std::memset(Config.TabFonction[3].NomFonction, 'f', sizeof Config.TabFonction[3].NomFonction);
    std::memset(Config.TabFonction[3].UniteFonction, 'u', sizeof Config.TabFonction[3].UniteFonction);
    COHERENCE_CONFIGURATION();
    EXPECT_EQ(std::strlen(Config.TexteAnnotation), 127u);
    EXPECT_EQ(std::strlen(Config.FichierReticulePerso), 199u);
    EXPECT_EQ(std::strlen(Config.PoliceNom.Nom), 63u);
    EXPECT_EQ(std::strlen(Config.PoliceReserve.Nom), 63u);
    EXPECT_EQ(std::strlen(Config.TabFonction[3].NomFonction), 31u);
    EXPECT_EQ(std::strlen(Config.TabFonction[3].UniteFonction), 12u);
    EXPECT_STREQ(Config.PoliceBaseDeTemps.Nom, "Arial");
}

} // namespace
