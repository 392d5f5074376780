#include "ui/OuvertureBureau.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

namespace VIEW {

namespace {

bool SurLeChemin(const QString& commande) {
    return !commande.isEmpty() && !QStandardPaths::findExecutable(commande).isEmpty();
}

// The desktop's program for https addresses, as the opener would find it.
bool GestionnaireWeb() {
    const QString requete = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (requete.isEmpty()) return false;
    QProcess p;
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(requete,
            {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/https")});
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitCode() == 0 && !p.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool NAVIGATEUR_PRESENT() {
    for (const QString& entree : qEnvironmentVariable("BROWSER").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (SurLeChemin(entree.trimmed().section(QLatin1Char(' '), 0, 0))) return true;
    if (SurLeChemin(QStringLiteral("x-www-browser")) || SurLeChemin(QStringLiteral("www-browser")))
        return true;
    return GestionnaireWeb();
}

bool OUVRIR_AVEC_BUREAU(const QUrl& url) {
    if (!url.isLocalFile() && !NAVIGATEUR_PRESENT()) return false;
    return QDesktopServices::openUrl(url);
}

} // namespace VIEW
