#include "recording/TexteTemps.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

#include "recording/FormatC.h"
#include "recording/TexteCulture.h"

float samplingPeriod = 0.0f;

void RESET_TEXTE_TEMPS() {
    samplingPeriod = 0.0f;
}

static void RetirerBlancs(char* texte) {
    char* w = texte;
    for (const char* r = texte; *r; ++r)
        if (*r != ' ') *w++ = *r;
    *w = '\0';
}

// Days, then the rest of the day as a time of day in the culture's short format.
static void TexteJours(char* texte, size_t taille, double heures, bool negatif) {
    const double jours = std::floor(heures / 24.0);
    double secondes = (heures - 24.0 * jours) * 3600.0;
    if (!(secondes >= 0.0 && secondes < 86400.0)) secondes = 0.0; // rest lost to rounding of huge times
    const QDateTime minuit(QDate(2008, 1, 1), QTime(0, 0), Qt::UTC);
    const QTime heure = minuit.addMSecs(static_cast<int64_t>(std::llround(secondes * 1000.0))).time();
    const std::string horaire = TexteCulture(QLocale().toString(heure, QLocale::ShortFormat));
    ECRIRE_FORMAT(texte, taille, "%s%.0fD%s", negatif ? "-" : "", jours, horaire.c_str());
}

void CALCUL_VRAI_TEMPS(char* texte, size_t taille, double temps) {
    if (taille == 0) return;
    if (!std::isfinite(temps)) { // no unit fits: say what it is
        ECRIRE_FORMAT(texte, taille, "%s", std::isnan(temps) ? "nan" : temps < 0 ? "-inf" : "inf");
        return;
    }
    const bool negatif = temps < 0.0;
    double t = std::fabs(temps);
    if (t < 1e-10) {
        ECRIRE_FORMAT(texte, taille, "0");
        return;
    }
    const char* unite;
    int64_t d = 1000;
    if (t < 1000.0) {
        unite = "\xB5s";
    } else if ((t /= 1000.0) < 1000.0) {
        unite = "ms";
    } else if ((t /= 1000.0) < 60.0) {
        unite = "s";
    } else if (d = 60, (t /= 60.0) < 60.0) {
        unite = "min";
    } else if ((t /= 60.0) < 24.0) {
        unite = "H";
    } else {
        TexteJours(texte, taille, t, negatif);
        return;
    }
    // The unit is chosen before rounding: 999.9996 µs is written 1000µs.
    const int64_t n = static_cast<int64_t>(static_cast<double>(d) * t + 0.5);
    char nombre[64];
    ECRIRE_FORMAT(nombre, sizeof nombre, "%3d", static_cast<int>(n / d));
    const int r = static_cast<int>(n % d);
    if (r != 0) {
        char reste[8];
        if (d == 1000) {
            ECRIRE_FORMAT(reste, sizeof reste, ".%03d", r);
            for (int i = 0; i < 2 && reste[std::strlen(reste) - 1] == '0'; ++i)
                reste[std::strlen(reste) - 1] = '\0';
        } else {
            ECRIRE_FORMAT(reste, sizeof reste, ".%02d", r);
        }
        AJOUT_BORNE(nombre, sizeof nombre, reste);
    }
    AJOUT_BORNE(nombre, sizeof nombre, unite);
    RetirerBlancs(nombre);
    ECRIRE_FORMAT(texte, taille, "%s%s", negatif ? "-" : "", nombre);
}

void CALCUL_TEMPS_EXTERNE(char* texte, size_t taille, double nombre) {
    if (std::fabs(nombre) < 10000.0)
        ECRIRE_FORMAT(texte, taille, "%4d", static_cast<int>(nombre));
    else
        ECRIRE_FORMAT(texte, taille, "%7.1E", nombre);
}

void CALCUL_TEMPS_TIME_BASE(char* texte, size_t taille, double valeur, double periode) {
    if (periode == 0.0)
        CALCUL_TEMPS_EXTERNE(texte, taille, valeur);
    else
        CALCUL_VRAI_TEMPS(texte, taille, valeur);
}
