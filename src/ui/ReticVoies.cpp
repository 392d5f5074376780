// The channel page: the list of present channels and, for the selected one,
// display, name, colour, thickness, range, number format, screen, the function
// and script buttons; and the bounds options of all channels.
#include <algorithm>
#include <cmath>
#include <cstring>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "config/OnOff.h"
#include "config/Reticule.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/FormatREC.h"
#include "recording/SaisieNombre.h"
#include "recording/TexteValeur.h"
#include "shell/Texte8.h"
#include "ui/AffScript.h"
#include "ui/AjoutFonction.h"
#include "ui/Retic.h"
#include "ui/ReticChoix.h"
#include "ui/ReticOutils.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

// Characters of a channel name the header keeps.
constexpr int LongueurNomVoie = 26;

// A bound as its box shows it: in the unit of the channel's prefix, its
// decimals, trailing zeros removed, no prefix letter.
QString TEXTE_BORNE(float borne, int n) {
    const uint8_t digit6 = NombreDigit6, sansUnite = AffSansUnite;
    NombreDigit6 = 0;
    AffSansUnite = 1;
    char texte[96];
    CALCUL_MESSAGE(texte, static_cast<double>(borne), n, ModeCompresse);
    NombreDigit6 = digit6;
    AffSansUnite = sansUnite;
    return DepuisCp1252(texte).trimmed();
}

// The unit with the prefix of the channel's power of 1000 ("mV", "E+6V").
QString TEXTE_UNITE(int n) {
    const uint8_t sansUnite = AffSansUnite;
    AffSansUnite = 0;
    char prefixe[32] = "";
    AJOUTER_UNITE(prefixe, n, Config.ParamVoie[n].ExposantUnite);
    AffSansUnite = sansUnite;
    const tAffichageVoie& a = EnteteF.Affichage[n];
    return DepuisCp1252(prefixe).trimmed() +
           DepuisCp1252(a.UniteAffichee, static_cast<int>(sizeof a.UniteAffichee));
}

// Byte 2 of the fixed header of the recording's own family: its format
// revision, above 1 when the recording carries math scripts.
uint8_t REVISION_FORMAT() {
    switch (EnteteF.FamilleEnregistreur) {
    case FamilleTKOS:
        return EnteteF.EnteteTKOS.RevisionFormat;
    case FamilleVEL:
        return EnteteF.EnteteVEL.RevisionFormat;
    default:
        return 0;
    }
}

} // namespace

