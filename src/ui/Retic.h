// The display settings dialog: screens and graticule, colours, fonts and
// titles, per-channel display, logic inputs, the time window and the cursor
// read-out, on five pages. It edits Config in place, live: every change is
// written at once and DemandeRedessin() asks the main window to redraw behind
// the dialog. The caller (APPEL_RETICULE, ui/AppelReticule.h) keeps a byte copy
// of Config to put back when the dialog is not closed with "Valid".
//
// Channel names (header) and graph titles (main window) are not in Config and
// stay as edited. The time window is never written here while a display pass
// may read it: it goes to NouvelleFenetre, which the main window points at its
// recomputation.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QColor>
#include <QDateTime>
#include <QDialog>
#include <QFont>
#include <QString>

#include "config/Config.h"

class grapheft;
class ScriptsREC;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace VIEW {

// What the dialog reaches besides Config, EnteteF and Setup. Every link may be
// left empty: the matching control then does without it.
struct tLiensRetic {
    grapheft* Graphe = nullptr;            // its name and time-label fonts
    const ScriptsREC* Scripts = nullptr;   // script texts of the open recording
    QString* MessageEntete = nullptr;      // the main window's file-name line
    QString* MessageTitreEntete = nullptr; // and its title line
    QDateTime DateTrigger;                 // trigger date and time (wall clock)
    // The main window's redraw (RESIZE_FORM), connected to DemandeRedessin.
    std::function<void()> Redessiner;
    // The main window's recomputation for a new window (RECALCUL_FORM), which
    // stops the running pass before it writes Setup. Empty: no pass can run, and
    // the dialog writes Setup itself.
    std::function<void(double debut, double largeur)> NouvelleFenetre;
    // Runs the dialog modally; empty: exec(). Tests answer the dialog here.
    std::function<int(QDialog&)> Executer;
};

class Retic : public QDialog {
    Q_OBJECT

public:
    // page: 0 screen, 1 channels, 2 time base; voie: position of the channel in
    // the list of present channels (one that cannot be selected: the first).
    Retic(int page, int voie, const tLiensRetic& liens, QWidget* parent = nullptr);

    // ---- Choosers, replaceable by tests -------------------------------------
    // Colour chooser from a colour; nothing when cancelled.
    std::function<std::optional<QColor>(const QColor& depart)> ChoisirCouleur;
    // Font chooser from a font; with `couleur` it offers the text colour too
    // (in and out). Nothing when cancelled.
    std::function<std::optional<QFont>(const QFont& depart, QColor* couleur)> ChoisirPolice;
    // File chooser for the user graticule: the proposed name and a filter in the
    // "text|pattern" form; empty when cancelled.
    std::function<QString(const QString& propose, const QString& filtre)> ChoisirBitmap;
    // Runs the script text window; empty: exec().
    std::function<int(QDialog&)> ExecuterDialogue;

    // ---- State ----------------------------------------------------------------
    tConfig* SavConf = &Config; // the record being edited
    uint8_t PageAAfficher = 0;
    uint8_t NumeroVoie = 0;          // selected channel, as its position in the list of present channels
    uint8_t NumeroEcran = 1;         // selected screen, 1-based
    uint8_t OnAModifierLaConfig = 0; // 1 once closed with "Valid"
    uint8_t CalculModifEnCours = 0;  // 1 while the controls are filled: their events write nothing
    double BDT_Retic = 1e6;          // time unit of the time-base page, microseconds
    // Start and end of the recording and of the chosen window in absolute-time
    // mode, in microseconds since the epoch (the file-time values of the
    // platform, at a finer grain).
    int64_t DebutFic = 0, FinFic = 0, DebutEcran = 0, FinEcran = 0;

    // Channel number of each row of the channel lists (present channels in
    // increasing number; VRAI_NUMERO of the row).
    const std::vector<int>& VoiesListe() const { return Voies_; }
    // Real number of the selected channel.
    int VoieChoisie() const;

    // ---- Filling --------------------------------------------------------------
    // Every control from Config, the header and Setup.
    void REINIT_FORM();
    // The channel page for the selected channel.
    void INIT_NOM();
    // The "Script" group for the selected channel.
    void ACTIVE_BUTTON3();
    // Asks the main window to redraw.
    void REAFFICHER_TOTAL();

    // ---- Controls, named as their objects ---------------------------------------
    QTabWidget* tabControl1 = nullptr;
    QWidget* pageEcran = nullptr;
    QWidget* pageVoie = nullptr;
    QWidget* pageLogique = nullptr; // in the tabs only when the logic inputs are displayed
    QWidget* pageTemps = nullptr;   // hidden in XY mode
    QWidget* pageCurseur = nullptr;
    QPushButton* buttonValid = nullptr;
    QPushButton* buttonAbort = nullptr;

