#include "config/Couleurs.h"

int32_t CALCUL_COULEUR(int32_t couleur) {
    return couleur;
}
