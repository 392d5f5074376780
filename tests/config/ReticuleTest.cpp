#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

#include "ConfigTestUtil.h"
#include "config/Defauts.h"
#include "config/Reticule.h"

namespace {

using Ecrans = std::vector<std::pair<int, int>>; // (top, bottom) of each screen

tReticEcran Layout(const Ecrans& ecrans) {
    tReticEcran r{};
    r.NbEcran = static_cast<uint8_t>(ecrans.size());
    for (size_t i = 0; i < ecrans.size(); ++i)
        PoserEcran(r, static_cast<int>(i), ecrans[i].first, ecrans[i].second);
    for (auto& e : r.EcranVoie) e = 1;
    return r;
}

Ecrans Lire(const tReticEcran& r) {
    Ecrans e;
    for (int i = 0; i < r.NbEcran; ++i) e.emplace_back(r.HautEcran[i], r.BasEcran[i]);
    return e;
}

void Bande(int present, int dehors, int position, int hauteur) {
    Config.VoiesLogiquesPresentes = static_cast<uint8_t>(present);
    Config.VoiesLogiquesEnDehors = static_cast<uint8_t>(dehors);
    Config.PositionVoiesLogiques = static_cast<uint8_t>(position);
    Config.HauteurVoiesLogiques = static_cast<uint8_t>(hauteur);
}

struct CasRetic {
    const char* nom;
    int present, dehors, position, hauteur; // logic band
    Ecrans entree, sortie;
};

TEST_F(ConfigGlobale, ScreenLayoutRuleTable) {
    const CasRetic cas[] = {
        {"overlapping screens",
         0,
         0,
         0,
         0,
         {{0, 100}, {50, 60}, {55, 200}},
         {{0, 100}, {100, 102}, {102, 200}}},
        {"already consistent",
         0,
         0,
         0,
         0,
         {{0, 66}, {66, 133}, {133, 200}},
         {{0, 66}, {66, 133}, {133, 200}}},
        {"gaps are kept", 0, 0, 0, 0, {{10, 50}, {80, 120}}, {{10, 50}, {80, 120}}},
        {"beyond the graph", 0, 0, 0, 0, {{250, 250}}, {{198, 200}}},
        {"flat screen", 0, 0, 0, 0, {{100, 100}}, {{100, 102}}},
        {"upside down", 0, 0, 0, 0, {{150, 20}}, {{150, 152}}},
        {"squeezed at the bottom",
         0,
         0,
         0,
         0,
         {{200, 200}, {200, 200}, {200, 200}},
         {{194, 196}, {196, 198}, {198, 200}}},
        {"band at the bottom", 1, 1, 1, 50, {{0, 200}}, {{0, 150}}},
        {"band at the bottom, 2 screens", 1, 1, 1, 50, {{0, 100}, {100, 200}}, {{0, 100}, {100, 150}}},
        {"band at the bottom, already clear", 1, 1, 1, 50, {{0, 120}}, {{0, 120}}},
        {"band at the top", 1, 1, 0, 50, {{0, 200}}, {{50, 200}}},
        {"band at the top, 2 screens", 1, 1, 0, 50, {{0, 100}, {100, 200}}, {{50, 100}, {100, 200}}},
        {"band at the top pushes down", 1, 1, 0, 120, {{0, 100}, {100, 200}}, {{98, 100}, {100, 200}}},
        {"band inside the screens", 1, 0, 1, 50, {{0, 200}}, {{0, 200}}},
        {"recording without logic", 0, 1, 1, 50, {{0, 200}}, {{0, 200}}},
        {"unknown band position", 1, 1, 2, 50, {{0, 200}}, {{0, 200}}},
        // The dialog may store up to 250 before the pass caps it.
        {"band taller than the graph", 1, 1, 1, 250, {{0, 200}}, {{0, 0}}},
        {"band taller than the graph, top", 1, 1, 0, 250, {{0, 200}}, {{198, 200}}},
    };
    for (const auto& c : cas) {
        Bande(c.present, c.dehors, c.position, c.hauteur);
        tReticEcran r = Layout(c.entree);
        COHER_RETIC_(&r);
        EXPECT_EQ(Lire(r), c.sortie) << c.nom;
    }
}

TEST_F(ConfigGlobale, ScreenCountAndDivisionsAreCapped) {
    tReticEcran r{};
    COHER_RETIC_(&r);
    EXPECT_EQ(r.NbEcran, 1);
    EXPECT_EQ(Lire(r), (Ecrans{{0, 2}}));

    r = tReticEcran{};
    r.NbEcran = 250;
    COHER_RETIC_(&r);
    EXPECT_EQ(r.NbEcran, 244);

    r = Layout({{0, 100}, {100, 200}});
    r.NbDivEcran[0] = 11;
    r.NbDivEcran[1] = 10;
    r.NbDivEcran[2] = 200; // beyond NbEcran: not examined
    COHER_RETIC_(&r);
    EXPECT_EQ(r.NbDivEcran[0], 10);
    EXPECT_EQ(r.NbDivEcran[1], 10);
    EXPECT_EQ(r.NbDivEcran[2], 200);
    COHER_RETIC_(nullptr);
}

TEST_F(ConfigGlobale, EveryChannelGetsAnExistingScreen) {
    tReticEcran r = Layout({{0, 60}, {60, 120}, {120, 200}});
    r.EcranVoie[0] = 0;
    r.EcranVoie[1] = 3;
    r.EcranVoie[2] = 4;
    r.EcranVoie[243] = 255;
    COHER_RETIC_(&r);
    EXPECT_EQ(r.EcranVoie[0], 1);
    EXPECT_EQ(r.EcranVoie[1], 3);
    EXPECT_EQ(r.EcranVoie[2], 3);
    EXPECT_EQ(r.EcranVoie[243], 3);
}

TEST_F(ConfigGlobale, AnyLayoutComesOutOrderedAndInside) {
    uint32_t graine = 12345;
    auto hasard = [&](int borne) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 8) % static_cast<uint32_t>(borne));
    };
    for (int essai = 0; essai < 2000; ++essai) {
        Bande(hasard(2), hasard(2), hasard(2), hasard(256));
        tReticEcran r{};
        const int nb = 1 + hasard(60);
        r.NbEcran = static_cast<uint8_t>(nb);
        for (int i = 0; i < nb; ++i) PoserEcran(r, i, hasard(256), hasard(256));
        COHER_RETIC_(&r);
        for (int i = 0; i < nb; ++i) {
            ASSERT_LE(r.BasEcran[i], 200) << essai;
            ASSERT_LE(r.HautEcran[i], r.BasEcran[i]) << essai;
            // 60 screens of 2 units fit in the graph: every screen keeps its height.
            if (Config.HauteurVoiesLogiques <= 80 || Config.VoiesLogiquesPresentes == 0 ||
                Config.VoiesLogiquesEnDehors == 0) {
                ASSERT_GE(r.BasEcran[i] - r.HautEcran[i], 2) << essai << " screen " << i;
            }
            if (i + 1 < nb) {
                ASSERT_LE(r.BasEcran[i], r.HautEcran[i + 1]) << essai;
            }
        }
    }
}

