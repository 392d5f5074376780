// The cursor read-out box: for every channel with a line, its value under each
// time cursor and their difference, with the cursors' times as headers and the
// logic inputs as digits. A horizontal box (top or bottom) has a name column and
// the three value columns side by side; a side box (right or left) stacks three
// sections, one per column, each a header and one row per line.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "graph/GeometrieCurseurs.h"
#include "graph/GlobauxCurseurs.h"
#include "graph/OutilsSurcouche.h"
#include "graph/grapheft.h"
#include "recording/FormatC.h"
#include "recording/TexteDate.h"
#include "recording/TexteTemps.h"
#include "shell/Messages.h"

using surcouche::Couleur;

namespace {

constexpr int MargeBoite = 4;
constexpr int MargeDefilement = 20; // room for the list's scroll bar

QDateTime PlusMillisecondes(const QDateTime& date, double ms) {
    if (!std::isfinite(ms) || std::fabs(ms) > 3.2e14) return date;
    return date.addMSecs(static_cast<qint64>(ms >= 0.0 ? ms + 0.5 : ms - 0.5));
}

QString TexteTemps(double t, double periode) {
    char texte[64];
    CALCUL_TEMPS_TIME_BASE(texte, t, periode);
    return DepuisCp1252(texte);
}

// Read-out lines a side box can hold: three sections of a header, the lines
// and two spare rows, within the box's height; at least one.
int LignesCote(int hauteurBoite, int hauteurCarac, int total, int limite) {
    const int rangees = hauteurCarac > 0 ? (hauteurBoite - MargeBoite) / hauteurCarac : 0;
    int v = (rangees - 6) / 3;
    v = std::min({v, total, std::max(limite, 1)});
    return std::max(v, 1);
}

} // namespace

void grapheft::AFF_CURSEUR(QPainter& g, double c1, double c2, uint8_t selected) {
    AFF_CURSEUR_AFFICHAGE(g, c1, c2, selected, 1);
}

