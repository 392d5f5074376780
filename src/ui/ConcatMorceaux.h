// Joining a recording written in pieces (NAME, NAME0, NAME00...) as the viewer
// does it before opening: the question, then the progress window with the
// wait cursor while the pieces are copied. The file work is Concat in
// recording/MorceauxREC.h.
#pragma once

#include <QString>

#include "export/ExportDossier.h"

class QWidget;

namespace VIEW {

// When `nom` and `nom` + "0" both exist and the user agrees, joins the pieces
// into `nom`, showing the progress window (`parent` as its owner) and the wait
// cursor, with a 100 ms pause before the copy. A failure is told in a message
// box and leaves every piece as it was. True when the pieces were joined.
bool Concat(QWidget* parent, const QString& nom);

// Opening for the CSV folder export (SELECTIONNER_DOSSIER): joins the pieces
// of the recording as above, then opens it without dialog.
tOuvertureExport OUVERTURE_AVEC_MORCEAUX(QWidget* parent);

} // namespace VIEW
