// Runs the built `ombrix table` (found through OMBRIX_BUILD_DIR, set by ctest)
// and gives its exit code and its output lines, blank lines dropped.
#pragma once

#include <chrono>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "ProgrammeLance.h"

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
    const programme_test::tResultat p =
        programme_test::LANCER(QString::fromLocal8Bit(dossier) + QStringLiteral("/ombrix"),
                               QStringList{QStringLiteral("table")} + arguments, std::chrono::seconds(60));
    if (!p.Fini) {
        ADD_FAILURE() << "ombrix did not run: " << p.Erreurs.toStdString();
        return s;
    }
    s.Code = p.Code;
    s.Lignes = QString::fromUtf8(p.Sortie).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    s.Erreurs = QString::fromUtf8(p.Erreurs).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return s;
}

} // namespace graphe_test
