#include "ui/FonctionNew.h"

#include <cmath>
#include <cstring>

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "config/OnOff.h"
#include "math/Fonctions.h"
#include "math/FormuleVoie.h"
#include "recording/EnteteREC.h"
#include "recording/SaisieNombre.h"
#include "recording/TexteValeur.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace VIEW {

namespace {

QString Texte(tBloc bloc) {
    return DepuisCp1252(POS_MESS(bloc));
}

QLineEdit* ChampCoefficient(QWidget* parent, const char* nom) {
    auto* champ = new QLineEdit(parent);
    champ->setObjectName(QString::fromLatin1(nom));
    champ->setMinimumWidth(champ->fontMetrics().horizontalAdvance(QStringLiteral("-0.0000E-12")) + 12);
    return champ;
}

QComboBox* Liste(QWidget* parent, const char* nom) {
    auto* liste = new QComboBox(parent);
    liste->setObjectName(QString::fromLatin1(nom));
    liste->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return liste;
}

QLabel* Signe(QWidget* parent, const char* signe) {
    auto* label = new QLabel(QString::fromLatin1(signe), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

FonctionNew::FonctionNew(QWidget* parent) : QDialog(parent) {
    setModal(true);

    textBoxA = ChampCoefficient(this, "textBoxA");
    comboBoxVoie1 = Liste(this, "comboBoxVoie1");
    comboBoxOperateur = Liste(this, "comboBoxOperateur");
    for (const char* op : {"+", "-", "*", "/"}) comboBoxOperateur->addItem(QString::fromLatin1(op));
    textBoxB = ChampCoefficient(this, "textBoxB");
    comboBoxVoie2 = Liste(this, "comboBoxVoie2");
    textBoxC = ChampCoefficient(this, "textBoxC");
    labelNom = new QLabel(this);
    labelNom->setObjectName(QStringLiteral("labelNom"));
    textBoxNom = new QLineEdit(this);
    textBoxNom->setObjectName(QStringLiteral("textBoxNom"));
    textBoxNom->setMaxLength(LongueurNomFonction);
    labelUnite = new QLabel(this);
    labelUnite->setObjectName(QStringLiteral("labelUnite"));
    textBoxUnite = new QLineEdit(this);
    textBoxUnite->setObjectName(QStringLiteral("textBoxUnite"));
    textBoxUnite->setMaxLength(LongueurUniteFonction);
    buttonAbort = new QPushButton(this);
    buttonAbort->setObjectName(QStringLiteral("buttonAbort"));
    buttonValid = new QPushButton(this);
    buttonValid->setObjectName(QStringLiteral("buttonValid"));
    // Enter belongs to the coefficient fields: no button takes it.
    buttonAbort->setAutoDefault(false);
    buttonValid->setAutoDefault(false);

    // A x channel 1 (op) B x channel 2 + C, read from left to right.
    auto* formule = new QHBoxLayout;
    formule->addWidget(textBoxA);
    formule->addWidget(Signe(this, "*"));
    formule->addWidget(comboBoxVoie1);
    formule->addWidget(comboBoxOperateur);
    formule->addWidget(textBoxB);
    formule->addWidget(Signe(this, "*"));
    formule->addWidget(comboBoxVoie2);
    formule->addWidget(Signe(this, "+"));
    formule->addWidget(textBoxC);

    auto* textes = new QGridLayout;
    textes->addWidget(labelNom, 0, 0);
    textes->addWidget(textBoxNom, 0, 1);
    textes->addWidget(labelUnite, 1, 0);
    textes->addWidget(textBoxUnite, 1, 1);
    textes->setColumnStretch(2, 1);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(buttonAbort);
    boutons->addWidget(buttonValid);

    auto* page = new QVBoxLayout(this);
    page->addLayout(formule);
    page->addLayout(textes);
    page->addLayout(boutons);

    for (int champ : {ChampA, ChampB, ChampC}) {
        QLineEdit* c = Champ_(champ);
        c->installEventFilter(this);
        connect(c, &QLineEdit::editingFinished, this, [this, champ] { MODIF_COEF(champ); });
    }
    connect(buttonValid, &QPushButton::clicked, this, [this] { CREER_FONCTION(); });
    connect(buttonAbort, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* FonctionNew::Champ_(int champ) const {
    return champ == ChampA ? textBoxA : champ == ChampB ? textBoxB : textBoxC;
}

float& FonctionNew::Coeff(int champ) {
    return champ == ChampA ? CoeffA : champ == ChampB ? CoeffB : CoeffC;
}

void FonctionNew::Init() {
    Init(Config.TabFonction[SLOT_FONCTION(NumeroFonction)]);
}

void FonctionNew::Init(const tFonctionConfig& depart) {
    FaireFonction = 0;
    ModifEnCours = 1;
    setWindowTitle(QStringLiteral("ADD"));
    buttonAbort->setText(Texte(M_Annuler));
    buttonValid->setText(Texte(M_Valider));
    labelNom->setText(Texte(M_NomVoie));
    labelUnite->setText(Texte(M_Unite));

    // Channels with a record of their own: the positions of both lists.
    Voies.clear();
    for (int n = 0; n < NombreVoiesTable; ++n)
        if (TST_B_ONOFF(Config.VoiesPresentes, n)) Voies.push_back(static_cast<uint8_t>(n));
    {
        const QSignalBlocker b1(comboBoxVoie1), b2(comboBoxVoie2);
        comboBoxVoie1->clear();
        comboBoxVoie2->clear();
        for (uint8_t n : Voies) {
            const tAffichageVoie& a = EnteteF.Affichage[n];
            const QString nom = DepuisCp1252(a.NomAffiche, static_cast<int>(sizeof a.NomAffiche));
            comboBoxVoie1->addItem(nom);
            comboBoxVoie2->addItem(nom);
        }
        comboBoxVoie1->setCurrentIndex(PositionVoie(depart.Voie1));
        comboBoxVoie2->setCurrentIndex(PositionVoie(depart.Voie2));
    }
    comboBoxOperateur->setCurrentIndex(depart.Operateur > OperateurDivision ? 0 : depart.Operateur);

    CoeffA = depart.CoeffA;
    CoeffB = depart.CoeffB;
    CoeffC = depart.CoeffC;
    REFORMATER();
    textBoxNom->setText(DepuisCp1252(depart.NomFonction, LongueurNomFonction));
    textBoxUnite->setText(DepuisCp1252(depart.UniteFonction, LongueurUniteFonction));
    ModifEnCours = 0;
}

int FonctionNew::PositionVoie(int voie) const {
    for (size_t k = 0; k < Voies.size(); ++k)
        if (Voies[k] == voie) return static_cast<int>(k);
    return 0;
}

uint8_t FonctionNew::VoieDePosition(int position) const {
    return position >= 0 && static_cast<size_t>(position) < Voies.size() ? Voies[position] : 0;
}

void FonctionNew::PRENDRE_COEF(int champ) {
    const QString texte = Champ_(champ)->text();
    if (texte == TexteCoeff[champ]) return;
    double valeur = 0.0;
    // A number beyond the single-precision range cannot be stored: refused like a bad text.
    if (TEST_CONVERSION_DOUBLE(valeur, texte) == 1 && std::isfinite(static_cast<float>(valeur)))
        Coeff(champ) = static_cast<float>(valeur);
}

void FonctionNew::MODIF_COEF(int champ) {
    if (ModifEnCours == 1) return;
    PRENDRE_COEF(champ);
    REFORMATER();
}

void FonctionNew::REFORMATER() {
    for (int champ : {ChampA, ChampB, ChampC}) {
        char texte[32];
        CALCUL_MESS_COEFF(texte, Coeff(champ));
        QLineEdit* c = Champ_(champ);
        c->setText(DepuisCp1252(texte));
        TexteCoeff[champ] = c->text();
    }
    comboBoxVoie2->setEnabled(CoeffB != 0.f);
}

void FonctionNew::CREER_FONCTION() {
    // A coefficient typed but not yet taken (no Enter, focus never left) counts as well.
    for (int champ : {ChampA, ChampB, ChampC}) PRENDRE_COEF(champ);
    REFORMATER();

    tFonctionConfig& f = Config.TabFonction[SLOT_FONCTION(NumeroFonction)];
    f.CoeffA = CoeffA;
    f.CoeffB = CoeffB;
    f.CoeffC = CoeffC;
    f.Voie1 = VoieDePosition(comboBoxVoie1->currentIndex());
    f.Voie2 = VoieDePosition(comboBoxVoie2->currentIndex());
    const int op = comboBoxOperateur->currentIndex();
    f.Operateur = static_cast<uint8_t>(op < 0 ? 0 : op);
    std::memset(f.NomFonction, 0, sizeof f.NomFonction);
    std::memset(f.UniteFonction, 0, sizeof f.UniteFonction);
    CONVERT_STRING_CHAR(textBoxNom->text(), f.NomFonction);
    CONVERT_STRING_CHAR(textBoxUnite->text(), f.UniteFonction);
    f.NomFonction[LongueurNomFonction] = '\0';
    f.UniteFonction[LongueurUniteFonction] = '\0';
    FaireFonction = 1;
    accept();
}

bool FonctionNew::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            for (int champ : {ChampA, ChampB, ChampC})
                if (objet == Champ_(champ)) {
                    MODIF_COEF(champ);
                    return true;
                }
        }
    }
    return QDialog::eventFilter(objet, evenement);
}

} // namespace VIEW
