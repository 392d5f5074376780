// Construction, texts, command states and the redraw of the main window.
#include "ui/Form_main.h"

#include <cmath>
#include <cstdio>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "config/Config.h"
#include "graph/TravailleurDessin.h"
#include "graph/TravailleurGraphe.h"
#include "graph/grapheft.h"
#include "math/InstallationScripts.h"
#include "recording/EnteteREC.h"
#include "recording/EtatFonctions.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "ui/Ajout_Annotation.h"
#include "ui/ErreurScript.h"
#include "ui/FiltreFichier.h"
#include "ui/IconesOutils.h"
#include "ui/ImageGraphe.h"
#include "ui/Mnemoniques.h"
#include "ui/OuvertureBureau.h"
#include "ui/TexteMessage.h"
#include "ui/TraductionQt.h"

namespace VIEW {

namespace {

// Commands whose work is not part of this build stay hidden whatever the state
// says: nothing is offered before it works.
const char* const ProprieteDisponible = "disponible";

void Montrer(QAction* action, bool visible) {
    if (!action) return;
    const QVariant disponible = action->property(ProprieteDisponible);
    action->setVisible(visible && (!disponible.isValid() || disponible.toBool()));
}

void Indisponible(QAction* action) {
    action->setProperty(ProprieteDisponible, false);
    action->setVisible(false);
}

QString FiltreQt(const QString& filtre) {
    // "text|pattern" pairs become the "text (pattern)" lines of the file dialogs.
    const QStringList parties = filtre.split(QLatin1Char('|'));
    QStringList lignes;
    for (int i = 0; i + 1 < parties.size(); i += 2)
        lignes.append(parties[i].trimmed() + QStringLiteral(" (") + parties[i + 1] + QLatin1Char(')'));
    return lignes.join(QStringLiteral(";;"));
}

} // namespace

Form_main::Form_main(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form_main"));
    setAcceptDrops(true);
    DemanderOuverture = [this](const QString& titre, const QString& dossier, const QString& nom,
                               const QString& filtre) {
        return QFileDialog::getOpenFileName(this, titre, QDir(dossier).filePath(nom), FiltreQt(filtre));
    };
    DemanderEnregistrement = [this](const QString& titre, const QString& dossier, const QString& nom,
                                    const QString& filtre) {
        return QFileDialog::getSaveFileName(this, titre, QDir(dossier).filePath(nom), FiltreQt(filtre));
    };
    DemanderDossier = [this](const QString& dossier) {
        return QFileDialog::getExistingDirectory(this, QString(), dossier);
    };
    ExecuterDialogue = [](QDialog& dialogue) { return dialogue.exec(); };
    DemanderImpression = [this](QPrinter& imprimante) {
        QPrintDialog dialogue(&imprimante, this);
        return dialogue.exec() == QDialog::Accepted;
    };
    OuvrirAvecBureau = OUVRIR_AVEC_BUREAU;

    CONSTRUIRE_MENUS();
    CONSTRUIRE_OUTILS();
    CONSTRUIRE_IMAGE();

    timer1 = new QTimer(this);
    timer1->setObjectName(QStringLiteral("timer1"));
    timer1->setInterval(10);
    connect(timer1, &QTimer::timeout, this, &Form_main::TICK_TIMER);

    Init_New();
    Init_Form();
    PremiereInit();
    OuvrirRecord = std::make_unique<OuvreREC>(&EnteteF);
    DialogueFiltre = std::make_unique<DialogueFiltreQt>(this);
    OuvrirRecord->Dialogue = DialogueFiltre.get();
    // The opening shows the script-error window itself when a script failed to compile.
    OuvrirRecord->MontrerErreursScripts = VIEW::MONTRER_ERREURS_SCRIPTS;
    OuvrirRecord->MontrerArretsScripts = [ouvre = OuvrirRecord.get()](const tArretsScripts& arrets) {
        VIEW::MONTRER_ARRETS_SCRIPTS(arrets, *ouvre->EnteteFichier);
    };
    MoteurScripts = INSTALLER_SCRIPTS(*OuvrirRecord);
    EnteteF.HandleFichier = 0;
    timer1->start();
}

Form_main::~Form_main() {
    // The workers first: they stop and are joined before what they read goes
    // (the drawing runs the recording's scripts).
    Dessinateur.reset();
    Travailleur.reset();
    MoteurScripts.reset();
}

void Form_main::Init_New() {
    RESET_ENTETE();
    grapheFT = std::make_unique<grapheft>(&EnteteF, &Setup);
    grapheFT->maForm_main = this;
    grapheFT->Initialisation(); // fonts, before a picture has been drawn
    PasseEcran = std::make_unique<DonneesGraphe>(&EnteteF, &Setup);
    Travailleur = std::make_unique<TravailleurGraphe>(*PasseEcran);
    Dessinateur = std::make_unique<TravailleurDessin>();
    pictureBox1->Image = &grapheFT->NewBitmap;
}

void Form_main::PremiereInit() {
    QDir(QDir::temp().filePath(QStringLiteral("OMB_MEM"))).removeRecursively();
    if (LargeurGra <= 300) LargeurGra = LargeurGraDefaut;
    if (HauteurGra <= 300) HauteurGra = HauteurGraDefaut;
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (ecran) {
        const QSize taille = ecran->size();
        if (PosGraX + LargeurGra > taille.width()) {
            PosGraX = 0;
            LargeurGra = static_cast<uint16_t>(taille.width());
        }
        if (PosGraY + HauteurGra > taille.height()) {
            PosGraY = 0;
            HauteurGra = static_cast<uint16_t>(taille.height());
        }
    }
    move(PosGraX, PosGraY);
    resize(LargeurGra, HauteurGra);
    CursSouris1 = static_cast<double>(0.3f);
    CursSouris2 = static_cast<double>(0.6f);
    PremiereFonctionAjoutee = -1;
}

// ---- Controls ---------------------------------------------------------------

void Form_main::CONSTRUIRE_MENUS() {
    QMenuBar* barre = menuBar();
    menuFichier = barre->addMenu(QString());
    menuFichier->setObjectName(QStringLiteral("menuFichier"));
    actionOuvrir = menuFichier->addAction(QString(), this, &Form_main::OUVRIR_FICHIER);
    actionOuvrir->setShortcut(QKeySequence::Open);
    actionSauveAnnot = menuFichier->addAction(QString(), this, &Form_main::SAVE_ANNOT);
    actionConcatener = menuFichier->addAction(QString(), this, &Form_main::CONCATENATION);
    menuFichier->addSeparator();
    actionOuvrirConf = menuFichier->addAction(QString(), this, &Form_main::OUVRIR_CONF);
    actionSauveConf = menuFichier->addAction(QString(), this, &Form_main::SAUVE_CONF);
    actionResetConf = menuFichier->addAction(QString(), this, &Form_main::RESET_CONF);
    menuFichier->addSeparator();
    actionExportBitmap = menuFichier->addAction(QString(), this, &Form_main::FAIRE_BITMAP);
    actionExportExcel = menuFichier->addAction(QString(), this, [this] { EXPORT(0); });
    actionExportCSV = menuFichier->addAction(QString(), this, [this] { EXPORT(2); });
    actionExportTexte = menuFichier->addAction(QString(), this, [this] { EXPORT(1); });
    actionExportDossier = menuFichier->addAction(QString(), this, &Form_main::EXPORT_DOSSIER_CSV);
    menuFichier->addSeparator();
    actionImprimer = menuFichier->addAction(QString(), this, &Form_main::APPEL_IMPRESSION);
    actionImprimer->setShortcut(QKeySequence::Print);
    menuPages = new QMenu(this);
    actionPages = menuFichier->addMenu(menuPages);
    menuFichier->addSeparator();
    for (int k = 0; k < 4; ++k) {
        actionRecents[k] = menuFichier->addAction(QString());
        actionRecents[k]->setObjectName(QStringLiteral("fichierRecent%1").arg(k + 1));
        connect(actionRecents[k], &QAction::triggered, this, [this, k] {
            const QString chemin = actionRecents[k]->data().toString();
            if (!chemin.isEmpty()) APPEL_FICHIER(chemin, chemin, 0);
        });
    }
    separateurRecents = menuFichier->addSeparator();
    actionQuitter = menuFichier->addAction(QString(), this, &QWidget::close);
    actionQuitter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    menuGraphique = barre->addMenu(QString());
    menuGraphique->setObjectName(QStringLiteral("menuGraphique"));
    actionProprietes = menuGraphique->addAction(QString(), this, [this] { APPEL_RETICULE(0, 0); });

    menuOption = barre->addMenu(QString());
    menuLangue = menuOption->addMenu(QString());
    auto* groupe = new QActionGroup(this);
    for (int l = 0; l < 3; ++l) {
        actionLangues[l] = menuLangue->addAction(QString());
        actionLangues[l]->setCheckable(true);
        groupe->addAction(actionLangues[l]);
        connect(actionLangues[l], &QAction::triggered, this,
                [this, l] { CHANGE_LANGUE(static_cast<uint8_t>(l)); });
    }
    actionCSVOption = menuOption->addAction(QString(), this, &Form_main::CSV_OPTION);

    menuAide = barre->addMenu(QString());
    actionAideDetaillee = menuAide->addAction(QString(), this, &Form_main::APPEL_CHM);
    actionAideDetaillee->setShortcut(QKeySequence::HelpContents);
    actionAPropos = menuAide->addAction(QString(), this, &Form_main::APPEL_HELP);

    // Reached from the command line only.
    actionExportExcel->setVisible(false);
    Indisponible(actionExportExcel);
    // Their dialogs and work come with later parts of the viewer.
    actionSauveAnnot->setVisible(false); // shown once an annotation was created
}

void Form_main::CONSTRUIRE_OUTILS() {
    toolStrip1 = addToolBar(QString());
    toolStrip1->setObjectName(QStringLiteral("toolStrip1"));
    toolStrip1->setMovable(false);
    toolStrip1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const QStyle* s = style();
    auto bouton = [&](tIconeOutil icone, const char* nom, auto&& action) {
        QAction* a = toolStrip1->addAction(ICONE_OUTIL(icone, s), QString(), this, action);
        a->setObjectName(QLatin1String(nom));
        return a;
    };
    boutonOuvrir = bouton(tIconeOutil::Ouvrir, "boutonOuvrir", [this] { OUVRIR_FICHIER(); });
    toolStrip1->addSeparator();
    boutonCurseur = bouton(tIconeOutil::Curseur, "boutonCurseur", [this] { CURSEUR_ON_OFF(); });
    boutonHorVer = bouton(tIconeOutil::HorVer, "boutonHorVer", [this] { MODIF_CURS_XY(); });
    boutonZoomPlus = bouton(tIconeOutil::ZoomPlus, "boutonZoomPlus", [this] { ZOOM_PLUS(); });
    boutonZoomPlus->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence::ZoomIn});
    boutonZoomCurseurs =
        bouton(tIconeOutil::ZoomCurseurs, "boutonZoomCurseurs", [this] { ZOOM_ENTRE_CURSEUR(); });
    boutonZoomMoins = bouton(tIconeOutil::ZoomMoins, "boutonZoomMoins", [this] { ZOOM_MOINS(); });
    boutonZoomMoins->setShortcuts({QKeySequence(Qt::Key_Minus), QKeySequence::ZoomOut});
    boutonPleinePage = bouton(tIconeOutil::PleinePage, "boutonPleinePage", [this] { ZOOM_PLEINE_PAGE(); });
    boutonPleinePage->setShortcut(QKeySequence(Qt::Key_Home));
    separateurCurseurY = toolStrip1->addSeparator();
    boutonCurseurY = bouton(tIconeOutil::CurseurY, "boutonCurseurY", [this] { AFFICH_CURSEURY(); });
    boutonProprietes = bouton(tIconeOutil::Proprietes, "boutonProprietes", [this] { APPEL_RETICULE(0, 0); });
    boutonAjout = bouton(tIconeOutil::Ajout, "boutonAjout", [this] { AJOUT_FONCTION_FORM(); });
    boutonAide = bouton(tIconeOutil::Aide, "boutonAide", [this] { APPEL_CHM(); });
    boutonAnnotation = bouton(tIconeOutil::Annotation, "boutonAnnotation", [this] { APPEL_ANNOT(); });
    boutonCalcul = bouton(tIconeOutil::Calcul, "boutonCalcul", [this] { AJOUT_MATH(); });
}