void grapheft::AFF_CURSEUR_AFFICHAGE(QPainter& g, double c1, double c2, uint8_t selected, uint8_t draw) {
    const tConfig& c = *SavConf;
    const t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    if (ValiditeCurseur == 0 || c.BoiteCurseur == 0 || !FontBaseDetemps) return;
    const bool dessin = draw == 1;
    const bool cote = c.PositionBoiteCurseur == 1 || c.PositionBoiteCurseur == 3;
    const bool xy = c.ModeXY == 1;
    const bool absolu = c.TempsAbsolu == 1 && e.BaseDeTempsInterne == 1;
    const int hc = HauteurCarac;
    const QColor fond = Couleur(c.CouleurFond), reticule = Couleur(c.CouleurReticule);

    const QFont normale = surcouche::Normale(*FontBaseDetemps);
    const QFont grasse = surcouche::Grasse(surcouche::Normale(*FontBaseDetemps));
    // Fonts of the C1, C2 and difference columns: the held cursor's in bold.
    const QFont* polices[3] = {selected == 0 ? &grasse : &normale, selected == 1 ? &grasse : &normale,
                               &normale};
    const QFont mesureNormale = surcouche::Normale(*FontBaseDetemps);
    const QFont mesureGrasse = surcouche::Grasse(mesureNormale);

    // A text over a rectangle of its own width and the line height, in the background colour.
    auto ecrire = [&](const QString& t, int colonne, const QColor& couleur, double x, double y) {
        if (!dessin || t.isEmpty()) return;
        const QFont& mesure = polices[colonne] == &grasse ? mesureGrasse : mesureNormale;
        g.fillRect(QRectF(x, y, std::floor(LARGEUR_TEXTE(t, mesure)), hc), fond);
        ECRIRE(g, t, *polices[colonne], couleur, x, y);
    };

    if (dessin && c.CurseurDansReticule == 0) {
        g.fillRect(PosCurseurX, PosCurseurY, LongCurseur, HauteurCurseur, fond);
        g.setPen(surcouche::Pen(reticule));
        g.setBrush(Qt::NoBrush);
        g.drawRect(PosCurseurX, PosCurseurY, LongCurseur, HauteurCurseur - 1);
    }

    // The lines of the read-out and the window of them that is written.
    std::vector<int> lignes;
    for (int ch = 0; ch < NombreVoiesConfig; ++ch)
        if (TST_VALID_VOIE_CURSEUR(ch) == 1) lignes.push_back(ch);
    const int nombreLignes = static_cast<int>(lignes.size());
    int debut = 0, visu = 0, x0 = PosCurseurX + MargeBoite;
    if (cote) {
        // No scroll bar beside a side box: it starts at the first line and holds what fits.
        visu = LignesCote(HauteurCurseur, hc, NombreVoieCurseurTotal, SavConf->NombreVoieCurseur);
    } else {
        debut = std::max<int>(VoieCurseurDebut, 0);
        visu = std::max<int>(NombreVoieCurseurVisu, 0);
        if (NombreVoieCurseurVisu != NombreVoieCurseurTotal) x0 += MargeDefilement;
    }
    const int y0 = PosCurseurY + MargeBoite;
    std::vector<int> ecrites;
    for (int k = debut; k < nombreLignes && k < debut + visu; ++k) ecrites.push_back(lignes[k]);
    const int nombreEcrites = static_cast<int>(ecrites.size());
    const bool logique = e.LogiqueAffichee != 0 && !xy && nombreLignes - 1 < debut + visu;
    auto rangee = [&](int r) { return static_cast<double>(y0) + static_cast<double>(r) * hc; };

    // Name column of a horizontal box.
    int w = 0;
    if (!cote) {
        for (int r = 0; r < nombreEcrites; ++r) {
            const int ch = ecrites[r];
            const QString t = surcouche::Champ(e.Affichage[ch].NomAffiche) + QStringLiteral(":  ");
            ecrire(t, 2, Couleur(c.CouleurVoie[ch]), x0, rangee(r + 1));
            w = std::max(w, LongMessX(t));
        }
        if (logique) {
            const QString t = DepuisCp1252(POS_MESS(M_VoieLogique));
            ecrire(t, 2, reticule, x0, rangee(nombreEcrites + 1));
            w = std::max(w, LongMessX(t));
        }
    }

    const int i1 = COLONNE_CURSEUR(c1), i2 = COLONNE_CURSEUR(c2);
    const double t1 = TEMPS_COLONNE(i1, TempsTotal, DebutTemps),
                 t2 = TEMPS_COLONNE(i2, TempsTotal, DebutTemps);
    const double periode = e.BaseDeTempsInterne == 1 ? e.PeriodeEchantillon : 0.0;

    // Headers.
    QString entetes[3];
    if (xy) {
        entetes[0] = QStringLiteral("C1");
        entetes[1] = QStringLiteral("C2");
        entetes[2] = QStringLiteral("\u0394=C1-C2");
    } else {
        if (absolu) {
            const double temps[2] = {t1, t2};
            for (int k = 0; k < 2; ++k) {
                char date[128];
                TEXTE_DATE_GENERALE(date, PlusMillisecondes(DateTrigger, temps[k] / 1000.0));
                entetes[k] = DepuisCp1252(date);
            }
        } else {
            entetes[0] = QStringLiteral("T1=") + TexteTemps(t1, periode);
            entetes[1] = QStringLiteral("T2=") + TexteTemps(t2, periode);
        }
        entetes[2] = QStringLiteral("\u0394=") + TexteTemps(t2 - t1, periode);
    }

    // Column width.
    double l = LongMessX("+1.2345mAmpere");
    if (e.LogiqueAffichee != 0 && !xy) {
        const double d = LARGEUR_TEXTE(QStringLiteral("14/12/2009 10:22:45.301 "), mesureNormale) / 16.0;
        l = std::max(l, (c.NombreVoiesLogiquesAffichees * 1.25 + 2.0) * d + LongMessX("Log :"));
    }
    if (absolu) l = std::max<double>(l, LongMessX(entetes[0]));
    const int x1 = cote ? x0 : x0 + w;
    const int L = static_cast<int>(l);

    // Where the texts of column k (C1, C2, difference) go: row r at the column's
    // abscissa (horizontal box), or row r of the column's section (side box; the
    // last section has no logic row, so it starts one row higher).
    const int section = visu + 3;
    auto position = [&](int colonne, int r) -> QPointF {
        if (cote) return QPointF(x0, rangee(colonne * section + r - (colonne == 2 ? 1 : 0)));
        return QPointF(static_cast<double>(x1) + static_cast<double>(colonne) * L, rangee(r));
    };
    for (int k = 0; k < 3; ++k) {
        const QPointF p = position(k, 0);
        ecrire(entetes[k], k, reticule, p.x(), p.y());
    }

    // Values: only those of the table of the picture on screen; none while
    // that picture has no table (a recording being opened, a pass awaited).
    const bool table = TABLE_COMPLETE();
    for (int r = 0; r < nombreEcrites && (table || xy); ++r) {
        const int ch = ecrites[r];
        double valeurs[3];
        if (xy) {
            const double fractions[2] = {c1, c2};
            float v[2];
            for (int k = 0; k < 2; ++k) {
                double p = c.CurseurXY == 1 ? 1.0 - fractions[k] : fractions[k];
                p = std::isfinite(p) ? std::clamp(p, 0.0, 1.0) : 0.0;
                const float bmin = c.ParamVoie[ch].BorneMin, bmax = c.ParamVoie[ch].BorneMax;
                v[k] = bmin + (bmax - bmin) * static_cast<float>(p);
            }
            valeurs[0] = v[0];
            valeurs[1] = v[1];
            valeurs[2] = v[1] - v[0];
        } else {
            const float a = static_cast<float>(VALEUR_TABLE(i1, ch));
            const float b = static_cast<float>(VALEUR_TABLE(i2, ch));
            valeurs[0] = a;
            valeurs[1] = b;
            valeurs[2] = a - b;
        }
        const QColor couleur = Couleur(c.CouleurVoie[ch]);
        for (int k = 0; k < 3; ++k) {
            char texte[200];
            texte[0] = '\0';
            if (cote) ECRIRE_FORMAT(texte, sizeof texte, "%d=", ch + 1);
            const size_t n = std::strlen(texte);
            MESSAGE_COMPLET(texte + n, sizeof texte - n, ch, valeurs[k]);
            const QPointF p = position(k, r + 1);
            ecrire(DepuisCp1252(texte), k, couleur, p.x(), p.y());
        }
    }

    // Logic inputs under each cursor, on the row after the last channel written.
    if (logique && dessin && table) {
        const uint16_t mots[2] = {MOT_LOGIQUE(i1), MOT_LOGIQUE(i2)};
        for (int k = 0; k < 2; ++k) {
            const QPointF p = position(k, nombreEcrites + 1);
            const QFont& mesure = polices[k] == &grasse ? mesureGrasse : mesureNormale;
            VALEURS_LOGIQUES(g, mots[k], p.x(), p.y(), *polices[k], mesure);
        }
    }
}

