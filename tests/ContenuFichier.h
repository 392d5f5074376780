// The bytes of a file as a test compares them: "<absent>" when it cannot be read.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace fichier_test {

inline QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

} // namespace fichier_test
