// Runs the built `ombrix table` (found through OMBRIX_BUILD_DIR, set by ctest)
// and gives its exit code and its output lines, blank lines dropped.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace graphe_test {

struct Sortie {
    int Code = -1;
    QStringList Lignes;  // standard output
    QStringList Erreurs; // standard error
};

inline Sortie Table(const QStringList& arguments) {
    Sortie s;
    const QByteArray dossier = qgetenv("OMBRIX_BUILD_DIR");
    if (dossier.isEmpty()) {
        ADD_FAILURE() << "OMBRIX_BUILD_DIR is not set (run through ctest)";
        return s;
    }
    QProcess p;
    p.start(QString::fromLocal8Bit(dossier) + QStringLiteral("/ombrix"),
            QStringList{QStringLiteral("table")} + arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "ombrix did not run: " << p.errorString().toStdString();
        return s;
    }
    s.Code = p.exitCode();
    s.Lignes = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    s.Erreurs = QString::fromUtf8(p.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return s;
}

} // namespace graphe_test
