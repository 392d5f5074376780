// The fast reduction: run summaries and their exact merge against the
// scan-by-scan fold, and whole passes compared word for word with the
// page-by-page pass (PasseReference) on random recordings and windows, with and
// without the pyramid; stops, export waits, checksums and a change of recording.
#include "GrapheTestUtil.h"

#include <unistd.h>

#include <chrono>

#include "Attente.h"
#include <cmath>
#include <random>
#include <thread>

#include "graph/PliRapide.h"
#include "graph/PyramidePli.h"
#include "graph/TravailleurGraphe.h"

namespace graphe_test {
namespace {

using namespace std::chrono_literals;
using recmaker::Rampe;

// ---- Summaries -----------------------------------------------------------------

// Scans of `voies` channels (+ logic) in memory, the buffer ending right after
// the last scan's words so that loads near the end must not reach past it.
struct Scans {
    int Voies = 0, Mots = 0;
    bool Logique = false;
    std::vector<uint8_t> Octets;
    std::vector<int16_t> Biais;
    FormeScans Forme() const {
        FormeScans f;
        f.Debut = Octets.data();
        f.Fin = Octets.data() + Octets.size();
        f.PasOctets = 2 * Mots;
        f.Voies = Voies;
        f.DecalageLogique = Logique ? Voies : -1;
        f.Biais = Biais.data();
        return f;
    }
};

Scans Fabriquer(int voies, bool logique, int64_t scans, int plage, uint32_t graine) {
    Scans s;
    s.Voies = voies;
    s.Logique = logique;
    s.Mots = voies + (logique ? 1 : 0) + 1; // one word of padding per scan
    s.Octets.resize(static_cast<size_t>((scans - 1) * s.Mots * 2 + 2 * (voies + (logique ? 1 : 0))));
    std::mt19937 alea(graine);
    for (size_t i = 0; i + 1 < s.Octets.size(); i += 2) {
        // Small ranges around the sign boundaries: many ties, both orders matter.
        const uint16_t centre = (i / 2) % 3 == 0 ? 0x8000 : (i / 2) % 3 == 1 ? 0 : 0x1234;
        const uint16_t w = static_cast<uint16_t>(centre + static_cast<int>(alea() % plage) - plage / 2);
        s.Octets[i] = static_cast<uint8_t>(w);
        s.Octets[i + 1] = static_cast<uint8_t>(w >> 8);
    }
    for (int n = 0; n < voies; ++n) s.Biais.push_back(n % 2 == 0 ? int16_t(0x8000) : int16_t{0});
    return s;
}

void ExpectResumesEgaux(const ResumePli& a, const ResumePli& b, int voies, bool logique) {
    ASSERT_EQ(a.Vide, b.Vide);
    for (int n = 0; n < voies; ++n) {
        ASSERT_EQ(a.Min[n], b.Min[n]) << "lane " << n;
        ASSERT_EQ(a.Max[n], b.Max[n]) << "lane " << n;
        // The flag is only ever consulted when the run is not constant.
        if (a.Min[n] != a.Max[n]) {
            ASSERT_EQ(a.Pente[n], b.Pente[n]) << "lane " << n;
        }
    }
    if (logique) {
        EXPECT_EQ(a.Et, b.Et);
        EXPECT_EQ(a.Ou, b.Ou);
    }
}

std::vector<std::pair<const char*, NoyauPli>> Noyaux() {
    std::vector<std::pair<const char*, NoyauPli>> n{{"SSE2", &PlierSSE2}};
    if (AVX2Disponible()) n.emplace_back("AVX2", &PlierAVX2);
    return n;
}

TEST(PliRapide, KernelsAndMergesGiveTheScanByScanFold) {
    struct Cas {
        const char* Nom;
        int Voies;
        bool Logique;
        int64_t Scans;
        int Plage; // 1: constant data
    } cas[] = {
        {"one scan", 3, true, 1, 50},           {"two scans, ties", 8, false, 2, 2},
        {"constant data", 16, true, 300, 1},    {"fifteen scans", 9, true, 15, 3},
        {"sixteen scans", 16, false, 16, 3},    {"seventeen, wide range", 17, true, 17, 60000},
        {"one block", 16, true, 256, 5},        {"uneven sub-runs", 7, false, 1003, 7},
        {"all 204 channels", 204, true, 97, 9}, {"single channel", 1, false, 5000, 4},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Nom);
        const Scans s = Fabriquer(k.Voies, k.Logique, k.Scans, k.Plage, static_cast<uint32_t>(k.Scans));
        const FormeScans f = s.Forme();
        ResumePli attendu;
        uint64_t sommeAttendue = 0;
        PlierScalaire(f, 0, k.Scans, attendu, &sommeAttendue);
        for (const auto& [nom, noyau] : Noyaux()) {
            SCOPED_TRACE(nom);
            ResumePli r;
            uint64_t somme = 0;
            noyau(f, 0, k.Scans, r, &somme);
            ExpectResumesEgaux(r, attendu, k.Voies, k.Logique);
            EXPECT_EQ(somme, sommeAttendue); // clipped to the end of the buffer, like the scalar sum
        }
        // Random splits, merged in order, empty pieces included.
        std::mt19937 alea(7);
        for (int essai = 0; essai < 20; ++essai) {
            ResumePli total;
            int64_t pos = 0;
            while (pos < k.Scans) {
                const int64_t n = std::min<int64_t>(k.Scans - pos, 1 + alea() % 40);
                ResumePli piece, vide;
                Noyaux().back().second(f, pos, n, piece, nullptr);
                Fusionner(total, vide, k.Voies);
                Fusionner(total, piece, k.Voies);
                pos += n;
            }
            ExpectResumesEgaux(total, attendu, k.Voies, k.Logique);
        }
    }
}

// The column value from a carried value, scan by scan, as the running extremes do.
int16_t FermerSequentiel(const std::vector<int16_t>& mots, int16_t& v) {
    int16_t min = v, max = v;
    bool pente = false;
    for (int16_t m : mots) {
        if (m > max) {
            max = m;
            pente = true;
        } else if (m < min) {
            min = m;
            pente = false;
        }
    }
    if (pente) {
        v = max;
        return min;
    }
    v = min;
    return max;
}

TEST(PliRapide, ClosingFromTheCarriedValueMatchesTheRunningExtremes) {
    struct Cas {
        const char* Nom;
        std::vector<int16_t> Mots;
        int16_t V;
    } cas[] = {
        {"all equal to v", {5, 5, 5}, 5},
        {"only above v", {6, 9, 7}, 5},
        {"only below v", {4, 1, 3}, 5},
        {"min first", {1, 9}, 5},
        {"max first", {9, 1}, 5},
        {"ties with v", {5, 9, 5, 1}, 5},
        {"one scan above", {6}, 5},
        {"one scan below", {-32768}, 5},
        {"extremes repeated", {9, 1, 9, 1}, 5},
        {"v at the top", {32767, -32768}, 32767},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Nom);
        Scans s;
        s.Voies = s.Mots = 1;
        s.Biais = {0};
        for (int16_t m : k.Mots) {
            s.Octets.push_back(static_cast<uint8_t>(m));
            s.Octets.push_back(static_cast<uint8_t>(static_cast<uint16_t>(m) >> 8));
        }
        ResumePli r;
        PlierScalaire(s.Forme(), 0, static_cast<int64_t>(k.Mots.size()), r, nullptr);
        int16_t v1 = k.V, v2 = k.V;
        EXPECT_EQ(Fermer(r, 0, v1), FermerSequentiel(k.Mots, v2));
        EXPECT_EQ(v1, v2);
    }
}