void Form_main::CONSTRUIRE_IMAGE() {
    auto* centre = new QWidget(this);
    auto* disposition = new QVBoxLayout(centre);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    pictureBox1 = new ImageGraphe(centre);
    pictureBox1->Visible = [this] { return FichierOuvert == 1; };
    pictureBox1->Peint = [this] { ModScrollEnCours = 0; };
    pictureBox1->installEventFilter(this);
    disposition->addWidget(pictureBox1, 1);
    labelAccueil = new QLabel(centre);
    labelAccueil->setObjectName(QStringLiteral("labelAccueil"));
    labelAccueil->setAlignment(Qt::AlignCenter);
    labelAccueil->setWordWrap(true);
    labelAccueil->setTextFormat(Qt::RichText);
    labelAccueil->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(labelAccueil, &QLabel::linkActivated, this, [this](const QString& lien) {
        const QString chemin = QUrl(lien).toLocalFile();
        if (!chemin.isEmpty()) APPEL_FICHIER(chemin, chemin, 0);
    });
    disposition->addWidget(labelAccueil, 1);
    disposition->addStretch(0);

    pictureBox2 = new SurcoucheGraphe(pictureBox1);
    pictureBox2->Calque1 = &BitmapCurseur;
    pictureBox2->Calque2 = &BitmapCurseury;
    connect(pictureBox2, &SurcoucheGraphe::Appui, this,
            [this](QMouseEvent* e) { SOURIS_ON(e->position().toPoint(), e->button()); });
    connect(pictureBox2, &SurcoucheGraphe::Glisse, this,
            [this](QMouseEvent* e) { GLISSE_SOURIS(e->position().toPoint()); });
    connect(pictureBox2, &SurcoucheGraphe::Relache, this,
            [this](QMouseEvent* e) { SOURIS_OFF(e->position().toPoint()); });
    connect(pictureBox2, &SurcoucheGraphe::Sortie, this, &Form_main::SOURIS_EN_DEHORS);
    connect(pictureBox2, &SurcoucheGraphe::Molette, this, [this](QWheelEvent* e) {
        MOLETTE(e->position().toPoint(), e->angleDelta().y());
        e->accept();
    });

    vScrollBarCurseur = new QScrollBar(Qt::Vertical, pictureBox2);
    vScrollBarCurseur->setObjectName(QStringLiteral("vScrollBarCurseur"));
    vScrollBarCurseur->hide();
    connect(vScrollBarCurseur, &QScrollBar::valueChanged, this, &Form_main::CHANGE_SCROLL_CURSEUR);

    hScrollBar1 = new QScrollBar(Qt::Horizontal, centre);
    hScrollBar1->setObjectName(QStringLiteral("hScrollBar1"));
    hScrollBar1->setFocusPolicy(Qt::NoFocus);
    hScrollBar1->hide();
    connect(hScrollBar1, &QScrollBar::valueChanged, this, &Form_main::CHANGEMENT_SCROLL);
    disposition->addWidget(hScrollBar1);
    setCentralWidget(centre);

    progressBar1 = new QProgressBar(this);
    progressBar1->setObjectName(QStringLiteral("progressBar1"));
    progressBar1->setRange(0, 100);
    progressBar1->setTextVisible(false);
    progressBar1->setMaximumWidth(300);
    progressBar1->hide();
    labelPointeur = new QLabel(this);
    labelPointeur->setObjectName(QStringLiteral("labelPointeur"));
    labelPointeur->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(labelPointeur, 1);
    statusBar()->addPermanentWidget(progressBar1);

    contextMenuStrip1 = new QMenu(this);
    actionCreerAnnotation = contextMenuStrip1->addAction(QString(), this, [this] {
        if (auto* a = qobject_cast<Ajout_Annotation*>(FenetreAnnot.data())) a->CREATION_ANNOTATION();
    });
}

