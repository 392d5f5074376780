// The screen page: the screen layout, XY mode, the user graticule, the bounds
// display and the logic band. Titles, fonts and colours are in ReticCouleurs.cpp.
#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "config/OnOff.h"
#include "config/Reticule.h"
#include "recording/EnteteREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Texte8.h"
#include "ui/Retic.h"
#include "ui/ReticChoix.h"
#include "ui/ReticOutils.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

// The logic band is at least 3 units high; the control stops at 200.
constexpr int HauteurVLMin = 3, HauteurVLMax = 250;

// Position in `voies` of channel n, 0 when it is not there.
int PositionOuPremiere(const std::vector<int>& voies, int n) {
    const auto it = std::find(voies.begin(), voies.end(), n);
    return it == voies.end() ? 0 : static_cast<int>(it - voies.begin());
}

} // namespace

QWidget* Retic::CONSTRUIRE_ECRAN() {
    auto* page = new QWidget(this);

    groupBoxDisposition = Nommer(new QGroupBox(TexteMessage(M_Retic), page), "groupBoxDisposition");
    auto* grille = new QGridLayout(groupBoxDisposition);
    auto ligne = [&](QLabel*& etiquette, const char* nomEtiquette, tBloc texte, QSpinBox*& boite,
                     const char* nomBoite, int minimum, int maximum) {
        const int r = grille->rowCount();
        etiquette = Nommer(new QLabel(TexteMessage(texte), groupBoxDisposition), nomEtiquette);
        boite = NOMBRE_RETIC(groupBoxDisposition, nomBoite, minimum, maximum);
        grille->addWidget(etiquette, r, 0);
        grille->addWidget(boite, r, 1);
    };
    ligne(labelNbEcran, "labelNbEcran", M_NbRet, numericNbEcran, "numericNbEcran", 1, NombreVoiesConfig);
    ligne(labelNumEcran, "labelNumEcran", M_NumRet, numericNumEcran, "numericNumEcran", 1, NombreVoiesConfig);
    ligne(labelHaut, "labelHaut", M_Haut, numericHaut, "numericHaut", 0, 300);
    ligne(labelBas, "labelBas", M_Bas, numericBas, "numericBas", 0, 300);
    ligne(labelDivision, "labelDivision", M_Intervalle, numericDivision, "numericDivision", 0, 10);

    checkBoxBornes =
        Nommer(new QCheckBox(TexteMessage(M_AfficheBorne), groupBoxDisposition), "checkBoxBornes");
    checkBoxReticPerso =
        Nommer(new QCheckBox(TexteMessage(M_Reticperso), groupBoxDisposition), "checkBoxReticPerso");
    textBoxReticPerso = Nommer(new QLineEdit(groupBoxDisposition), "textBoxReticPerso");
    textBoxReticPerso->setReadOnly(true);
    textBoxReticPerso->installEventFilter(this);
    checkBoxXY = Nommer(new QCheckBox(QStringLiteral("XY"), groupBoxDisposition), "checkBoxXY");
    labelVoieX = Nommer(new QLabel(TexteMessage(M_VoieX_XY), groupBoxDisposition), "labelVoieX");
    comboBoxVoieX = Nommer(new QComboBox(groupBoxDisposition), "comboBoxVoieX");

    groupBoxXY = Nommer(new QGroupBox(TexteMessage(M_Grpbox_xy_dots), groupBoxDisposition), "groupBoxXY");
    radioButtonPoints = Nommer(new QRadioButton(TexteMessage(M_XY_dots), groupBoxXY), "radioButtonPoints");
    radioButtonLignes = Nommer(new QRadioButton(TexteMessage(M_XY_lines), groupBoxXY), "radioButtonLignes");
    auto* xy = new QHBoxLayout(groupBoxXY);
    xy->addWidget(radioButtonPoints);
    xy->addWidget(radioButtonLignes);

    groupBoxLogique =
        Nommer(new QGroupBox(TexteMessage(M_Position_VLog), groupBoxDisposition), "groupBoxLogique");
    labelPositionVL = Nommer(new QLabel(TexteMessage(M_VL_Position), groupBoxLogique), "labelPositionVL");
    comboBoxPositionVL = Nommer(new QComboBox(groupBoxLogique), "comboBoxPositionVL");
    comboBoxPositionVL->addItems({TexteMessage(M_Haut), TexteMessage(M_Bas)});
    labelHauteurVL = Nommer(new QLabel(TexteMessage(M_Hauteur), groupBoxLogique), "labelHauteurVL");
    numericHauteurVL = NOMBRE_RETIC(groupBoxLogique, "numericHauteurVL", 0, HauteurGraphe);
    checkBoxVLEnDehors =
        Nommer(new QCheckBox(TexteMessage(M_VL_EnDehors), groupBoxLogique), "checkBoxVLEnDehors");
    auto* logique = new QGridLayout(groupBoxLogique);
    logique->addWidget(labelPositionVL, 0, 0);
    logique->addWidget(comboBoxPositionVL, 0, 1);
    logique->addWidget(labelHauteurVL, 1, 0);
    logique->addWidget(numericHauteurVL, 1, 1);
    logique->addWidget(checkBoxVLEnDehors, 2, 0, 1, 2);

    int r = grille->rowCount();
    grille->addWidget(checkBoxBornes, r++, 0, 1, 2);
    grille->addWidget(checkBoxReticPerso, r, 0);
    grille->addWidget(textBoxReticPerso, r++, 1);
    grille->addWidget(checkBoxXY, r++, 0, 1, 2);
    grille->addWidget(labelVoieX, r, 0);
    grille->addWidget(comboBoxVoieX, r++, 1);
    grille->addWidget(groupBoxXY, r++, 0, 1, 2);
    grille->addWidget(groupBoxLogique, r++, 0, 1, 2);

    auto* droite = new QVBoxLayout;
    droite->addWidget(CONSTRUIRE_TITRES(page));
    droite->addWidget(CONSTRUIRE_COULEURS(page));
    droite->addStretch(1);
    auto* disposition = new QHBoxLayout(page);
    disposition->addWidget(groupBoxDisposition);
    disposition->addLayout(droite);

    connect(numericNbEcran, &QSpinBox::valueChanged, this, [this](int v) { INIT_Reticule(v); });
    connect(numericNumEcran, &QSpinBox::valueChanged, this, [this](int v) { CHANGE_ECRAN_CHOISI(v); });
    connect(numericHaut, &QSpinBox::valueChanged, this, [this](int v) { CHANGE_HAUT(v); });
    connect(numericBas, &QSpinBox::valueChanged, this, [this](int v) { CHANGE_BAS(v); });
    connect(numericDivision, &QSpinBox::valueChanged, this, [this](int v) { CHANGE_DIVISION(v); });
    connect(checkBoxBornes, &QCheckBox::toggled, this, [this](bool coche) {
        if (CalculModifEnCours) return;
        Config.AffichageBornes = coche ? 1 : 0;
        APRES_CHANGEMENT();
    });
    connect(checkBoxReticPerso, &QCheckBox::toggled, this, [this](bool coche) { CHANGE_RETIC_PERSO(coche); });
    connect(checkBoxXY, &QCheckBox::toggled, this, [this](bool coche) { CHANGE_XY(coche); });
    connect(comboBoxVoieX, &QComboBox::currentIndexChanged, this, [this](int k) { CHANGE_VOIE_X(k); });
    connect(radioButtonPoints, &QRadioButton::toggled, this, [this] { CHANGE_XY_POINTS(); });
    connect(comboBoxPositionVL, &QComboBox::currentIndexChanged, this, [this] { CHANGE_VL(); });
    connect(numericHauteurVL, &QSpinBox::valueChanged, this, [this] { CHANGE_VL(); });
    connect(checkBoxVLEnDehors, &QCheckBox::toggled, this,
            [this](bool coche) { CHANGE_VL_EN_DEHORS(coche); });
    return page;
}

