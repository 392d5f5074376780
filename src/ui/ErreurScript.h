// The script error window, shown modally after an opening when the set-up of
// some math scripts reported a message: it names the slots ("FA" for slot 0,
// "FB" for slot 1...), not the messages. Shown again when scripts stop or
// break off while they run, it also says for each of them where, why, and
// what its channel holds.
#pragma once

#include <cstdint>

#include <QDialog>

#include "recording/EnteteREC.h"
#include "recording/FormatREC.h"
#include "recording/ScriptsREC.h"

class QLabel;
class QPushButton;

namespace VIEW {

class ErreurScript : public QDialog {
    Q_OBJECT

public:
    explicit ErreurScript(const uint8_t (&erreurs)[NombreSlotsScript], QWidget* parent = nullptr);
    // The slots of `arrets` that reported, each with its report.
    ErreurScript(const tArretsScripts& arrets, const t_EnteteREC_GlobalTotal& entete,
                 QWidget* parent = nullptr);

    // Controls, named as their objects.
    QLabel* labelTexte = nullptr;        // M_ErreurScriptTrouve
    QLabel* labelSlots = nullptr;        // "F%c " per flagged slot
    QLabel* labelArrets = nullptr;       // one line per report of a running script; hidden without
    QLabel* pictureBox = nullptr;        // the warning picture
    QPushButton* buttonRetour = nullptr; // M_Retour; Escape answers it too
};

// Text of the flagged slots: "F%c " with 'A' + s for every flagged slot s in 0..39.
QString TEXTE_SLOTS_ERREUR(const uint8_t (&erreurs)[NombreSlotsScript]);

// Shows the window modally over the active window (the opener's MontrerErreursScripts).
void MONTRER_ERREURS_SCRIPTS(const uint8_t (&erreurs)[NombreSlotsScript]);
// The same for the reports of running scripts (the opener's MontrerArretsScripts).
void MONTRER_ARRETS_SCRIPTS(const tArretsScripts& arrets, const t_EnteteREC_GlobalTotal& entete);

} // namespace VIEW