// ---- Texts and command states ----------------------------------------------------

void Form_main::Init_Form() {
    setWindowTitle(FichierOuvert == 1 ? NomFichier : QStringLiteral("OmbrixViewer"));
    menuFichier->setTitle(TexteMessage(M_FileMenu));
    actionOuvrir->setText(TexteMessage(M_OpenFile));
    actionSauveAnnot->setText(TexteMessage(M_SauveAnnot));
    actionConcatener->setText(TexteMessage(M_concatenation));
    actionOuvrirConf->setText(TexteMessage(M_OpenConf));
    actionSauveConf->setText(TexteMessage(M_CloseConf));
    actionResetConf->setText(TexteMessage(M_InitConf));
    actionExportBitmap->setText(TexteMessage(M_ExportBitmap));
    actionExportExcel->setText(TexteMessage(M_ExportExcell));
    actionExportCSV->setText(TexteMessage(M_ExportCSV));
    actionExportTexte->setText(TexteMessage(M_ExportText));
    actionExportDossier->setText(TexteMessage(M_ExportFolderCSV));
    actionImprimer->setText(TexteMessage(M_Impression));
    actionPages->setText(TexteMessage(M_NbpageImprimante) + QString::number(NombreDePageImprimante));
    CONSTRUIRE_PAGES();
    actionQuitter->setText(TexteMessage(M_Quit));
    menuGraphique->setTitle(TexteMessage(M_Graphique));
    actionProprietes->setText(TexteMessage(M_Propriete));
    menuOption->setTitle(TexteMessage(M_Option));
    menuLangue->setTitle(TexteMessage(M_Language));
    actionLangues[0]->setText(TexteMessage(M_Francais));
    actionLangues[1]->setText(TexteMessage(M_Anglais));
    actionLangues[2]->setText(TexteMessage(M_Allemand));
    actionCSVOption->setText(TexteMessage(M_CSVDelimiter));
    menuAide->setTitle(TexteMessage(M_Aide));
    actionAideDetaillee->setText(TexteMessage(M_AideDetaille));
    actionAPropos->setText(TexteMessage(M_APropos));
    actionCreerAnnotation->setText(TexteMessage(M_Create_annot));

    boutonOuvrir->setText(TexteMessage(M_OpenFile));
    boutonCurseur->setText(TexteMessage(M_Curseur));
    boutonHorVer->setText(QStringLiteral("Hor/Ver"));
    boutonZoomPlus->setText(TexteMessage(M_ZoomOff));
    boutonZoomCurseurs->setText(TexteMessage(M_ZoomEntreCurseur));
    boutonZoomMoins->setText(TexteMessage(M_ZoomOn));
    boutonPleinePage->setText(TexteMessage(M_PleinePage));
    boutonCurseurY->setText(TexteMessage(M_CurseurY));
    boutonProprietes->setText(TexteMessage(M_Propriete));
    boutonAjout->setText(TexteMessage(M_add));
    boutonAide->setText(TexteMessage(M_Aide));
    boutonAnnotation->setText(QStringLiteral("Annotation"));
    boutonCalcul->setText(TexteMessage(M_CalculMathematique));
    // A tool button's tip says its shortcut.
    for (QAction* a : toolStrip1->actions()) {
        const QKeySequence touche = a->shortcut();
        a->setToolTip(touche.isEmpty() ? a->text()
                                       : a->text() + QStringLiteral(" (") +
                                             touche.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    }

    for (QAction* a : actionRecents) a->setVisible(false);
    // The bar stays while a pass or a picture is awaited.
    if (!DemandeEnCours_ && !(Dessinateur && Dessinateur->OCCUPE())) progressBar1->hide();
    for (int l = 0; l < 3; ++l) actionLangues[l]->setChecked(Langue == l);
    Modification();
    MNEMONIQUES(menuBar());
    MNEMONIQUES(contextMenuStrip1);
}

void Form_main::CHANGE_LANGUE(uint8_t langue) {
    // A picture being drawn reads the texts of the language.
    Dessinateur->ARRETER();
    Langue = langue;
    CHARGER_TRADUCTION_QT(Langue);
    REFAIRE_TITRES();
    Init_Form();
}

void Form_main::Modification() {
    CalculModifEnCours = 1;
    const bool ouvert = FichierOuvert == 1;
    for (QAction* a : {actionExportBitmap, actionExportCSV, actionExportTexte, actionImprimer})
        a->setEnabled(ouvert);
    actionExportDossier->setEnabled(true);
    Montrer(actionPages, ouvert);
    Montrer(actionResetConf, !ouvert);

    QString* fichiers[4] = {&Fichier1, &Fichier2, &Fichier3, &Fichier4};
    bool unRecent = false;
    for (int k = 0; k < 4; ++k) {
        const std::optional<QString> chemin = LIRE_FICHIER_RECENT(k + 1);
        *fichiers[k] = chemin.value_or(QString());
        actionRecents[k]->setVisible(chemin.has_value());
        if (chemin) {
            QString texte = QDir::toNativeSeparators(*chemin);
            texte.replace(QLatin1Char('&'), QStringLiteral("&&"));
            actionRecents[k]->setText(QStringLiteral("&%1 ").arg(k + 1) + texte);
            actionRecents[k]->setData(*chemin);
            unRecent = true;
        }
    }
    separateurRecents->setVisible(unRecent);

    const bool v = ValidFichier == 1;
    const bool xy = Config.ModeXY == 1;
    labelAccueil->setVisible(!v);
    if (!v) TEXTE_ACCUEIL();
    Montrer(boutonHorVer, v && xy && ValiditeCurseur == 1);
    pictureBox1->setVisible(v);
    Montrer(boutonCurseur, v);
    Montrer(boutonAnnotation, v);
    separateurCurseurY->setVisible(v);
    const bool w = v && !xy;
    for (QAction* a :
         {boutonZoomPlus, boutonZoomMoins, boutonProprietes, boutonPleinePage, boutonCalcul, boutonCurseurY})
        Montrer(a, w);
    Montrer(boutonZoomCurseurs, w && ValiditeCurseur == 1);
    Montrer(boutonAjout, v && EnteteF.NbVoiesChoisies > 0);
    Montrer(menuGraphique->menuAction(), v);
    Montrer(actionProprietes, v);
    RESIZE_FORM();
    CalculModifEnCours = 0;
}

// ---- Redraw --------------------------------------------------------------------

void Form_main::CONFIGURE_SCROLL() {
    if (ValidFichier == 1 && Setup.LargeurFenetre < 1.0) {
        ReglageScroll_ = REGLAGE_SCROLL({Setup.DebutFenetre, Setup.LargeurFenetre});
        const QSignalBlocker bloque(hScrollBar1);
        hScrollBar1->setRange(0, ReglageScroll_.Maximum);
        hScrollBar1->setPageStep(ReglageScroll_.GrandPas);
        hScrollBar1->setSingleStep(ReglageScroll_.PetitPas);
        hScrollBar1->setValue(ReglageScroll_.Valeur);
        hScrollBar1->show();
    } else {
        hScrollBar1->hide();
    }
}

void Form_main::PLACER_IMAGE() {
    if (QLayout* l = centralWidget()->layout()) l->activate();
    pictureBox2->setGeometry(pictureBox1->rect());
}

void Form_main::RESIZE_FORM() {
    CONFIGURE_SCROLL();
    PLACER_IMAGE();
    LargeurImage = pictureBox1->isVisible() || FichierOuvert ? pictureBox1->width() : 0;
    HauteurImage = pictureBox1->isVisible() || FichierOuvert ? pictureBox1->height() : 0;
    if (LargeurImage > 0 && HauteurImage > 0) {
        // At the screen's density, as the picture under them.
        const double r = std::max(1.0, pictureBox1->devicePixelRatioF());
        for (QImage* couche : {&BitmapCurseur, &BitmapCurseury}) {
            *couche = QImage(static_cast<int>(std::ceil(LargeurImage * r)),
                             static_cast<int>(std::ceil(HauteurImage * r)), QImage::Format_ARGB32);
            couche->setDevicePixelRatio(r);
        }
        if (FichierOuvert == 1) {
            grapheft& g = *grapheFT;
            g.NomFichierAvecRepertoire = NomFichier;
            CONVERT_STRING_CHAR(MessageEntete, g.TitreGraphique);
            CONVERT_STRING_CHAR(MessageTitreEntete, g.TitreGraphique2);
            g.ValiditeCurseur = ValiditeCurseur;
            g.SavConf = &Config;
            g.Complet = 1;
            g.RapportPixels = std::max(1.0, pictureBox1->devicePixelRatioF());
            DEMANDER_DESSIN();
        }
        AFFICH_CURSEUR();
        pictureBox1->update();
        pictureBox2->update();
    }
}

void Form_main::DEMANDER_DESSIN() {
    if (FichierOuvert != 1 || LargeurImage <= 0 || HauteurImage <= 0) return;
    const bool complet = !DemandeEnCours_ && PASSE_COMPLETE();
    // The pass running asks for the picture of its table once it is done; the
    // picture on screen stays meanwhile.
    if (!complet && ImageDeLEnregistrement_) return;
    PREPARER_CONFIGURATION_DESSIN(Config);
    DernierDessin_ =
        Dessinateur->DEMANDER(COMMANDE_DESSIN(*grapheFT, complet ? PasseEcran.get() : nullptr, LargeurImage,
                                              HauteurImage, DemandeEnCours_ ? EntetePasse_.get() : nullptr));
}

bool Form_main::IMAGE_ATTENDUE() const {
    return DemandeEnCours_ || Dessinateur->OCCUPE();
}

void Form_main::ADOPTER_DESSIN() {
    std::unique_ptr<tDessinFini> fini = Dessinateur->PRENDRE();
    if (!fini || fini->Numero != DernierDessin_ || FichierOuvert != 1) return;
    grapheFT->ECHANGER_DESSIN(*fini->Graphe);
    fini.reset(); // the picture it replaces
    ImageDeLEnregistrement_ = true;
    ++ImagesMontrees_;
    AFFICH_CURSEUR();
    pictureBox1->update();
    pictureBox2->update();
    if (grapheFT->ReticulePersoIllisible) {
        grapheFT->ReticulePersoIllisible = false;
        OUBLIER_RETICULE_PERSO(Config);
        AFFICHE_ERREUR(POS_MESS(M_Erreurretperso));
    }
    // Scripts stopped while this picture computed their channels.
    if (MoteurScripts) MoteurScripts->SIGNALER_ARRETS();
}

void Form_main::TEXTE_ACCUEIL() {
    const QString ouvrir = TexteMessage(M_FileMenu).remove(QLatin1Char('&')) + QStringLiteral(" > ") +
                           TexteMessage(M_OpenFile).remove(QLatin1Char('&'));
    QString html = QStringLiteral("<p><b>") + TexteMessage(M_AucunEnregistrement).toHtmlEscaped() +
                   QStringLiteral("</b></p><p>") +
                   TexteMessage(M_CommentOuvrir)
                       .arg(ouvrir, actionOuvrir->shortcut().toString(QKeySequence::NativeText))
                       .toHtmlEscaped() +
                   QStringLiteral("</p>");
    QString recents;
    for (int k = 0; k < 4; ++k)
        if (const std::optional<QString> chemin = LIRE_FICHIER_RECENT(k + 1))
            recents += QStringLiteral("<br><a href=\"") +
                       QUrl::fromLocalFile(*chemin).toString().toHtmlEscaped() + QStringLiteral("\">") +
                       QDir::toNativeSeparators(*chemin).toHtmlEscaped() + QStringLiteral("</a>");
    if (!recents.isEmpty())
        html += QStringLiteral("<p>") + TexteMessage(M_FichiersRecents).toHtmlEscaped() + recents +
                QStringLiteral("</p>");
    labelAccueil->setText(html);
}

void Form_main::CLEAR_GRAPHE() {
    BitmapCurseur.fill(Qt::transparent);
    BitmapCurseury.fill(Qt::transparent);
    vScrollBarCurseur->hide();
    pictureBox1->update();
    pictureBox2->update();
}

// ---- Window events ---------------------------------------------------------------

bool Form_main::eventFilter(QObject* objet, QEvent* event) {
    // A tool window that grows (the measurement window showing its settings)
    // stays on its screen.
    if (event->type() == QEvent::Resize)
        for (QWidget* outil : {FenetreCurseurY.data(), FenetreCalcul.data(), FenetreAnnot.data()})
            if (outil != nullptr && objet == outil && outil->isVisible())
                QTimer::singleShot(0, outil, [this, outil] { GARDER_SUR_ECRAN(*outil); });
    if (objet == pictureBox1 && event->type() == QEvent::Resize) {
        pictureBox2->setGeometry(pictureBox1->rect());
        if (!CalculModifEnCours) RESIZE_FORM();
    }
    return QMainWindow::eventFilter(objet, event);
}

void Form_main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
}

