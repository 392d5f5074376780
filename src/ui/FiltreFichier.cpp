#include "ui/FiltreFichier.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace VIEW {

namespace {

QString Message(tBloc bloc) {
    return DepuisCp1252(POS_MESS(bloc));
}

// A control that keeps its place in the layout while hidden, so that the
// dialog does not jump when the list selection shows or hides it.
void GarderPlace(QWidget* w) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

template <typename W> W* Nommer(W* w, const char* nom) {
    w->setObjectName(QString::fromLatin1(nom));
    return w;
}

} // namespace

FiltreFichier::FiltreFichier(FiltreFichierModele& modele, QWidget* parent)
    : QDialog(parent), Modele_(modele) {
    setObjectName(QStringLiteral("FiltreFichier"));
    CONSTRUIRE();
    REMPLIR();
}

void FiltreFichier::CONSTRUIRE() {
    setWindowTitle(DepuisCp1252(M_NomLogiciel));
    setModal(true);

    label1 = Nommer(new QLabel(this), "label1");
    label2 = Nommer(new QLabel(this), "label2");
    for (QLabel* l : {label1, label2}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);

    listBox1 = Nommer(new QListWidget(this), "listBox1");
    listBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listBox1->setMinimumSize(220, 220);

    groupBoxCalibre = Nommer(new QGroupBox(Message(M_Calibre_box), this), "groupBoxCalibre");
    radioButtonCalibre1 =
        Nommer(new QRadioButton(Message(M_CalibreAuto), groupBoxCalibre), "radioButtonCalibre1");
    radioButtonCalibre2 =
        Nommer(new QRadioButton(Message(M_CalibreREC), groupBoxCalibre), "radioButtonCalibre2");
    auto* calibre = new QVBoxLayout(groupBoxCalibre);
    calibre->addWidget(radioButtonCalibre1);
    calibre->addWidget(radioButtonCalibre2);

    groupBoxEcran = Nommer(new QGroupBox(Message(M_TypeEcran), this), "groupBoxEcran");
    radioButtonAncienEcran =
        Nommer(new QRadioButton(Message(M_AncienEcran), groupBoxEcran), "radioButtonAncienEcran");
    radioButtonPlusieurEcran =
        Nommer(new QRadioButton(Message(M_Plusieurecran), groupBoxEcran), "radioButtonPlusieurEcran");
    radioButton1ecran = Nommer(new QRadioButton(Message(M_1Ecran), groupBoxEcran), "radioButton1ecran");
    auto* ecran = new QVBoxLayout(groupBoxEcran);
    ecran->addWidget(radioButtonAncienEcran);
    ecran->addWidget(radioButtonPlusieurEcran);
    ecran->addWidget(radioButton1ecran);
    GarderPlace(groupBoxEcran);

    checkBoxXY = Nommer(new QCheckBox(QStringLiteral("XY"), this), "checkBoxXY");
    GarderPlace(checkBoxXY);

    // Periods by decade: 1, 2, 5 down each column, one column per decade.
    groupBoxUnderSampling = Nommer(new QGroupBox(Message(M_Undersampling), this), "groupBoxUnderSampling");
    sousEchantillon =
        Nommer(new QCheckBox(Message(M_Undersampling), groupBoxUnderSampling), "sousEchantillon");
    groupeUS = new QButtonGroup(this);
    auto* periodes = new QGridLayout;
    periodes->setHorizontalSpacing(14);
    for (int i = 0; i < NombreBoutonsSousEchantillon; ++i) {
        auto* b = new QRadioButton(FiltreFichierModele::TexteBouton(i), groupBoxUnderSampling);
        b->setObjectName(QStringLiteral("radioButtonUS%1").arg(i + 1));
        radioButtonUS[static_cast<size_t>(i)] = b;
        groupeUS->addButton(b, i);
        periodes->addWidget(b, i % 3, i / 3);
    }
    auto* sous = new QVBoxLayout(groupBoxUnderSampling);
    sous->addWidget(sousEchantillon);
    sous->addLayout(periodes);

    buttonOK = Nommer(new QPushButton(Message(M_Valider), this), "buttonOK");
    button2 = Nommer(new QPushButton(Message(M_Annuler), this), "button2");
    buttonOK->setDefault(true);

    auto* options = new QVBoxLayout;
    options->addWidget(groupBoxCalibre);
    options->addWidget(groupBoxEcran);
    options->addWidget(checkBoxXY);
    options->addStretch(1);

    auto* milieu = new QHBoxLayout;
    milieu->addWidget(listBox1, 1);
    milieu->addLayout(options);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(buttonOK);
    boutons->addWidget(button2);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(label1);
    principal->addWidget(label2);
    principal->addLayout(milieu, 1);
    principal->addWidget(groupBoxUnderSampling);
    principal->addLayout(boutons);

    connect(listBox1, &QListWidget::itemSelectionChanged, this, &FiltreFichier::CHANGE_LISTE);
    connect(checkBoxXY, &QCheckBox::toggled, this, [this](bool coche) {
        Modele_.CHANGE_XY(coche);
        MONTRER_VISIBILITES();
    });
    connect(radioButtonCalibre1, &QRadioButton::toggled, this, [this](bool c) {
        if (c) Modele_.CHOIX_CALIBRE(0);
    });
    connect(radioButtonCalibre2, &QRadioButton::toggled, this, [this](bool c) {
        if (c) Modele_.CHOIX_CALIBRE(1);
    });
    const std::array<QRadioButton*, 3> ecrans = {radioButtonAncienEcran, radioButtonPlusieurEcran,
                                                 radioButton1ecran};
    for (uint8_t n = 0; n < ecrans.size(); ++n)
        connect(ecrans[n], &QRadioButton::toggled, this, [this, n](bool c) {
            if (c) Modele_.CHOIX_ECRAN(n);
        });
    connect(sousEchantillon, &QCheckBox::toggled, this,
            [this](bool coche) { Modele_.CHANGE_SOUS_ECHANTILLON(coche); });
    connect(groupeUS, &QButtonGroup::idClicked, this, [this](int i) { Modele_.CHOIX_PERIODE(i); });
    connect(buttonOK, &QPushButton::clicked, this, &FiltreFichier::CEST_OK);
    connect(button2, &QPushButton::clicked, this, &FiltreFichier::reject);
}

