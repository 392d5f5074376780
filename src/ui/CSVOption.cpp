#include "ui/CSVOption.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "export/OptionsCSV.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace VIEW {

namespace {

QString Texte(tBloc bloc) {
    return DepuisCp1252(POS_MESS(bloc));
}

// A one-column list of the two given choices in a titled group. The choices are single marks
// ("." or ","): they are shown large and bold, each on a row of its own that the list shows
// whole, with no empty space below them.
QListWidget* Liste(QGroupBox* groupe, const char* nom, const char* premier, const char* second) {
    auto* liste = new QListWidget(groupe);
    liste->setObjectName(QString::fromLatin1(nom));
    QFont grande = liste->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.5);
    grande.setBold(true);
    liste->setFont(grande);
    const int hauteurLigne = QFontMetrics(grande).height() + 8;
    for (const char* choix : {premier, second}) {
        auto* element = new QListWidgetItem(QString::fromLatin1(choix), liste);
        element->setTextAlignment(Qt::AlignCenter);
        element->setSizeHint(QSize(0, hauteurLigne));
    }
    liste->setSelectionMode(QAbstractItemView::SingleSelection);
    liste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    liste->setFixedHeight(hauteurLigne * liste->count() + 2 * liste->frameWidth());
    liste->setMinimumWidth(QFontMetrics(grande).horizontalAdvance(QStringLiteral("MMMM")));
    auto* disposition = new QVBoxLayout(groupe);
    disposition->addWidget(liste);
    return liste;
}

} // namespace

CSVOption::CSVOption(QWidget* parent) : QDialog(parent) {
    setModal(true);
    setWindowTitle(Texte(M_CSVDelimiter));

    checkBoxAuto = new QCheckBox(Texte(M_CSVAutoDetect), this);
    checkBoxAuto->setObjectName(QStringLiteral("checkBoxAuto"));
    groupBoxDelimiter = new QGroupBox(Texte(M_CSVDelimiter), this);
    groupBoxDelimiter->setObjectName(QStringLiteral("groupBoxDelimiter"));
    listBoxDelimiter = Liste(groupBoxDelimiter, "listBoxDelimiter", ".", ",");
    groupBoxSeparator = new QGroupBox(Texte(M_CSVSeparator), this);
    groupBoxSeparator->setObjectName(QStringLiteral("groupBoxSeparator"));
    listBoxSeparator = Liste(groupBoxSeparator, "listBoxSeparator", ",", ";");
    buttonAbort = new QPushButton(Texte(M_Annuler), this);
    buttonAbort->setObjectName(QStringLiteral("buttonAbort"));
    buttonValid = new QPushButton(Texte(M_Valider), this);
    buttonValid->setObjectName(QStringLiteral("buttonValid"));
    buttonValid->setDefault(true);

    auto* groupes = new QHBoxLayout;
    groupes->addWidget(groupBoxDelimiter);
    groupes->addWidget(groupBoxSeparator);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(buttonAbort);
    boutons->addWidget(buttonValid);
    auto* page = new QVBoxLayout(this);
    page->addWidget(checkBoxAuto);
    page->addLayout(groupes);
    page->addLayout(boutons);

    connect(checkBoxAuto, &QCheckBox::toggled, this, [this](bool active) { CHANGE_DETECTION(active); });
    connect(listBoxDelimiter, &QListWidget::currentRowChanged, this,
            [this](int ligne) { CHANGE_DELIMITEUR(ligne); });
    connect(listBoxSeparator, &QListWidget::currentRowChanged, this,
            [this](int ligne) { CHANGE_SEPARATEUR(ligne); });
    connect(buttonValid, &QPushButton::clicked, this, [this] {
        ECRIRE_CSV_CONF();
        accept();
    });
    connect(buttonAbort, &QPushButton::clicked, this, &QDialog::reject);

    UpdateCSV();
}

void CSVOption::UpdateCSV() {
    ::UpdateCSV();
    const QSignalBlocker b1(checkBoxAuto), b2(listBoxDelimiter), b3(listBoxSeparator);
    checkBoxAuto->setChecked(CSVSeparatorAutoDetect);
    listBoxDelimiter->setEnabled(!CSVSeparatorAutoDetect);
    listBoxSeparator->setEnabled(!CSVSeparatorAutoDetect);
    listBoxDelimiter->setCurrentRow(CSV_Delimiter == '.' ? 0 : 1);
    listBoxSeparator->setCurrentRow(CSV_Separator == ',' ? 0 : 1);
}

void CSVOption::CHANGE_DETECTION(bool active) {
    CSVSeparatorAutoDetect = active;
    ECRIRE_CSV_CONF();
    UpdateCSV();
}

void CSVOption::CHANGE_DELIMITEUR(int ligne) {
    if (CSVSeparatorAutoDetect || ligne < 0) return;
    CSV_Delimiter = ligne == 0 ? '.' : ',';
}

void CSVOption::CHANGE_SEPARATEUR(int ligne) {
    if (CSVSeparatorAutoDetect || ligne < 0) return;
    CSV_Separator = ligne == 0 ? ',' : ';';
}

} // namespace VIEW
