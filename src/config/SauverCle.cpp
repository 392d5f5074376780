#include "config/SauverCle.h"

#include "config/FichierConfig.h"
#include "shell/Registre.h"

bool SAUVER_CLE() {
    const bool configurationEcrite = SAVE_CONFIGURATION() == ResultatConfigOk;
    const bool clesEcrites = ECRIRE_CLES();
    return configurationEcrite && clesEcrites;
}
