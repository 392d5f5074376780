#include "shell/DossiersUtilisateur.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

void INIT_NOMS_APPLICATION() {
    const QString organisation = QString::fromLatin1(NomOrganisation);
    const QString application = QString::fromLatin1(NomApplication);
    if (QCoreApplication::organizationName() != organisation)
        QCoreApplication::setOrganizationName(organisation);
    if (QCoreApplication::applicationName() != application) QCoreApplication::setApplicationName(application);
}

QString DossierDonneesUtilisateur() {
    INIT_NOMS_APPLICATION();
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!dossier.isEmpty()) QDir().mkpath(dossier);
    return dossier;
}
