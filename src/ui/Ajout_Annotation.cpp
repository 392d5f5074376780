#include "ui/Ajout_Annotation.h"

#include <algorithm>
#include <limits>
#include <utility>

#include <QCheckBox>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "export/CreationAnnotation.h"
#include "recording/Annotations.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

uint16_t Coordonnee(int v) {
    return static_cast<uint16_t>(std::clamp<int>(v, 0, std::numeric_limits<uint16_t>::max()));
}

QColor DepuisArgb(int32_t argb) {
    return QColor::fromRgba(static_cast<QRgb>(static_cast<uint32_t>(argb)));
}

int32_t VersArgb(const QColor& couleur) {
    return static_cast<int32_t>(static_cast<uint32_t>(couleur.rgba()));
}

} // namespace

Ajout_Annotation::Ajout_Annotation(QWidget* parent, tLienAnnotation lien, tConfig& config)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint),
      ChoisirCouleur([](const QColor& actuelle, QWidget* p) { return QColorDialog::getColor(actuelle, p); }),
      Lien(std::move(lien)), Conf(config) {
    setObjectName(QStringLiteral("Ajout_Annotation"));

    auto bouton = [this](const char* nom) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(nom));
        b->setAutoDefault(false);
        return b;
    };
    checkBoxValider = new QCheckBox(this);
    checkBoxValider->setObjectName(QStringLiteral("checkBoxValider"));
    panelAnnot = new QWidget(this);
    panelAnnot->setObjectName(QStringLiteral("panelAnnot"));
    textBoxAnnot = new QLineEdit(panelAnnot);
    textBoxAnnot->setObjectName(QStringLiteral("textBoxAnnot"));
    textBoxAnnot->setMaxLength(TexteAnnotMax);
    textBoxAnnot->setMinimumWidth(220);
    checkBoxVertical = new QCheckBox(panelAnnot);
    checkBoxVertical->setObjectName(QStringLiteral("checkBoxVertical"));
    buttonCouleur = bouton("buttonCouleur");
    labelAnnot = new QLabel(panelAnnot);
    labelAnnot->setObjectName(QStringLiteral("labelAnnot"));
    labelAnnot->setVisible(false);
    buttonEfface = bouton("buttonEfface");
    buttonSauve = bouton("buttonSauve");
    buttonSauve->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    buttonRetour = bouton("buttonRetour");

    auto* reglages = new QHBoxLayout;
    reglages->addWidget(checkBoxVertical);
    reglages->addStretch(1);
    reglages->addWidget(buttonCouleur);
    auto* actions = new QHBoxLayout;
    actions->addWidget(buttonEfface);
    actions->addWidget(buttonSauve);
    actions->addStretch(1);
    auto* panneau = new QVBoxLayout(panelAnnot);
    panneau->setContentsMargins(0, 0, 0, 0);
    panneau->addWidget(textBoxAnnot);
    panneau->addLayout(reglages);
    panneau->addWidget(labelAnnot);
    panneau->addLayout(actions);
    auto* retour = new QHBoxLayout;
    retour->addStretch(1);
    retour->addWidget(buttonRetour);
    auto* page = new QVBoxLayout(this);
    page->addWidget(checkBoxValider);
    page->addWidget(panelAnnot);
    page->addLayout(retour);
    page->setSizeConstraint(QLayout::SetFixedSize);

    connect(textBoxAnnot, &QLineEdit::textChanged, this, [this](const QString& t) { CHANGE_TEXTE(t); });
    connect(checkBoxVertical, &QCheckBox::toggled, this, [this](bool coche) { CHANGE_VERTICAL(coche); });
    connect(buttonCouleur, &QPushButton::clicked, this, [this] { CHANGE_COULEUR(); });
    connect(checkBoxValider, &QCheckBox::toggled, this, [this](bool coche) { CHANGE_VALIDER(coche); });
    connect(buttonEfface, &QPushButton::clicked, this, [this] { EFFACE_ANNOT(); });
    connect(buttonSauve, &QPushButton::clicked, this, [this] { SAVE_ANNOT(); });
    connect(buttonRetour, &QPushButton::clicked, this, &QWidget::close);

    Init_Annot();
}

Ajout_Annotation::~Ajout_Annotation() {
    // Destroyed with its owner while shown: the position is kept all the same.
    if (isVisible()) OnFermeRienAVoir();
}

