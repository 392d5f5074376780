// Start-up initialisation of the viewer: the displayed window, the program name, the values kept
// in the program's key, the configuration file named on the command line or else the user's
// "setupviewer.spt", the ".spt" file association, and a consistent configuration.
#pragma once

#include <QString>

// In order:
//  1. Setup zeroed; the program-name buffer filled;
//  2. the values of the program's key read over their defaults (shell/Registre.h LIRE_CLES:
//     pages per print kept in 1..30, a language above 4 becomes English);
//  3. a first argument for which EST_FICHIER_CONFIG holds is loaded as a configuration file;
//  4. the ".spt" association registered for `cheminProgramme`;
//  5. unless that load gave 0, "setupviewer.spt" of the per-user data folder is loaded (its result
//     ignored);
//  6. the consistency pass.
// `premierArgument` is the first command-line argument, empty when there is none. True when the
// configuration file of the command line was loaded (a missing one counts as loaded, as the file
// loader reports it, so the defaults apply).
bool INIT_DEMARRAGE(const QString& premierArgument, const QString& cheminProgramme);