TEST(PliRapide, LogicClosingInvertsTheBitsThatLeftTheReference) {
    ResumePli r;
    r.Vide = false;
    r.Et = 0b0001; // bit 0 stayed 1; bit 1 was 0 at least once, 1 at least once
    r.Ou = 0b0011;
    EXPECT_EQ(FermerLogique(r, 0b0011), 0b0001); // bit 1 left the reference 1
    EXPECT_EQ(FermerLogique(r, 0b0000), 0b0011); // bits 0 and 1 left the reference 0
}

// ---- Whole passes ---------------------------------------------------------------

// A word from a seeded hash of the scan: reproducible random data.
recmaker::Signal Hasard(uint32_t graine, int plage, uint16_t centre) {
    return [=](int64_t s) -> uint16_t {
        uint64_t x = static_cast<uint64_t>(s) * 0x9E3779B97F4A7C15ull + graine;
        x ^= x >> 29;
        x *= 0xBF58476D1CE4E5B9ull;
        x ^= x >> 32;
        return static_cast<uint16_t>(centre + static_cast<int>(x % static_cast<uint64_t>(plage)) - plage / 2);
    };
}

// Pulses of one scan on both sides of block edges.
recmaker::Signal Impulsions() {
    return [](int64_t s) -> uint16_t {
        const int64_t r = s % 4096;
        return static_cast<uint16_t>((r == 255 || r == 256 ? 1 : 0) | (r == 4095 ? 2 : 0) | (r == 0 ? 4 : 0) |
                                     (s % 7 == 0 ? 8 : 0));
    };
}

