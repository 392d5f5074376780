#include "recording/TexteCulture.h"

#include <QString>

#include "shell/Cp1252.h"
#include "shell/Texte8.h"

std::string TexteCulture(const QString& texte) {
    QString t = texte;
    for (QChar& c : t)
        if (c.isSpace() && Cp1252DepuisUnicode(c.unicode()) < 0) c = QLatin1Char(' ');
    return VersCp1252(t);
}
