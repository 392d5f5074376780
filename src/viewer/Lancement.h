// What the viewer's entry point does around the command line, whichever way it then runs: the
// command-line error box, the options applied to the configuration, the opening of the named
// recording and the exported part of it.
#pragma once

#include <cstdint>

#include <QString>

#include "shell/LigneCommande.h"

class OuvreREC;

// The box of a command-line error: title "Error", the text "Error " and every argument, OK, the
// warning icon.
void SIGNALER_ERREUR_LIGNE(const tLigneCommande& ligne);

// The export options into Config: LimitationExport (cleared unless /n asked for a limit),
// LongueurExport and TempsAbsolu when given.
void APPLIQUER_LIGNE_COMMANDE(const tLigneCommande& ligne);

// Opens the recording named at start-up: recorded in the recent list, opened with the filter
// dialog when `modeExport` is 0 (through ouvre.Dialogue) and without it otherwise; once open,
// RepertoireSetUp becomes its folder. The opener reports its own failures. True when open.
bool APPEL_FICHIER_DEMARRAGE(OuvreREC& ouvre, const QString& chemin, uint8_t modeExport);

// The displayed window set to the exported part: the fractions in order, Setup.DebutFenetre the
// start and Setup.LargeurFenetre the width, kept inside the recording.
void FENETRE_EXPORT(const tLigneCommande& ligne);