void Retic::REMPLIR_ECRAN() {
    const tReticEcran& r = Config.ReticEcran;
    const int e = NumeroEcran - 1;
    const bool xy = Config.ModeXY == 1;
    numericNbEcran->setValue(r.NbEcran);
    numericNumEcran->setRange(1, std::max<int>(1, r.NbEcran));
    numericNumEcran->setValue(NumeroEcran);
    numericHaut->setValue(r.HautEcran[e]);
    numericBas->setValue(r.BasEcran[e]);
    numericDivision->setValue(r.NbDivEcran[e]);
    for (QWidget* w : std::initializer_list<QWidget*>{labelNbEcran, numericNbEcran, labelNumEcran,
                                                      numericNumEcran, labelHaut, numericHaut, labelBas,
                                                      numericBas, labelDivision, numericDivision})
        w->setVisible(!xy);

    checkBoxBornes->setChecked(Config.AffichageBornes == 1);
    checkBoxReticPerso->setChecked(Config.ReticulePerso == 1);
    POSER_TEXTE(textBoxReticPerso, DepuisCp1252(Config.FichierReticulePerso,
                                                static_cast<int>(sizeof Config.FichierReticulePerso)));

    checkBoxXY->setChecked(xy);
    labelVoieX->setVisible(xy);
    comboBoxVoieX->setVisible(xy);
    REMPLIR_LISTE(comboBoxVoieX);
    comboBoxVoieX->setCurrentIndex(Voies_.empty() ? -1 : PositionOuPremiere(Voies_, Config.VoieX));
    groupBoxXY->setVisible(xy);
    radioButtonPoints->setChecked(Config.XYPoints == 1);
    radioButtonLignes->setChecked(Config.XYPoints != 1);

    groupBoxLogique->setVisible(!xy && EnteteF.LogiqueAffichee == 1);
    comboBoxPositionVL->setCurrentIndex(Config.PositionVoiesLogiques == 0 ? 0 : 1);
    numericHauteurVL->setValue(Config.HauteurVoiesLogiques);
    checkBoxVLEnDehors->setChecked(Config.VoiesLogiquesEnDehors == 1);

    REMPLIR_TITRES();
}

