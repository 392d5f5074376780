#include "ui/Export.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "config/Config.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace VIEW {

namespace {

inline constexpr int ProgressionMax = 1000;
inline constexpr int IntervalleSuiviMs = 50;

QString Texte(tBloc bloc) {
    return DepuisCp1252(POS_MESS(bloc));
}

} // namespace

Export::Export(const QString& fichier, uint8_t typeFichier, uint8_t typeInterface, const SourceExport& source,
               QWidget* parent)
    : QDialog(parent), Source_(source) {
    Etat_.FichierExport = fichier;
    Etat_.TypeFichier = typeFichier;
    Etat_.TypeInterface = typeInterface;
    CONSTRUIRE();
    INIT();
}

Export::~Export() {
    if (CurseurAttente_) QApplication::restoreOverrideCursor();
}

void Export::CONSTRUIRE() {
    setModal(true);
    auto nommer = [](QObject* o, const char* nom) { o->setObjectName(QString::fromLatin1(nom)); };

    checkBoxLimitation = new QCheckBox(this);
    nommer(checkBoxLimitation, "checkBoxLimitation");
    label1 = new QLabel(this);
    nommer(label1, "label1");
    numericUpDown1 = new QSpinBox(this);
    nommer(numericUpDown1, "numericUpDown1");
    numericUpDown1->setRange(1, static_cast<int>(LignesMaxExcel));
    checkBoxAnnot = new QCheckBox(this);
    nommer(checkBoxAnnot, "checkBoxAnnot");

    groupBoxFormat = new QGroupBox(this);
    nommer(groupBoxFormat, "groupBoxFormat");
    radioButtonExpo = new QRadioButton(groupBoxFormat);
    nommer(radioButtonExpo, "radioButtonExpo");
    radioButtonFixe = new QRadioButton(groupBoxFormat);
    nommer(radioButtonFixe, "radioButtonFixe");
    auto* formats = new QHBoxLayout(groupBoxFormat);
    formats->addWidget(radioButtonExpo);
    formats->addWidget(radioButtonFixe);

    progressBar1 = new QProgressBar(this);
    nommer(progressBar1, "progressBar1");
    progressBar1->setRange(0, ProgressionMax);
    progressBar1->setValue(0);

    buttonValid = new QPushButton(this);
    nommer(buttonValid, "buttonValid");
    buttonValid->setDefault(true);
    buttonAbort = new QPushButton(this);
    nommer(buttonAbort, "buttonAbort");

    timer1 = new QTimer(this);
    nommer(timer1, "timer1");
    timer1->setInterval(IntervalleSuiviMs);

    auto* lignes = new QHBoxLayout;
    lignes->addWidget(label1, 1);
    lignes->addWidget(numericUpDown1);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(buttonValid);
    boutons->addWidget(buttonAbort);
    auto* page = new QVBoxLayout(this);
    page->addWidget(checkBoxLimitation);
    page->addLayout(lignes);
    page->addWidget(checkBoxAnnot);
    page->addWidget(groupBoxFormat);
    page->addWidget(progressBar1);
    page->addLayout(boutons);

    connect(checkBoxLimitation, &QCheckBox::toggled, this, [this] { CHANGE_LIMITATION(); });
    connect(radioButtonExpo, &QRadioButton::toggled, this, [](bool choisi) {
        if (choisi) Config.FormatExportFixe = 0;
    });
    connect(radioButtonFixe, &QRadioButton::toggled, this, [](bool choisi) {
        if (choisi) Config.FormatExportFixe = 1;
    });
    connect(buttonValid, &QPushButton::clicked, this, [this] { LANCE_CALCUL(); });
    connect(buttonAbort, &QPushButton::clicked, this, &QDialog::reject);
    connect(timer1, &QTimer::timeout, this, [this] { SUIVRE_PROGRESSION(); });
}

void Export::INIT() {
    setWindowTitle(Etat_.FichierExport);
    buttonValid->setText(Texte(M_Valider));
    buttonAbort->setText(Texte(M_Annuler));
    checkBoxLimitation->setText(Texte(M_Limitation));
    checkBoxAnnot->setText(Texte(M_ExportAnnot));
    progressBar1->hide();

    groupBoxFormat->setVisible(Etat_.TypeFichier != TypeExcel);
    groupBoxFormat->setTitle(Texte(M_Format));
    radioButtonExpo->setText(Texte(M_FormatEXPO));
    radioButtonFixe->setText(Texte(M_FormatFIXE));
    {
        const QSignalBlocker b1(radioButtonExpo), b2(radioButtonFixe);
        radioButtonExpo->setChecked(Config.FormatExportFixe == 0);
        radioButtonFixe->setChecked(Config.FormatExportFixe != 0);
    }

    Etat_.INIT();
    const bool limite = Etat_.Limitation == 1;
    {
        const QSignalBlocker b1(checkBoxLimitation), b2(numericUpDown1), b3(checkBoxAnnot);
        checkBoxLimitation->setChecked(!limite);
        numericUpDown1->setValue(Config.LongueurExport);
        checkBoxAnnot->setChecked(Config.AnnotationsMasquees == 0);
    }
    numericUpDown1->setVisible(limite);
    label1->setEnabled(limite);
    label1->setText(DepuisCp1252(Etat_.TEXTE_NB_LIGNE().c_str()));
}

void Export::CHANGE_LIMITATION() {
    // The count typed so far survives the set-up that follows.
    Config.LongueurExport = numericUpDown1->value();
    Config.LimitationExport ^= 1;
    INIT();
}

void Export::LANCE_CALCUL() {
    if (Lance_) return;
    Config.AnnotationsMasquees = checkBoxAnnot->isChecked() ? 0 : 1;
    if (!CurseurAttente_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        CurseurAttente_ = true;
    }
    Config.LongueurExport = numericUpDown1->value();
    INIT();
    checkBoxLimitation->hide();
    checkBoxAnnot->hide();
    numericUpDown1->hide();
    groupBoxFormat->hide();
    progressBar1->setValue(0);
    progressBar1->show();
    buttonValid->setEnabled(false);

    Lance_ = true;
    const bool demarre = Etat_.LANCE_CALCUL(Source_);
    if (demarre && Etat_.CalCulEnCours.load() == ExportEnCours) {
        timer1->start();
        return;
    }
    // Written at once, or the file could not be prepared.
    progressBar1->setValue(Etat_.LongProgress.load());
    accept();
}

void Export::SUIVRE_PROGRESSION() {
    progressBar1->setValue(Etat_.LongProgress.load());
    if (Etat_.CalCulEnCours.load() == ExportFini) {
        timer1->stop();
        Etat_.ATTENDRE_FIN();
        progressBar1->setValue(ProgressionMax);
        accept();
    }
}

void Export::done(int resultat) {
    if (Ferme_) return;
    Ferme_ = true;
    timer1->stop();
    Etat_.ARRETER();
    if (CurseurAttente_) {
        QApplication::restoreOverrideCursor();
        CurseurAttente_ = false;
    }
    if (Lance_) Etat_.AFFICHER_FIN();
    QDialog::done(resultat);
}

} // namespace VIEW