    // Screen page: layout group.
    QGroupBox* groupBoxDisposition = nullptr;
    QLabel* labelNbEcran = nullptr;
    QSpinBox* numericNbEcran = nullptr;
    QLabel* labelNumEcran = nullptr;
    QSpinBox* numericNumEcran = nullptr;
    QLabel* labelHaut = nullptr;
    QSpinBox* numericHaut = nullptr;
    QLabel* labelBas = nullptr;
    QSpinBox* numericBas = nullptr;
    QLabel* labelDivision = nullptr;
    QSpinBox* numericDivision = nullptr;
    QCheckBox* checkBoxBornes = nullptr;
    QCheckBox* checkBoxReticPerso = nullptr;
    QLineEdit* textBoxReticPerso = nullptr; // double-click: the file chooser
    QCheckBox* checkBoxXY = nullptr;
    QLabel* labelVoieX = nullptr;
    QComboBox* comboBoxVoieX = nullptr;
    QGroupBox* groupBoxXY = nullptr;
    QRadioButton* radioButtonPoints = nullptr;
    QRadioButton* radioButtonLignes = nullptr;
    QGroupBox* groupBoxLogique = nullptr;
    QLabel* labelPositionVL = nullptr;
    QComboBox* comboBoxPositionVL = nullptr; // "top", "bottom"
    QLabel* labelHauteurVL = nullptr;
    QSpinBox* numericHauteurVL = nullptr;
    QCheckBox* checkBoxVLEnDehors = nullptr;
    // Screen page: titles and colours.
    QGroupBox* groupBoxTitre = nullptr;
    QLineEdit* textBoxNomFichier = nullptr; // taken on Enter or when it loses focus
    QLineEdit* textBoxTitre = nullptr;      // taken on every change
    QPushButton* buttonPoliceNom = nullptr;
    QGroupBox* groupBoxCouleurs = nullptr;
    QPushButton* buttonCouleurFond = nullptr;
    QPushButton* buttonCouleurReticule = nullptr;

    // Channel page.
    QListWidget* listBoxVoies = nullptr;
    QCheckBox* checkBoxOn = nullptr;
    QLineEdit* textBoxNomVoie = nullptr; // at most 26 characters
    QWidget* panelVoie = nullptr;        // shown while the channel is displayed
    QPushButton* buttonCouleurVoie = nullptr;
    QLabel* labelEpaisseur = nullptr;
    QSpinBox* numericEpaisseur = nullptr;
    QLabel* labelMax = nullptr;
    QLineEdit* textBoxMax = nullptr;
    QLabel* labelMin = nullptr;
    QLineEdit* textBoxMin = nullptr;
    QLabel* labelUnite = nullptr;
    QPushButton* buttonBornes = nullptr; // takes both bounds
    QGroupBox* groupBoxFormat = nullptr;
    QRadioButton* radioButtonISO = nullptr;
    QRadioButton* radioButtonFixe = nullptr;
    QRadioButton* radioButtonExpo = nullptr;
    QLabel* labelChangementEcran = nullptr;
    QToolButton* buttonEcranHaut = nullptr; // previous screen
    QToolButton* buttonEcranBas = nullptr;  // next screen
    QGroupBox* groupBoxOptionsBornes = nullptr;
    QCheckBox* checkBoxPlusieurBorne = nullptr;
    QCheckBox* checkBoxNomVertical = nullptr;
    QPushButton* buttonPoliceBornes = nullptr;
    QPushButton* buttonModifFonction = nullptr; // "Change", for added function channels
    QGroupBox* groupBoxScript = nullptr;
    QPushButton* buttonScript = nullptr;

    // Logic page.
    std::array<QCheckBox*, NombreLogiquesConfig> checkBoxLogique{};
    QComboBox* comboBoxLogique = nullptr;
    QPushButton* buttonCouleurLogique = nullptr;

    // Time-base page.
    QGroupBox* groupBoxTemps = nullptr; // enabled with an internal time base
    QRadioButton* radioButtonRelatif = nullptr;
    QRadioButton* radioButtonAbsolu = nullptr;
    QWidget* panelRelatif = nullptr;
    QLabel* labelDebut = nullptr;
    QDoubleSpinBox* numericDebut = nullptr;
    QLabel* labelFin = nullptr;
    QDoubleSpinBox* numericFin = nullptr;
    QLabel* labelUniteTemps = nullptr; // "µsec", "millisec", "sec", "min", "H"
    QWidget* panelDate = nullptr;
    QLabel* labelDateDebut = nullptr;
    QDateTimeEdit* dateTimeDebut = nullptr;
    QLabel* labelDateFin = nullptr;
    QDateTimeEdit* dateTimeFin = nullptr;
    QPushButton* buttonInitDate = nullptr; // the whole recording

