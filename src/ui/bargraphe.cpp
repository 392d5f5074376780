#include "ui/bargraphe.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace VIEW {

bargraphe::bargraphe(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("bargraphe"));
    setWindowTitle(DepuisCp1252(M_NomLogiciel));

    label1 = new QLabel(this);
    label1->setObjectName(QStringLiteral("label1"));
    label1->setMinimumWidth(320);

    progressBar2 = new QProgressBar(this);
    progressBar2->setObjectName(QStringLiteral("progressBar2"));
    progressBar2->setRange(0, 100);
    progressBar2->setValue(0);
    progressBar2->setTextVisible(false);

    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(label1);
    disposition->addWidget(progressBar2);
    setFixedSize(sizeHint());
}

void bargraphe::AFFICHE_NOM(const QString& nom) {
    label1->setText(nom);
    if (isVisible()) label1->repaint();
}

void bargraphe::AFFICHE_PROGRESSION(int pourcent) {
    progressBar2->setValue(qBound(0, pourcent, 100));
    if (isVisible()) progressBar2->repaint();
}

void bargraphe::AFFICHE_POSITION(qint64 position, qint64 longueur) {
    if (longueur <= 0 || position <= 0) {
        AFFICHE_PROGRESSION(0);
        return;
    }
    // position x 100 / length, truncated, computed without overflow for any size.
    const double pourcent = position >= longueur ? 100.0 : 100.0 * static_cast<double>(position) / longueur;
    AFFICHE_PROGRESSION(static_cast<int>(pourcent));
}

void bargraphe::showEvent(QShowEvent* event) {
    CENTRER();
    QWidget::showEvent(event);
}

void bargraphe::CENTRER() {
    const QScreen* ecran = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (ecran == nullptr) return;
    QRect cadre = frameGeometry();
    cadre.moveCenter(ecran->availableGeometry().center());
    move(cadre.topLeft());
}

} // namespace VIEW