TEST_F(ConfigGlobale, SingleScreenCoversTheGraph) {
    tReticEcran r;
    std::memset(&r, 0x77, sizeof r);
    RESET_RETICULE(&r);
    EXPECT_EQ(r.NbEcran, 1);
    for (int i = 0; i < 244; ++i) {
        EXPECT_EQ(r.HautEcran[i], 0);
        EXPECT_EQ(r.BasEcran[i], 200);
        EXPECT_EQ(r.NbDivEcran[i], 10);
        EXPECT_EQ(r.EcranVoie[i], 1);
    }
    Bande(1, 1, 1, 50);
    RESET_RETICULE(&r);
    EXPECT_EQ(Lire(r), (Ecrans{{0, 150}}));
    EXPECT_EQ(r.BasEcran[1], 200); // entries beyond the screen count are left full height
    RESET_RETICULE(nullptr);
}

// ---- even layout ----

struct CasPlacement {
    int nbEcran;
    int dehors, logique, position, hauteur;
    Ecrans attendu;
};

TEST_F(ConfigGlobale, EvenLayoutEdges) {
    const CasPlacement cas[] = {
        {1, 0, 0, 0, 50, {{0, 200}}},
        {2, 0, 0, 0, 50, {{0, 100}, {100, 200}}},
        {3, 0, 0, 0, 50, {{0, 66}, {66, 133}, {133, 200}}},
        {7, 0, 0, 0, 50, {{0, 28}, {28, 57}, {57, 85}, {85, 114}, {114, 142}, {142, 171}, {171, 200}}},
        // band at the bottom, kept outside
        {1, 1, 1, 1, 50, {{0, 150}}},
        {2, 1, 1, 1, 50, {{0, 75}, {75, 150}}},
        {3, 1, 1, 1, 50, {{0, 50}, {50, 100}, {100, 150}}},
        {3, 1, 1, 1, 30, {{0, 56}, {56, 113}, {113, 170}}},
        // band at the top, kept outside
        {1, 1, 1, 0, 50, {{50, 200}}},
        {2, 1, 1, 0, 50, {{50, 125}, {125, 200}}},
        {3, 1, 1, 0, 50, {{50, 100}, {100, 150}, {150, 200}}},
        {3, 1, 1, 0, 30, {{30, 86}, {86, 143}, {143, 200}}},
        // band drawn inside the screens, or no logic inputs: the whole height
        {3, 0, 1, 0, 50, {{0, 66}, {66, 133}, {133, 200}}},
        {2, 0, 1, 1, 50, {{0, 100}, {100, 200}}},
        {3, 1, 0, 0, 50, {{0, 66}, {66, 133}, {133, 200}}},
        // a band taller than the graph (dialog value before the cap) leaves no room
        {2, 1, 1, 0, 250, {{200, 200}, {200, 200}}},
        {2, 1, 1, 1, 250, {{0, 0}, {0, 0}}},
    };
    for (const auto& c : cas) {
        RESET_GLOBAL_CONFIG();
        Config.VoiesLogiquesEnDehors = static_cast<uint8_t>(c.dehors);
        Config.PositionVoiesLogiques = static_cast<uint8_t>(c.position);
        Config.HauteurVoiesLogiques = static_cast<uint8_t>(c.hauteur);
        Config.ReticEcran.NbEcran = static_cast<uint8_t>(c.nbEcran);
        VALID_INIT_RET(static_cast<uint8_t>(c.logique), 0);
        EXPECT_EQ(Lire(Config.ReticEcran), c.attendu)
            << c.nbEcran << " screens, outside " << c.dehors << " logic " << c.logique << " position "
            << c.position << " height " << c.hauteur;
    }
}

