// The display table of one pass: the spreading and reduction paths, peak
// keeping, logic pulses, signed channels, under-sampling and zoomed windows,
// each compared word for word with the straightforward reference.
#include "GrapheTestUtil.h"

#include <functional>
#include <set>

namespace graphe_test {
namespace {

using recmaker::Carre;
using recmaker::Constant;
using recmaker::Rampe;

struct CasChemin {
    const char* Nom;
    Enregistrement Rec;
    tSetup Vue;
    // Checks beyond the reference comparison.
    std::function<void(const DonneesGraphe&)> Verifier;
};

TEST_F(PasseTest, TablesOfThePathsMatchTheAlgorithm) {
    const CasChemin cas[] = {
        {"1000 scans: spreading, one scan per column",
         TKAR(1000, {Canal(0, Rampe(0, 1)), Canal(3, Constant(77))}),
         {0.0, 1.0},
         [](const DonneesGraphe& g) {
             for (int c = 0; c < 1000; ++c) ASSERT_EQ(g.Mot(c, 0), c) << c;
             EXPECT_EQ(g.Mot(1000, 0), 0); // the spreading fills 1000 columns only
             EXPECT_EQ(g.Mot(500, 1), 77);
         }},
        {"1001 scans: reduction, column 1000 closed too",
         TKAR(1001, {Canal(0, Rampe(0, 1)), Canal(3, Constant(77))}),
         {0.0, 1.0},
         [](const DonneesGraphe& g) {
             EXPECT_EQ(g.Mot(0, 0), 0);
             // A rising ramp: each column gives the minimum it started from.
             for (int c = 2; c <= 999; ++c) ASSERT_EQ(g.Mot(c, 0), c - 2) << c;
             EXPECT_EQ(g.Mot(1000, 0), 998);
         }},
        {"10 scans: each fills 100 columns",
         TKAR(10, {Canal(0, Rampe(5, 3))}),
         {0.0, 1.0},
         [](const DonneesGraphe& g) {
             for (int c = 0; c < 1000; ++c) ASSERT_EQ(g.Mot(c, 0), 5 + 3 * (c / 100)) << c;
         }},
        {"square wave of 3 scans on 30000 scans",
         TKAR(30000, {Canal(0, Carre(1000, 9000, 3))}),
         {0.0, 1.0},
         [](const DonneesGraphe& g) {
             std::set<uint16_t> vus;
             for (int c = 0; c <= 1000; ++c) {
                 const uint16_t w = g.Mot(c, 0);
                 ASSERT_TRUE(w == 1000 || w == 9000) << c << ": " << w;
                 vus.insert(w);
             }
             EXPECT_EQ(vus.size(), 2u); // the trace spans the full amplitude
         }},
        {"ramp with logic word on several pages",
         TKAR(90001, {Canal(0, Rampe(0, 7)), Canal(1, Carre(10, 20, 4001)), Canal(2, Rampe(65000, -3))}, true,
              Rampe(1, 5)),
         {0.0, 1.0},
         nullptr},
        {"zoomed window",
         TKAR(200000, {Canal(0, Rampe(0, 1)), Canal(1, Carre(0, 50, 777))}),
         {0.3, 0.25},
         [](const DonneesGraphe& g) {
             EXPECT_EQ(g.DepartTracer, 60000 * 2);
             EXPECT_EQ(g.LongueurAcquisition, 50000);
             EXPECT_EQ(g.Mot(0, 0), static_cast<uint16_t>(60000)); // first visible scan
         }},
        {"zoomed to fewer than 1000 scans",
         TKAR(200000, {Canal(0, Rampe(0, 1))}),
         {0.5, 0.004},
         [](const DonneesGraphe& g) {
             EXPECT_EQ(g.LongueurAcquisition, 800);
             EXPECT_EQ(g.Mot(0, 0), static_cast<uint16_t>(100000));
             EXPECT_EQ(g.Mot(999, 0), static_cast<uint16_t>(100000 + 999 * 800 / 1000));
         }},
    };
    for (const CasChemin& k : cas) {
        SCOPED_TRACE(k.Nom);
        RESET_ENTETE();
        Ref = Reference{};
        ::Setup = k.Vue;
        Ouvrir(k.Rec);
        DonneesGraphe g;
        PasseComparee(g);
        EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
        EXPECT_EQ(g.PointeurCyclique.load(), 1000);
        if (k.Verifier) k.Verifier(g);
        Ouvreur.reset();
    }
}

TEST_F(PasseTest, ManyChannelsSignedOrNotMatchTheReference) {
    // Channel counts around the 8-channel blocks of the inner loop, up to the 204
    // analog slots, with every third channel read as signed.
    struct Cas {
        FamilleREC Famille;
        int Voies;
        int64_t Scans;
    } cas[] = {{FamilleTKAR, 1, 5000},
               {FamilleTKAR, 8, 5000},
               {FamilleTKAR, 9, 7001},
               {FamilleTKAR, 36, 4000},
               {FamilleVEL, 204, 3001}};
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Voies);
        Ouvreur.reset();
        RESET_ENTETE();
        Ref = Reference{};
        std::vector<Voie> voies;
        for (int n = 0; n < k.Voies; ++n) {
            const int periode = 3 + 7 * n;
            voies.push_back(Canal(n, [n, periode](int64_t s) -> uint16_t {
                // Wide swings across 0x0000 / 0x8000 / 0xFFFF, different for each channel.
                return static_cast<uint16_t>((s * 2654435761u + n * 40503u) >> (s % periode == 0 ? 3 : 13));
            }));
        }
        Enregistrement e = TKAR(k.Scans, voies, true, Rampe(0, 1));
        e.Famille = k.Famille;
        e.Modele = k.Famille == FamilleVEL ? "VEL" : "TKAR";
        Ouvrir(e);
        ASSERT_EQ(EnteteF.NombreVoiesAnalog, k.Voies);
        for (int n = 0; n < k.Voies; n += 3) EnteteF.Affichage[n].VoieSignee = 1;
        DonneesGraphe g;
        PasseComparee(g);
    }
}

