#include "export/TexteDateExport.h"

#include <QDateTime>
#include <QLocale>

#include "recording/TexteCulture.h"

std::string TEXTE_DATE_HEURE(const QDateTime& date, const QLocale& culture) {
    const QString format = culture.timeFormat(QLocale::LongFormat);
    QString heure;
    bool cite = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) cite = !cite;
        if (!cite && c == QLatin1Char('t')) continue;
        heure += c;
    }
    const QString t = culture.toString(date.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                      culture.toString(date.time(), heure.trimmed());
    return TexteCulture(t.trimmed());
}
