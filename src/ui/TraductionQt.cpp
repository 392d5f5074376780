#include "ui/TraductionQt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace VIEW {

namespace {

// The one translator of Qt's texts, a child of the application (it goes with it).
const QString NomTraducteur = QStringLiteral("TraductionQt");

bool Present(const QString& dossier, const QString& catalogue) {
    return QFileInfo::exists(QDir(dossier).filePath(catalogue + QStringLiteral(".qm")));
}

} // namespace

QString CATALOGUE_QT(uint8_t langue, const QString& dossier) {
    switch (langue) {
    case 0:
        return QStringLiteral("qtbase_fr");
    case 2:
        return QStringLiteral("qtbase_de");
    case 3:
        return Present(dossier, QStringLiteral("qtbase_it")) ? QStringLiteral("qtbase_it")
                                                             : QStringLiteral("qtbase_de");
    default:
        return {};
    }
}

bool CHARGER_TRADUCTION_QT(uint8_t langue) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) return false;
    auto* traducteur = application->findChild<QTranslator*>(NomTraducteur, Qt::FindDirectChildrenOnly);
    if (traducteur == nullptr) {
        traducteur = new QTranslator(application);
        traducteur->setObjectName(NomTraducteur);
    }
    QCoreApplication::removeTranslator(traducteur);
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString catalogue = CATALOGUE_QT(langue, dossier);
    if (catalogue.isEmpty() || !traducteur->load(catalogue, dossier)) return false;
    return QCoreApplication::installTranslator(traducteur);
}

} // namespace VIEW
