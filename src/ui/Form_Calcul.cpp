#include "ui/Form_Calcul.h"

#include <algorithm>
#include <limits>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "config/OnOff.h"
#include "graph/Mesures.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

uint16_t Coordonnee(int v) {
    return static_cast<uint16_t>(std::clamp<int>(v, 0, std::numeric_limits<uint16_t>::max()));
}

int NombreAffiche(const tConfig& c) {
    return std::clamp<int>(c.NombreCalcul, 1, NombreCalculMax);
}

} // namespace

// ---- Slot label ---------------------------------------------------------------------

EtiquetteCalcul::EtiquetteCalcul(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
}

void EtiquetteCalcul::MARQUER(bool marque) {
    if (marque == Marque_) return;
    Marque_ = marque;
    update();
}

void EtiquetteCalcul::mousePressEvent(QMouseEvent* evenement) {
    if (evenement->button() == Qt::LeftButton) emit Clique();
    QLabel::mousePressEvent(evenement);
}

void EtiquetteCalcul::paintEvent(QPaintEvent* evenement) {
    QLabel::paintEvent(evenement);
    if (!Marque_) return;
    // A small arrow in the blanks that start the text.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int h = std::max(4, fontMetrics().height() / 2);
    const int y = height() / 2;
    const QPoint fleche[] = {QPoint(2, y - h / 2), QPoint(2 + h, y), QPoint(2, y + h / 2)};
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::Highlight));
    p.drawPolygon(fleche, 3);
}

// ---- The window ---------------------------------------------------------------------

Form_Calcul::Form_Calcul(QWidget* parent, tConfig& config, const t_EnteteREC_GlobalTotal& entete)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), Conf(config), Entete(entete) {
    setObjectName(QStringLiteral("Form_Calcul"));
    setWindowTitle(TexteMessage(M_CalculMathematique));

    checkBoxValid = new QCheckBox(TexteMessage(M_Valid_Calcul), this);
    checkBoxValid->setObjectName(QStringLiteral("checkBoxValid"));

    groupBoxNombre = new QGroupBox(this);
    groupBoxNombre->setObjectName(QStringLiteral("groupBoxNombre"));
    labelNombre = new QLabel(TexteMessage(M_Nombre_Calcul), groupBoxNombre);
    labelNombre->setObjectName(QStringLiteral("labelNombre"));
    numericUpDown1 = new QSpinBox(groupBoxNombre);
    numericUpDown1->setObjectName(QStringLiteral("numericUpDown1"));
    numericUpDown1->setRange(1, NombreCalculMax);
    auto* nombre = new QVBoxLayout(groupBoxNombre);
    auto* ligneNombre = new QHBoxLayout;
    ligneNombre->addWidget(labelNombre);
    ligneNombre->addWidget(numericUpDown1);
    ligneNombre->addStretch(1);
    nombre->addLayout(ligneNombre);
    for (int k = 0; k < NombreEtiquettes; ++k) {
        label[k] = new EtiquetteCalcul(groupBoxNombre);
        label[k]->setObjectName(QStringLiteral("label%1").arg(k));
        nombre->addWidget(label[k]);
        connect(label[k], &EtiquetteCalcul::Clique, this, [this, k] { CHOIX_CALCUL(k); });
    }

    groupBoxChoix = new QGroupBox(this);
    groupBoxChoix->setObjectName(QStringLiteral("groupBoxChoix"));
    listBoxVoie = new QListWidget(groupBoxChoix);
    listBoxVoie->setObjectName(QStringLiteral("listBoxVoie"));
    listBoxType = new QListWidget(groupBoxChoix);
    listBoxType->setObjectName(QStringLiteral("listBoxType"));
    for (int t = 0; t < NombreTypesMesure; ++t) listBoxType->addItem(TexteMessage(MESSAGE_LISTE_MESURE(t)));
    auto* choix = new QHBoxLayout(groupBoxChoix);
    choix->addWidget(listBoxVoie);
    choix->addWidget(listBoxType);

    groupBoxPlacement = new QGroupBox(this);
    groupBoxPlacement->setObjectName(QStringLiteral("groupBoxPlacement"));
    checkBoxMinMax = new QCheckBox(TexteMessage(M_MinMaxEcran), groupBoxPlacement);
    checkBoxMinMax->setObjectName(QStringLiteral("checkBoxMinMax"));
    auto* placement = new QVBoxLayout(groupBoxPlacement);
    placement->addWidget(checkBoxMinMax);

    buttonRetour = new QPushButton(TexteMessage(M_Retour), this);
    buttonRetour->setObjectName(QStringLiteral("buttonRetour"));
    buttonRetour->setAutoDefault(false);

    auto* bouton = new QHBoxLayout;
    bouton->addStretch(1);
    bouton->addWidget(buttonRetour);
    auto* page = new QVBoxLayout(this);
    page->addWidget(checkBoxValid);
    page->addWidget(groupBoxNombre);
    page->addWidget(groupBoxChoix);
    page->addWidget(groupBoxPlacement);
    page->addLayout(bouton);
    page->setSizeConstraint(QLayout::SetFixedSize);

    connect(checkBoxValid, &QCheckBox::toggled, this, [this] { CHANGE_VALIDE(); });
    connect(numericUpDown1, &QSpinBox::valueChanged, this, [this](int n) { CHANGE_NOMBRE(n); });
    connect(listBoxVoie, &QListWidget::currentRowChanged, this, [this](int p) { CHANGE_VOIE(p); });
    connect(listBoxType, &QListWidget::currentRowChanged, this, [this](int p) { CHANGE_TYPE(p); });
    connect(checkBoxMinMax, &QCheckBox::toggled, this, [this] { CHANGE_MINMAX(); });
    connect(buttonRetour, &QPushButton::clicked, this, &QWidget::close);

    Init();
}