void Form_main::keyPressEvent(QKeyEvent* event) {
    if (FichierOuvert == 1 && ValidFichier == 1 && Config.ModeXY == 0 &&
        event->modifiers() == Qt::NoModifier) {
        if (event->key() == Qt::Key_Left) return DEPLACER(-0.1);
        if (event->key() == Qt::Key_Right) return DEPLACER(0.1);
        // A whole window back or on.
        if (event->key() == Qt::Key_PageUp) return DEPLACER(-1.0);
        if (event->key() == Qt::Key_PageDown) return DEPLACER(1.0);
    }
    QMainWindow::keyPressEvent(event);
}

namespace {

QString RecordingDepose(const QMimeData* donnees) {
    if (!donnees || !donnees->hasUrls()) return {};
    for (const QUrl& url : donnees->urls()) {
        const QString chemin = url.toLocalFile();
        if (chemin.endsWith(QStringLiteral(".rec"), Qt::CaseInsensitive)) return chemin;
    }
    return {};
}

} // namespace

void Form_main::dragEnterEvent(QDragEnterEvent* event) {
    if (!RecordingDepose(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form_main::dropEvent(QDropEvent* event) {
    const QString chemin = RecordingDepose(event->mimeData());
    if (chemin.isEmpty()) return;
    event->acceptProposedAction();
    APPEL_FICHIER(chemin, chemin, 0);
}

void Form_main::closeEvent(QCloseEvent* event) {
    for (QWidget* outil : {FenetreCurseurY.data(), FenetreCalcul.data(), FenetreAnnot.data()})
        if (outil) outil->close();
    ARRET_Form();
    QMainWindow::closeEvent(event);
}

void Form_main::ARRET_Form() {
    const QRect r = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    PosGraX = static_cast<uint16_t>(std::max(0, r.x()));
    PosGraY = static_cast<uint16_t>(std::max(0, r.y()));
    LargeurGra = static_cast<uint16_t>(std::max(0, r.width()));
    HauteurGra = static_cast<uint16_t>(std::max(0, r.height()));
}

namespace {

// `p` moved so that a frame of `taille` at it lies on one screen.
QPoint SurUnEcran(QPoint p, QSize taille, const QScreen* ecran) {
    if (const QScreen* la = QGuiApplication::screenAt(p)) ecran = la;
    if (ecran == nullptr) ecran = QGuiApplication::primaryScreen();
    if (ecran == nullptr) return p;
    const QRect zone = ecran->availableGeometry();
    p.setX(std::clamp(p.x(), zone.left(), std::max(zone.left(), zone.right() + 1 - taille.width())));
    p.setY(std::clamp(p.y(), zone.top(), std::max(zone.top(), zone.bottom() + 1 - taille.height())));
    return p;
}

} // namespace

void Form_main::PLACER_OUTIL(QWidget& outil, uint16_t x, uint16_t y) {
    QPoint p = POSITION_OUTIL(x, y);
    outil.adjustSize();
    // The frame with its title bar, estimated before the window is shown.
    const QSize taille(outil.width(), outil.height() + 32);
    const bool jamaisPlacee =
        (x == 0 && y == 0) || (x == static_cast<uint16_t>(PosGraX + DecalageFenetreOutil) &&
                               y == static_cast<uint16_t>(PosGraY + DecalageFenetreOutil));
    if (jamaisPlacee && pictureBox1->isVisible()) {
        // Inside the plot's top right corner, under the titles and the
        // read-out box: clear of the menus, the read-outs and the results
        // written from the plot's left.
        const grapheft& g = *grapheFT;
        int haut = g.DebutScrollY;
        if (!g.BoiteLecture.isEmpty()) haut = std::max(haut, static_cast<int>(g.BoiteLecture.bottom()) + 1);
        p = pictureBox1->mapToGlobal(QPoint(g.DebutScrollX + g.ScrollX, haut)) +
            QPoint(-taille.width() - DecalageFenetreOutil, DecalageFenetreOutil);
    } else if (jamaisPlacee) {
        p = mapToGlobal(QPoint(DecalageFenetreOutil, DecalageFenetreOutil));
    }
    outil.move(SurUnEcran(p, taille, screen()));
}

void Form_main::GARDER_SUR_ECRAN(QWidget& outil) {
    const QRect cadre = outil.frameGeometry();
    const QPoint p = SurUnEcran(cadre.topLeft(), cadre.size(), outil.screen());
    if (p != cadre.topLeft()) outil.move(outil.pos() + (p - cadre.topLeft()));
}

QPoint Form_main::POSITION_OUTIL(uint16_t x, uint16_t y) const {
    int px = x, py = y;
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        if (px > ecran->size().width() - 30) px = 0;
        if (py > ecran->size().height() - 30) py = 0;
    }
    return {px, py};
}

} // namespace VIEW
