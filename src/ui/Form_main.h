// The main window: menu bar, tool bar, the graph picture with its transparent
// overlay, the horizontal scroll bar, the progress bar and the small scroll bar
// of the cursor read-out. It owns the recording opener, the display pass's
// data with the background worker that runs it, the worker that draws the
// picture, and the graph object the picture on screen comes from; it turns
// every command into calls on them, and runs the redraw protocol with the
// workers: the user interface never reads samples nor draws traces, it asks
// for a pass, then for a picture of its table, polls both every 10 ms and
// shows finished pictures. Moving a cursor redraws only the overlay.
//
// There is one header record, the program's EnteteF, which the opener fills
// and the graph object reads.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "ui/ZoomFenetre.h"

class DonneesGraphe;
struct t_EnteteREC_GlobalTotal;
class grapheft;
class InstallationScripts;
class OuvreREC;
class TravailleurDessin;
class TravailleurGraphe;
class QAction;
class QLabel;
class QActionGroup;
class QDialog;
class QMenu;
class QPainter;
class QPrinter;
class QUrl;
class QProgressBar;
class QScrollBar;
class QTimer;
class QToolBar;

namespace VIEW {

class DialogueFiltreQt;
class ImageGraphe;
class SurcoucheGraphe;

class Form_main : public QMainWindow {
    Q_OBJECT
public:
    explicit Form_main(QWidget* parent = nullptr);
    ~Form_main() override;

    // ---- Opening -----------------------------------------------------------
    // "Open file": the file dialog, then the opening of the chosen recording.
    void OUVRIR_FICHIER();
    // Opens `nom` (its samples read from `fichierDonnees`) with `mode` 0 (the
    // filter dialog) or 1 (without it): recorded in the recent list first,
    // split pieces joined when the user agrees, script errors shown.
    void APPEL_FICHIER(const QString& nom, const QString& fichierDonnees, uint8_t mode);
    // After a successful opening: state, titles, the first pass.
    void FICHIER_OUVERT_OK();

    // ---- Redraw --------------------------------------------------------------
    // Command states and visibility, then RESIZE_FORM.
    void Modification();
    // Texts in the current language, then Modification.
    void Init_Form();
    // The scroll bar, a picture at the picture box's size (asked of the drawing
    // worker), the overlays.
    void RESIZE_FORM();
    // A new pass for the displayed window: the running pass is stopped first,
    // then `fenetre` (when given) becomes the window, the consistency rules
    // apply and the pass is requested.
    void RECALCUL_FORM(std::optional<tFenetre> fenetre = std::nullopt);
    // One tick of the 10 ms timer: a finished pass gets its picture asked
    // for, a finished picture is shown.
    void TICK_TIMER();
    // Overlays redrawn from the cursor positions.
    void AFFICH_CURSEUR();
    // Language: 0 French, 1 English, 2 German.
    void CHANGE_LANGUE(uint8_t langue);
    // Pictures shown since the window was made, and whether one is still
    // being waited for (a pass or a drawing): for tests and benchmarks.
    int64_t IMAGES_MONTREES() const { return ImagesMontrees_; }
    bool IMAGE_ATTENDUE() const;
    // The header texts of the open recording (the graph's title line) in the current
    // language; a title line the user retyped in the settings dialog stays his.
    void REFAIRE_TITRES();

    // ---- Zoom and scrolling --------------------------------------------------
    void ZOOM_PLUS();
    void ZOOM_MOINS();
    void ZOOM_PLEINE_PAGE();
    void ZOOM_ENTRE_CURSEUR();
    void CHANGEMENT_SCROLL(int valeur);
    void CHANGE_SCROLL_CURSEUR(int valeur);

    // ---- Mouse (overlay coordinates) ------------------------------------------
    void SOURIS_ON(const QPoint& point, Qt::MouseButton bouton);
    void GLISSE_SOURIS(const QPoint& point);
    void SOURIS_OFF(const QPoint& point);
    void SOURIS_EN_DEHORS(const QPoint& point);
    void MOLETTE(const QPoint& point, int delta);
    // Position in the list of present channels of the displayed channel whose
    // colour is drawn nearest the point, 255 when none.
    uint8_t RECHERCHE_PIXEL_COULEUR(const QPoint& point) const;
    // What the status bar says of a point of the overlay: the time of its
    // column and the values of the displayed channels there; empty off the plot.
    QString TEXTE_POINTEUR(const QPoint& point) const;
    void LECTURE_POINTEUR(const QPoint& point);

