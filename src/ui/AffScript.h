// The script text window: the 12 lines of the math script that computes a
// channel of the open recording, read-only, titled with the channel's name.
// Opened from the display settings dialog for a chosen computed channel.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class ScriptsREC;

namespace VIEW {

class AffScript : public QDialog {
    Q_OBJECT

public:
    // `voie`: channel number in the open recording's channel table; the slot
    // shown is the one whose script computes it (none: an empty text).
    AffScript(int voie, const ScriptsREC& scripts, QWidget* parent = nullptr);

    QPlainTextEdit* textBoxScript = nullptr; // named as its object
};

// The window's texts: the channel's stored name without trailing blanks, and
// the slot's 12 lines, each followed by a line break ("" for no slot).
QString TITRE_AFF_SCRIPT(int voie, const ScriptsREC& scripts);
QString TEXTE_AFF_SCRIPT(int voie, const ScriptsREC& scripts);

} // namespace VIEW
