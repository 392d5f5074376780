// The background worker of the display: runs a pass of its graph data whenever
// DemandeCalcul is set, and ends cleanly, joined, when it is destroyed.
//
// It must not outlive the DonneesGraphe it runs: declare it after that object
// in its owner, so that it is destroyed first.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "graph/DonneesGraphe.h"

class TravailleurGraphe {
public:
    explicit TravailleurGraphe(DonneesGraphe& graphe);
    // Stops a running pass (within one scan) and joins the thread.
    ~TravailleurGraphe();
    TravailleurGraphe(const TravailleurGraphe&) = delete;
    TravailleurGraphe& operator=(const TravailleurGraphe&) = delete;

    // 1 asks for a pass. The worker looks at it at least every 10 ms; storing it
    // directly works, DemanderCalcul also wakes the worker at once.
    std::atomic<uint8_t> DemandeCalcul{0};

    // New pass for a new view window: column pointer 0, stop the running pass
    // and wait (2 ms steps, at most 5000) while it runs, column pointer 0 again,
    // then request the pass. The pass reads the header and the view window:
    // change them after the running pass is stopped (DonneesGraphe::ARRET_CALCUL),
    // not while it runs.
    void DemanderCalcul();

    // Passes started since construction (tests).
    int64_t PassesLancees() const { return Passes_.load(std::memory_order_acquire); }

private:
    void Boucle();

    DonneesGraphe& Graphe_;
    std::mutex Verrou_;
    std::condition_variable Reveil_;
    bool Fin_ = false; // under Verrou_
    std::atomic<int64_t> Passes_{0};
    std::thread Fil_; // last: started once everything above exists
};
