// Time divisions, time labels (relative, absolute, XY abscissa) and title lines.
#include <algorithm>
#include <cmath>

#include <QLocale>

#include "graph/GeometrieGraphe.h"
#include "graph/grapheft.h"
#include "recording/TexteCulture.h"
#include "recording/TexteTemps.h"
#include "recording/TexteValeur.h"
#include "shell/Texte8.h"

namespace {

QColor Couleur(int32_t argb) {
    return QColor::fromRgba(static_cast<QRgb>(argb));
}

// A date plus a number of milliseconds, rounded to the millisecond (half away
// from zero). A shift that is not finite or spans more than ten thousand years
// leaves the date as it is.
QDateTime PlusMillisecondes(const QDateTime& date, double ms) {
    if (!std::isfinite(ms) || std::fabs(ms) > 3.2e14) return date;
    return date.addMSecs(static_cast<qint64>(ms >= 0.0 ? ms + 0.5 : ms - 0.5));
}

// The culture's long time format without its time-zone field: the recorder's
// clock carries no zone.
QString HeureLongue(const QLocale& culture, const QTime& heure) {
    const QString format = culture.timeFormat(QLocale::LongFormat);
    QString sortie;
    bool cite = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) cite = !cite;
        if (!cite && c == QLatin1Char('t')) continue;
        sortie += c;
    }
    return culture.toString(heure, sortie.trimmed());
}

} // namespace

void grapheft::CALCUL_DIV_TEMPS() {
    if (SavConf->ModeXY == 1) {
        // Ten equal divisions of the abscissa range.
        PremiereDiv = 0.0;
        DebutTemps = 0.0;
        TempsTotal = 1000000.0;
        BDT_Division = 100000.0;
        return;
    }
    const tDivisionsTemps d = CALCUL_DIVISIONS(DebutTemps, TempsTotal);
    TempsTotal = d.TempsTotal;
    BDT_Division = d.BDT_Division;
    PremiereDiv = d.PremiereDiv;
    if (SavConf->TempsAbsolu == 1 && EnteteFichier->BaseDeTempsInterne == 1) {
        const QDateTime gauche = PlusMillisecondes(DateTrigger, DebutTemps / 1000.0);
        const int64_t secondes = gauche.time().isValid() ? gauche.time().msecsSinceStartOfDay() / 1000 : 0;
        PremiereDiv = PREMIERE_DIV_ABSOLUE(BDT_Division, secondes);
    }
}

int16_t grapheft::AFF_TIME_BASE(uint8_t draw) {
    TypeBDT = 1;
    if (!FontBaseDetemps) return 0;
    return SavConf->ModeXY == 1 ? EtiquettesXY(draw) : EtiquettesTemps(draw);
}

int16_t grapheft::EtiquettesXY(uint8_t draw) {
    const tConfig& c = *SavConf;
    const int voie = c.VoieX < NombreVoiesConfig ? c.VoieX : 0;
    const QColor couleur = Couleur(c.CouleurVoie[voie]);
    const int y = DebutScrollY + ScrollY;
    const std::vector<double> fractions = FRACTIONS_XY();
    for (size_t k = 0; k < fractions.size(); ++k) {
        char texte[64];
        MESSAGE_ENTREE_COMPRESSER(*SavConf, texte, voie, static_cast<int32_t>(k) * 10000);
        const QString t = DepuisCp1252(texte);
        const double x = ScrollX * fractions[k] + DebutScrollX;
        const double gauche = GAUCHE_CENTREE(x, LongMessX(t), DebutScrollX);
        if (draw == 1 && gp) POSER(t, *FontBaseDetemps, couleur, gauche, y);
    }
    return 0;
}

int16_t grapheft::EtiquettesTemps(uint8_t draw) {
    const tConfig& c = *SavConf;
    const t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    const QColor couleur = Couleur(c.CouleurReticule);
    const double periode = e.BaseDeTempsInterne == 1 ? e.PeriodeEchantillon : 0.0;
    const bool absolu = c.TempsAbsolu == 1 && e.BaseDeTempsInterne == 1;
    const double gauchePlot = DebutScrollX, droitePlot = DebutScrollX + ScrollX;
    const int y = DebutScrollY + ScrollY;
    const bool dessiner = draw == 1 && gp;
    const QLocale culture = CULTURE_INTERFACE(); // dates in the interface language

    double finDerniere = 0.0; // where the division label may start
    for (const tInstantEtiquette& i :
         INSTANTS_ETIQUETTES(DebutTemps, TempsTotal, PremiereDiv, BDT_Division)) {
        const double x = ScrollX * i.Fraction + DebutScrollX;
        if (absolu) {
            const QDateTime instant = PlusMillisecondes(DateTrigger, i.Temps / 1000.0);
            const QString date = culture.toString(instant.date(), QLocale::ShortFormat);
            QString heure = HeureLongue(culture, instant.time());
            if (e.MillisecondesTrigger != -1)
                heure += QLatin1Char('.') +
                         QString::number(instant.time().msec()).rightJustified(3, QLatin1Char('0'));
            if (dessiner) {
                POSER(date, *FontBaseDetemps, couleur,
                      GAUCHE_DANS_PLOT(x, LongMessX(date), gauchePlot, droitePlot), y);
                POSER(heure, *FontBaseDetemps, couleur,
                      GAUCHE_DANS_PLOT(x, LongMessX(heure), gauchePlot, droitePlot), y + HauteurCarac);
            }
            finDerniere = x;
        } else {
            char texte[64];
            CALCUL_TEMPS_TIME_BASE(texte, i.Temps, periode);
            const QString t = DepuisCp1252(texte);
            const int w = LongMessX(t);
            const double gauche = GAUCHE_CENTREE(x, w, gauchePlot);
            if (dessiner) POSER(t, *FontBaseDetemps, couleur, gauche, y);
            finDerniere = gauche + w;
        }
    }

    char division[64];
    CALCUL_TEMPS_TIME_BASE(division, BDT_Division, periode);
    const QString texte = DepuisCp1252(division) + QStringLiteral("/div");
    const int largeur = LongMessX(texte);
    const double gauche = std::max(droitePlot, finDerniere + LongMessX("  "));
    if (dessiner) POSER(texte, *FontBaseDetemps, couleur, gauche, y);
    return static_cast<int16_t>(std::min(largeur, 32767));
}

void grapheft::AFFICHAGE_NOM() {
    if (!FontNomFichier || !gp) return;
    const QColor couleur = Couleur(SavConf->CouleurPoliceNom);
    const int y = HAUTEUR_LIGNE(*FontNomFichier) / 2 + 5;
    POSER(DepuisCp1252(TitreGraphique), *FontNomFichier, couleur, 10, y);
    if (TitreGraphique2[0] == '\0' || !FontBaseDetemps) return;
    QFont gras = *FontBaseDetemps;
    gras.setBold(true);
    POSER(DepuisCp1252(TitreGraphique2), *FontNomFichier, couleur, 10, y + HAUTEUR_LIGNE(gras));
}