    // ---- Cursors and tool windows ----------------------------------------------
    void CURSEUR_ON_OFF();
    void MODIF_CURS_XY();
    void AFFICH_CURSEURY();
    // "Annotation": the annotation window on or off (a cross pointer on the graph while open).
    void APPEL_ANNOT();
    void FIN_ANNOT();
    // "Save Annotation file": the recording with its new annotations, in place or to a copy.
    void SAVE_ANNOT();
    // The display settings dialog on `page` (0 screens, 1 channels, 2 time base)
    // with channel `voie` (its position among the present channels; 255: the first).
    void APPEL_RETICULE(int page, int voie);
    // "Concatenate": the sample file is closed, the recordings chosen in the
    // concatenation dialog are joined, and the result is opened.
    void CONCATENATION();
    // "Mathematics calculations": the measurement window on or off.
    void AJOUT_MATH();
    // "Add": the function-channel dialog; a function defined there becomes a
    // channel of the recording on screen.
    void AJOUT_FONCTION_FORM();
    void FIN_CURSEURY();

    // ---- Exports and set-up files ------------------------------------------------
    // The save dialog's proposal for an export: folder and name of the recording
    // with ".xlsx" (0), ".txt" (1) or ".csv" (2).
    QString CALCUL_NOM_EXPORT(uint8_t type) const;
    void EXPORT(uint8_t type);
    void EXPORT_DOSSIER_CSV();
    void OUVRIR_CONF();
    void SAUVE_CONF();
    void RESET_CONF();
    void CSV_OPTION();

    // ---- Printing and the picture export ------------------------------------------
    // "Print": the print dialog (landscape), then the pages.
    void APPEL_IMPRESSION();
    // The pages of one print on `imprimante`: one picture of the displayed
    // window, or NombreDePageTotal slices of it, each recomputed, the screen's
    // window put back afterwards. False when the printer could not be used.
    bool IMPRIMER(QPrinter& imprimante);
    // The page count list: NombreDePageImprimante = index + 1, kept in 1..30.
    void MODIF_NOMBRE_DE_PAGE(int index);
    // "Bitmap export": the graph at its on-screen size, with the time cursors, as PNG.
    void FAIRE_BITMAP();
    // Writes that picture to `chemin`; false when it could not be written (the user is told).
    bool ENREGISTRER_BITMAP(const QString& chemin);

    // ---- Help -----------------------------------------------------------------------
    void APPEL_CHM();
    void APPEL_HELP();

    // Placement stored when the window closes.
    void ARRET_Form();

    // The file dialogs, replaceable by tests: the chosen path, or empty when
    // cancelled. (title, folder, proposed name, filter in the "text|pattern" form)
    std::function<QString(const QString&, const QString&, const QString&, const QString&)> DemanderOuverture;
    std::function<QString(const QString&, const QString&, const QString&, const QString&)>
        DemanderEnregistrement;
    std::function<QString(const QString&)> DemanderDossier;
    // The print dialog on a printer; true to print.
    std::function<bool(QPrinter&)> DemanderImpression;
    // Opens a file or a web address with the desktop's associated program.
    std::function<bool(const QUrl&)> OuvrirAvecBureau;
    // Runs a modal dialog; tests replace it to answer it.
    std::function<int(QDialog&)> ExecuterDialogue;

