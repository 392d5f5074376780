#include "recording/SaisieNombre.h"

#include <cmath>

#include <QLocale>
#include <QString>

uint8_t TEST_CONVERSION_DOUBLE(double& resultat, const QString& texte) {
    resultat = 0.0;
    const QLocale culture;
    QString t = texte;
    if (culture.decimalPoint() == QLatin1String(",")) t.replace(QLatin1Char('.'), QLatin1Char(','));
    t.removeIf([](QChar c) { return c.isSpace(); });
    bool ok = false;
    const double v = culture.toDouble(t, &ok);
    // "inf", "nan" and overflows are refused: no caller can store them.
    if (!ok || !std::isfinite(v)) return 0;
    resultat = v;
    return 1;
}

uint8_t TEST_CONVERSION_DOUBLE(double& resultat, const char* texte) {
    resultat = 0.0;
    if (!texte) return 0;
    // Every character a number may hold is ASCII; Latin-1 also keeps the
    // no-break space (0xA0) a blank, as in Windows-1252.
    return TEST_CONVERSION_DOUBLE(resultat, QString::fromLatin1(texte));
}
