#include "graph/grapheft.h"

int16_t NombreVoieCurseurTotal = 0;
int16_t NombreVoieCurseurVisu = 0;

void RESET_GLOBAUX_DESSIN() {
    NombreVoieCurseurTotal = 0;
    NombreVoieCurseurVisu = 0;
}
