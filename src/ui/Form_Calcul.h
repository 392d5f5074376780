// The measurement tool window: switches the results on and off, sets how many
// slots are drawn, and for the current slot its channel and its measurement
// type; Min and Max may be pinned to their extremes. It writes straight into
// the configuration record and asks for a redraw after each change; the main
// window creates it (owner, position) and learns of its closing through
// QObject::destroyed.
#pragma once

#include <cstdint>

#include <QDialog>
#include <QLabel>

#include "config/Config.h"
#include "recording/EnteteREC.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace VIEW {

// Label of one measurement slot: clicking it makes the slot current; the
// current slot carries a marker in the blanks that start its text.
class EtiquetteCalcul : public QLabel {
    Q_OBJECT

public:
    explicit EtiquetteCalcul(QWidget* parent = nullptr);
    void MARQUER(bool marque);
    bool Marque() const { return Marque_; }

signals:
    void Clique();

protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;

private:
    bool Marque_ = false;
};

class Form_Calcul : public QDialog {
    Q_OBJECT

public:
    inline static constexpr int NombreEtiquettes = 10;

    explicit Form_Calcul(QWidget* parent = nullptr, tConfig& config = Config,
                         const t_EnteteREC_GlobalTotal& entete = EnteteF);
    ~Form_Calcul() override;

    // Fills every control from the configuration (changes are ignored
    // meanwhile). Run by the constructor, after each change, and by the owner
    // when the recording changes.
    void Init();

    // The slot the lists edit, always below the number of slots.
    int NumeroCalcul() const { return NumeroCalcul_; }

    QCheckBox* checkBoxValid = nullptr; // "Draw calculation"
    QGroupBox* groupBoxNombre = nullptr;
    QGroupBox* groupBoxChoix = nullptr;
    QGroupBox* groupBoxPlacement = nullptr;
    QLabel* labelNombre = nullptr;              // "Number  of calculations:"
    QSpinBox* numericUpDown1 = nullptr;         // 1..10
    EtiquetteCalcul* label[NombreEtiquettes]{}; // label0..label9
    QListWidget* listBoxVoie = nullptr;         // present channels, in channel order
    QListWidget* listBoxType = nullptr;         // the seven measurement types
    QCheckBox* checkBoxMinMax = nullptr;        // "Position Min and Max value onto the graph"
    QPushButton* buttonRetour = nullptr;        // "Return": closes the window

signals:
    // A setting changed: the main window redraws (RESIZE_FORM).
    void DemandeRedessin();

protected:
    void done(int resultat) override;
    void showEvent(QShowEvent* evenement) override;

private:
    void CHANGE_VALIDE();
    void CHANGE_NOMBRE(int nombre);
    void CHOIX_CALCUL(int k);
    void CHANGE_VOIE(int position);
    void CHANGE_TYPE(int position);
    void CHANGE_MINMAX();
    // After a change: controls refilled, redraw asked.
    void MODIFIE();
    // On closing: the window's position becomes PosCalculX, PosCalculY.
    void RANGER_POSITION();

    tConfig& Conf;
    const t_EnteteREC_GlobalTotal& Entete;
    int NumeroCalcul_ = 0;
    bool Remplissage_ = false;
    bool PositionRangee_ = false;
};

} // namespace VIEW