    // ---- State (the names the rest of the viewer knows them by) ------------------
    uint8_t FichierOuvert = 0;
    QString NomFichier;
    QString Fichier1, Fichier2, Fichier3, Fichier4;
    QString MessageEntete, MessageTitreEntete, MessageEntSimplifie;
    uint8_t ValiditeCurseur = 0;
    uint8_t ValiditeCurseurY = 0;
    double CursSouris1 = static_cast<double>(0.3f);
    double CursSouris2 = static_cast<double>(0.6f);
    double CursZoom1 = 0.0, CursZoom2 = 0.0;
    uint8_t Souris = 0;
    uint8_t SwitchSouris = 0;
    uint8_t ModScrollEnCours = 0;
    uint8_t CalculModifEnCours = 0;
    QImage BitmapCurseur, BitmapCurseury;
    int32_t LargeurImage = 0, HauteurImage = 0;
    uint8_t FormCalculOuvert = 0, FormCurseurYOuvert = 0, FormAnnotOuvert = 0;
    uint8_t OnVaAjouterUneAnnotation = 0, OnAAjouterUneAnnotation = 0;
    int SauvePositionXAnnot = 0, SauvePositionYAnnot = 0;
    uint8_t AnnotVerticale = 0;
    double SaveOrigine_Fenetre = 0.0, SaveDuree_Fenetre = 1.0;
    int16_t NombreDePageTotal = 1, NumeroDeLaPage = 0;
    std::vector<tFenetre> FenetresImprimees; // the window of each page of the last print

    // Owned parts.
    std::unique_ptr<OuvreREC> OuvrirRecord;
    // The picture on screen and its layout; the pictures drawn on the worker
    // become this object's (ECHANGER_DESSIN), so it is the same object for the
    // window's whole life.
    std::unique_ptr<grapheft> grapheFT;
    std::unique_ptr<DonneesGraphe> PasseEcran;      // the display pass of the window
    std::unique_ptr<TravailleurGraphe> Travailleur; // after PasseEcran: destroyed first
    std::unique_ptr<TravailleurDessin> Dessinateur; // destroyed before the scripts and the data
    std::unique_ptr<DialogueFiltreQt> DialogueFiltre;
    std::unique_ptr<InstallationScripts> MoteurScripts; // after the opener: removed first