void grapheft::AFF_VALEUR_LOG(QPainter& g, uint16_t mot, int x, int y) {
    if (!FontBaseDetemps) return;
    const QFont normale = surcouche::Normale(*FontBaseDetemps);
    VALEURS_LOGIQUES(g, mot, x, y, normale, normale);
}

void grapheft::VALEURS_LOGIQUES(QPainter& g, uint16_t mot, double x, double y, const QFont& police,
                                const QFont& mesure) {
    const tConfig& c = *SavConf;
    const int entrees = std::min<int>(c.NombreVoiesLogiques, NombreLogiquesConfig);
    const double zero = LARGEUR_TEXTE(QStringLiteral("0"), mesure);
    g.fillRect(QRectF(x, y, std::floor(entrees * zero), HauteurCarac), Couleur(c.CouleurFond));
    const double d = LARGEUR_TEXTE(QStringLiteral("0000000000000000"), mesure) / 16.0;
    for (int b = 0; b < entrees; ++b) {
        if ((c.MasqueVoiesLogiques & (1u << b)) == 0) continue;
        const QString chiffre = (mot & (1u << b)) != 0 ? QStringLiteral("1") : QStringLiteral("0");
        ECRIRE(g, chiffre, police, Couleur(c.CouleurVoieLogique[b]), x, y);
        x += d;
        if (b % 4 == 3) x += d; // groups of four inputs
    }
}