TEST_F(PasseTest, ViewWindowFieldsFollowTheHeader) {
    Ouvrir(TKAR(4000, {Canal(0, Constant(1)), Canal(1, Constant(2))}));
    EnteteF.TempsDebut = -500.0;
    ::Setup = {0.25, 0.5};
    DonneesGraphe g;
    g.DEMARRAGE_GRAPH();
    EXPECT_EQ(g.DepartTracer, 1000 * 2);
    EXPECT_EQ(g.LongueurAcquisition, 2000);
    EXPECT_DOUBLE_EQ(g.TempsTotal, 0.5 * EnteteF.DureeTotale);
    EXPECT_DOUBLE_EQ(g.DebutTemps, EnteteF.DureeTotale * 0.25 - 500.0);
    EXPECT_EQ(g.VraiPageFichier, -1);
}

TEST_F(PasseTest, OneScanLogicPulseShowsInvertedInItsColumnOnly) {
    // 100000 scans: column k >= 1 closes the run of scans 100(k-1) .. 100k-1.
    const int64_t impulsion = 50050; // inside column 501
    Ouvrir(TKAR(100000, {Canal(0, Constant(3))}, true, [=](int64_t s) -> uint16_t {
        return static_cast<uint16_t>(0x0001 | (s == impulsion ? 0x0008 : 0));
    }));
    DonneesGraphe g;
    PasseComparee(g);
    EXPECT_EQ(g.Mot(500, SlotLogique), 0x0001);
    EXPECT_EQ(g.Mot(501, SlotLogique), 0x0009); // the pulse, inverted from the column's reference
    EXPECT_EQ(g.Mot(502, SlotLogique), 0x0001); // back to the real level
    for (int c = 0; c <= 1000; ++c) {
        if (c == 501) continue;
        ASSERT_EQ(g.Mot(c, SlotLogique), 0x0001) << c;
    }
}

TEST_F(PasseTest, SignedChannelTakesFFFFAsMinusOne) {
    // Channel 0 is an ordinary channel, channel 1 a supplementary one (signed
    // words); both carry the same words: 5, then one 0xFFFF, then 10.
    auto mots = [](int64_t s) -> uint16_t { return s < 5025 ? 5 : s == 5025 ? 0xFFFF : 10; };
    Enregistrement e = TKAR(10000, {Canal(0, mots)});
    recmaker::EntreeSup ordinaire;
    ordinaire.Type = TypeSupOrdinaireTKAR;
    recmaker::EntreeSup signe;
    signe.Type = 1;
    signe.Nom = "Sup";
    signe.Donnees = mots;
    e.BlocSup = std::vector<recmaker::EntreeSup>{ordinaire, signe};
    Ouvrir(e);
    ASSERT_EQ(EnteteF.NombreVoiesAnalog, 2);
    ASSERT_EQ(EnteteF.Affichage[0].VoieSignee, 0);
    ASSERT_EQ(EnteteF.Affichage[1].VoieSignee, 1);
    DonneesGraphe g;
    PasseComparee(g);
    // Column 503 holds scans 5020..5029. Signed: -1 is a new minimum, then 10 a new
    // maximum, so the minimum came first. Unsigned: 0xFFFF is the maximum, and 10
    // changes nothing, so the column gives its minimum 5.
    EXPECT_EQ(g.Mot(503, 1), 0xFFFF);
    EXPECT_EQ(g.Mot(503, 0), 5);
    EXPECT_EQ(g.Mot(504, 0), 0xFFFF);
}

