#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "ConfigTestUtil.h"
#include "config/Couleurs.h"
#include "config/Defauts.h"

namespace {

// The default trace colours of the first 78 channels, by name.
constexpr std::string_view NomsDefaut[] = {
    "Blue",           "BlueViolet",   "DeepPink",       "DarkTurquoise",   "Brown",          "Cyan",
    "Chartreuse",     "Crimson",      "Coral",          "BlueViolet",      "CornflowerBlue", "BurlyWood",
    "DodgerBlue",     "CadetBlue",    "Khaki",          "Violet",          "Peru",           "Lavender",
    "AliceBlue",      "AntiqueWhite", "Aqua",           "Aquamarine",      "Beige",          "Bisque",
    "BlanchedAlmond", "Blue",         "BlueViolet",     "Brown",           "BurlyWood",      "CadetBlue",
    "Chartreuse",     "DarkBlue",     "DarkCyan",       "DarkGoldenrod",   "DarkGray",       "DarkGreen",
    "DarkKhaki",      "DarkMagenta",  "DarkOliveGreen", "DarkOrange",      "DarkOrchid",     "DarkRed",
    "DarkSalmon",     "DarkSeaGreen", "DarkSlateBlue",  "DarkSlateGray",   "DarkTurquoise",  "DarkViolet",
    "DeepPink",       "DeepSkyBlue",  "DimGray",        "DodgerBlue",      "Firebrick",      "FloralWhite",
    "ForestGreen",    "Fuchsia",      "Gainsboro",      "GhostWhite",      "Gold",           "Goldenrod",
    "Green",          "GreenYellow",  "Honeydew",       "HotPink",         "IndianRed",      "Indigo",
    "Ivory",          "Khaki",        "Lavender",       "LavenderBlush",   "LemonChiffon",   "Magenta",
    "Maroon",         "MediumBlue",   "MediumPurple",   "MediumTurquoise", "Navy",           "OliveDrab",
};
static_assert(std::size(NomsDefaut) == 78);

constexpr uint32_t Brown = 0xFFA52A2Au;

// The expected default image, built from file offsets alone.
std::vector<uint8_t> ImageDefaut() {
    std::vector<uint8_t> im(sizeof(tConfig), 0);
    im[0] = 121;
    for (int n = 0; n < 244; ++n) {
        const uint32_t couleur = n < 78 ? static_cast<uint32_t>(COULEUR_CSS(NomsDefaut[n]).value()) : Brown;
        EcrireA<uint32_t>(im.data(), 124 + 4 * n, couleur);
        EcrireA<float>(im.data(), 2388 + 16 * n + 4, -1.0f);
        EcrireA<float>(im.data(), 2388 + 16 * n + 8, 1.0f);
        im[1408 + 1 + n] = 0;     // top of screen n
        im[1408 + 245 + n] = 200; // bottom
        im[1408 + 489 + n] = 10;  // divisions
        im[1408 + 733 + n] = 1;   // screen of channel n
    }
    EcrireA<uint32_t>(im.data(), 112, 0xFFFFFFFFu); // White background
    EcrireA<uint32_t>(im.data(), 116, 0xFF000000u); // Black graticule
    EcrireA<uint32_t>(im.data(), 120, Brown);       // cursor
    for (int k = 0; k < 16; ++k)
        EcrireA<uint32_t>(im.data(), 1100 + 4 * k, LireA<uint32_t>(im.data(), 124 + 4 * k));
    im[1408] = 1;  // one screen
    im[6293] = 50; // logic band height
    im[6528] = 1;  // calibre choice
    for (size_t police : {6296u, 6376u}) {
        std::memcpy(im.data() + police, "Arial", 6);
        EcrireA<float>(im.data(), police + 64, 10.0f);
    }
    EcrireA<uint32_t>(im.data(), 7048, 0xFF5F9EA0u); // CadetBlue annotations
    im[6907] = 1;                                    // cursor box shown
    im[6909] = 1;                                    // value follows the cursor
    im[7053] = 4;                                    // measurements in use
    for (int k = 0; k <= 6; ++k) im[7054 + 2 * k + 1] = static_cast<uint8_t>(k);
    EcrireA<int16_t>(im.data(), 7082, 10); // channels in the cursor read-out
    im[7085] = 1;                          // bounds drawn
    return im;
}

TEST_F(ConfigGlobale, DefaultsMatchTheFileImageByteForByte) {
    std::memset(&Config, 0xA5, sizeof Config); // stale content must go
    INIT_CONFIG();
    const std::vector<uint8_t> attendu = ImageDefaut();
    for (size_t i = 0; i < sizeof(tConfig); ++i) ASSERT_EQ(OctetsConfig()[i], attendu[i]) << "byte " << i;
}

TEST_F(ConfigGlobale, DefaultsSpotCheckThroughTheFields) {
    INIT_CONFIG();
    EXPECT_EQ(Config.VersionConfig, 121);
    EXPECT_EQ(static_cast<uint32_t>(Config.CouleurVoie[0]), 0xFF0000FFu);  // Blue
    EXPECT_EQ(static_cast<uint32_t>(Config.CouleurVoie[2]), 0xFFFF1493u);  // DeepPink
    EXPECT_EQ(static_cast<uint32_t>(Config.CouleurVoie[52]), 0xFFB22222u); // Firebrick
    EXPECT_EQ(static_cast<uint32_t>(Config.CouleurVoie[77]), 0xFF6B8E23u); // OliveDrab
    EXPECT_EQ(static_cast<uint32_t>(Config.CouleurVoie[78]), Brown);
    EXPECT_EQ(static_cast<uint32_t>(Config.CouleurVoie[243]), Brown);
    EXPECT_EQ(Config.CouleurVoieLogique[15], Config.CouleurVoie[15]);
    for (int n = 0; n < 244; ++n) EXPECT_EQ(Config.CouleurVoie[n], COULEUR_VOIE_DEFAUT(n)) << n;
    EXPECT_EQ(COULEUR_VOIE_DEFAUT(-1), COULEUR_VOIE_DEFAUT(200));
    EXPECT_STREQ(Config.PoliceNom.Nom, "Arial");
    EXPECT_EQ(Config.PoliceBaseDeTemps.Taille, 10.0f);
    EXPECT_EQ(Config.PoliceReserve.Nom[0], '\0');
    EXPECT_EQ(Config.CouleurPoliceNom, 0);
    EXPECT_EQ(Config.ReticEcran.NbEcran, 1);
    EXPECT_EQ(Config.ReticEcran.BasEcran[243], 200);
    EXPECT_EQ(Config.ParamVoie[100].BorneMin, -1.0f);
    EXPECT_EQ(Config.ParamVoie[100].BorneMax, 1.0f);
    EXPECT_EQ(Config.EpaisseurVoie[0], 0);
    EXPECT_EQ(VRAI_NB_ONOFF_TOTAL(Config.VoiesPresentes), 0);
    EXPECT_EQ(Config.TabCalcul[6][1], 6);
    EXPECT_EQ(Config.TabCalcul[7][1], 0);
    EXPECT_EQ(Config.CurseurXY, 0);
}

TEST_F(ConfigGlobale, DefaultsLeaveTheWindowAlone) {
    ::Setup.DebutFenetre = 0.25;
    ::Setup.LargeurFenetre = 0.5;
    INIT_CONFIG();
    EXPECT_EQ(::Setup.DebutFenetre, 0.25);
    EXPECT_EQ(::Setup.LargeurFenetre, 0.5);
}

TEST_F(ConfigGlobale, DefaultScreenIgnoresAStaleLogicBand) {
    // The logic fields are cleared first, so a band left by an earlier
    // recording does not shrink the default screen.
    Config.VoiesLogiquesPresentes = 1;
    Config.VoiesLogiquesEnDehors = 1;
    Config.PositionVoiesLogiques = 1;
    INIT_CONFIG();
    EXPECT_EQ(Config.ReticEcran.HautEcran[0], 0);
    EXPECT_EQ(Config.ReticEcran.BasEcran[0], 200);
}

} // namespace
