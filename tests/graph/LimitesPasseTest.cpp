// Recordings announcing billions of scans: sparse files far larger than the
// disk. The display pass skips their holes and keeps its pyramid within its
// budget, so a pass over them is quick, exact, and bounded in memory; and the
// pyramid's coarser blocks and the skipped holes give the page path's tables.
#include "GrapheTestUtil.h"
#include "LimitesTestUtil.h"
#include "OmbrixTableUtil.h"

#include <chrono>
#include <random>

#include "ProgrammeLance.h"

namespace graphe_test {
namespace {

using namespace std::chrono_literals;
using Horloge = std::chrono::steady_clock;
using limites_test::Etendre;
using limites_test::Percer;

recmaker::Signal Bruit(uint32_t graine, int plage) {
    return [=](int64_t s) -> uint16_t {
        uint64_t x = static_cast<uint64_t>(s) * 0x9E3779B97F4A7C15ull + graine;
        x ^= x >> 31;
        x *= 0xBF58476D1CE4E5B9ull;
        x ^= x >> 29;
        return static_cast<uint16_t>(0x8000 + static_cast<int>(x % static_cast<uint64_t>(plage)) - plage / 2);
    };
}

bool TableTerminee(const DonneesGraphe& g) {
    return g.CalculTerminer.load() == CalculFini && g.PointeurCyclique.load() == NombreColonnesAffichage;
}

class LimitesPasse : public PasseTest {
protected:
    // A small recording of one channel and the logic word, made `taille` bytes
    // long by a hole after its samples (no annotation area: the hole is samples).
    void OuvrirCreux(const std::string& chemin, int64_t taille) {
        Enregistrement e = TKAR(1000, {Canal(0, recmaker::Rampe(100, 3))}, true, recmaker::Constant(5));
        ASSERT_TRUE(recmaker::Ecrire(e, chemin));
        ASSERT_TRUE(Etendre(chemin, taille));
        Ouvreur = std::make_unique<OuvreREC>(&EnteteF);
        Ouvreur->VraiNomFichier = Ouvreur->NomFichier = QString::fromStdString(chemin);
        ASSERT_EQ(Ouvreur->LECTURE_ENTETE(), LectureOK) << Ouvreur->CauseErreur;
        CheminOuvert = QString::fromStdString(chemin);
    }

