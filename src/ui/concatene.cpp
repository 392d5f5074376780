#include "ui/concatene.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

// "text|pattern" pairs as the lines of a file dialog's filter.
QString FiltreQt(const QString& filtre) {
    const QStringList parties = filtre.split(QLatin1Char('|'));
    QStringList lignes;
    for (qsizetype i = 0; i + 1 < parties.size(); i += 2)
        lignes.append(parties[i].trimmed() + QStringLiteral(" (") + parties[i + 1] + QLatin1Char(')'));
    return lignes.join(QStringLiteral(";;"));
}

// The first text of a message block, whatever the language.
QString PremierTexte(tBloc bloc) {
    int position = 0, longueur = 0;
    const char* texte = POS_MESS_NT(bloc, 0, position, longueur);
    return texte ? DepuisCp1252(texte, longueur) : QString();
}

// The wait cursor while the join runs, whatever way it ends.
class CurseurAttente {
public:
    CurseurAttente() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurAttente() { QApplication::restoreOverrideCursor(); }
    CurseurAttente(const CurseurAttente&) = delete;
    CurseurAttente& operator=(const CurseurAttente&) = delete;
};

QToolButton* BoutonImage(QWidget* parent, const char* nom, QStyle::StandardPixmap image) {
    auto* bouton = new QToolButton(parent);
    bouton->setObjectName(QString::fromLatin1(nom));
    bouton->setIcon(parent->style()->standardIcon(image));
    bouton->setAutoRaise(true);
    return bouton;
}

} // namespace

concatene::concatene(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("concatene"));
    setModal(true);

    DemanderFichiers = [this](const QString& dossier, const QString& nom, const QString& filtre) {
        return QFileDialog::getOpenFileNames(this, QString(), QDir(dossier).filePath(nom), FiltreQt(filtre));
    };
    DemanderEnregistrement = [this](const QString& titre, const QString& dossier, const QString& filtre) {
        return QFileDialog::getSaveFileName(this, titre, dossier, FiltreQt(filtre));
    };

    listBox1 = new QListWidget(this);
    listBox1->setObjectName(QStringLiteral("listBox1"));
    listBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listBox1->setMinimumWidth(listBox1->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 40);

    button1 = new QPushButton(this);
    button1->setObjectName(QStringLiteral("button1"));
    buttonefface = new QPushButton(this);
    buttonefface->setObjectName(QStringLiteral("buttonefface"));
    buttonAnnule = new QPushButton(this);
    buttonAnnule->setObjectName(QStringLiteral("buttonAnnule"));
    button2 = new QPushButton(this);
    button2->setObjectName(QStringLiteral("button2"));
    button2->setDefault(true);
    button_save = new QPushButton(this);
    button_save->setObjectName(QStringLiteral("button_save"));
    pictureBoxHaut = BoutonImage(this, "pictureBoxHaut", QStyle::SP_ArrowUp);
    pictureBoxBas = BoutonImage(this, "pictureBoxBas", QStyle::SP_ArrowDown);

    auto* ordre = new QVBoxLayout;
    ordre->addStretch();
    ordre->addWidget(pictureBoxHaut);
    ordre->addWidget(pictureBoxBas);
    ordre->addStretch();
    auto* liste = new QHBoxLayout;
    liste->addWidget(listBox1, 1);
    liste->addLayout(ordre);
    auto* edition = new QHBoxLayout;
    edition->addWidget(button1);
    edition->addWidget(buttonefface);
    edition->addStretch();
    auto* fin = new QHBoxLayout;
    fin->addWidget(buttonAnnule);
    fin->addStretch();
    fin->addWidget(button_save);
    fin->addWidget(button2);
    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(liste, 1);
    disposition->addLayout(edition);
    disposition->addLayout(fin);

    connect(button1, &QPushButton::clicked, this, &concatene::AJOUTER_FICHIER);
    connect(buttonefface, &QPushButton::clicked, this, &concatene::EFFACE);
    connect(buttonAnnule, &QPushButton::clicked, this, &concatene::ANNULER);
    connect(button2, &QPushButton::clicked, this, &concatene::DEMANDE_OK);
    connect(button_save, &QPushButton::clicked, this, &concatene::SAVE_CONCATE);
    connect(pictureBoxHaut, &QToolButton::clicked, this, &concatene::HAUT);
    connect(pictureBoxBas, &QToolButton::clicked, this, &concatene::BAS);

    listBox1->addItems(LIRE_LISTE_CONCATENATION());
    if (listBox1->count() > 0) SELECTIONNER(0);
    init_texte();
}

