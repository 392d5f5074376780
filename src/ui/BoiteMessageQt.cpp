#include "ui/BoiteMessageQt.h"

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

void BoiteMessageQt::MONTRER(const QString& titre, const QString& texte, tIconeBoite icone) {
    QMessageBox boite(Icone(icone), titre, texte, QMessageBox::Ok, Parent_.data());
    boite.setObjectName(QStringLiteral("BoiteMessage"));
    boite.exec();
}

bool BoiteMessageQt::DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone,
                              bool reponseSansEffet) {
    QMessageBox boite(Icone(icone), titre, texte, QMessageBox::Yes | QMessageBox::No, Parent_.data());
    boite.setObjectName(QStringLiteral("BoiteMessage"));
    const QMessageBox::StandardButton sansEffet = reponseSansEffet ? QMessageBox::Yes : QMessageBox::No;
    boite.setDefaultButton(sansEffet);
    boite.setEscapeButton(sansEffet);
    return boite.exec() == QMessageBox::Yes;
}

} // namespace VIEW