bool TableTerminee(const DonneesGraphe& g) {
    return g.CalculTerminer.load() == CalculFini && g.PointeurCyclique.load() == NombreColonnesAffichage;
}

void ExpectMemesTables(const DonneesGraphe& a, const DonneesGraphe& b) {
    int erreurs = 0;
    for (int c = 0; c < Colonnes && erreurs < 5; ++c)
        for (int s = 0; s < Slots && erreurs < 5; ++s)
            if (a.Mot(c, s) != b.Mot(c, s)) {
                ADD_FAILURE() << "column " << c << " slot " << s << ": " << a.Mot(c, s) << " expected "
                              << b.Mot(c, s);
                ++erreurs;
            }
}

class PasseRapideTest : public PasseTest {
protected:
    // Both objects run the same pass; the reference takes the page path.
    void Comparer(DonneesGraphe& rapide, DonneesGraphe& reference, bool rapideAttendu = true) {
        const int32_t decimateur = decimator.load();
        reference.CALCUL_GRAPH_FT_MEM();
        const int32_t apresReference = decimator.load();
        decimator = decimateur;
        rapide.CALCUL_GRAPH_FT_MEM();
        EXPECT_EQ(rapide.DernierePasseRapide, rapideAttendu);
        EXPECT_FALSE(reference.DernierePasseRapide);
        EXPECT_EQ(decimator.load(), apresReference);
        EXPECT_EQ(rapide.PointeurCyclique.load(), reference.PointeurCyclique.load());
        EXPECT_EQ(rapide.CalculTerminer.load(), reference.CalculTerminer.load());
        ExpectMemesTables(rapide, reference);
    }
};

TEST_F(PasseRapideTest, RandomRecordingsAndWindowsGiveThePagePathTables) {
    struct Cas {
        const char* Nom;
        int64_t Scans;
        int Voies;
        bool Logique;
        int Plage;
    } cas[] = {
        {"16 channels with logic, three pyramid levels", 140000, 16, true, 40},
        {"5 channels, wide values", 70001, 5, false, 65536},
        {"1 channel, few values", 5000, 1, true, 3},
        {"23 channels, just above the spreading", 1001, 23, true, 9},
    };
    std::mt19937 alea(1234);
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Nom);
        std::vector<Voie> voies;
        for (int n = 0; n < k.Voies; ++n)
            voies.push_back(Canal(n, Hasard(static_cast<uint32_t>(n), k.Plage, n % 3 == 0 ? 0x8000 : 0)));
        Ouvrir(TKAR(k.Scans, voies, k.Logique, Impulsions()));
        for (int n = 0; n < k.Voies; n += 2) EnteteF.Affichage[n].VoieSignee = 1;
        DonneesGraphe rapide, reference;
        reference.PasseReference = true;
        ::Setup = {0.0, 1.0};
        Comparer(rapide, reference);
        if (k.Scans >= 256) {
            EXPECT_TRUE(rapide.PyramidePrete());
        }
        for (int essai = 0; essai < 9; ++essai) {
            const double largeur = essai < 4 ? std::ldexp(1.0, -essai) : (alea() % 10000 + 1) / 10000.0;
            const double debut = (1.0 - largeur) * (alea() % 1000) / 1000.0;
            ::Setup = {debut, largeur};
            SCOPED_TRACE(::testing::Message() << "window " << debut << " + " << largeur);
            const bool reduction =
                static_cast<int64_t>(largeur * static_cast<double>(k.Scans)) > NombreColonnesAffichage;
            Comparer(rapide, reference, reduction);
        }
        // The same table as the straightforward reference too.
        ::Setup = {0.0, 1.0};
        rapide.CALCUL_GRAPH_FT_MEM();
        Ref.Passe(::Setup);
        ExpectTablesEgales(rapide, Ref);
        Ref = Reference{};
    }
}