void Ajout_Annotation::Init_Annot() {
    setWindowTitle(QStringLiteral("Annotation"));
    checkBoxVertical->setText(TexteMessage(M_Vertical));
    checkBoxValider->setText(TexteMessage(M_Valider));
    labelAnnot->setText(TexteMessage(M_Annot_Label));
    buttonEfface->setText(TexteMessage(M_EffaceAnnot));
    buttonSauve->setToolTip(TexteMessage(M_SauveAnnot));
    buttonRetour->setText(TexteMessage(M_Retour));
    {
        const QSignalBlocker bloque(textBoxAnnot);
        textBoxAnnot->setText(DepuisCp1252(Conf.TexteAnnotation, TexteAnnotMax));
    }
    {
        const QSignalBlocker bloque(checkBoxVertical);
        checkBoxVertical->setChecked(Lien.AnnotVerticale == 1);
    }
    {
        const QSignalBlocker bloque(checkBoxValider);
        checkBoxValider->setChecked(Conf.AnnotationsMasquees == 0);
    }
    panelAnnot->setVisible(Conf.AnnotationsMasquees == 0);
    MONTRER_COULEUR();
    AFFICHE_BOUTONS();
}

uint8_t Ajout_Annotation::CREATION_ANNOTATION() {
    const QRect zone = Lien.ZoneTrace ? Lien.ZoneTrace() : QRect();
    const tClicAnnotation clic{.X = Lien.SauvePositionXAnnot,
                               .Y = Lien.SauvePositionYAnnot,
                               .DebutScrollX = zone.x(),
                               .DebutScrollY = zone.y(),
                               .ScrollX = zone.width(),
                               .ScrollY = zone.height()};
    const uint8_t resultat = ::CREATION_ANNOTATION(clic, Lien.AnnotVerticale, Conf);
    if (resultat != AnnotCreee) return resultat;
    AFFICHE_BOUTONS();
    emit EntreeSauveAnnot(true);
    emit DemandeRedessin();
    return resultat;
}

void Ajout_Annotation::EFFACE_ANNOT() {
    ::EFFACE_ANNOT();
    AFFICHE_BOUTONS();
    if (NombreAnnotEnPlus <= 0) emit EntreeSauveAnnot(false);
    emit DemandeRedessin();
}

void Ajout_Annotation::SAVE_ANNOT() {
    if (Lien.SauverAnnotations) Lien.SauverAnnotations();
    AFFICHE_BOUTONS();
}

void Ajout_Annotation::AFFICHE_BOUTONS() {
    const bool enAttente = NombreAnnotEnPlus > 0;
    buttonEfface->setVisible(enAttente);
    buttonSauve->setVisible(enAttente);
}

void Ajout_Annotation::CHANGE_TEXTE(const QString& texte) {
    CONVERT_STRING_CHAR(texte.left(TexteAnnotMax), Conf.TexteAnnotation);
}

void Ajout_Annotation::CHANGE_VERTICAL(bool coche) {
    Lien.AnnotVerticale = coche ? 1 : 0;
}

void Ajout_Annotation::CHANGE_COULEUR() {
    if (!ChoisirCouleur) return;
    const QColor choisie = ChoisirCouleur(DepuisArgb(Conf.CouleurAnnotation), this);
    if (!choisie.isValid()) return;
    Conf.CouleurAnnotation = VersArgb(choisie);
    MONTRER_COULEUR();
}

void Ajout_Annotation::CHANGE_VALIDER(bool coche) {
    Conf.AnnotationsMasquees = coche ? 0 : 1;
    panelAnnot->setVisible(coche);
    emit DemandeRedessin();
}

void Ajout_Annotation::MONTRER_COULEUR() {
    // The drawing ignores the alpha byte: the button shows the colour opaque.
    QColor couleur = DepuisArgb(Conf.CouleurAnnotation);
    couleur.setAlpha(255);
    QPixmap echantillon(24, 16);
    echantillon.fill(couleur);
    buttonCouleur->setIcon(QIcon(echantillon));
    buttonCouleur->setIconSize(echantillon.size());
}

void Ajout_Annotation::done(int resultat) {
    OnFermeRienAVoir();
    QDialog::done(resultat);
}

void Ajout_Annotation::showEvent(QShowEvent* evenement) {
    PositionRangee = false; // shown again after a close: its next close is stored too
    QDialog::showEvent(evenement);
}

void Ajout_Annotation::OnFermeRienAVoir() {
    if (PositionRangee) return;
    PositionRangee = true;
    PosAnnotX = Coordonnee(pos().x());
    PosAnnotY = Coordonnee(pos().y());
}

} // namespace VIEW
