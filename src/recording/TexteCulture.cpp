#include "recording/TexteCulture.h"

#include <QString>

#include "shell/Cp1252.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

std::string TexteCulture(const QString& texte) {
    QString t = texte;
    for (QChar& c : t)
        if (c.isSpace() && Cp1252DepuisUnicode(c.unicode()) < 0) c = QLatin1Char(' ');
    return VersCp1252(t);
}

QLocale CULTURE_INTERFACE() {
    const QLocale regionale;
    QLocale::Language langue = QLocale::English;
    switch (Langue) {
    case 0:
        langue = QLocale::French;
        break;
    case 2:
        langue = QLocale::German;
        break;
    case 3:
        langue = QLocale::Italian;
        break;
    default:
        break;
    }
    if (regionale.language() == langue) return regionale;
    if (langue == QLocale::English && regionale.language() == QLocale::C) return regionale;
    return QLocale(langue);
}
