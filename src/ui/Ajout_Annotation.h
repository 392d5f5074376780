// The annotation tool window: the text, orientation and colour of the next
// annotation, showing or hiding all annotations, removing the last added ones
// and saving the recording with them. While it is open a click on the graph
// proposes an annotation there; the main window shows the "Create Annotation"
// menu and calls CREATION_ANNOTATION of this window when it is chosen.
//
// It never calls the main window itself: it works on the main window state
// handed to it in tLienAnnotation, asks for redraws (DemandeRedessin), and
// tells when the main menu's "Save Annotation file" entry is to be shown or
// hidden (EntreeSauveAnnot). The main window learns of its closing through
// QObject::destroyed.
#pragma once

#include <cstdint>
#include <functional>

#include <QColor>
#include <QDialog>
#include <QRect>

#include "config/Config.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace VIEW {

// What the window shares with the main window.
struct tLienAnnotation {
    uint8_t& AnnotVerticale;        // orientation of the next annotation (1: vertical)
    const int& SauvePositionXAnnot; // the click on the graph picture the main window stored
    const int& SauvePositionYAnnot;
    std::function<QRect()>
        ZoneTrace; // the graph's plot rectangle (DebutScrollX, DebutScrollY, ScrollX, ScrollY)
    std::function<void()> SauverAnnotations; // the main window's SAVE_ANNOT
};

class Ajout_Annotation : public QDialog {
    Q_OBJECT

public:
    Ajout_Annotation(QWidget* parent, tLienAnnotation lien, tConfig& config = Config);
    ~Ajout_Annotation() override;

    // The controls from Config and the main window state, in the current
    // language. Run by the constructor.
    void Init_Annot();

    // The annotation at the click the main window stored ("Create Annotation"
    // chosen): created, the buttons and the main menu entry shown, a redraw.
    // The result of the core's CREATION_ANNOTATION.
    uint8_t CREATION_ANNOTATION();
    // "Delete": the most recently added annotation is dropped; with none left
    // the buttons and the main menu entry are hidden. A redraw.
    void EFFACE_ANNOT();
    // The save button: the main window's SAVE_ANNOT, then the buttons.
    void SAVE_ANNOT();
    // "Delete" and the save button shown while annotations wait to be saved.
    // The main window calls it after saving from its own menu.
    void AFFICHE_BOUTONS();

    // The colour chooser, replaceable by tests: the chosen colour, an invalid
    // one when cancelled.
    std::function<QColor(const QColor& actuelle, QWidget* parent)> ChoisirCouleur;

    QCheckBox* checkBoxValider = nullptr;  // "Valid": annotations drawn and exported
    QWidget* panelAnnot = nullptr;         // the controls below, hidden with the annotations
    QLineEdit* textBoxAnnot = nullptr;     // text of the next annotation
    QCheckBox* checkBoxVertical = nullptr; // "vertical"
    QPushButton* buttonCouleur = nullptr;  // colour of the next annotation
    QLabel* labelAnnot = nullptr;          // hint, hidden
    QPushButton* buttonEfface = nullptr;   // "Delete"
    QPushButton* buttonSauve = nullptr;    // save the recording with its annotations
    QPushButton* buttonRetour = nullptr;   // "Return": closes the window

signals:
    // Annotations changed or were shown or hidden: the main window redraws (RESIZE_FORM).
    void DemandeRedessin();
    // The main menu's "Save Annotation file" is to be shown (true) or hidden.
    void EntreeSauveAnnot(bool visible);

protected:
    void done(int resultat) override;
    void showEvent(QShowEvent* evenement) override;

private:
    void CHANGE_TEXTE(const QString& texte);
    void CHANGE_VERTICAL(bool coche);
    void CHANGE_COULEUR();
    void CHANGE_VALIDER(bool coche);
    void MONTRER_COULEUR();
    // On closing: the window's position becomes PosAnnotX, PosAnnotY.
    void OnFermeRienAVoir();

    tLienAnnotation Lien;
    tConfig& Conf;
    bool PositionRangee = false;
};

} // namespace VIEW
