// The small tool window of the amplitude cursors Y1 and Y2: shows them or not,
// and chooses their channel among the channels of the recording. It edits the
// main window's ValiditeCurseurY and Config's VoieCurseurY, and asks for a
// redraw after each change; the main window creates it (owner, position) and
// learns of its closing through QObject::destroyed.
#pragma once

#include <cstdint>

#include <QDialog>

#include "config/Config.h"
#include "recording/EnteteREC.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class grapheft;

namespace VIEW {

class FormCurseurY : public QDialog {
    Q_OBJECT

public:
    // `validiteCurseurY`: the main window's flag (1: amplitude cursors shown),
    // toggled by the check box. `graphe` places the cursors in the channel's
    // zone when they are switched on (none: they stay where they are).
    FormCurseurY(QWidget* parent, uint8_t& validiteCurseurY, grapheft* graphe, tConfig& config = Config,
                 const t_EnteteREC_GlobalTotal& entete = EnteteF);
    ~FormCurseurY() override;

    // The check box from ValiditeCurseurY; the list with the name of every
    // present channel in channel order, on the entry of VoieCurseurY (entry 0
    // when that channel is not in the list, which then becomes the channel).
    // Run by the constructor; again whenever the recording changes.
    void Init_CurseurY();

    QCheckBox* checkBox_AfficheCurseurY = nullptr;
    QComboBox* comboBoxCurseurY = nullptr;
    QPushButton* button1 = nullptr; // "Return": closes the window

signals:
    // The amplitude cursors changed: the main window redraws (RESIZE_FORM).
    void DemandeRedessin();

protected:
    void done(int resultat) override;
    void showEvent(QShowEvent* evenement) override;

private:
    // Check box changed: switched on from off, Y1 and Y2 go 10 pixels inside
    // the top and bottom of their zone.
    void MOD_VALID_CURSEUR_Y(bool coche);
    // List changed: the channel at that list position carries the cursors.
    void CHANGE_CURSEUR_Y(int position);
    // On closing: the window's position becomes the shared PosAnnotX, PosAnnotY.
    void OnFermeRienAVoir();

    uint8_t& ValiditeCurseurY;
    grapheft* Graphe;
    tConfig& Conf;
    const t_EnteteREC_GlobalTotal& Entete;
    bool PositionRangee = false;
};

} // namespace VIEW
