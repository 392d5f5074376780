// The dialog's frame: pages, buttons, filling and the end of every change.
#include "ui/Retic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "config/OnOff.h"
#include "recording/EnteteREC.h"
#include "shell/Texte8.h"
#include "ui/ReticChoix.h"
#include "ui/ReticOutils.h"
#include "ui/TexteMessage.h"

namespace VIEW {

Retic::Retic(int page, int voie, const tLiensRetic& liens, QWidget* parent) : QDialog(parent), Liens_(liens) {
    setModal(true);
    setWindowTitle(QString());

    ChoisirCouleur = [this](const QColor& depart) { return CHOIX_COULEUR_QT(this, depart); };
    ChoisirPolice = [this](const QFont& depart, QColor* couleur) {
        return CHOIX_POLICE_QT(this, depart, couleur);
    };
    ChoisirBitmap = [this](const QString& propose, const QString& filtre) {
        return CHOIX_FICHIER_QT(this, propose, filtre);
    };
    if (Liens_.Redessiner) connect(this, &Retic::DemandeRedessin, this, [f = Liens_.Redessiner] { f(); });

    tabControl1 = Nommer(new QTabWidget(this), "tabControl1");
    pageEcran = Nommer(CONSTRUIRE_ECRAN(), "pageEcran");
    pageVoie = Nommer(CONSTRUIRE_VOIES(), "pageVoie");
    pageLogique = Nommer(CONSTRUIRE_LOGIQUE(), "pageLogique");
    pageTemps = Nommer(CONSTRUIRE_TEMPS(), "pageTemps");
    pageCurseur = Nommer(CONSTRUIRE_CURSEUR(), "pageCurseur");
    tabControl1->addTab(pageEcran, TexteMessage(M_Ecran));
    tabControl1->addTab(pageVoie, TexteMessage(M_Voie));
    tabControl1->addTab(pageLogique, TexteMessage(M_VoieLog));
    tabControl1->addTab(pageTemps, TexteMessage(M_Timebase));
    tabControl1->addTab(pageCurseur, TexteMessage(M_Curseur));

    buttonAbort = Nommer(new QPushButton(TexteMessage(M_Annuler), this), "buttonAbort");
    buttonValid = Nommer(new QPushButton(TexteMessage(M_Valider), this), "buttonValid");
    // Enter belongs to the number and text boxes: no button closes on it.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(buttonValid, &QPushButton::clicked, this, [this] {
        OnAModifierLaConfig = 1;
        accept();
    });
    connect(buttonAbort, &QPushButton::clicked, this, &QDialog::reject);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(buttonAbort);
    boutons->addWidget(buttonValid);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(tabControl1);
    disposition->addLayout(boutons);

    PageAAfficher = static_cast<uint8_t>(page);
    NumeroVoie = static_cast<uint8_t>(voie);
    REINIT_FORM();
    CHOISIR_PAGE(page);
}

void Retic::CHOISIR_PAGE(int page) {
    // The third page asked for is the time base; without it (XY mode) the page
    // at its place comes, the cursor page.
    QWidget* choisie = pageEcran;
    if (page == 1) choisie = pageVoie;
    if (page == 2) choisie = Config.ModeXY == 0 ? pageTemps : pageCurseur;
    tabControl1->setCurrentWidget(choisie);
}

int Retic::VoieChoisie() const {
    if (NumeroVoie >= Voies_.size()) return -1;
    return Voies_[NumeroVoie];
}

void Retic::REINIT_FORM() {
    const Remplissage remplissage(CalculModifEnCours);
    Voies_.clear();
    for (int n = 0; n < NombreVoiesConfig; ++n)
        if (TST_B_ONOFF(Config.VoiesPresentes, n)) Voies_.push_back(n);
    if (NumeroVoie >= Voies_.size()) NumeroVoie = 0;
    if (NumeroEcran == 0 || NumeroEcran > Config.ReticEcran.NbEcran) NumeroEcran = 1;

    tabControl1->setTabVisible(tabControl1->indexOf(pageLogique), EnteteF.LogiqueAffichee == 1);
    tabControl1->setTabVisible(tabControl1->indexOf(pageTemps), Config.ModeXY == 0);
    REMPLIR_ECRAN();
    REMPLIR_VOIES();
    REMPLIR_LOGIQUE();
    INIT_CHANGE_DATE();
    REMPLIR_CURSEUR();
}

void Retic::REMPLIR_LISTE(QComboBox* liste) {
    QStringList noms;
    for (int n : Voies_) noms << NOM_VOIE(n);
    QStringList actuels;
    for (int k = 0; k < liste->count(); ++k) actuels << liste->itemText(k);
    if (actuels == noms) return;
    liste->clear();
    liste->addItems(noms);
}

void Retic::REAFFICHER_TOTAL() {
    emit DemandeRedessin();
}

void Retic::APRES_CHANGEMENT() {
    REINIT_FORM();
    REAFFICHER_TOTAL();
}

void Retic::keyPressEvent(QKeyEvent* evenement) {
    if (evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) {
        evenement->accept();
        return;
    }
    QDialog::keyPressEvent(evenement);
}

bool Retic::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == textBoxReticPerso && evenement->type() == QEvent::MouseButtonDblClick) {
        CHOISIR_RETIC_PERSO();
        return true;
    }
    return QDialog::eventFilter(objet, evenement);
}

} // namespace VIEW
