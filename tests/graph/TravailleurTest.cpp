// Stopping a pass, the background worker and the wait while an export reads.
#include "GrapheTestUtil.h"

#include <chrono>

#include "Attente.h"
#include <thread>

#include "graph/TravailleurGraphe.h"

namespace graphe_test {
namespace {

using namespace std::chrono_literals;
using recmaker::Constant;
using recmaker::Rampe;

Enregistrement Moyen(int64_t scans = 200000) {
    return TKAR(scans, {Canal(0, Rampe(0, 1)), Canal(1, Rampe(9, 7)), Canal(2, Constant(0x4242))}, true,
                Rampe(0, 3));
}

// Page reads that can stop the pass or slow it down.
struct Crochet {
    DonneesGraphe* G = nullptr;
    int64_t ArretALaPage = -1;
    std::chrono::milliseconds Pause{0};
    int64_t Pages = 0;
    double ProgressionAlArret = -1;
    static int64_t Lecture(void* contexte, int32_t handle, int64_t position, void* tampon, int64_t n) {
        auto* c = static_cast<Crochet*>(contexte);
        if (++c->Pages == c->ArretALaPage) {
            c->G->ArretDemander = 1;
            c->ProgressionAlArret = c->G->Progression.load();
        }
        if (c->Pause.count() > 0) std::this_thread::sleep_for(c->Pause);
        return FichierREC::LireHandle(handle, position, tampon, n);
    }
};

bool TableTerminee(const DonneesGraphe& g) {
    return g.CalculTerminer.load(std::memory_order_acquire) == CalculFini &&
           g.PointeurCyclique.load(std::memory_order_acquire) == 1000;
}

TEST_F(PasseTest, StopEndsThePassWithinOneScan) {
    struct Cas {
        const char* Nom;
        int64_t Scans;
        int64_t Page;
    } cas[] = {{"reduction", 200000, 3}, {"spreading", 900, 1}};
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Nom);
        Ouvreur.reset();
        RESET_ENTETE();
        Ouvrir(Moyen(k.Scans));
        DonneesGraphe g;
        Crochet crochet{&g, k.Page};
        g.RemplacerLecture(&Crochet::Lecture, &crochet);
        g.CALCUL_GRAPH_FT_MEM();
        EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
        EXPECT_EQ(g.PointeurCyclique.load(), 0); // not marked complete
        EXPECT_EQ(g.ArretDemander.load(), 0);
        // No column closed after the stop, at most the one scan after it read.
        EXPECT_EQ(g.Progression.load(), crochet.ProgressionAlArret);
        EXPECT_LE(crochet.Pages, k.Page + 1);
    }
    // In the spreading path the stop ends the loop at once: column 1 is never written.
    DonneesGraphe g;
    Crochet crochet{&g, 1};
    g.RemplacerLecture(&Crochet::Lecture, &crochet);
    g.CALCUL_GRAPH_FT_MEM();
    EXPECT_EQ(g.Mot(0, 0), 0);
    EXPECT_EQ(g.Mot(1, 2), 0);
    EXPECT_EQ(g.Mot(0, 2), 0x4242);
}

TEST_F(PasseTest, WorkerRunsRequestedPassesAndHandsOverTheTable) {
    Ouvrir(Moyen());
    Ref.Passe(::Setup);
    DonneesGraphe g;
    {
        TravailleurGraphe travailleur(g);
        travailleur.DemanderCalcul();
        ASSERT_TRUE(ATTENDRE_QUE([&] { return TableTerminee(g); }));
        ExpectTablesEgales(g, Ref);
        // A request stored directly, as the window may do, is seen by the poll.
        g.PointeurCyclique = 0;
        travailleur.DemandeCalcul.store(1, std::memory_order_release);
        ASSERT_TRUE(ATTENDRE_QUE([&] { return travailleur.PassesLancees() == 2 && TableTerminee(g); }));
        ExpectTablesEgales(g, Ref);
    }
    EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
}

TEST_F(PasseTest, NewRequestStopsTheRunningPassAndRestarts) {
    Ouvrir(Moyen(600000)); // 28 pages, each read slowed down
    DonneesGraphe g;
    Crochet crochet{&g};
    crochet.Pause = 5ms;
    g.RemplacerLecture(&Crochet::Lecture, &crochet);
    TravailleurGraphe travailleur(g);
    travailleur.DemanderCalcul();
    ASSERT_TRUE(ATTENDRE_QUE([&] { return g.Progression.load() > 0.05; }));
    g.ARRET_CALCUL(); // the view window changes only while no pass reads it
    EXPECT_NE(g.CalculTerminer.load(), CalculEnCours);
    ::Setup = {0.5, 0.25};
    travailleur.DemanderCalcul();
    ASSERT_TRUE(ATTENDRE_QUE([&] { return travailleur.PassesLancees() == 2 && TableTerminee(g); }));
    Ref.Passe(::Setup);
    ExpectTablesEgales(g, Ref);
}

TEST_F(PasseTest, WorkerStartsAndStopsRepeatedly) {
    Ouvrir(Moyen(100000));
    DonneesGraphe g;
    for (int i = 0; i < 30; ++i) {
        TravailleurGraphe travailleur(g);
        if (i % 3 == 1) travailleur.DemanderCalcul(); // destroyed while it may be running
        if (i % 3 == 2) {
            travailleur.DemanderCalcul();
            ASSERT_TRUE(ATTENDRE_QUE([&] { return TableTerminee(g); }));
        }
    }
    EXPECT_NE(g.CalculTerminer.load(), CalculEnCours);
    // Still usable afterwards.
    TravailleurGraphe travailleur(g);
    travailleur.DemanderCalcul();
    ASSERT_TRUE(ATTENDRE_QUE([&] { return TableTerminee(g); }));
    Ref.Passe(::Setup);
    ExpectTablesEgales(g, Ref);
}

TEST_F(PasseTest, ExportHoldsThePassWhichStillHonoursAStop) {
    Ouvrir(Moyen());
    Ref.Passe(::Setup);
    DonneesGraphe g;
    {
        TravailleurGraphe travailleur(g);
        DemandeExport = 1;
        travailleur.DemanderCalcul();
        ASSERT_TRUE(ATTENDRE_QUE([&] { return g.CalculTerminer.load() == CalculEnCours; }));
        std::this_thread::sleep_for(60ms);
        EXPECT_EQ(g.CalculTerminer.load(), CalculEnCours);
        EXPECT_EQ(g.Progression.load(), 0.0);
        DemandeExport = 0; // the export is done: the pass goes on
        ASSERT_TRUE(ATTENDRE_QUE([&] { return TableTerminee(g); }));
        ExpectTablesEgales(g, Ref);

        // Held again, then the worker is destroyed: the waiting pass ends.
        DemandeExport = 1;
        travailleur.DemanderCalcul();
        ASSERT_TRUE(ATTENDRE_QUE([&] { return g.CalculTerminer.load() == CalculEnCours; }));
    }
    EXPECT_EQ(g.CalculTerminer.load(), CalculFini);
    EXPECT_EQ(g.PointeurCyclique.load(), 0);
    DemandeExport = 0;
}

} // namespace
} // namespace graphe_test
