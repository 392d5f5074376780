// Batch users read only the program's own messages on standard error: the one warning Qt prints
// on every start without a session's runtime folder (XDG_RUNTIME_DIR unset, as under cron, ssh or
// a service) tells them nothing about their work, and Qt goes on with a private folder of its own.
#pragma once

#include <QString>

// True for that warning, whatever folder it names.
bool AVERTISSEMENT_SANS_INTERET(const QString& message);

// Installs a message handler that drops that warning and hands every other message to the
// handler in place before (Qt's own). Called before any application object exists.
void TAIRE_AVERTISSEMENTS_PLATEFORME();