    // Widgets (owned by the window), named as their objects.
    QToolBar* toolStrip1 = nullptr;
    ImageGraphe* pictureBox1 = nullptr;
    SurcoucheGraphe* pictureBox2 = nullptr;
    QScrollBar* hScrollBar1 = nullptr;
    QScrollBar* vScrollBarCurseur = nullptr;
    QProgressBar* progressBar1 = nullptr;
    QLabel* labelPointeur = nullptr; // the status bar's read-out under the pointer
    QLabel* labelAccueil = nullptr;  // without a recording: how to open one, the recent files
    QTimer* timer1 = nullptr;
    QMenu* contextMenuStrip1 = nullptr;
    QMenu* menuFichier = nullptr;
    QMenu* menuGraphique = nullptr;
    QMenu* menuOption = nullptr;
    QMenu* menuLangue = nullptr;
    QMenu* menuAide = nullptr;
    QMenu* menuPages = nullptr;
    QAction* actionOuvrir = nullptr;
    QAction* actionSauveAnnot = nullptr;
    QAction* actionConcatener = nullptr;
    QAction* actionOuvrirConf = nullptr;
    QAction* actionSauveConf = nullptr;
    QAction* actionResetConf = nullptr;
    QAction* actionExportBitmap = nullptr;
    QAction* actionExportCSV = nullptr;
    QAction* actionExportTexte = nullptr;
    QAction* actionExportExcel = nullptr;
    QAction* actionExportDossier = nullptr;
    QAction* actionImprimer = nullptr;
    QAction* actionPages = nullptr;
    QAction* actionRecents[4]{};
    QAction* separateurRecents = nullptr;
    QAction* actionQuitter = nullptr;
    QAction* actionProprietes = nullptr;
    QAction* actionLangues[3]{};
    QAction* actionCSVOption = nullptr;
    QAction* actionAideDetaillee = nullptr;
    QAction* actionAPropos = nullptr;
    QAction* boutonOuvrir = nullptr;
    QAction* boutonCurseur = nullptr;
    QAction* boutonHorVer = nullptr;
    QAction* boutonZoomPlus = nullptr;
    QAction* boutonZoomCurseurs = nullptr;
    QAction* boutonZoomMoins = nullptr;
    QAction* boutonPleinePage = nullptr;
    QAction* separateurCurseurY = nullptr;
    QAction* boutonCurseurY = nullptr;
    QAction* boutonProprietes = nullptr;
    QAction* boutonAjout = nullptr;
    QAction* boutonAide = nullptr;
    QAction* boutonAnnotation = nullptr;
    QAction* boutonCalcul = nullptr;
    QAction* actionCreerAnnotation = nullptr;
    QPointer<QWidget> FenetreCurseurY;
    QPointer<QWidget> FenetreCalcul;
    QPointer<QWidget> FenetreAnnot;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void CONSTRUIRE_MENUS();
    void CONSTRUIRE_OUTILS();
    void CONSTRUIRE_IMAGE();
    void Init_New();
    void PremiereInit();
    void OUVRIR(const QString& nom, const QString& fichierDonnees, uint8_t mode);
    void CLEAR_GRAPHE();
    void CONFIGURE_SCROLL();
    // The text of the window without a recording, in the language shown.
    void TEXTE_ACCUEIL();
    void PLACER_IMAGE();
    double POSITION_SOURIS(const QPoint& point) const;
    QPoint DANS_TRACE(const QPoint& point) const;
    bool PASSE_A_JOUR() const;
    // The display pass's table is complete (its pass finished and was seen).
    bool PASSE_COMPLETE() const;
    void DEPLACER(double pas);

public:
    // Where a tool window stored at (x, y) opens: a coordinate past the primary
    // screen's size less 30 becomes 0.
    QPoint POSITION_OUTIL(uint16_t x, uint16_t y) const;
    // Moves tool window `outil` where it opens: its stored place (x, y) as
    // POSITION_OUTIL reads it, or, never placed yet, inside the plot's top
    // right corner below the read-outs; always wholly on a screen with its
    // title bar in reach.
    void PLACER_OUTIL(QWidget& outil, uint16_t x, uint16_t y);
    // A shown tool window whose frame leaves its screen is brought back on it.
    void GARDER_SUR_ECRAN(QWidget& outil);

private:
    void CHANGE_CURSEUR_Y(const QPoint& point, int n);
    void JOINDRE_MORCEAUX(const QString& nom);
    bool IMPRESSION(QPainter& page, QPrinter& imprimante);
    void ATTENDRE_PASSE();
    void DESSINER_COPIE(grapheft& image, int largeur, int hauteur, bool curseursY);
    void CONSTRUIRE_PAGES();

    // Stops the running pass and drawing, and drops a picture not shown yet:
    // nothing reads the header, the scripts or the file meanwhile.
    void ARRETER_PASSE();
    // Asks the drawing worker for a picture of the window at its size: of the
    // pass's table when it is complete, of no table for a recording with no
    // picture yet; nothing while a pass that will ask for one runs.
    void DEMANDER_DESSIN();
    // A finished picture becomes the one on screen.
    void ADOPTER_DESSIN();
    // The picture on screen and its table are dropped: nothing of the
    // recording they were drawn from is shown or read out any more.
    void OUBLIER_IMAGE();
    // The recording on screen is closed: no file, no picture, the title and
    // the menus of a window without a recording.
    void FERMER_ENREGISTREMENT();

    tReglageScroll ReglageScroll_;
    int64_t PassesAvantDemande_ = 0;      // passes the worker had started before the last request
    bool DemandeEnCours_ = false;         // a pass was requested and its end not yet seen
    bool QuestionEnCours_ = false;        // the checksum question is open: the ticks wait
    bool ImageDeLEnregistrement_ = false; // the picture on screen is of the open recording
    uint64_t DernierDessin_ = 0;          // the last picture asked for
    int64_t ImagesMontrees_ = 0;
    // The header as it was when the running pass was asked for: the pass
    // writes into the program's one (the checksum state, the file handle),
    // so a picture asked for meanwhile copies this one.
    std::unique_ptr<t_EnteteREC_GlobalTotal> EntetePasse_;
    bool DessinApresPasse_ = false; // the finished pass's picture is being drawn
};

} // namespace VIEW