QWidget* Retic::CONSTRUIRE_VOIES() {
    auto* page = new QWidget(this);
    listBoxVoies = Nommer(new QListWidget(page), "listBoxVoies");
    listBoxVoies->setSelectionMode(QAbstractItemView::SingleSelection);
    checkBoxOn = Nommer(new QCheckBox(QStringLiteral("ON"), page), "checkBoxOn");
    textBoxNomVoie = Nommer(new QLineEdit(page), "textBoxNomVoie");
    textBoxNomVoie->setMaxLength(LongueurNomVoie);

    panelVoie = Nommer(new QWidget(page), "panelVoie");
    buttonCouleurVoie = Nommer(new QPushButton(TexteMessage(M_CoulVoie), panelVoie), "buttonCouleurVoie");
    labelEpaisseur = Nommer(new QLabel(TexteMessage(M_Epaisseur), panelVoie), "labelEpaisseur");
    numericEpaisseur = NOMBRE_RETIC(panelVoie, "numericEpaisseur", 1, 8);
    labelMax = Nommer(new QLabel(QStringLiteral("Max:"), panelVoie), "labelMax");
    textBoxMax = Nommer(new QLineEdit(panelVoie), "textBoxMax");
    labelMin = Nommer(new QLabel(QStringLiteral("Min:"), panelVoie), "labelMin");
    textBoxMin = Nommer(new QLineEdit(panelVoie), "textBoxMin");
    labelUnite = Nommer(new QLabel(panelVoie), "labelUnite");
    buttonBornes = Nommer(new QPushButton(QStringLiteral("OK"), panelVoie), "buttonBornes");
    groupBoxFormat = Nommer(new QGroupBox(TexteMessage(M_Format), panelVoie), "groupBoxFormat");
    radioButtonISO = Nommer(new QRadioButton(TexteMessage(M_FormatISO), groupBoxFormat), "radioButtonISO");
    radioButtonFixe = Nommer(new QRadioButton(TexteMessage(M_FormatFIXE), groupBoxFormat), "radioButtonFixe");
    radioButtonExpo = Nommer(new QRadioButton(TexteMessage(M_FormatEXPO), groupBoxFormat), "radioButtonExpo");
    auto* formats = new QHBoxLayout(groupBoxFormat);
    formats->addWidget(radioButtonISO);
    formats->addWidget(radioButtonFixe);
    formats->addWidget(radioButtonExpo);
    labelChangementEcran =
        Nommer(new QLabel(TexteMessage(M_ChangementEcran), panelVoie), "labelChangementEcran");
    buttonEcranHaut = Nommer(new QToolButton(panelVoie), "buttonEcranHaut");
    buttonEcranHaut->setArrowType(Qt::UpArrow);
    buttonEcranBas = Nommer(new QToolButton(panelVoie), "buttonEcranBas");
    buttonEcranBas->setArrowType(Qt::DownArrow);

    auto* grille = new QGridLayout(panelVoie);
    grille->setContentsMargins(0, 0, 0, 0);
    grille->addWidget(buttonCouleurVoie, 0, 0);
    grille->addWidget(labelEpaisseur, 0, 1);
    grille->addWidget(numericEpaisseur, 0, 2);
    grille->addWidget(labelMax, 1, 0);
    grille->addWidget(textBoxMax, 1, 1);
    grille->addWidget(labelUnite, 1, 2);
    grille->addWidget(labelMin, 2, 0);
    grille->addWidget(textBoxMin, 2, 1);
    grille->addWidget(buttonBornes, 2, 2);
    grille->addWidget(groupBoxFormat, 3, 0, 1, 3);
    auto* ecrans = new QHBoxLayout;
    ecrans->addWidget(labelChangementEcran);
    ecrans->addWidget(buttonEcranHaut);
    ecrans->addWidget(buttonEcranBas);
    ecrans->addStretch(1);
    grille->addLayout(ecrans, 4, 0, 1, 3);

    groupBoxOptionsBornes = Nommer(new QGroupBox(page), "groupBoxOptionsBornes");
    checkBoxPlusieurBorne =
        Nommer(new QCheckBox(TexteMessage(M_PlusieurBorne), groupBoxOptionsBornes), "checkBoxPlusieurBorne");
    checkBoxNomVertical =
        Nommer(new QCheckBox(TexteMessage(M_NomVerticale), groupBoxOptionsBornes), "checkBoxNomVertical");
    buttonPoliceBornes =
        Nommer(new QPushButton(TexteMessage(M_Police), groupBoxOptionsBornes), "buttonPoliceBornes");
    auto* options = new QVBoxLayout(groupBoxOptionsBornes);
    options->addWidget(checkBoxPlusieurBorne);
    options->addWidget(checkBoxNomVertical);
    options->addWidget(buttonPoliceBornes);

    buttonModifFonction = Nommer(new QPushButton(TexteMessage(M_ModifFonc), page), "buttonModifFonction");
    groupBoxScript = Nommer(new QGroupBox(QStringLiteral("Script"), page), "groupBoxScript");
    buttonScript = Nommer(new QPushButton(TexteMessage(M_AfficheScript), groupBoxScript), "buttonScript");
    auto* script = new QVBoxLayout(groupBoxScript);
    script->addWidget(buttonScript);

    auto* droite = new QVBoxLayout;
    droite->addWidget(checkBoxOn);
    droite->addWidget(textBoxNomVoie);
    droite->addWidget(panelVoie);
    droite->addWidget(buttonModifFonction);
    droite->addWidget(groupBoxScript);
    droite->addWidget(groupBoxOptionsBornes);
    droite->addStretch(1);
    auto* disposition = new QHBoxLayout(page);
    disposition->addWidget(listBoxVoies);
    disposition->addLayout(droite);

    connect(listBoxVoies, &QListWidget::currentRowChanged, this, [this](int l) { CHANGE_VOIE_CHOISIE(l); });
    connect(checkBoxOn, &QCheckBox::toggled, this, [this](bool coche) { CHANGE_ON(coche); });
    connect(textBoxNomVoie, &QLineEdit::textChanged, this, [this](const QString& t) { CHANGE_NOM_VOIE(t); });
    connect(buttonCouleurVoie, &QPushButton::clicked, this, [this] {
        const int r = VoieChoisie();
        if (r < 0) return;
        if (auto c = CHOISIR_COULEUR(Config.CouleurVoie[r])) {
            Config.CouleurVoie[r] = *c;
            APRES_CHANGEMENT();
        }
    });
    connect(numericEpaisseur, &QSpinBox::valueChanged, this, [this](int v) { CHANGE_EPAISSEUR(v); });
    connect(textBoxMax, &QLineEdit::returnPressed, this, [this] { CHANGE_BORNES(true, false); });
    connect(textBoxMin, &QLineEdit::returnPressed, this, [this] { CHANGE_BORNES(false, true); });
    connect(buttonBornes, &QPushButton::clicked, this, [this] { CHANGE_BORNES(true, true); });
    connect(radioButtonISO, &QRadioButton::toggled, this, [this](bool c) {
        if (c) CHANGE_FORMAT(0);
    });
    connect(radioButtonFixe, &QRadioButton::toggled, this, [this](bool c) {
        if (c) CHANGE_FORMAT(1);
    });
    connect(radioButtonExpo, &QRadioButton::toggled, this, [this](bool c) {
        if (c) CHANGE_FORMAT(2);
    });
    connect(buttonEcranHaut, &QToolButton::clicked, this, [this] { CHANGE_ECRAN_VOIE(-1); });
    connect(buttonEcranBas, &QToolButton::clicked, this, [this] { CHANGE_ECRAN_VOIE(+1); });
    connect(checkBoxPlusieurBorne, &QCheckBox::toggled, this, [this](bool c) { CHANGE_PLUSIEUR_BORNE(c); });
    connect(checkBoxNomVertical, &QCheckBox::toggled, this, [this](bool c) { CHANGE_NOM_VERTICAL(c); });
    connect(buttonPoliceBornes, &QPushButton::clicked, this, [this] { CHANGE_POLICE_BORNES(); });
    connect(buttonModifFonction, &QPushButton::clicked, this, [this] { MODIF_FONCTION_VOIE(); });
    connect(buttonScript, &QPushButton::clicked, this, [this] { AFFICHE_SCRIPT(); });
    return page;
}

