#include "ui/ErreurScript.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "math/InstallationScripts.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace VIEW {

QString TEXTE_SLOTS_ERREUR(const uint8_t (&erreurs)[NombreSlotsScript]) {
    QString texte;
    for (int s = 0; s < NombreSlotsScript; ++s) {
        if (erreurs[s] == 0) continue;
        texte += QLatin1Char('F');
        texte += QLatin1Char(static_cast<char>('A' + s));
        texte += QLatin1Char(' ');
    }
    return texte;
}

namespace {

struct tDrapeaux {
    uint8_t Slots[NombreSlotsScript]{};
};

tDrapeaux Drapeaux(const tArretsScripts& arrets) {
    tDrapeaux d;
    for (int s = 0; s < NombreSlotsScript; ++s) d.Slots[s] = arrets[s].Nature != ArretAucun ? 1 : 0;
    return d;
}

} // namespace

ErreurScript::ErreurScript(const tArretsScripts& arrets, const t_EnteteREC_GlobalTotal& entete,
                           QWidget* parent)
    : ErreurScript(Drapeaux(arrets).Slots, parent) {
    QString texte;
    for (int s = 0; s < NombreSlotsScript; ++s) {
        if (arrets[s].Nature == ArretAucun) continue;
        if (!texte.isEmpty()) texte += QLatin1Char('\n');
        texte += DepuisCp1252(TEXTE_ARRET_SCRIPT(entete, s, arrets[s]).c_str());
    }
    labelArrets->setText(texte);
    labelArrets->setVisible(!texte.isEmpty());
}

ErreurScript::ErreurScript(const uint8_t (&erreurs)[NombreSlotsScript], QWidget* parent) : QDialog(parent) {
    setModal(true);
    setWindowTitle(DepuisCp1252(POS_MESS(M_ErreurScript)));

    pictureBox = new QLabel(this);
    pictureBox->setObjectName(QStringLiteral("pictureBox"));
    const int cote = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    pictureBox->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(cote, cote));
    labelTexte = new QLabel(DepuisCp1252(POS_MESS(M_ErreurScriptTrouve)), this);
    labelTexte->setObjectName(QStringLiteral("labelTexte"));
    labelSlots = new QLabel(TEXTE_SLOTS_ERREUR(erreurs), this);
    labelSlots->setObjectName(QStringLiteral("labelSlots"));
    labelSlots->setWordWrap(true);
    labelArrets = new QLabel(this);
    labelArrets->setObjectName(QStringLiteral("labelArrets"));
    labelArrets->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelArrets->hide();
    buttonRetour = new QPushButton(DepuisCp1252(POS_MESS(M_Retour)), this);
    buttonRetour->setObjectName(QStringLiteral("buttonRetour"));
    buttonRetour->setDefault(true);

    auto* textes = new QVBoxLayout;
    textes->addWidget(labelTexte);
    textes->addWidget(labelSlots);
    textes->addWidget(labelArrets);
    textes->addStretch(1);
    auto* haut = new QHBoxLayout;
    haut->addWidget(pictureBox, 0, Qt::AlignTop);
    haut->addLayout(textes, 1);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(buttonRetour);
    auto* page = new QVBoxLayout(this);
    page->addLayout(haut);
    page->addLayout(boutons);

    // Escape closes the dialog as the button does (QDialog's own reject).
    connect(buttonRetour, &QPushButton::clicked, this, &QDialog::accept);
}

void MONTRER_ERREURS_SCRIPTS(const uint8_t (&erreurs)[NombreSlotsScript]) {
    ErreurScript fenetre(erreurs, QApplication::activeWindow());
    fenetre.exec();
}

void MONTRER_ARRETS_SCRIPTS(const tArretsScripts& arrets, const t_EnteteREC_GlobalTotal& entete) {
    ErreurScript fenetre(arrets, entete, QApplication::activeWindow());
    fenetre.exec();
}

} // namespace VIEW
