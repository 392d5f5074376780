// The viewer run with its window: the widget application, message boxes shown as real boxes.
#pragma once

#include <QStringList>

#include "shell/LigneCommande.h"

// Start-up, the main window, the settings saved at the end. 1 after a command-line error (shown
// in a box; the settings are then not saved), else 0.
int LANCER_FENETRE(int& argc, char** argv, const QStringList& arguments, const tLigneCommande& ligne);

// The main window, shown until it is closed, with the recording named on the command line opened
// in it (through the filter dialog).
void LANCER_FENETRE_PRINCIPALE(const tLigneCommande& ligne);