void Retic::REMPLIR_VOIES() {
    QStringList noms;
    for (int n : Voies_) noms << NOM_VOIE(n);
    QStringList actuels;
    for (int k = 0; k < listBoxVoies->count(); ++k) actuels << listBoxVoies->item(k)->text();
    if (actuels != noms) {
        listBoxVoies->clear();
        listBoxVoies->addItems(noms);
    }
    checkBoxPlusieurBorne->setChecked(Config.BorneUnique == 0);
    checkBoxNomVertical->setChecked(Config.NomsVerticaux == 1);
    INIT_NOM();
    ACTIVE_BUTTON3();
}

void Retic::INIT_NOM() {
    const Remplissage remplissage(CalculModifEnCours);
    if (NumeroVoie >= Voies_.size()) NumeroVoie = 0;
    const int r = VoieChoisie();
    for (QWidget* w : std::initializer_list<QWidget*>{checkBoxOn, textBoxNomVoie}) w->setEnabled(r >= 0);
    if (r < 0) {
        panelVoie->hide();
        buttonModifFonction->hide();
        return;
    }
    listBoxVoies->setCurrentRow(NumeroVoie);
    const bool affichee = TST_B_ONOFF(Config.VoiesAffichees, r);
    checkBoxOn->setChecked(affichee);
    POSER_TEXTE(textBoxNomVoie, NOM_VOIE(r).left(LongueurNomVoie));
    panelVoie->setVisible(affichee);

    // The prefix the graph will draw the channel with, so that a typed bound
    // reads in the unit shown beside it.
    if (affichee) CALCUL_FLOAT(r);
    const tParamVoie& p = Config.ParamVoie[r];
    MONTRER_COULEUR(buttonCouleurVoie, Config.CouleurVoie[r]);
    numericEpaisseur->setValue(std::clamp<int>(Config.EpaisseurVoie[r], 1, 8));
    POSER_TEXTE(textBoxMax, TEXTE_BORNE(p.BorneMax, r));
    POSER_TEXTE(textBoxMin, TEXTE_BORNE(p.BorneMin, r));
    labelUnite->setText(TEXTE_UNITE(r));
    radioButtonISO->setChecked(p.FormatAffichage == 0 || p.FormatAffichage > 2);
    radioButtonFixe->setChecked(p.FormatAffichage == 1);
    radioButtonExpo->setChecked(p.FormatAffichage == 2);
    const bool plusieurs = Config.ReticEcran.NbEcran > 1;
    for (QWidget* w : std::initializer_list<QWidget*>{labelChangementEcran, buttonEcranHaut, buttonEcranBas})
        w->setEnabled(plusieurs);
    buttonModifFonction->setVisible(NUMERO_FONCTION_AJOUTEE(r) >= 0);
}

