#include "recording/EtatFonctions.h"

uint8_t NumeroNewFonction = 0;
uint8_t NumeroFonction = 0;
int16_t PremiereFonctionAjoutee = -1;

void RESET_FONCTIONS() {
    NumeroNewFonction = 0;
    NumeroFonction = 0;
    PremiereFonctionAjoutee = -1;
}