TEST_F(PasseTest, UnderSamplingReadsOneScanInRatioAndCarriesTheCounter) {
    // Channel 0 tells the scan's position modulo 4.
    Ouvrir(
        TKAR(8000, {Canal(0, [](int64_t s) -> uint16_t { return static_cast<uint16_t>(1000 * (s % 4) + 7); }),
                    Canal(1, Rampe(0, 1))}));
    sousEchantillonageEnabled = true;
    underSamplingRatio = 4.f;
    DonneesGraphe g;
    uint16_t valeurs[2] = {};
    for (int passe = 0; passe < 2; ++passe) {
        SCOPED_TRACE(passe);
        PasseComparee(g);
        // Only the scans read reach the extremes: a single position modulo 4.
        valeurs[passe] = g.Mot(2, 0);
        for (int c = 2; c <= 1000; ++c) ASSERT_EQ(g.Mot(c, 0), valeurs[passe]) << c;
    }
    // The first pass starts with the counter at 0 and reads scans 2, 6, 10...; it
    // ends with the counter at 1, so the second reads scans 1, 5, 9...
    EXPECT_EQ(valeurs[0], 2007);
    EXPECT_EQ(valeurs[1], 1007);
    // Spreading path under-sampled: skipped scans repeat the last scan read.
    ::Setup = {0.5, 0.1};
    PasseComparee(g);
}

TEST_F(PasseTest, FractionalRatioIsTruncated) {
    Ouvrir(TKAR(5000, {Canal(0, Rampe(0, 1))}));
    sousEchantillonageEnabled = true;
    underSamplingRatio = 2.9f; // one scan in 2
    DonneesGraphe g;
    PasseComparee(g);
    sousEchantillonageEnabled = false; // off again: every scan
    PasseComparee(g);
}

TEST_F(PasseTest, ChannelsOfAPreviousRecordingStayInUnusedSlots) {
    // The pass touches all 204 analog slots whatever the channel count; a second
    // recording with fewer channels leaves the old words in the slots above.
    Ouvrir(TKAR(3000, {Canal(0, Rampe(0, 1)), Canal(1, Constant(11)), Canal(2, Constant(22))}));
    DonneesGraphe g;
    PasseComparee(g);
    Ouvreur.reset();
    Ouvrir(TKAR(2000, {Canal(0, Rampe(9, 2))}), "second.rec");
    PasseComparee(g);
    EXPECT_EQ(g.Mot(700, 2), 22);
}

TEST_F(PasseTest, MeasurementsExtractOneSlot) {
    Ouvrir(TKAR(1000, {Canal(0, Rampe(0, 1)), Canal(1, Rampe(100, 2))}));
    DonneesGraphe g;
    g.CALCUL_GRAPH_FT_MEM();
    g.VraiLongueurCyc = 1000;
    g.DECALAGE_TABCYCL(1);
    EXPECT_EQ(g.CAL_VALCYC(0), 100);
    EXPECT_EQ(g.CAL_VALCYC(999), 100 + 2 * 999);
    EXPECT_EQ(g.Abscisse_Dep, 0);
    EXPECT_EQ(g.Abscisse_Fin, 1000);
    EXPECT_EQ(g.CAL_VALCYC(-1), 0);
    EXPECT_EQ(g.CAL_VALCYC(TailleValeurCyclique), 0);
    g.VraiLongueurCyc = 30000; // more than ValeurCyclique holds: cut to its size
    g.DECALAGE_TABCYCL(0);
    EXPECT_EQ(g.CAL_VALCYC(TailleValeurCyclique - 1), 0); // column 1023 is beyond the spreading
    EXPECT_EQ(g.CAL_VALCYC(999), 999);
}

} // namespace
} // namespace graphe_test
