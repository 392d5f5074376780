#include "ui/BoiteMessageQt.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

namespace VIEW {

namespace {

QMessageBox::Icon Icone(tIconeBoite icone) {
    switch (icone) {
    case tIconeBoite::Information:
        return QMessageBox::Information;
    case tIconeBoite::Avertissement:
        return QMessageBox::Warning;
    case tIconeBoite::Erreur:
        return QMessageBox::Critical;
    case tIconeBoite::Aucune:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget* BoiteMessageQt::PARENT_BOITE() const {
    if (Parent_) return Parent_.data();
    if (QWidget* active = QApplication::activeWindow()) return active;
    if (QWidget* modale = QApplication::activeModalWidget()) return modale;
    // Between two windows (a box just closed, the activation not back yet): the main window.
    for (QWidget* fenetre : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(fenetre) != nullptr && fenetre->isVisible()) return fenetre;
    return nullptr;
}

void BoiteMessageQt::MONTRER(const QString& titre, const QString& texte, tIconeBoite icone) {
    QMessageBox boite(Icone(icone), titre, texte, QMessageBox::Ok, PARENT_BOITE());
    boite.setObjectName(QStringLiteral("BoiteMessage"));
    boite.exec();
}

bool BoiteMessageQt::DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone,
                              bool reponseSansEffet) {
    QMessageBox boite(Icone(icone), titre, texte, QMessageBox::Yes | QMessageBox::No, PARENT_BOITE());
    boite.setObjectName(QStringLiteral("BoiteMessage"));
    const QMessageBox::StandardButton sansEffet = reponseSansEffet ? QMessageBox::Yes : QMessageBox::No;
    boite.setDefaultButton(sansEffet);
    boite.setEscapeButton(sansEffet);
    return boite.exec() == QMessageBox::Yes;
}

} // namespace VIEW
