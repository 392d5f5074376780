// The redraw protocol with the background pass, the zoom commands, the scroll
// bars and the cursor commands of the main window.
#include <QAction>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>

#include "config/Coherence.h"
#include "config/Config.h"
#include "graph/GlobauxCurseurs.h"
#include "graph/TravailleurDessin.h"
#include "graph/TravailleurGraphe.h"
#include "graph/grapheft.h"
#include "math/InstallationScripts.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "ui/Form_main.h"
#include "ui/ImageGraphe.h"

namespace VIEW {

// ---- Redraw protocol ----------------------------------------------------------------

void Form_main::RECALCUL_FORM(std::optional<tFenetre> fenetre) {
    DonneesGraphe& d = *PasseEcran;
    d.PointeurCyclique.store(0);
    // The pass reads the header, Config and Setup: it stops before they change.
    // A picture being drawn works on copies: it is only dropped.
    d.ARRET_CALCUL();
    Dessinateur->ABANDONNER();
    if (fenetre) {
        Setup.DebutFenetre = fenetre->Debut;
        Setup.LargeurFenetre = fenetre->Largeur;
    }
    COHER_SETUP();
    EntetePasse_ = std::make_unique<t_EnteteREC_GlobalTotal>(EnteteF);
    PassesAvantDemande_ = Travailleur->PassesLancees();
    DemandeEnCours_ = true;
    Travailleur->DemanderCalcul();
    progressBar1->setValue(0);
    progressBar1->show();
    RESIZE_FORM();
}

bool Form_main::PASSE_COMPLETE() const {
    return PasseEcran->CalculTerminer.load() == CalculFini &&
           PasseEcran->PointeurCyclique.load() == NombreColonnesAffichage;
}

bool Form_main::PASSE_A_JOUR() const {
    // A state read before the worker took the last request belongs to the
    // previous (stopped) pass.
    return Travailleur->DemandeCalcul.load() == 0 && Travailleur->PassesLancees() > PassesAvantDemande_;
}

void Form_main::TICK_TIMER() {
    if (QuestionEnCours_) return;
    ADOPTER_DESSIN();
    if (!DemandeEnCours_) {
        // Nothing more to wait for (a picture that could not be asked for,
        // a window too small to draw in): the bar goes.
        if (!progressBar1->isHidden() && !Dessinateur->OCCUPE()) progressBar1->hide();
        return;
    }
    DonneesGraphe& d = *PasseEcran;
    const uint8_t etat = d.CalculTerminer.load();
    if (etat == CalculFini && PASSE_A_JOUR()) {
        // The column pointer reaches 1000 just before the state says finished;
        // a finished state with fewer columns is a stopped pass being replaced.
        if (d.PointeurCyclique.load() != NombreColonnesAffichage || d.CalculTerminer.load() != CalculFini)
            return;
        DemandeEnCours_ = false;
        // Scroll events dropped meanwhile moved the bar: it shows the window again.
        CONFIGURE_SCROLL();
        DEMANDER_DESSIN();
        return;
    }
    if (etat == CalculChecksumFaux && PASSE_A_JOUR()) {
        progressBar1->hide();
        QuestionEnCours_ = true;
        const bool oui =
            QUESTION_OUI_NON(POS_MESS(M_Erreur), POS_MESS(M_CryptFaux), tIconeBoite::Avertissement, false);
        QuestionEnCours_ = false;
        if (oui) {
            d.CalculTerminer.store(CalculFini);
            DemandeEnCours_ = false;
            progressBar1->show();
            DEMANDER_DESSIN();
        } else {
            FERMER_ENREGISTREMENT();
        }
        return;
    }
    progressBar1->setValue(static_cast<int>(d.Progression.load() * progressBar1->maximum()));
}

// ---- Zoom --------------------------------------------------------------------------

namespace {

tFenetre FenetreAffichee() {
    return {Setup.DebutFenetre, Setup.LargeurFenetre};
}

bool ZoomPermis(const Form_main& f) {
    return f.FichierOuvert == 1 && ValidFichier == 1;
}

} // namespace

void Form_main::ZOOM_PLUS() {
    if (!ZoomPermis(*this)) return;
    if (auto f = FENETRE_ZOOM_PLUS(FenetreAffichee(), EnteteF.NombreScans)) RECALCUL_FORM(*f);
}

void Form_main::ZOOM_MOINS() {
    if (!ZoomPermis(*this)) return;
    RECALCUL_FORM(FENETRE_ZOOM_MOINS(FenetreAffichee()));
}

void Form_main::ZOOM_PLEINE_PAGE() {
    if (!ZoomPermis(*this)) return;
    if (auto f = FENETRE_PLEINE_PAGE(FenetreAffichee())) RECALCUL_FORM(*f);
}

void Form_main::ZOOM_ENTRE_CURSEUR() {
    if (!ZoomPermis(*this)) return;
    if (auto f = FENETRE_ENTRE(FenetreAffichee(), CursSouris1, CursSouris2, EnteteF.NombreScans))
        RECALCUL_FORM(*f);
}

void Form_main::MOLETTE(const QPoint& point, int delta) {
    if (!ZoomPermis(*this) || Config.ModeXY == 1 || delta == 0 || Souris != 0) return;
    const double p = POSITION_SOURIS(DANS_TRACE(point));
    if (auto f = FENETRE_MOLETTE(FenetreAffichee(), p, delta > 0, EnteteF.NombreScans)) RECALCUL_FORM(*f);
}

void Form_main::DEPLACER(double pas) {
    if (!ZoomPermis(*this) || ModScrollEnCours == 1) return;
    if (auto f = FENETRE_DECALEE(FenetreAffichee(), pas)) {
        ModScrollEnCours = 1;
        RECALCUL_FORM(*f);
    }
}

// ---- Scroll bars ---------------------------------------------------------------------

void Form_main::CHANGEMENT_SCROLL(int valeur) {
    if (ModScrollEnCours == 1) return;
    const double largeur = Setup.LargeurFenetre;
    const double debut = DEBUT_SCROLL(valeur, ReglageScroll_, largeur);
    ModScrollEnCours = 1;
    RECALCUL_FORM(tFenetre{debut, largeur});
}

void Form_main::CHANGE_SCROLL_CURSEUR(int valeur) {
    if (ModScrollEnCours == 1) return;
    int v = valeur;
    const grapheft& g = *grapheFT;
    if (g.NombreVoieCurseurVisu + v > g.NombreVoieCurseurTotal)
        v = g.NombreVoieCurseurTotal - g.NombreVoieCurseurVisu;
    VoieCurseurDebut = static_cast<int16_t>(std::max(0, v));
    RESIZE_FORM();
}

// ---- Cursor commands -------------------------------------------------------------------

void Form_main::CURSEUR_ON_OFF() {
    ValiditeCurseur = ValiditeCurseur ? 0 : 1;
    Modification();
}

void Form_main::MODIF_CURS_XY() {
    Config.CurseurXY = Config.CurseurXY ? 0 : 1;
    RESIZE_FORM();
}

} // namespace VIEW