TEST_F(PasseRapideTest, WindowsWithoutThePyramidAndUnderSamplingAgree) {
    Ouvrir(TKAR(90000, {Canal(0, Hasard(1, 500, 0x8000)), Canal(1, Hasard(2, 70, 0))}, true, Impulsions()));
    DonneesGraphe rapide, reference;
    reference.PasseReference = true;
    ::Setup = {0.25, 0.5}; // the first pass is zoomed: no pyramid yet, raw scans only
    Comparer(rapide, reference);
    EXPECT_FALSE(rapide.PyramidePrete());
    sousEchantillonageEnabled = true;
    underSamplingRatio = 3.f;
    ::Setup = {0.0, 1.0};
    Comparer(rapide, reference, false); // under-sampling keeps the page path
    EXPECT_FALSE(rapide.PyramidePrete());
}

TEST_F(PasseRapideTest, ChecksumIsTheSameOnBothPaths) {
    for (const int16_t decalage : {int16_t{0}, int16_t{3}}) {
        SCOPED_TRACE(decalage);
        RESET_ENTETE();
        Enregistrement e =
            TKAR(80000, {Canal(0, Hasard(9, 3000, 0x4000)), Canal(2, Rampe(3, 7))}, true, Impulsions());
        e.Checksum = true;
        e.ChecksumDecalage = decalage;
        e.AnnotationsNouvelles.push_back({12345, 1, 0xFF, 500, 0, "after the samples"});
        Ouvrir(e);
        t_EnteteREC_GlobalTotal copie = EnteteF;
        DonneesGraphe rapide, reference(&copie, &::Setup);
        reference.PasseReference = true;
        reference.CALCUL_GRAPH_FT_MEM();
        rapide.CALCUL_GRAPH_FT_MEM();
        EXPECT_TRUE(rapide.DernierePasseRapide);
        EXPECT_TRUE(rapide.ChecksumCompare);
        EXPECT_EQ(rapide.Checksum, reference.Checksum);
        EXPECT_EQ(rapide.CalculTerminer.load(), reference.CalculTerminer.load());
        EXPECT_EQ(rapide.CalculTerminer.load(), decalage == 0 ? CalculFini : CalculChecksumFaux);
        ExpectMemesTables(rapide, reference);
    }
}

// The size of the fast pass's reads only cuts the work differently: the
// smallest reads, reads of no whole number of scans and reads larger than the
// file give the page path's tables and checksum, with and without the pyramid.
TEST_F(PasseRapideTest, EveryReadSizeGivesThePagePathTablesAndChecksum) {
    std::vector<Voie> voies;
    for (int n = 0; n < 7; ++n) voies.push_back(Canal(n, Hasard(static_cast<uint32_t>(40 + n), 900, 0x8000)));
    Enregistrement e = TKAR(150001, voies, true, Impulsions());
    e.Checksum = true;
    Ouvrir(e); // 16 bytes a scan: 2.4 MB of samples
    for (const int64_t octets :
         {int64_t{1}, int64_t{4096}, int64_t{4096 * 3 + 48}, int64_t{1} << 20, int64_t{64} << 20}) {
        SCOPED_TRACE(::testing::Message() << "reads of " << octets << " bytes");
        t_EnteteREC_GlobalTotal copie = EnteteF;
        DonneesGraphe rapide, reference(&copie, &::Setup);
        rapide.OctetsLecture = octets;
        reference.PasseReference = true;
        ::Setup = {0.3, 0.4}; // no pyramid yet: raw reads only
        Comparer(rapide, reference);
        EXPECT_FALSE(rapide.PyramidePrete());
        EnteteF.ChecksumVerifie = copie.ChecksumVerifie = 0;
        ::Setup = {0.0, 1.0}; // builds the pyramid and checks the sum
        Comparer(rapide, reference);
        EXPECT_TRUE(rapide.PyramidePrete());
        EXPECT_TRUE(rapide.ChecksumCompare);
        EXPECT_EQ(rapide.Checksum, reference.Checksum);
        EXPECT_EQ(rapide.CalculTerminer.load(), CalculFini);
        ::Setup = {0.123, 0.0101}; // pyramid blocks and raw scans at both ends
        Comparer(rapide, reference);
    }
}

