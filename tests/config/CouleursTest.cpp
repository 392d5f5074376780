#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "config/Couleurs.h"

namespace {

std::string EnMinuscules(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = detail::EnMinuscule(c);
    return r;
}

TEST(CouleursCss, TableHoldsEveryKeywordOnce) {
    EXPECT_EQ(NombreCouleursCss, 148);
    std::set<std::string> noms;
    for (const auto& c : TableCouleursCss) {
        EXPECT_TRUE(noms.insert(EnMinuscules(c.Nom)).second) << c.Nom;
        EXPECT_LE(c.Rgb, 0xFFFFFFu) << c.Nom;
    }
}

TEST(CouleursCss, KnownValuesAreOpaqueArgb) {
    const struct {
        const char* nom;
        uint32_t argb;
    } cas[] = {
        {"White", 0xFFFFFFFF},         {"Black", 0xFF000000},
        {"Blue", 0xFF0000FF},          {"Brown", 0xFFA52A2A},
        {"CadetBlue", 0xFF5F9EA0},     {"BlueViolet", 0xFF8A2BE2},
        {"Green", 0xFF008000},         {"Lime", 0xFF00FF00},
        {"DarkGray", 0xFFA9A9A9},      {"Gray", 0xFF808080},
        {"Grey", 0xFF808080},          {"Firebrick", 0xFFB22222},
        {"FIREBRICK", 0xFFB22222},     {"darkgoldenrod", 0xFFB8860B},
        {"RebeccaPurple", 0xFF663399}, {"LightGoldenRodYellow", 0xFFFAFAD2},
        {"YellowGreen", 0xFF9ACD32},   {"AliceBlue", 0xFFF0F8FF},
        {"Aqua", 0xFF00FFFF},          {"Cyan", 0xFF00FFFF},
        {"Fuchsia", 0xFFFF00FF},
    };
    for (const auto& c : cas) {
        const auto v = COULEUR_CSS(c.nom);
        ASSERT_TRUE(v.has_value()) << c.nom;
        EXPECT_EQ(static_cast<uint32_t>(*v), c.argb) << c.nom;
    }
    static_assert(CSS("Blue") == static_cast<int32_t>(0xFF0000FFu));
}

TEST(CouleursCss, UnknownNamesAreNotColours) {
    for (const char* nom : {"", "Bleu", "Transparent", "Blue ", "Blu"})
        EXPECT_FALSE(COULEUR_CSS(nom).has_value()) << nom;
}

TEST(CalculCouleur, KeepsItsArgument) {
    for (uint32_t c : {0u, 0xFFFFFFFFu, 0xFF0000FFu, 0x00123456u, 0x80000000u, 0x7FFFFFFFu})
        EXPECT_EQ(CALCUL_COULEUR(static_cast<int32_t>(c)), static_cast<int32_t>(c));
}

} // namespace
