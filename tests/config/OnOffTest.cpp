#include <gtest/gtest.h>

#include <initializer_list>

#include "ConfigTestUtil.h"
#include "config/OnOff.h"

namespace {

tOn_Off_VEL Ensemble(std::initializer_list<int> voies, uint8_t drapeauFonction = 0) {
    tOn_Off_VEL s{};
    for (int v : voies) AJOUT_ONOFF(s, v);
    s.VoiesFonction = drapeauFonction;
    return s;
}

TEST(EnsembleVoies, EmptySetCountsNothing) {
    const tOn_Off_VEL vide{};
    EXPECT_EQ(DERNIERE_VOIE_VALIDE(vide), 0);
    EXPECT_EQ(VRAI_NB_ONOFF_TOTAL(vide), 0);
    EXPECT_EQ(VRAI_NUMERO(vide, 0), 0);
    EXPECT_EQ(VRAI_NUMERO(vide, 5), 0);
}

TEST(EnsembleVoies, AddTestRemoveAcrossWordBoundaries) {
    tOn_Off_VEL s{};
    for (int n : {0, 31, 32, 63, 64, 203, 204, 243, 244, 255}) {
        EXPECT_FALSE(TST_B_ONOFF(s, n)) << n;
        AJOUT_ONOFF(s, n);
        EXPECT_TRUE(TST_B_ONOFF(s, n)) << n;
    }
    EXPECT_EQ(s.Masque[0], 0x80000001u);
    EXPECT_EQ(s.Masque[1], 0x80000001u);
    EXPECT_EQ(s.Masque[7], 0x80000000u | (1u << (243 - 224)) | (1u << (244 - 224)));
    ENLEVE_ONOFF(s, 31);
    EXPECT_FALSE(TST_B_ONOFF(s, 31));
    EXPECT_TRUE(TST_B_ONOFF(s, 0));
    EXPECT_TRUE(TST_B_ONOFF(s, 32));
    // Numbers outside the 256 bits are neither set nor found.
    const tOn_Off_VEL avant = s;
    AJOUT_ONOFF(s, -1);
    AJOUT_ONOFF(s, 256);
    ENLEVE_ONOFF(s, -1);
    EXPECT_EQ(std::memcmp(&avant, &s, sizeof s), 0);
    EXPECT_FALSE(TST_B_ONOFF(s, -1));
    EXPECT_FALSE(TST_B_ONOFF(s, 256));
}

TEST(EnsembleVoies, ClearKeepsTrailingBytes) {
    tOn_Off_VEL s = Ensemble({1, 100, 250}, 1);
    s.NombreMotsLogiques = 2;
    s.NombreNomsLogiques = 16;
    s.Libre = 7;
    VIDE_ONOFF(s);
    for (uint32_t mot : s.Masque) EXPECT_EQ(mot, 0u);
    EXPECT_EQ(s.VoiesFonction, 1);
    EXPECT_EQ(s.NombreMotsLogiques, 2);
    EXPECT_EQ(s.NombreNomsLogiques, 16);
    EXPECT_EQ(s.Libre, 7);
}

struct CasComptage {
    std::initializer_list<int> voies;
    uint8_t drapeau;
    int total;
    int derniere;
};

TEST(EnsembleVoies, CountsHonourTheFunctionChannelFlag) {
    const CasComptage cas[] = {
        {{210}, 0, 0, 0},           // only a function position, flag off
        {{210}, 1, 1, 210},         // the same set counted when the flag is on
        {{0}, 0, 1, 0},             // channel 0 alone: last valid is 0 too
        {{5, 203, 204}, 0, 2, 203}, // 204 is the first position the flag gates
        {{5, 203, 204}, 1, 3, 204},
        {{243}, 1, 1, 243},    // the last counted position
        {{244, 255}, 1, 0, 0}, // beyond the 244 counted positions
        {{1, 2, 3, 100, 150}, 0, 5, 150},
    };
    for (const auto& c : cas) {
        const tOn_Off_VEL s = Ensemble(c.voies, c.drapeau);
        EXPECT_EQ(VRAI_NB_ONOFF_TOTAL(s), c.total) << *c.voies.begin() << " flag " << int(c.drapeau);
        EXPECT_EQ(DERNIERE_VOIE_VALIDE(s), c.derniere) << *c.voies.begin() << " flag " << int(c.drapeau);
    }
}

TEST(EnsembleVoies, KthMemberWalksChannels0To244) {
    const tOn_Off_VEL s = Ensemble({3, 7, 100, 210, 244, 245});
    const struct {
        int k, voie;
    } cas[] = {{0, 3}, {1, 7}, {2, 100}, {3, 210}, {4, 244}, {5, 0}, {6, 0}, {-1, 0}};
    // The walk ignores the function-channel flag and stops after position 244.
    for (const auto& c : cas) EXPECT_EQ(VRAI_NUMERO(s, c.k), c.voie) << "k=" << c.k;
}

TEST_F(ConfigGlobale, KthPresentChannelReadsTheConfiguration) {
    EXPECT_EQ(VRAI_NUMERO(0), 0);
    AJOUT_ONOFF(Config.VoiesPresentes, 4);
    AJOUT_ONOFF(Config.VoiesPresentes, 9);
    AJOUT_ONOFF(Config.VoiesAffichees, 1);
    EXPECT_EQ(VRAI_NUMERO(0), 4);
    EXPECT_EQ(VRAI_NUMERO(1), 9);
    EXPECT_EQ(VRAI_NUMERO(2), 0);
}

} // namespace
