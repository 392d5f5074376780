// Colours, fonts and graph titles of the display settings dialog: the title and
// colour groups of the screen page and the two font choices.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/Couleurs.h"
#include "graph/grapheft.h"
#include "ui/Retic.h"
#include "ui/ReticChoix.h"
#include "ui/ReticOutils.h"
#include "ui/TexteMessage.h"

namespace VIEW {

QWidget* Retic::CONSTRUIRE_TITRES(QWidget* page) {
    groupBoxTitre = Nommer(new QGroupBox(TexteMessage(M_NomFichier), page), "groupBoxTitre");
    textBoxNomFichier = Nommer(new QLineEdit(groupBoxTitre), "textBoxNomFichier");
    textBoxTitre = Nommer(new QLineEdit(groupBoxTitre), "textBoxTitre");
    buttonPoliceNom = Nommer(new QPushButton(TexteMessage(M_Police), groupBoxTitre), "buttonPoliceNom");
    auto* disposition = new QVBoxLayout(groupBoxTitre);
    disposition->addWidget(textBoxNomFichier);
    disposition->addWidget(textBoxTitre);
    disposition->addWidget(buttonPoliceNom);

    // editingFinished: Enter, or the box loses the focus.
    connect(textBoxNomFichier, &QLineEdit::editingFinished, this, [this] { CHANGE_NOM_FICHIER(); });
    connect(textBoxTitre, &QLineEdit::textChanged, this, [this](const QString& t) { CHANGE_TITRE(t); });
    connect(buttonPoliceNom, &QPushButton::clicked, this, [this] { CHANGE_POLICE_NOM(); });
    return groupBoxTitre;
}

QWidget* Retic::CONSTRUIRE_COULEURS(QWidget* page) {
    groupBoxCouleurs = Nommer(new QGroupBox(TexteMessage(M_Couleur), page), "groupBoxCouleurs");
    buttonCouleurFond =
        Nommer(new QPushButton(TexteMessage(M_CoulFond), groupBoxCouleurs), "buttonCouleurFond");
    buttonCouleurReticule =
        Nommer(new QPushButton(TexteMessage(M_CoulReticule), groupBoxCouleurs), "buttonCouleurReticule");
    auto* disposition = new QVBoxLayout(groupBoxCouleurs);
    disposition->addWidget(buttonCouleurFond);
    disposition->addWidget(buttonCouleurReticule);

    connect(buttonCouleurFond, &QPushButton::clicked, this, [this] {
        if (auto c = CHOISIR_COULEUR(Config.CouleurFond)) {
            Config.CouleurFond = *c;
            APRES_CHANGEMENT();
        }
    });
    connect(buttonCouleurReticule, &QPushButton::clicked, this, [this] {
        if (auto c = CHOISIR_COULEUR(Config.CouleurReticule)) {
            Config.CouleurReticule = *c;
            APRES_CHANGEMENT();
        }
    });
    return groupBoxCouleurs;
}

void Retic::REMPLIR_TITRES() {
    textBoxNomFichier->setEnabled(Liens_.MessageEntete != nullptr);
    textBoxTitre->setEnabled(Liens_.MessageTitreEntete != nullptr);
    // The file-name box keeps what is being typed until it is taken.
    if (Liens_.MessageEntete && !textBoxNomFichier->hasFocus())
        POSER_TEXTE(textBoxNomFichier, *Liens_.MessageEntete);
    if (Liens_.MessageTitreEntete) POSER_TEXTE(textBoxTitre, *Liens_.MessageTitreEntete);
    MONTRER_COULEUR(buttonCouleurFond, Config.CouleurFond);
    MONTRER_COULEUR(buttonCouleurReticule, Config.CouleurReticule);
}

std::optional<int32_t> Retic::CHOISIR_COULEUR(int32_t actuelle) {
    if (!ChoisirCouleur) return std::nullopt;
    const std::optional<QColor> c = ChoisirCouleur(COULEUR_QT(actuelle));
    if (!c || !c->isValid()) return std::nullopt;
    return CALCUL_COULEUR(COULEUR_ARGB(*c));
}

void Retic::CHANGE_NOM_FICHIER() {
    if (CalculModifEnCours || Liens_.MessageEntete == nullptr) return;
    if (*Liens_.MessageEntete == textBoxNomFichier->text()) return;
    *Liens_.MessageEntete = textBoxNomFichier->text();
    APRES_CHANGEMENT();
}

void Retic::CHANGE_TITRE(const QString& texte) {
    if (CalculModifEnCours || Liens_.MessageTitreEntete == nullptr) return;
    *Liens_.MessageTitreEntete = texte;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_POLICE_NOM() {
    if (!ChoisirPolice) return;
    grapheft* g = Liens_.Graphe;
    const QFont depart = g && g->FontNomFichier ? *g->FontNomFichier : POLICE_DEPUIS_CONFIG(Config.PoliceNom);
    QColor couleur = COULEUR_QT(Config.CouleurPoliceNom);
    const std::optional<QFont> choisie = ChoisirPolice(depart, &couleur);
    if (!choisie) return;
    if (g) g->FontNomFichier = *choisie;
    POLICE_VERS_CONFIG(*choisie, Config.PoliceNom);
    if (couleur.isValid()) Config.CouleurPoliceNom = CALCUL_COULEUR(COULEUR_ARGB(couleur));
    APRES_CHANGEMENT();
}

void Retic::CHANGE_POLICE_BORNES() {
    if (!ChoisirPolice) return;
    grapheft* g = Liens_.Graphe;
    const QFont depart =
        g && g->FontBaseDetemps ? *g->FontBaseDetemps : POLICE_DEPUIS_CONFIG(Config.PoliceBaseDeTemps);
    const std::optional<QFont> choisie = ChoisirPolice(depart, nullptr);
    if (!choisie) return;
    if (g) g->FontBaseDetemps = *choisie;
    POLICE_VERS_CONFIG(*choisie, Config.PoliceBaseDeTemps);
    APRES_CHANGEMENT();
}

} // namespace VIEW
