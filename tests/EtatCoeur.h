// The starting point of a test: every program-wide record of the core back to
// its state at start-up, with the English texts and the default configuration.
// EtatProgramme.h adds the graph and export layers.
#pragma once

#include "config/Config.h"
#include "config/Defauts.h"
#include "recording/Annotations.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "recording/ScriptsREC.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"
#include "recording/TexteValeur.h"
#include "shell/Messages.h"

// Header, annotations, scripts, functions, opening, texts, Config and Setup.
inline void RESET_ETAT_COEUR() {
    RESET_ENTETE();
    RESET_ANNOTATIONS();
    RESET_VALIDITE_SCRIPTS();
    RESET_FONCTIONS();
    RESET_SOUS_ECHANTILLONNAGE();
    RESET_VALID_FICHIER();
    RESET_TEXTE_TEMPS();
    RESET_TEXTE_VALEUR();
    RESET_CONVERSION();
    RESET_LANGUE();
    Langue = 1;
    RESET_GLOBAL_CONFIG();
    INIT_CONFIG();
    RESET_GLOBAL_SETUP();
}