TEST_F(ConfigGlobale, EvenLayoutScreenCountAndDivisions) {
    const struct {
        int nb, nbAttendu, div;
    } cas[] = {{0, 1, 10}, {1, 1, 10}, {2, 2, 8},     {3, 3, 5},     {4, 4, 5},    {5, 5, 4},
               {8, 8, 4},  {9, 9, 2},  {100, 100, 2}, {244, 244, 2}, {250, 244, 2}};
    for (const auto& c : cas) {
        RESET_GLOBAL_CONFIG();
        Config.ReticEcran.NbEcran = static_cast<uint8_t>(c.nb);
        VALID_INIT_RET(0, 1);
        ASSERT_EQ(Config.ReticEcran.NbEcran, c.nbAttendu) << c.nb;
        for (int i = 0; i < 244; ++i) ASSERT_EQ(Config.ReticEcran.NbDivEcran[i], c.div) << c.nb;
        EXPECT_EQ(Config.ReticEcran.BasEcran[c.nbAttendu - 1], 200) << c.nb;
        EXPECT_EQ(NB_DIV_POUR_ECRANS(c.nbAttendu), c.div);
    }
}

struct CasRepartition {
    const char* nom;
    std::initializer_list<int> affichees;
    int nbEcran;
    std::vector<std::pair<int, int>> premiers; // (first channel, screen) from there on
};

