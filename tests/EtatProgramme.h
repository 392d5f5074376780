// The starting point of a test of the graph, the export or the windows: the
// core's records (EtatCoeur.h) and those of the upper layers, back to their
// state at start-up. A test program calls the function its libraries provide.
#pragma once

#include "EtatCoeur.h"
#include "export/GlobauxExport.h"
#include "export/OptionsCSV.h"
#include "graph/GlobauxCurseurs.h"
#include "graph/GlobauxGraphe.h"
#include "graph/grapheft.h"

// The core, and the state the display pass and the drawing share.
inline void RESET_ETAT_GRAPHE() {
    RESET_ETAT_COEUR();
    RESET_GLOBAUX_GRAPHE();
    RESET_GLOBAUX_CURSEURS();
}

// Everything, the export's options and folder state included.
inline void RESET_ETAT_PROGRAMME() {
    RESET_ETAT_GRAPHE();
    RESET_OPTIONS_CSV();
    RESET_FOLDER_EXPORT();
}