void Retic::INIT_Reticule(int nombre) {
    if (CalculModifEnCours) return;
    // No more screens than channels to put in them.
    const int presentes = std::max<int>(1, static_cast<int>(Voies_.size()));
    Config.ReticEcran.NbEcran = static_cast<uint8_t>(std::clamp(nombre, 1, presentes));
    VALID_INIT_RET(EnteteF.LogiqueAffichee, 1);
    APRES_CHANGEMENT();
}

void Retic::CHANGE_ECRAN_CHOISI(int numero) {
    if (CalculModifEnCours) return;
    NumeroEcran = static_cast<uint8_t>(numero);
    REINIT_FORM();
}

void Retic::CHANGE_HAUT(int valeur) {
    if (CalculModifEnCours) return;
    // Capped before it is stored: a byte would wrap the values above 255.
    Config.ReticEcran.HautEcran[NumeroEcran - 1] = static_cast<uint8_t>(std::min(valeur, HauteurGraphe));
    COHER_RETIC_(&Config.ReticEcran);
    APRES_CHANGEMENT();
}

void Retic::CHANGE_BAS(int valeur) {
    if (CalculModifEnCours) return;
    Config.ReticEcran.BasEcran[NumeroEcran - 1] = static_cast<uint8_t>(std::min(valeur, HauteurGraphe));
    COHER_RETIC_(&Config.ReticEcran);
    APRES_CHANGEMENT();
}

void Retic::CHANGE_DIVISION(int valeur) {
    if (CalculModifEnCours) return;
    Config.ReticEcran.NbDivEcran[NumeroEcran - 1] = static_cast<uint8_t>(std::clamp(valeur, 0, 10));
    APRES_CHANGEMENT();
}

void Retic::CHANGE_RETIC_PERSO(bool coche) {
    if (CalculModifEnCours) return;
    Config.ReticulePerso = coche ? 1 : 0;
    if (coche && Config.FichierReticulePerso[0] == '\0') {
        CHOISIR_RETIC_PERSO();
        return;
    }
    APRES_CHANGEMENT();
}

void Retic::CHOISIR_RETIC_PERSO() {
    const QString chemin = ChoisirBitmap
                               ? ChoisirBitmap(QStringLiteral("*.bmp"), QStringLiteral("Bitmap *.bmp|*.bmp"))
                               : QString();
    if (!chemin.isEmpty()) {
        // The record holds 199 bytes of Windows-1252: a path it cannot hold
        // exactly would name another file, so it is refused.
        const std::string octets = VersCp1252(chemin);
        if (octets.size() < sizeof Config.FichierReticulePerso && DepuisCp1252(octets.c_str()) == chemin)
            CONVERT_STRING_CHAR(chemin, Config.FichierReticulePerso);
        else
            AFFICHE_ERREUR(POS_MESS(M_Erreurretperso));
    }
    APRES_CHANGEMENT();
}

void Retic::CHANGE_XY(bool coche) {
    if (CalculModifEnCours) return;
    Config.ModeXY = coche ? 1 : 0;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_VOIE_X(int position) {
    if (CalculModifEnCours || position < 0) return;
    Config.VoieX = static_cast<uint8_t>(VRAI_NUMERO(Config.VoiesPresentes, position));
    APRES_CHANGEMENT();
}

void Retic::CHANGE_XY_POINTS() {
    if (CalculModifEnCours) return;
    Config.XYPoints = radioButtonPoints->isChecked() ? 1 : 0;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_VL() {
    if (CalculModifEnCours) return;
    Config.PositionVoiesLogiques = static_cast<uint8_t>(std::max(0, comboBoxPositionVL->currentIndex()));
    Config.HauteurVoiesLogiques =
        static_cast<uint8_t>(std::clamp(numericHauteurVL->value(), HauteurVLMin, HauteurVLMax));
    COHER_RETIC_(&Config.ReticEcran);
    VALID_INIT_RET(EnteteF.LogiqueAffichee, 1);
    APRES_CHANGEMENT();
}

void Retic::CHANGE_VL_EN_DEHORS(bool coche) {
    if (CalculModifEnCours) return;
    Config.VoiesLogiquesEnDehors = coche ? 1 : 0;
    VALID_INIT_RET(EnteteF.LogiqueAffichee, 1);
    APRES_CHANGEMENT();
}

} // namespace VIEW