void Retic::ACTIVE_BUTTON3() {
    const int r = VoieChoisie();
    const int famille = EnteteF.FamilleEnregistreur;
    // Computed channels of the recorder families with scripts; the channels the
    // viewer added have no script.
    const bool script = r >= 0 && (famille == FamilleTKOS || famille == FamilleVEL) &&
                        REVISION_FORMAT() > 1 && r >= EnteteF.NombreVoiesAnalog &&
                        NUMERO_FONCTION_AJOUTEE(r) < 0 && Liens_.Scripts != nullptr;
    groupBoxScript->setVisible(script);
}

void Retic::CHANGE_VOIE_CHOISIE(int ligne) {
    if (CalculModifEnCours || ligne < 0) return;
    NumeroVoie = static_cast<uint8_t>(ligne);
    REINIT_FORM();
}

void Retic::CHANGE_ON(bool coche) {
    const int r = VoieChoisie();
    if (CalculModifEnCours || r < 0) return;
    if (coche)
        AJOUT_ONOFF(Config.VoiesAffichees, r);
    else
        ENLEVE_ONOFF(Config.VoiesAffichees, r);
    APRES_CHANGEMENT();
}

void Retic::CHANGE_NOM_VOIE(const QString& texte) {
    const int r = VoieChoisie();
    if (CalculModifEnCours || r < 0) return;
    char(&nom)[sizeof EnteteF.Affichage[0].NomAffiche] = EnteteF.Affichage[r].NomAffiche;
    std::memset(nom, 0, sizeof nom);
    CONVERT_STRING_CHAR(texte.left(LongueurNomVoie), nom);
    APRES_CHANGEMENT();
}

void Retic::CHANGE_EPAISSEUR(int valeur) {
    const int r = VoieChoisie();
    if (CalculModifEnCours || r < 0) return;
    Config.EpaisseurVoie[r] = static_cast<uint8_t>(std::clamp(valeur, 1, 8));
    REAFFICHER_TOTAL();
}

void Retic::CHANGE_BORNES(bool max, bool min) {
    const int r = VoieChoisie();
    if (CalculModifEnCours || r < 0) return;
    tParamVoie& p = Config.ParamVoie[r];
    const double echelle = std::pow(10.0, 3.0 * p.ExposantUnite);
    // A text that is no number leaves the bound as it was; a number beyond the
    // range of the stored float becomes 1.0.
    auto lire = [&](const QLineEdit* champ, float ancienne) {
        double v = 0.0;
        if (TEST_CONVERSION_DOUBLE(v, champ->text()) != 1) return ancienne;
        const float f = static_cast<float>(v * echelle);
        return std::isfinite(f) ? f : 1.0f;
    };
    if (max) p.BorneMax = lire(textBoxMax, p.BorneMax);
    if (min) p.BorneMin = lire(textBoxMin, p.BorneMin);
    APRES_CHANGEMENT();
}

void Retic::CHANGE_FORMAT(uint8_t format) {
    const int r = VoieChoisie();
    if (CalculModifEnCours || r < 0) return;
    if (Config.ParamVoie[r].FormatAffichage == format) return;
    Config.ParamVoie[r].FormatAffichage = format;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_PLUSIEUR_BORNE(bool coche) {
    if (CalculModifEnCours) return;
    Config.BorneUnique = coche ? 0 : 1;
    APRES_CHANGEMENT();
}

void Retic::CHANGE_NOM_VERTICAL(bool coche) {
    if (CalculModifEnCours) return;
    Config.NomsVerticaux = coche ? 1 : 0;
    REAFFICHER_TOTAL();
}

void Retic::CHANGE_ECRAN_VOIE(int sens) {
    const int r = VoieChoisie();
    if (CalculModifEnCours || r < 0) return;
    // Byte arithmetic: up from the first screen gives 0, which the layout rule
    // turns back into 1; down from the last is capped at NbEcran.
    Config.ReticEcran.EcranVoie[r] = static_cast<uint8_t>(Config.ReticEcran.EcranVoie[r] + sens);
    COHER_RETIC_(&Config.ReticEcran);
    APRES_CHANGEMENT();
}

void Retic::MODIF_FONCTION_VOIE() {
    const int r = VoieChoisie();
    if (r < 0) return;
    if (MODIF_FONCTION(this, r) == 1) APRES_CHANGEMENT();
}

void Retic::AFFICHE_SCRIPT() {
    const int r = VoieChoisie();
    if (r < 0 || Liens_.Scripts == nullptr) return;
    AffScript fenetre(r, *Liens_.Scripts, this);
    if (ExecuterDialogue)
        ExecuterDialogue(fenetre);
    else
        fenetre.exec();
}

} // namespace VIEW
