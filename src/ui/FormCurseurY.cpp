#include "ui/FormCurseurY.h"

#include <algorithm>
#include <limits>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "config/OnOff.h"
#include "graph/grapheft.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"

namespace VIEW {

namespace {

QString Texte(tBloc bloc) {
    return DepuisCp1252(POS_MESS(bloc));
}

uint16_t Coordonnee(int v) {
    return static_cast<uint16_t>(std::clamp<int>(v, 0, std::numeric_limits<uint16_t>::max()));
}

} // namespace

FormCurseurY::FormCurseurY(QWidget* parent, uint8_t& validiteCurseurY, grapheft* graphe, tConfig& config,
                           const t_EnteteREC_GlobalTotal& entete)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), ValiditeCurseurY(validiteCurseurY),
      Graphe(graphe), Conf(config), Entete(entete) {
    setObjectName(QStringLiteral("FormCurseurY"));
    setWindowTitle(Texte(M_CurseurY));

    checkBox_AfficheCurseurY = new QCheckBox(Texte(M_Aff_CurseurY), this);
    checkBox_AfficheCurseurY->setObjectName(QStringLiteral("checkBox_AfficheCurseurY"));
    comboBoxCurseurY = new QComboBox(this);
    comboBoxCurseurY->setObjectName(QStringLiteral("comboBoxCurseurY"));
    comboBoxCurseurY->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    button1 = new QPushButton(Texte(M_Retour), this);
    button1->setObjectName(QStringLiteral("button1"));
    button1->setAutoDefault(false);

    auto* bouton = new QHBoxLayout;
    bouton->addStretch(1);
    bouton->addWidget(button1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(checkBox_AfficheCurseurY);
    page->addWidget(comboBoxCurseurY);
    page->addLayout(bouton);
    page->setSizeConstraint(QLayout::SetFixedSize);

    connect(checkBox_AfficheCurseurY, &QCheckBox::toggled, this,
            [this](bool coche) { MOD_VALID_CURSEUR_Y(coche); });
    connect(comboBoxCurseurY, &QComboBox::currentIndexChanged, this,
            [this](int position) { CHANGE_CURSEUR_Y(position); });
    connect(button1, &QPushButton::clicked, this, &QWidget::close);

    Init_CurseurY();
}

FormCurseurY::~FormCurseurY() {
    // Destroyed with its owner while shown: the position is kept all the same.
    if (isVisible()) OnFermeRienAVoir();
}

void FormCurseurY::Init_CurseurY() {
    {
        const QSignalBlocker bloque(checkBox_AfficheCurseurY);
        checkBox_AfficheCurseurY->setChecked(ValiditeCurseurY == 1);
    }
    int entree = -1;
    {
        const QSignalBlocker bloque(comboBoxCurseurY);
        comboBoxCurseurY->clear();
        for (int ch = 0; ch < NombreVoiesTable; ++ch) {
            if (!TST_B_ONOFF(Conf.VoiesPresentes, ch)) continue;
            if (ch == Conf.VoieCurseurY) entree = comboBoxCurseurY->count();
            comboBoxCurseurY->addItem(
                DepuisCp1252(Entete.Affichage[ch].NomAffiche, sizeof(Entete.Affichage[ch].NomAffiche)));
        }
        if (comboBoxCurseurY->count() == 0) return;
        comboBoxCurseurY->setCurrentIndex(std::max(entree, 0));
    }
    // The cursors' channel is not in the list: the entry shown is the one they take.
    if (entree < 0) CHANGE_CURSEUR_Y(0);
}

void FormCurseurY::MOD_VALID_CURSEUR_Y(bool coche) {
    if (ValiditeCurseurY == 0 && coche && Graphe != nullptr) Graphe->INIT_CURSEURS_Y();
    ValiditeCurseurY = coche ? 1 : 0;
    emit DemandeRedessin();
}

void FormCurseurY::CHANGE_CURSEUR_Y(int position) {
    if (position < 0) return;
    Conf.VoieCurseurY = static_cast<uint8_t>(VRAI_NUMERO(Conf.VoiesPresentes, position));
    emit DemandeRedessin();
}

void FormCurseurY::done(int resultat) {
    OnFermeRienAVoir();
    QDialog::done(resultat);
}

void FormCurseurY::showEvent(QShowEvent* evenement) {
    PositionRangee = false; // shown again after a close: its next close is stored too
    QDialog::showEvent(evenement);
}

void FormCurseurY::OnFermeRienAVoir() {
    if (PositionRangee) return;
    PositionRangee = true;
    PosAnnotX = Coordonnee(pos().x());
    PosAnnotY = Coordonnee(pos().y());
}

} // namespace VIEW