TEST_F(PasseRapideTest, StopWhileHeldByAnExportEndsTheFastPassUncompleted) {
    Ouvrir(TKAR(200000, {Canal(0, Hasard(4, 900, 0x8000))}, true, Impulsions()));
    DonneesGraphe g, reference;
    reference.PasseReference = true;
    reference.CALCUL_GRAPH_FT_MEM();
    {
        TravailleurGraphe travailleur(g);
        DemandeExport = 1;
        travailleur.DemanderCalcul();
        ASSERT_TRUE(ATTENDRE_QUE([&] { return g.CalculTerminer.load() == CalculEnCours; }));
        std::this_thread::sleep_for(30ms);
        EXPECT_EQ(g.Progression.load(), 0.0);
        const auto debut = std::chrono::steady_clock::now();
        g.ARRET_CALCUL();
        EXPECT_LT(std::chrono::steady_clock::now() - debut, 500ms);
        EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
        EXPECT_EQ(g.PointeurCyclique.load(), 0);
        EXPECT_TRUE(g.DernierePasseRapide);
        EXPECT_FALSE(g.PyramidePrete());
        DemandeExport = 0;
        travailleur.DemanderCalcul();
        ASSERT_TRUE(ATTENDRE_QUE([&] { return TableTerminee(g); }));
    }
    EXPECT_TRUE(g.PyramidePrete());
    ExpectMemesTables(g, reference);
}

TEST_F(PasseRapideTest, PyramideIsDroppedWhenTheRecordingChanges) {
    const std::string chemin = Chemin("change.rec");
    auto ecrireEtOuvrir = [&](uint32_t graine) {
        Ouvreur.reset();
        RESET_ENTETE();
        ASSERT_TRUE(recmaker::Ecrire(TKAR(50000, {Canal(0, Hasard(graine, 2000, 0x8000))}), chemin));
        Ouvreur = std::make_unique<OuvreREC>(&EnteteF);
        Ouvreur->VraiNomFichier = Ouvreur->NomFichier = QString::fromStdString(chemin);
        ASSERT_EQ(Ouvreur->LECTURE_ENTETE(), LectureOK);
    };
    DonneesGraphe rapide, reference;
    reference.PasseReference = true;
    ecrireEtOuvrir(1);
    Comparer(rapide, reference);
    ASSERT_TRUE(rapide.PyramidePrete());
    // The main window's way: close, then the new recording's first pass.
    rapide.FermerFichier();
    EXPECT_FALSE(rapide.PyramidePrete());
    ecrireEtOuvrir(2);
    Comparer(rapide, reference);
    // Rewritten in place with the same size and no call: the file's identity
    // (date, size, node) and the header tell the pyramid is stale.
    std::this_thread::sleep_for(5ms);
    ecrireEtOuvrir(3);
    ::Setup = {0.1, 0.5};
    Comparer(rapide, reference);
    ::Setup = {0.0, 1.0};
    Comparer(rapide, reference);
    EXPECT_TRUE(rapide.PyramidePrete());
}

TEST_F(PasseRapideTest, TruncatedFileKeepsThePagePath) {
    recmaker::Plan plan;
    const Enregistrement e = TKAR(40000, {Canal(0, Hasard(5, 100, 0x8000)), Canal(1, Rampe(0, 3))});
    recmaker::Construire(e, &plan);
    Ouvrir(e);
    DonneesGraphe rapide, reference;
    reference.PasseReference = true;
    // Cut inside the samples: the page path reads zeros past the end.
    ASSERT_EQ(::truncate(CheminOuvert.toLocal8Bit().constData(), plan.DebutDonnees + 100000), 0);
    Comparer(rapide, reference, false);
}

} // namespace
} // namespace graphe_test