Form_Calcul::~Form_Calcul() {
    // Destroyed with its owner while shown: the position is kept all the same.
    if (isVisible()) RANGER_POSITION();
}

void Form_Calcul::Init() {
    Remplissage_ = true;
    // Any value but 0 (a configuration file may hold one) draws the results.
    const bool valide = Conf.CalculValide != 0;
    checkBoxValid->setChecked(valide);
    groupBoxNombre->setVisible(valide);
    groupBoxChoix->setVisible(valide);
    groupBoxPlacement->setVisible(valide);

    const int nombre = NombreAffiche(Conf);
    numericUpDown1->setValue(nombre);
    NumeroCalcul_ = std::clamp(NumeroCalcul_, 0, nombre - 1);
    for (int k = 0; k < NombreEtiquettes; ++k) {
        char texte[160];
        RECUP_LABEL_DIALOGUE(texte, sizeof texte, Entete, Conf.TabCalcul[k][0], Conf.TabCalcul[k][1]);
        label[k]->setText(DepuisCp1252(texte));
        label[k]->setVisible(k < nombre);
        label[k]->MARQUER(k == NumeroCalcul_);
    }

    listBoxVoie->clear();
    for (int ch = 0; ch < NombreVoiesTable; ++ch)
        if (TST_B_ONOFF(Conf.VoiesPresentes, ch))
            listBoxVoie->addItem(DepuisCp1252(Entete.Affichage[ch].NomAffiche,
                                              static_cast<int>(sizeof Entete.Affichage[ch].NomAffiche)));
    if (listBoxVoie->count() > 0)
        listBoxVoie->setCurrentRow(
            std::min(POSITION_DE_VOIE(Conf.VoiesPresentes, Conf.TabCalcul[NumeroCalcul_][0]),
                     listBoxVoie->count() - 1));
    const int type = Conf.TabCalcul[NumeroCalcul_][1];
    listBoxType->setCurrentRow(type < NombreTypesMesure ? type : 0);

    checkBoxMinMax->setChecked(Conf.PlacementMinMax == 1);
    Remplissage_ = false;
}

void Form_Calcul::MODIFIE() {
    Init();
    emit DemandeRedessin();
}

void Form_Calcul::CHANGE_VALIDE() {
    if (Remplissage_) return;
    Conf.CalculValide = Conf.CalculValide != 0 ? 0 : 1;
    MODIFIE();
}

void Form_Calcul::CHANGE_NOMBRE(int nombre) {
    if (Remplissage_) return;
    Conf.NombreCalcul = static_cast<uint8_t>(std::clamp(nombre, 1, NombreCalculMax));
    MODIFIE();
}

void Form_Calcul::CHOIX_CALCUL(int k) {
    if (Remplissage_ || k < 0 || k >= NombreEtiquettes) return;
    NumeroCalcul_ = k;
    MODIFIE();
}

void Form_Calcul::CHANGE_VOIE(int position) {
    if (Remplissage_ || position < 0) return;
    Conf.TabCalcul[NumeroCalcul_][0] =
        static_cast<uint8_t>(VOIE_DE_POSITION(Conf.VoiesPresentes, position, LIMITE_VOIES_LISTE(Entete)));
    MODIFIE();
}

void Form_Calcul::CHANGE_TYPE(int position) {
    if (Remplissage_ || position < 0 || position >= NombreTypesMesure) return;
    Conf.TabCalcul[NumeroCalcul_][1] = static_cast<uint8_t>(position);
    MODIFIE();
}

void Form_Calcul::CHANGE_MINMAX() {
    if (Remplissage_) return;
    Conf.PlacementMinMax = Conf.PlacementMinMax == 1 ? 0 : 1;
    MODIFIE();
}

void Form_Calcul::done(int resultat) {
    RANGER_POSITION();
    QDialog::done(resultat);
}

void Form_Calcul::showEvent(QShowEvent* evenement) {
    PositionRangee_ = false; // shown again after a close: its next close is stored too
    QDialog::showEvent(evenement);
}

void Form_Calcul::RANGER_POSITION() {
    if (PositionRangee_) return;
    PositionRangee_ = true;
    PosCalculX = Coordonnee(pos().x());
    PosCalculY = Coordonnee(pos().y());
}

} // namespace VIEW
