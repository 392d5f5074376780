// The cursor page: the read-out box, its size and side, the cursor colour and
// the value that follows the cursor.
#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "graph/GlobauxCurseurs.h"
#include "ui/Retic.h"
#include "ui/ReticOutils.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

constexpr int VoiesCurseurMax = 30;

} // namespace

QWidget* Retic::CONSTRUIRE_CURSEUR() {
    auto* page = new QWidget(this);
    checkBoxBoiteCurseur =
        Nommer(new QCheckBox(TexteMessage(M_CurseuDansBoite), page), "checkBoxBoiteCurseur");
    groupBoxBoiteCurseur = Nommer(new QGroupBox(page), "groupBoxBoiteCurseur");
    labelNbVoieCurseur =
        Nommer(new QLabel(TexteMessage(M_NombreDeVoieCurseur), groupBoxBoiteCurseur), "labelNbVoieCurseur");
    numericNbVoieCurseur = NOMBRE_RETIC(groupBoxBoiteCurseur, "numericNbVoieCurseur", 1, VoiesCurseurMax);
    const tBloc positions[4] = {M_PosCursHaut, M_PosCursDroite, M_PosCursBas, M_PosCursGauche};
    const char* noms[4] = {"radioButtonCursHaut", "radioButtonCursDroite", "radioButtonCursBas",
                           "radioButtonCursGauche"};
    auto* cotes = new QHBoxLayout;
    for (int k = 0; k < 4; ++k) {
        radioButtonPosCurseur[k] =
            Nommer(new QRadioButton(TexteMessage(positions[k]), groupBoxBoiteCurseur), noms[k]);
        cotes->addWidget(radioButtonPosCurseur[k]);
        connect(radioButtonPosCurseur[k], &QRadioButton::toggled, this, [this](bool c) {
            if (c) CHANGE_POSITION_CURSEUR();
        });
    }
    checkBoxCurseurDansRetic = Nommer(new QCheckBox(TexteMessage(M_CurseurDansRetic), groupBoxBoiteCurseur),
                                      "checkBoxCurseurDansRetic");
    auto* boite = new QGridLayout(groupBoxBoiteCurseur);
    boite->addWidget(labelNbVoieCurseur, 0, 0);
    boite->addWidget(numericNbVoieCurseur, 0, 1);
    boite->addLayout(cotes, 1, 0, 1, 2);
    boite->addWidget(checkBoxCurseurDansRetic, 2, 0, 1, 2);

    buttonCouleurCurseur = Nommer(new QPushButton(TexteMessage(M_CoulCurseur), page), "buttonCouleurCurseur");
    groupBoxSuitCurseur = Nommer(new QGroupBox(page), "groupBoxSuitCurseur");
    checkBoxValeurSuit =
        Nommer(new QCheckBox(TexteMessage(M_ValeurSuitCurseur), groupBoxSuitCurseur), "checkBoxValeurSuit");
    comboBoxVoieSuit = Nommer(new QComboBox(groupBoxSuitCurseur), "comboBoxVoieSuit");
    auto* suit = new QVBoxLayout(groupBoxSuitCurseur);
    suit->addWidget(checkBoxValeurSuit);
    suit->addWidget(comboBoxVoieSuit);

    auto* disposition = new QVBoxLayout(page);
    disposition->addWidget(checkBoxBoiteCurseur);
    disposition->addWidget(groupBoxBoiteCurseur);
    disposition->addWidget(buttonCouleurCurseur, 0, Qt::AlignLeft);
    disposition->addWidget(groupBoxSuitCurseur);
    disposition->addStretch(1);

    connect(checkBoxBoiteCurseur, &QCheckBox::toggled, this, [this](bool c) { CHANGE_BOITE_CURSEUR(c); });
    connect(numericNbVoieCurseur, &QSpinBox::valueChanged, this,
            [this](int v) { CHANGE_NB_VOIE_CURSEUR(v); });
    connect(checkBoxCurseurDansRetic, &QCheckBox::toggled, this, [this](bool c) {
        if (CalculModifEnCours) return;
        Config.CurseurDansReticule = c ? 1 : 0;
        APRES_CHANGEMENT();
    });
    connect(buttonCouleurCurseur, &QPushButton::clicked, this, [this] {
        if (auto c = CHOISIR_COULEUR(Config.CouleurCurseur)) {
            Config.CouleurCurseur = *c;
            APRES_CHANGEMENT();
        }
    });
    connect(checkBoxValeurSuit, &QCheckBox::toggled, this, [this](bool c) { CHANGE_VALEUR_SUIT(c); });
    connect(comboBoxVoieSuit, &QComboBox::currentIndexChanged, this, [this](int k) { CHANGE_VOIE_SUIT(k); });
    return page;
}

void Retic::REMPLIR_CURSEUR() {
    const bool boite = Config.BoiteCurseur == 1;
    checkBoxBoiteCurseur->setChecked(boite);
    groupBoxBoiteCurseur->setEnabled(boite);
    numericNbVoieCurseur->setValue(std::clamp<int>(Config.NombreVoieCurseur, 1, VoiesCurseurMax));
    radioButtonPosCurseur[Config.PositionBoiteCurseur < 4 ? Config.PositionBoiteCurseur : 0]->setChecked(
        true);
    checkBoxCurseurDansRetic->setChecked(Config.CurseurDansReticule == 1);
    MONTRER_COULEUR(buttonCouleurCurseur, Config.CouleurCurseur);

    groupBoxSuitCurseur->setVisible(Config.ModeXY == 0);
    const bool suit = Config.ValeurSuitCurseur == 1;
    checkBoxValeurSuit->setChecked(suit);
    comboBoxVoieSuit->setVisible(suit);
    REMPLIR_LISTE(comboBoxVoieSuit);
    // The stored position names a row of the list; one beyond it shows the first.
    const int position = Config.VoieSuitCurseur < Voies_.size() ? Config.VoieSuitCurseur : 0;
    comboBoxVoieSuit->setCurrentIndex(Voies_.empty() ? -1 : position);
}

void Retic::CHANGE_BOITE_CURSEUR(bool coche) {
    if (CalculModifEnCours) return;
    Config.BoiteCurseur = coche ? 1 : 0;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_NB_VOIE_CURSEUR(int valeur) {
    if (CalculModifEnCours) return;
    Config.NombreVoieCurseur = static_cast<int16_t>(std::clamp(valeur, 1, VoiesCurseurMax));
    // The read-out list starts again at its first channel.
    VoieCurseurDebut = 0;
    REAFFICHER_TOTAL();
}

void Retic::CHANGE_POSITION_CURSEUR() {
    if (CalculModifEnCours) return;
    for (int k = 0; k < 4; ++k)
        if (radioButtonPosCurseur[k]->isChecked()) Config.PositionBoiteCurseur = static_cast<uint8_t>(k);
    Config.CurseurDansReticule = checkBoxCurseurDansRetic->isChecked() ? 1 : 0;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_VALEUR_SUIT(bool coche) {
    if (CalculModifEnCours) return;
    Config.ValeurSuitCurseur = coche ? 1 : 0;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_VOIE_SUIT(int position) {
    if (CalculModifEnCours || position < 0) return;
    Config.VoieSuitCurseur = static_cast<uint8_t>(position);
    APRES_CHANGEMENT();
}

} // namespace VIEW
