// State the fast display pass keeps in a graph object between passes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graph/PliRapide.h"
#include "graph/PyramidePli.h"

struct EtatPasseRapide {
    std::vector<uint8_t> Tampons[2];       // per-thread read buffers
    PyramidePli Pyramide;                  // built on its first full view
    std::unique_ptr<ResumePli[]> Colonnes; // summaries of columns 1..1000 of a pass
};