    // Cursor page.
    QCheckBox* checkBoxBoiteCurseur = nullptr;
    QGroupBox* groupBoxBoiteCurseur = nullptr; // enabled while the box above is ticked
    QLabel* labelNbVoieCurseur = nullptr;
    QSpinBox* numericNbVoieCurseur = nullptr;
    std::array<QRadioButton*, 4> radioButtonPosCurseur{}; // top, right, bottom, left
    QCheckBox* checkBoxCurseurDansRetic = nullptr;
    QPushButton* buttonCouleurCurseur = nullptr;
    QGroupBox* groupBoxSuitCurseur = nullptr; // hidden in XY mode
    QCheckBox* checkBoxValeurSuit = nullptr;
    QComboBox* comboBoxVoieSuit = nullptr; // shown while the box above is ticked

signals:
    void DemandeRedessin();

protected:
    // Enter takes the value of the control that has the focus; it never closes
    // the dialog.
    void keyPressEvent(QKeyEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // Pages, built once.
    QWidget* CONSTRUIRE_ECRAN();
    QWidget* CONSTRUIRE_VOIES();
    QWidget* CONSTRUIRE_LOGIQUE();
    QWidget* CONSTRUIRE_TEMPS();
    QWidget* CONSTRUIRE_CURSEUR();
    void CHOISIR_PAGE(int page);

    // Filling, page by page (CalculModifEnCours is already 1).
    void REMPLIR_ECRAN();
    void REMPLIR_VOIES();
    void REMPLIR_LOGIQUE();
    void INIT_CHANGE_DATE();
    void REMPLIR_CURSEUR();
    void REMPLIR_LISTE(QComboBox* liste);

    // Screen page.
    void INIT_Reticule(int nombre);
    void CHANGE_ECRAN_CHOISI(int numero);
    void CHANGE_HAUT(int valeur);
    void CHANGE_BAS(int valeur);
    void CHANGE_DIVISION(int valeur);
    void CHANGE_RETIC_PERSO(bool coche);
    void CHOISIR_RETIC_PERSO();
    void CHANGE_XY(bool coche);
    void CHANGE_VOIE_X(int position);
    void CHANGE_XY_POINTS();
    void CHANGE_VL();
    void CHANGE_VL_EN_DEHORS(bool coche);
    QWidget* CONSTRUIRE_TITRES(QWidget* page);
    QWidget* CONSTRUIRE_COULEURS(QWidget* page);
    void REMPLIR_TITRES();
    // The colour chooser from a stored colour: the picked colour through
    // CALCUL_COULEUR, nothing when cancelled.
    std::optional<int32_t> CHOISIR_COULEUR(int32_t actuelle);
    void CHANGE_NOM_FICHIER();
    void CHANGE_TITRE(const QString& texte);
    void CHANGE_POLICE_NOM();

    // Channel page.
    void CHANGE_VOIE_CHOISIE(int ligne);
    void CHANGE_ON(bool coche);
    void CHANGE_NOM_VOIE(const QString& texte);
    void CHANGE_EPAISSEUR(int valeur);
    void CHANGE_BORNES(bool max, bool min);
    void CHANGE_FORMAT(uint8_t format);
    void CHANGE_PLUSIEUR_BORNE(bool coche);
    void CHANGE_NOM_VERTICAL(bool coche);
    void CHANGE_POLICE_BORNES();
    void CHANGE_ECRAN_VOIE(int sens);
    void MODIF_FONCTION_VOIE();
    void AFFICHE_SCRIPT();

    // Logic page.
    void CHANGE_LOGIQUE(int k, bool coche);
    void CHANGE_COULEUR_LOGIQUE();

    // Time-base page.
    void CHANGE_MODE_TEMPS(uint8_t absolu);
    void CHANGE_DATE();
    void INIT_DATE();
    void FENETRE(double debut, double largeur);

    // Cursor page.
    void CHANGE_BOITE_CURSEUR(bool coche);
    void CHANGE_NB_VOIE_CURSEUR(int valeur);
    void CHANGE_POSITION_CURSEUR();
    void CHANGE_VALEUR_SUIT(bool coche);
    void CHANGE_VOIE_SUIT(int position);

    // Refill, then redraw: the end of every change.
    void APRES_CHANGEMENT();

    tLiensRetic Liens_;
    std::vector<int> Voies_;
};

} // namespace VIEW
