#include "recording/TexteDate.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "recording/EnteteREC.h"
#include "recording/FormatC.h"
#include "recording/TexteCulture.h"
#include "recording/TexteTemps.h"
#include "shell/Messages.h"

// The culture's long time format without its time-zone field: the trigger date
// is the recorder's wall clock and carries no zone.
static QString FormatHeureSansZone(const QLocale& culture) {
    const QString format = culture.timeFormat(QLocale::LongFormat);
    QString sortie;
    bool cite = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) cite = !cite;
        if (!cite && c == QLatin1Char('t')) continue;
        sortie += c;
    }
    return sortie.trimmed();
}

void TEXTE_DATE_GENERALE(char* texte, size_t taille, const QDateTime& date) {
    if (taille == 0) return;
    const QLocale culture = CULTURE_INTERFACE();
    QString t = culture.toString(date.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                culture.toString(date.time(), FormatHeureSansZone(culture));
    if (EnteteF.MillisecondesTrigger != -1)
        t += QLatin1Char('.') + QString::number(date.time().msec()).rightJustified(3, QLatin1Char('0'));
    ECRIRE_FORMAT(texte, taille, "%s", TexteCulture(t.trimmed()).c_str());
}

void TEXTE_DATE_TRIGGER(char* texte, size_t taille, const QDateTime& date) {
    if (taille == 0) return;
    char d[128];
    TEXTE_DATE_GENERALE(d, date);
    ECRIRE_FORMAT(texte, taille, "%s%s", POS_MESS(M_Date), d);
}

void TEXTE_PERIODE_TITRE(char* texte, size_t taille, bool blancs, bool sousEchantillonnage,
                         float periodeChoisie) {
    if (taille == 0) return;
    texte[0] = '\0';
    // Copied whatever the clock, so no period of a previous recording lingers.
    samplingPeriod = EnteteF.PeriodeEchantillon;
    if (EnteteF.BaseDeTempsInterne != 1) {
        AJOUT_BORNE(texte, taille, POS_MESS(M_Hext));
        return;
    }
    char temps[64];
    AJOUT_BORNE(texte, taille, POS_MESS(M_Sample));
    CALCUL_VRAI_TEMPS(temps, EnteteF.PeriodeEchantillon);
    AJOUT_BORNE(texte, taille, temps);
    if (blancs) AJOUT_BORNE(texte, taille, "  ");
    if (sousEchantillonnage) {
        AJOUT_BORNE(texte, taille, POS_MESS(M_PeriodUndersampling));
        CALCUL_VRAI_TEMPS(temps, periodeChoisie);
        AJOUT_BORNE(texte, taille, temps);
    }
}
