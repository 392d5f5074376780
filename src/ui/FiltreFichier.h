// The file filter dialog shown when a recording is opened: a view over a
// FiltreFichierModele, which holds the state and the rules. Every control
// change goes to the model; the view then shows what the model decided.
#pragma once

#include <array>

#include <QDialog>
#include <QPointer>

#include "recording/FiltreFichierModele.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace VIEW {

class FiltreFichier : public QDialog {
    Q_OBJECT

public:
    // The model is filled and initialised by the opening; it must outlive the dialog.
    explicit FiltreFichier(FiltreFichierModele& modele, QWidget* parent = nullptr);

    FiltreFichierModele& Modele() const { return Modele_; }

public slots:
    // Any way of leaving without OK (Abort, Escape, the close box) cancels.
    void reject() override;

private:
    void CONSTRUIRE();
    void REMPLIR();
    void CHANGE_LISTE();
    void CEST_OK();
    void MONTRER_VISIBILITES();

    FiltreFichierModele& Modele_;

    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    QListWidget* listBox1 = nullptr;
    QGroupBox* groupBoxCalibre = nullptr;
    QRadioButton* radioButtonCalibre1 = nullptr;
    QRadioButton* radioButtonCalibre2 = nullptr;
    QGroupBox* groupBoxEcran = nullptr;
    QRadioButton* radioButtonAncienEcran = nullptr;
    QRadioButton* radioButtonPlusieurEcran = nullptr;
    QRadioButton* radioButton1ecran = nullptr;
    QCheckBox* checkBoxXY = nullptr;
    QGroupBox* groupBoxUnderSampling = nullptr;
    QCheckBox* sousEchantillon = nullptr;
    std::array<QRadioButton*, NombreBoutonsSousEchantillon> radioButtonUS{};
    QButtonGroup* groupeUS = nullptr;
    QPushButton* buttonOK = nullptr;
    QPushButton* button2 = nullptr;
};

// The viewer's way of showing the filter dialog during an opening: a modal
// FiltreFichier over the given model, owned by the given window.
class DialogueFiltreQt : public DialogueFiltre {
public:
    explicit DialogueFiltreQt(QWidget* parent = nullptr) : Parent_(parent) {}
    void DefinirParent(QWidget* parent) { Parent_ = parent; }
    bool EXECUTER(FiltreFichierModele& modele) override;

private:
    QPointer<QWidget> Parent_;
};

} // namespace VIEW