// EcranVoie[c] expected from a run list: screen s from channel c until the next run.
std::vector<int> Deplier(const std::vector<std::pair<int, int>>& runs) {
    std::vector<int> e(244, 0);
    for (size_t k = 0; k < runs.size(); ++k) {
        const int fin = k + 1 < runs.size() ? runs[k + 1].first : 244;
        for (int c = runs[k].first; c < fin; ++c) e[c] = runs[k].second;
    }
    return e;
}

TEST_F(ConfigGlobale, EvenLayoutSpreadsDisplayedChannels) {
    const CasRepartition cas[] = {
        {"5 on 2", {0, 1, 2, 3, 4}, 2, {{0, 1}, {2, 2}}},
        {"5 sparse on 2", {2, 5, 9, 11, 20}, 2, {{0, 0}, {2, 1}, {9, 2}}},
        {"7 on 3", {0, 1, 2, 3, 4, 5, 6}, 3, {{0, 1}, {2, 2}, {4, 3}}},
        {"10 on 4",
         {10, 11, 12, 13, 14, 15, 16, 17, 18, 19},
         4,
         {{0, 0}, {10, 1}, {12, 2}, {14, 3}, {17, 4}}},
        {"3 on 1", {4, 8, 243}, 1, {{0, 0}, {4, 1}}},
        // Too few displayed channels: hidden ones below 204 get screens of their own.
        {"2 on 4", {3, 7}, 4, {{0, 1}, {1, 2}, {3, 3}, {7, 4}}},
        {"1 on 3", {0}, 3, {{0, 1}, {1, 2}, {2, 3}}},
        // An empty set counts as one channel: one screen fewer is filled.
        {"none on 1", {}, 1, {{0, 0}}},
        {"none on 3", {}, 3, {{0, 1}, {1, 2}}},
        // Positions 204 and above are not members while the function flag is off.
        {"function position on 2", {0, 210}, 2, {{0, 1}, {1, 2}}},
    };
    for (const auto& c : cas) {
        RESET_GLOBAL_CONFIG();
        for (int v : c.affichees) AJOUT_ONOFF(Config.VoiesAffichees, v);
        const tOn_Off_VEL avant = Config.VoiesAffichees;
        Config.ReticEcran.NbEcran = static_cast<uint8_t>(c.nbEcran);
        VALID_INIT_RET(0, 1);
        const std::vector<int> attendu = Deplier(c.premiers);
        std::vector<int> obtenu(Config.ReticEcran.EcranVoie, Config.ReticEcran.EcranVoie + 244);
        EXPECT_EQ(obtenu, attendu) << c.nom;
        EXPECT_EQ(std::memcmp(&avant, &Config.VoiesAffichees, sizeof avant), 0) << c.nom;
    }
}

TEST_F(ConfigGlobale, EvenLayoutThenConsistencyGivesEveryChannelAScreen) {
    AJOUT_ONOFF(Config.VoiesAffichees, 5);
    AJOUT_ONOFF(Config.VoiesAffichees, 6);
    Config.ReticEcran.NbEcran = 2;
    VALID_INIT_RET(0, 1);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[0], 0);
    COHER_RETIC_(&Config.ReticEcran);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[0], 1);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[5], 1);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[6], 2);
    EXPECT_EQ(Config.ReticEcran.EcranVoie[243], 2);
}

TEST_F(ConfigGlobale, EvenLayoutWithoutAssignmentKeepsChannelScreens) {
    for (int c = 0; c < 244; ++c) Config.ReticEcran.EcranVoie[c] = static_cast<uint8_t>(c % 3);
    for (int v : {0, 1, 2, 3}) AJOUT_ONOFF(Config.VoiesAffichees, v);
    Config.ReticEcran.NbEcran = 2;
    VALID_INIT_RET(0, 0);
    for (int c = 0; c < 244; ++c) EXPECT_EQ(Config.ReticEcran.EcranVoie[c], c % 3);
    EXPECT_EQ(Lire(Config.ReticEcran), (Ecrans{{0, 100}, {100, 200}}));
}

} // namespace
