// The logic page: which of the sixteen logic inputs are displayed, and their
// colours.
#include <algorithm>
#include <bit>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "recording/EnteteREC.h"
#include "shell/Texte8.h"
#include "ui/Retic.h"
#include "ui/ReticOutils.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

QString NOM_LOGIQUE(int k) {
    return DepuisCp1252(EnteteF.NomLogique[k], static_cast<int>(sizeof EnteteF.NomLogique[k]));
}

} // namespace

QWidget* Retic::CONSTRUIRE_LOGIQUE() {
    auto* page = new QWidget(this);
    auto* grille = new QGridLayout;
    for (int k = 0; k < NombreLogiquesConfig; ++k) {
        const QByteArray nom = "checkBoxLogique" + QByteArray::number(k + 1);
        checkBoxLogique[k] = Nommer(new QCheckBox(page), nom.constData());
        grille->addWidget(checkBoxLogique[k], k % 8, k / 8);
        connect(checkBoxLogique[k], &QCheckBox::toggled, this,
                [this, k](bool coche) { CHANGE_LOGIQUE(k, coche); });
    }
    comboBoxLogique = Nommer(new QComboBox(page), "comboBoxLogique");
    buttonCouleurLogique = Nommer(new QPushButton(TexteMessage(M_Couleur), page), "buttonCouleurLogique");
    auto* couleurs = new QHBoxLayout;
    couleurs->addWidget(comboBoxLogique);
    couleurs->addWidget(buttonCouleurLogique);
    couleurs->addStretch(1);
    auto* disposition = new QVBoxLayout(page);
    disposition->addLayout(grille);
    disposition->addLayout(couleurs);
    disposition->addStretch(1);

    connect(comboBoxLogique, &QComboBox::currentIndexChanged, this, [this](int k) {
        if (k >= 0 && k < NombreLogiquesConfig)
            MONTRER_COULEUR(buttonCouleurLogique, Config.CouleurVoieLogique[k]);
    });
    connect(buttonCouleurLogique, &QPushButton::clicked, this, [this] { CHANGE_COULEUR_LOGIQUE(); });
    return page;
}

void Retic::REMPLIR_LOGIQUE() {
    const int nombre = std::min<int>(Config.NombreVoiesLogiques, NombreLogiquesConfig);
    QStringList noms;
    for (int k = 0; k < NombreLogiquesConfig; ++k) {
        QCheckBox* boite = checkBoxLogique[k];
        boite->setVisible(k < nombre);
        boite->setText(NOM_LOGIQUE(k));
        boite->setChecked(((Config.MasqueVoiesLogiques >> k) & 1u) != 0);
        if (k < nombre) noms << NOM_LOGIQUE(k);
    }
    QStringList actuels;
    for (int k = 0; k < comboBoxLogique->count(); ++k) actuels << comboBoxLogique->itemText(k);
    if (actuels != noms) {
        comboBoxLogique->clear();
        comboBoxLogique->addItems(noms);
    }
    const int k = comboBoxLogique->currentIndex();
    buttonCouleurLogique->setEnabled(k >= 0);
    if (k >= 0) MONTRER_COULEUR(buttonCouleurLogique, Config.CouleurVoieLogique[k]);
}

void Retic::CHANGE_LOGIQUE(int k, bool coche) {
    if (CalculModifEnCours) return;
    const uint16_t bit = static_cast<uint16_t>(1u << k);
    const uint16_t masque = Config.MasqueVoiesLogiques;
    Config.MasqueVoiesLogiques = static_cast<uint16_t>(coche ? (masque | bit) : (masque & ~bit));
    Config.NombreVoiesLogiquesAffichees = static_cast<uint8_t>(std::popcount(Config.MasqueVoiesLogiques));
    APRES_CHANGEMENT();
}

void Retic::CHANGE_COULEUR_LOGIQUE() {
    const int k = comboBoxLogique->currentIndex();
    if (k < 0 || k >= NombreLogiquesConfig) return;
    if (auto c = CHOISIR_COULEUR(Config.CouleurVoieLogique[k])) {
        Config.CouleurVoieLogique[k] = *c;
        MONTRER_COULEUR(buttonCouleurLogique, *c);
        REAFFICHER_TOTAL();
    }
}

} // namespace VIEW
