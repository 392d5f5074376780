#include "graph/GlobauxCurseurs.h"

int16_t VoieCurseurDebut = 0;

void RESET_GLOBAUX_CURSEURS() {
    VoieCurseurDebut = 0;
}
