#include "graph/TravailleurGraphe.h"

#include <chrono>

TravailleurGraphe::TravailleurGraphe(DonneesGraphe& graphe) : Graphe_(graphe), Fil_([this] { Boucle(); }) {}

TravailleurGraphe::~TravailleurGraphe() {
    {
        std::lock_guard<std::mutex> verrou(Verrou_);
        Fin_ = true;
    }
    // After Fin_: the loop clears the stop flag only under the lock and before
    // looking at Fin_, so a pass it starts from here on sees this request.
    Graphe_.ArretDemander.store(1, std::memory_order_relaxed);
    Reveil_.notify_all();
    Fil_.join();
}

void TravailleurGraphe::DemanderCalcul() {
    Graphe_.PointeurCyclique.store(0, std::memory_order_relaxed);
    Graphe_.ARRET_CALCUL();
    Graphe_.PointeurCyclique.store(0, std::memory_order_relaxed);
    {
        std::lock_guard<std::mutex> verrou(Verrou_);
        DemandeCalcul.store(1, std::memory_order_release);
    }
    Reveil_.notify_all();
}

void TravailleurGraphe::Boucle() {
    std::unique_lock<std::mutex> verrou(Verrou_);
    for (;;) {
        Reveil_.wait_for(verrou, std::chrono::milliseconds(10),
                         [this] { return Fin_ || DemandeCalcul.load(std::memory_order_acquire) != 0; });
        if (Fin_) return;
        if (DemandeCalcul.load(std::memory_order_acquire) == 0) continue;
        Graphe_.ArretDemander.store(0, std::memory_order_relaxed);
        DemandeCalcul.store(0, std::memory_order_relaxed);
        Passes_.fetch_add(1, std::memory_order_release);
        verrou.unlock();
        Graphe_.CALCUL_GRAPH_FT_MEM();
        verrou.lock();
    }
}
