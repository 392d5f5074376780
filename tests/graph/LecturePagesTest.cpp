// Page reading: scans straddling pages, where the pages are read in the file,
// failing and short reads, and the file reopened by name.
#include "GrapheTestUtil.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace graphe_test {
namespace {

using recmaker::Constant;
using recmaker::Rampe;

// Records every page read and lets a test change its result.
struct Espion {
    std::vector<int64_t> Positions;
    std::function<int64_t(int64_t position, void* tampon, int64_t n, int32_t handle)> Lire =
        [](int64_t position, void* tampon, int64_t n, int32_t handle) {
            return FichierREC::LireHandle(handle, position, tampon, n);
        };
    static int64_t Lecture(void* contexte, int32_t handle, int64_t position, void* tampon, int64_t n) {
        auto* e = static_cast<Espion*>(contexte);
        e->Positions.push_back(position);
        return e->Lire(position, tampon, n, handle);
    }
};

// Three channels: 6-byte scans, so scans straddle the 131072-byte pages.
Enregistrement TroisVoies(int64_t scans) {
    return TKAR(scans, {Canal(0, Rampe(0, 1)), Canal(1, Rampe(500, 3)), Canal(2, Constant(0x4242))});
}

TEST_F(PasseTest, ConsecutivePagesAreReadWithoutNewPositions) {
    Ouvrir(TroisVoies(100000)); // 600000 data bytes: 5 pages
    DonneesGraphe g;
    Espion espion;
    g.RemplacerLecture(&Espion::Lecture, &espion);
    PasseComparee(g);
    const int64_t debut = EnteteF.DebutDonnees;
    ASSERT_EQ(espion.Positions.size(), 5u);
    for (size_t p = 0; p < espion.Positions.size(); ++p)
        EXPECT_EQ(espion.Positions[p], debut + 131072 * int64_t(p));
    EXPECT_EQ(g.NombrePositionnements, 1);

    // Zoomed: the pages start DepartTracer x 2 bytes after the data start.
    espion.Positions.clear();
    ::Setup = {0.3, 0.5};
    PasseComparee(g);
    ASSERT_FALSE(espion.Positions.empty());
    EXPECT_EQ(espion.Positions[0], debut + 30000 * 6);
    for (size_t p = 1; p < espion.Positions.size(); ++p)
        EXPECT_EQ(espion.Positions[p], espion.Positions[0] + 131072 * int64_t(p));
    EXPECT_EQ(g.NombrePositionnements, 2);
}

TEST_F(PasseTest, UnderSamplingSkipsPagesAndPositionsEachRead) {
    Ouvrir(TroisVoies(300000));
    sousEchantillonageEnabled = true;
    underSamplingRatio = 50000.f; // one scan in 300000 bytes: most pages are never read
    DonneesGraphe g;
    Espion espion;
    g.RemplacerLecture(&Espion::Lecture, &espion);
    PasseComparee(g);
    EXPECT_LT(espion.Positions.size(), 8u);
    EXPECT_EQ(g.NombrePositionnements, static_cast<int64_t>(espion.Positions.size()));
}

TEST_F(PasseTest, FailedOrShortPageReadsLeaveZerosNotTheLastPage) {
    struct Cas {
        const char* Nom;
        int Page;         // page whose read is changed
        int64_t Delivres; // bytes it gives, -1 for a failure
    } cas[] = {{"failed read", 2, -1}, {"short read", 1, 1001}, {"failed first page", 0, -1}};
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Nom);
        Ouvreur.reset();
        RESET_ENTETE();
        Ref = Reference{};
        Ouvrir(TroisVoies(100000));
        const int64_t position = EnteteF.DebutDonnees + 131072 * int64_t(k.Page);
        Espion espion;
        espion.Lire = [&](int64_t pos, void* tampon, int64_t n, int32_t handle) -> int64_t {
            if (pos != position) return FichierREC::LireHandle(handle, pos, tampon, n);
            if (k.Delivres < 0) {
                std::memset(tampon, 0x5A, static_cast<size_t>(n)); // junk a failing read may leave
                return -1;
            }
            return FichierREC::LireHandle(handle, pos, tampon, k.Delivres);
        };
        DonneesGraphe g;
        g.RemplacerLecture(&Espion::Lecture, &espion);
        // The reference sees zeros where the read gave nothing.
        const int64_t zero = position + std::max<int64_t>(k.Delivres, 0);
        for (int64_t i = zero; i < position + 131072 && i < int64_t(Ref.Octets.size()); ++i)
            Ref.Octets[size_t(i)] = 0;
        PasseComparee(g);
        EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
        EXPECT_EQ(g.PointeurCyclique.load(), 1000);
        // Scans wholly inside the lost part have a zero constant channel.
        const int64_t scanZero = (zero - EnteteF.DebutDonnees) / 6 + 1;
        const int colonne = static_cast<int>((scanZero + 300) / 100) + 1;
        EXPECT_EQ(g.Mot(colonne, 2), 0) << colonne;
    }
}

