// The viewer run from the command line with an export option: no window and no display server.
// The core application object only; message boxes keep the console handler (standard error).
#pragma once

#include <QStringList>

#include "shell/LigneCommande.h"

// Start-up, the named recording opened without dialog and exported next to itself, the settings
// saved. 0 when the export was written; 1 after a command-line error (nothing else is done and
// the settings are not saved), a recording that cannot be opened, none named, or a failed export.
int LANCER_CONSOLE(int& argc, char** argv, const QStringList& arguments, const tLigneCommande& ligne);