    // A full view, a zoomed window and (when asked) an under-sampled view of
    // the open recording: each quick, the table what the samples and the zeros give.
    void Passes(DonneesGraphe& g, bool sousEchantillon) {
        const int64_t scans = EnteteF.NombreScans;
        ::Setup = {0.0, 1.0};
        auto debut = Horloge::now();
        g.CALCUL_GRAPH_FT_MEM();
        EXPECT_LT(Horloge::now() - debut, 10s);
        EXPECT_TRUE(TableTerminee(g));
        EXPECT_TRUE(g.DernierePasseRapide);
        EXPECT_TRUE(g.PyramidePrete());
        EXPECT_LE(g.OctetsPyramide(), g.BudgetPyramide);
        EXPECT_EQ(g.Mot(0, 0), 100); // the first scan
        EXPECT_EQ(g.Mot(0, SlotLogique), 5);
        // Column 1 holds the 1000 samples and the first zeros: the rise to the
        // largest sample came first.
        EXPECT_EQ(g.Mot(1, 0), 100 + 3 * 999);
        for (int c = 2; c <= NombreColonnesAffichage; ++c) {
            ASSERT_EQ(g.Mot(c, 0), 0) << c;
            ASSERT_EQ(g.Mot(c, SlotLogique), 0) << c;
        }

        ::Setup = {0.5, 1e-4};
        debut = Horloge::now();
        g.CALCUL_GRAPH_FT_MEM();
        EXPECT_LT(Horloge::now() - debut, 2s);
        EXPECT_TRUE(TableTerminee(g));
        EXPECT_TRUE(g.DernierePasseRapide);
        EXPECT_EQ(g.Mot(500, 0), 0);
        if (!sousEchantillon) return;

        // Kept scans far apart: the pass costs them, not the window's length.
        ::Setup = {0.0, 1.0};
        sousEchantillonageEnabled = true;
        underSamplingRatio = static_cast<float>(scans / 2000);
        debut = Horloge::now();
        g.CALCUL_GRAPH_FT_MEM();
        EXPECT_LT(Horloge::now() - debut, 10s);
        EXPECT_TRUE(TableTerminee(g));
        EXPECT_FALSE(g.DernierePasseRapide);
        EXPECT_EQ(g.Mot(999, 0), 0);
        RESET_SOUS_ECHANTILLONNAGE();
    }
};

// Every word of both tables, the first few differences reported.
void ExpectTablesPareilles(const DonneesGraphe& a, const DonneesGraphe& b) {
    int erreurs = 0;
    for (int c = 0; c <= NombreColonnesAffichage && erreurs < 5; ++c)
        for (int s = 0; s < NombreSlotsColonne && erreurs < 5; ++s)
            if (a.Mot(c, s) != b.Mot(c, s)) {
                ADD_FAILURE() << "column " << c << " slot " << s << ": " << a.Mot(c, s) << " expected "
                              << b.Mot(c, s);
                ++erreurs;
            }
}

TEST_F(LimitesPasse, CoarseBlocksAndHolesGiveThePagePathTables) {
    // Three channels and the logic word, with holes punched at places that cut
    // scans and blocks.
    constexpr int64_t Scans = 600000;
    Enregistrement e =
        TKAR(Scans, {Canal(0, Bruit(1, 900)), Canal(3, Bruit(2, 40)), Canal(5, Bruit(3, 65536))}, true,
             Bruit(4, 65536));
    e.Checksum = true;
    Ouvrir(e);
    const std::string chemin = CheminOuvert.toStdString();
    const int64_t debutDonnees = EnteteF.DebutDonnees;
    for (const auto& [debut, longueur] :
         {std::pair<int64_t, int64_t>{100000, 1 << 20}, {1 << 21, 3 << 18}, {3000001, 123457}}) {
        ASSERT_TRUE(Percer(chemin, debutDonnees + debut, longueur));
        for (int64_t i = debut; i < debut + longueur; ++i)
            Ref.Octets[static_cast<size_t>(debutDonnees + i)] = 0;
    }
    EnteteF.Affichage[1].VoieSignee = 1;
    // Budgets giving blocks of 4096 scans (several in one read) and of 65536
    // (one block over several reads).
    for (const int64_t budget : {4096, 1024}) {
        SCOPED_TRACE(budget);
        DonneesGraphe rapide, reference;
        reference.PasseReference = true;
        rapide.BudgetPyramide = budget;
        std::mt19937 alea(99);
        for (int essai = 0; essai < 8; ++essai) {
            const double largeur = essai == 0 ? 1.0 : (alea() % 10000 + 1) / 10000.0;
            const double debut = essai == 0 ? 0.0 : (1.0 - largeur) * (alea() % 1000) / 1000.0;
            ::Setup = {debut, largeur};
            SCOPED_TRACE(::testing::Message() << "window " << debut << " + " << largeur);
            EnteteF.ChecksumVerifie = 0; // each object checks on its first full view
            reference.CALCUL_GRAPH_FT_MEM();
            EnteteF.ChecksumVerifie = 0;
            rapide.CALCUL_GRAPH_FT_MEM();
            EXPECT_TRUE(rapide.DernierePasseRapide);
            EXPECT_EQ(rapide.CalculTerminer.load(), reference.CalculTerminer.load());
            ExpectTablesPareilles(rapide, reference);
            if (essai == 0) {
                EXPECT_TRUE(rapide.PyramidePrete());
                EXPECT_LE(rapide.OctetsPyramide(), budget);
                // The holes changed the data: both paths find the stored sum wrong.
                EXPECT_TRUE(rapide.ChecksumCompare);
                EXPECT_EQ(rapide.CalculTerminer.load(), CalculChecksumFaux);
            }
        }
    }
    // Under-sampling skips runs of scans at once: the same table as the plain algorithm.
    DonneesGraphe g;
    decimator = 0;
    Ref.Decim = 0;
    for (const float ratio : {7.f, 1000.f, 250000.f}) {
        SCOPED_TRACE(ratio);
        sousEchantillonageEnabled = true;
        underSamplingRatio = ratio;
        ::Setup = {0.1, 0.8};
        PasseComparee(g);
    }
}

TEST_F(LimitesPasse, BillionsOfScansAreQuickAndBounded) {
    // 2^34 scans: counts of scans, words and bytes beyond 32 bits.
    OuvrirCreux(Chemin("creux.rec"), 4 + (int64_t{1} << 36));
    ASSERT_GT(static_cast<int64_t>(EnteteF.NombreScans), int64_t{1} << 33);
    DonneesGraphe g;
    g.CheminDonnees = CheminOuvert;
    Passes(g, true);
}

TEST_F(LimitesPasse, BillionsOfScansNeedNoMemoryForThem) {
    if (limites_test::SousSanitizer) GTEST_SKIP() << "no address-space bound under a sanitizer";
    OuvrirCreux(Chemin("creux.rec"), int64_t{1} << 36);
    // A pyramid of blocks of 256 scans would need 600 MB for these scans.
    const int code = limites_test::DansEnfantBorne(int64_t{384} << 20, [] {
        DonneesGraphe g;
        ::Setup = {0.0, 1.0};
        g.CALCUL_GRAPH_FT_MEM();
        ::Setup = {0.25, 0.5};
        g.CALCUL_GRAPH_FT_MEM();
        return TableTerminee(g) && g.PyramidePrete() ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(LimitesPasse, PetabytesOfScansInMemoryFileSystem) {
    const std::string dossier = limites_test::DossierMemoire();
    if (dossier.empty()) GTEST_SKIP() << "no memory file system for a sparse file of petabytes";
    // 2^50 scans (4 PiB), below the largest count a recording may hold.
    const std::string chemin = dossier + "/ombrix-limites-" + std::to_string(::getpid()) + ".rec";
    const limites_test::Effaceur effaceur{chemin};
    OuvrirCreux(chemin, int64_t{1} << 52);
    DonneesGraphe g;
    g.CheminDonnees = CheminOuvert;
    // (Under-sampling keeps at least one scan in 2^31: half a million here.)
    Passes(g, false);
    Ouvreur.reset();
}

// The command line over such a file: every command quick, and its output what
// the samples and the zeros give.
TEST_F(LimitesPasse, CommandLineOverBillionsOfScans) {
    const std::string chemin = Chemin("creux.rec");
    OuvrirCreux(chemin, 4 + (int64_t{1} << 36));
    const QString fichier = QString::fromStdString(chemin);
    const QString ombrix = QString::fromLocal8Bit(qgetenv("OMBRIX_BUILD_DIR")) + QStringLiteral("/ombrix");
    ASSERT_FALSE(qgetenv("OMBRIX_BUILD_DIR").isEmpty()) << "run through ctest";
    const auto lancer = [&](const QStringList& arguments, QByteArray& sortie) {
        const auto debut = Horloge::now();
        const programme_test::tResultat p = programme_test::LANCER(ombrix, arguments, 30s);
        EXPECT_LT(Horloge::now() - debut, 10s) << arguments.join(' ').toStdString();
        sortie = p.Sortie;
        return p.Fini ? p.Code : -1;
    };
    QByteArray sortie;
    ASSERT_EQ(lancer({QStringLiteral("info"), fichier}, sortie), 0);
    EXPECT_TRUE(
        sortie.contains("\"scans\": " + QByteArray::number(static_cast<qint64>(EnteteF.NombreScans))));
    ASSERT_EQ(lancer({QStringLiteral("table"), fichier}, sortie), 0);
    const QList<QByteArray> lignes = sortie.split('\n');
    ASSERT_GE(lignes.size(), 1001);
    EXPECT_EQ(lignes[1], "0,100,5");
    EXPECT_EQ(lignes[1000], "999,0,0");
    EXPECT_EQ(lancer({QStringLiteral("table"), fichier, QStringLiteral("--undersample"),
                      QStringLiteral("100000000")},
                     sortie),
              0);
    EXPECT_EQ(lancer({QStringLiteral("render"), fichier, QStringLiteral("-o"),
                      QString::fromStdString(Chemin("creux.png"))},
                     sortie),
              0);
    EXPECT_EQ(lancer({QStringLiteral("measure"), fichier}, sortie), 0);
}

} // namespace
} // namespace graphe_test