// Shows the model as it stands, without echoing the changes back to it.
void FiltreFichier::REMPLIR() {
    label1->setText(Modele_.TexteLabel());
    label2->setText(Modele_.TexteDate());
    {
        const QSignalBlocker bloque(listBox1);
        listBox1->clear();
        for (int k = 0; k < Modele_.NombreEntrees(); ++k) {
            auto* item = new QListWidgetItem(Modele_.TexteEntree(k), listBox1);
            item->setSelected(Modele_.EstSelectionnee(k));
        }
    }
    const QSignalBlocker b1(radioButtonCalibre1), b2(radioButtonCalibre2);
    radioButtonCalibre1->setChecked(Modele_.TypeCalibre == 0);
    radioButtonCalibre2->setChecked(Modele_.TypeCalibre == 1);
    const QSignalBlocker e0(radioButtonAncienEcran), e1(radioButtonPlusieurEcran), e2(radioButton1ecran);
    radioButtonAncienEcran->setChecked(Modele_.NombreEcran == 0);
    radioButtonPlusieurEcran->setChecked(Modele_.NombreEcran == 1);
    radioButton1ecran->setChecked(Modele_.NombreEcran == 2);
    const QSignalBlocker xy(checkBoxXY), se(sousEchantillon);
    checkBoxXY->setChecked(Modele_.XYCoche());
    sousEchantillon->setChecked(Modele_.SousEchantillonCoche());
    for (int i = 0; i < NombreBoutonsSousEchantillon; ++i) {
        QRadioButton* b = radioButtonUS[static_cast<size_t>(i)];
        b->setEnabled(Modele_.BoutonActif(i));
        if (i == Modele_.BoutonSousEchantillon()) b->setChecked(true);
    }
    MONTRER_VISIBILITES();
}

void FiltreFichier::CHANGE_LISTE() {
    for (int k = 0; k < listBox1->count() && k < Modele_.NombreEntrees(); ++k)
        Modele_.SELECTION(k, listBox1->item(k)->isSelected());
    Modele_.CHANGE_LISTE();
    MONTRER_VISIBILITES();
}

void FiltreFichier::MONTRER_VISIBILITES() {
    checkBoxXY->setVisible(Modele_.XYVisible());
    groupBoxEcran->setVisible(Modele_.GroupeEcranVisible());
}

void FiltreFichier::CEST_OK() {
    Modele_.CEST_OK();
    QDialog::accept();
}

void FiltreFichier::reject() {
    Modele_.ANNULER();
    QDialog::reject();
}

bool DialogueFiltreQt::EXECUTER(FiltreFichierModele& modele) {
    FiltreFichier dialogue(modele, Parent_.data());
    dialogue.exec();
    return modele.ValidSortie == 1;
}

} // namespace VIEW