TEST_F(PasseTest, ChecksumAddsOnlyTheBytesRead) {
    Enregistrement e = TroisVoies(100000);
    e.Checksum = true;
    Ouvrir(e);
    ::Setup = {0.25, 0.5}; // zoomed: the sum is taken but not compared
    const int64_t zoom = EnteteF.DebutDonnees + 25000 * 6;
    Espion espion;
    uint32_t attendu = 0;
    espion.Lire = [&](int64_t pos, void* tampon, int64_t n, int32_t handle) -> int64_t {
        const int64_t lus = FichierREC::LireHandle(handle, pos, tampon, pos == zoom + 131072 ? 777 : n);
        for (int64_t i = 0; i < lus; ++i) attendu += static_cast<uint8_t*>(tampon)[i];
        return lus;
    };
    DonneesGraphe g;
    g.RemplacerLecture(&Espion::Lecture, &espion);
    g.CALCUL_GRAPH_FT_MEM();
    EXPECT_EQ(g.Checksum, attendu);
}

TEST_F(PasseTest, ScansPastTheEndOfTheFileReadAsZero) {
    Ouvrir(TroisVoies(20000));
    DonneesGraphe g;
    PasseComparee(g);     // the page buffer now holds the end of the data
    ::Setup = {0.9, 0.2}; // half the window lies past the end
    PasseComparee(g);
    EXPECT_EQ(g.Mot(999, 2), 0);
    ::Setup = {0.95, 0.02}; // spreading path
    PasseComparee(g);
}

TEST_F(PasseTest, ClosedFileIsReopenedByName) {
    Ouvrir(TroisVoies(50000));
    Ouvreur->FERMER_FICHIER();
    ASSERT_EQ(EnteteF.HandleFichier, 0);
    {
        DonneesGraphe g;
        g.CheminDonnees = CheminOuvert;
        PasseComparee(g);
        EXPECT_NE(EnteteF.HandleFichier, 0);
        // Closed again by its owner: reopened at the next pass.
        g.FermerFichier();
        EXPECT_EQ(EnteteF.HandleFichier, 0);
        PasseComparee(g);
        EXPECT_NE(EnteteF.HandleFichier, 0);
    }
    EXPECT_EQ(EnteteF.HandleFichier, 0); // the object closed the file it opened

    // A file that cannot be opened reads as zeros.
    DonneesGraphe g;
    g.CheminDonnees = CheminOuvert + QStringLiteral(".absent");
    g.CALCUL_GRAPH_FT_MEM();
    EXPECT_EQ(EnteteF.HandleFichier, 0);
    EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
    for (int c = 0; c <= 1000; ++c) ASSERT_EQ(g.Mot(c, 2), 0) << c;
}

} // namespace
} // namespace graphe_test
