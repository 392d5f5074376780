// The main window's tool windows and the joining of split recordings.
#include "ui/Form_main.h"

#include <QCoreApplication>

#include "graph/DonneesGraphe.h"
#include "graph/NouvelleFonction.h"
#include "graph/grapheft.h"
#include "math/Fonctions.h"
#include "shell/Registre.h"
#include "ui/AjoutFonction.h"
#include "ui/Ajout_Annotation.h"
#include "ui/ConcatMorceaux.h"
#include "ui/FormCurseurY.h"
#include "ui/Form_Calcul.h"
#include "ui/HelpForm.h"
#include "ui/ImageGraphe.h"

namespace VIEW {

void Form_main::AJOUT_FONCTION_FORM() {
    if (FichierOuvert != 1) return;
    if (ADD_FONCTION(this) != 1) return;
    // The pass reads the channel counts of the header the new channel changes.
    ARRETER_PASSE();
    const bool complet = PASSE_COMPLETE();
    if (AJOUT_FONCTION() == 0) {
        // Shown at once: its range from its values in the window on screen,
        // a colour of its own.
        const int n = EnteteF.NombreVoiesTotal - 1;
        if (const auto bornes = BORNES_NOUVELLE_FONCTION(*grapheFT, EnteteF, n)) {
            Config.ParamVoie[n].BorneMin = bornes->first;
            Config.ParamVoie[n].BorneMax = bornes->second;
        }
        Config.CouleurVoie[n] = COULEUR_LIBRE(Config, n);
    }
    Modification();
    if (!complet) RECALCUL_FORM();
}

void Form_main::AJOUT_MATH() {
    if (FenetreCalcul) {
        FenetreCalcul->close();
        return;
    }
    auto* fenetre = new Form_Calcul(this);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    PLACER_OUTIL(*fenetre, PosCalculX, PosCalculY);
    connect(fenetre, &Form_Calcul::DemandeRedessin, this, &Form_main::RESIZE_FORM);
    connect(fenetre, &QObject::destroyed, this, [this] { FormCalculOuvert = 0; });
    FenetreCalcul = fenetre;
    FormCalculOuvert = 1;
    fenetre->show();
    GARDER_SUR_ECRAN(*fenetre);
    fenetre->installEventFilter(this);
}

void Form_main::AFFICH_CURSEURY() {
    if (FenetreCurseurY) {
        FenetreCurseurY->close();
        return;
    }
    auto* fenetre = new FormCurseurY(this, ValiditeCurseurY, grapheFT.get());
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    PLACER_OUTIL(*fenetre, PosAnnotX, PosAnnotY);
    connect(fenetre, &FormCurseurY::DemandeRedessin, this, &Form_main::RESIZE_FORM);
    connect(fenetre, &QObject::destroyed, this, [this] { FIN_CURSEURY(); });
    FenetreCurseurY = fenetre;
    FormCurseurYOuvert = 1;
    pictureBox2->setCursor(Qt::PointingHandCursor);
    fenetre->show();
    GARDER_SUR_ECRAN(*fenetre);
    fenetre->installEventFilter(this);
}

void Form_main::APPEL_ANNOT() {
    if (FenetreAnnot) {
        FenetreAnnot->close();
        return;
    }
    const tLienAnnotation lien{AnnotVerticale, SauvePositionXAnnot, SauvePositionYAnnot,
                               [this] {
                                   const grapheft& g = *grapheFT;
                                   return QRect(g.DebutScrollX, g.DebutScrollY, g.ScrollX, g.ScrollY);
                               },
                               [this] { SAVE_ANNOT(); }};
    auto* fenetre = new Ajout_Annotation(this, lien);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    PLACER_OUTIL(*fenetre, PosAnnotX, PosAnnotY);
    connect(fenetre, &Ajout_Annotation::DemandeRedessin, this, &Form_main::RESIZE_FORM);
    connect(fenetre, &Ajout_Annotation::EntreeSauveAnnot, this, [this](bool visible) {
        actionSauveAnnot->setVisible(visible);
        if (visible) OnAAjouterUneAnnotation = 1;
    });
    connect(fenetre, &QObject::destroyed, this, [this] { FIN_ANNOT(); });
    FenetreAnnot = fenetre;
    FormAnnotOuvert = 1;
    OnVaAjouterUneAnnotation = 1;
    pictureBox2->setCursor(Qt::CrossCursor);
    fenetre->show();
    GARDER_SUR_ECRAN(*fenetre);
    fenetre->installEventFilter(this);
}

void Form_main::FIN_ANNOT() {
    pictureBox2->unsetCursor();
    FormAnnotOuvert = 0;
    OnVaAjouterUneAnnotation = 0;
}

void Form_main::FIN_CURSEURY() {
    pictureBox2->unsetCursor();
    FormCurseurYOuvert = 0;
}

void Form_main::JOINDRE_MORCEAUX(const QString& nom) {
    Concat(this, nom);
}

void Form_main::APPEL_CHM() {
    VIEW::APPEL_CHM(QCoreApplication::applicationDirPath(), Langue, OuvrirAvecBureau, this);
}

void Form_main::APPEL_HELP() {
    HelpForm fenetre(this);
    fenetre.Ouvrir = OuvrirAvecBureau;
    ExecuterDialogue(fenetre);
}

} // namespace VIEW