void concatene::init_texte() {
    setWindowTitle(TexteMessage(M_concatenation));
    button1->setText(TexteMessage(M_add));
    buttonefface->setText(TexteMessage(M_Erase));
    buttonAnnule->setText(TexteMessage(M_Annuler));
    button2->setText(TexteMessage(M_Valider));
    button_save->setText(TexteMessage(M_Sauve_Nom_Concat));
}

QStringList concatene::Fichiers() const {
    QStringList fichiers;
    for (int i = 0; i < listBox1->count(); ++i) fichiers.append(listBox1->item(i)->text());
    return fichiers;
}

void concatene::SELECTIONNER(int ligne) {
    listBox1->clearSelection();
    if (ligne < 0 || ligne >= listBox1->count()) return;
    listBox1->setCurrentRow(ligne, QItemSelectionModel::ClearAndSelect);
}

void concatene::AJOUTER_FICHIER() {
    const QStringList choisis =
        DemanderFichiers(DepuisCp1252(RepertoireSetUp), QStringLiteral("*.rec"), PremierTexte(M_FilterRec));
    listBox1->addItems(choisis);
}

void concatene::DEPLACER(int sens) {
    const QList<QListWidgetItem*> choisis = listBox1->selectedItems();
    if (choisis.isEmpty()) return;
    // The selected entry is the first one selected in the list.
    int ligne = listBox1->count();
    for (QListWidgetItem* item : choisis) ligne = std::min(ligne, listBox1->row(item));
    const int cible = ligne + sens;
    if (cible < 0 || cible >= listBox1->count()) return;
    QListWidgetItem* item = listBox1->takeItem(ligne);
    listBox1->insertItem(cible, item);
    SELECTIONNER(cible);
}

void concatene::HAUT() {
    DEPLACER(-1);
}

void concatene::BAS() {
    DEPLACER(1);
}

void concatene::EFFACE() {
    const QList<QListWidgetItem*> choisis = listBox1->selectedItems();
    if (choisis.isEmpty()) return;
    int premier = listBox1->count();
    for (QListWidgetItem* item : choisis) premier = std::min(premier, listBox1->row(item));
    for (QListWidgetItem* item : choisis) delete listBox1->takeItem(listBox1->row(item));
    SELECTIONNER(std::min(premier, listBox1->count() - 1));
}

void concatene::DEMANDE_OK() {
    CONCAT_DEMANDE_OK(0);
}

void concatene::SAVE_CONCATE() {
    const QString choisi = DemanderEnregistrement(QStringLiteral(" "), DepuisCp1252(RepertoireSetUp),
                                                  QStringLiteral("file *.rec |*.rec"));
    if (choisi.isEmpty()) {
        CONCAT_DEMANDE_OK(0);
        return;
    }
    const QFileInfo nom(choisi);
    Concat.FileTemporaire = nom.absoluteDir().filePath(nom.completeBaseName() + QStringLiteral(".rec"));
    CONCAT_DEMANDE_OK(1);
}

void concatene::CONCAT_DEMANDE_OK(uint8_t sauver) {
    Concat.Fichiers = Fichiers();
    uint8_t resultat = 0;
    {
        const CurseurAttente attente;
        resultat = Concat.ARRET_OK(sauver);
    }
    if (resultat != 0) {
        ValiditeFic = 0;
        Concat.SIGNALER_ECHEC();
        reject();
        return;
    }
    ValiditeFic = 1;
    accept();
}

void concatene::ANNULER() {
    ValiditeFic = 0;
    reject();
}

} // namespace VIEW
