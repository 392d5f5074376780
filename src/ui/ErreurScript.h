// The script error window, shown modally after an opening when the set-up of
// some math scripts reported a message: it names the slots ("FA" for slot 0,
// "FB" for slot 1...), not the messages.
#pragma once

#include <cstdint>

#include <QDialog>

#include "recording/FormatREC.h"

class QLabel;
class QPushButton;

namespace VIEW {

class ErreurScript : public QDialog {
    Q_OBJECT

public:
    explicit ErreurScript(const uint8_t (&erreurs)[NombreSlotsScript], QWidget* parent = nullptr);

    // Controls, named as their objects.
    QLabel* labelTexte = nullptr;        // M_ErreurScriptTrouve
    QLabel* labelSlots = nullptr;        // "F%c " per flagged slot
    QLabel* pictureBox = nullptr;        // the warning picture
    QPushButton* buttonRetour = nullptr; // M_Retour; Escape answers it too
};

// Text of the flagged slots: "F%c " with 'A' + s for every flagged slot s in 0..39.
QString TEXTE_SLOTS_ERREUR(const uint8_t (&erreurs)[NombreSlotsScript]);

// Shows the window modally over the active window (the opener's MontrerErreursScripts).
void MONTRER_ERREURS_SCRIPTS(const uint8_t (&erreurs)[NombreSlotsScript]);

} // namespace VIEW
