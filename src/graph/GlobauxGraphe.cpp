#include "graph/GlobauxGraphe.h"

std::atomic<int32_t> decimator{0};
std::atomic<uint8_t> DemandeExport{0};

void RESET_GLOBAUX_GRAPHE() {
    decimator.store(0);
    DemandeExport.store(0);
}
