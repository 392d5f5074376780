// Time cursors with their value labels and the time arrow, amplitude cursors,
// all drawn on a drawing context the caller gives (a transparent layer over the
// picture, or the picture itself when printing).
#include <algorithm>
#include <cmath>

#include <QPolygon>

#include "config/OnOff.h"
#include "graph/GeometrieCurseurs.h"
#include "graph/GeometrieGraphe.h"
#include "graph/OutilsSurcouche.h"
#include "graph/grapheft.h"
#include "recording/TexteTemps.h"

using surcouche::Couleur;

namespace {

constexpr int TeteFleche = 4;

// Channel of the amplitude cursors: VoieCurseurY, or 0 beyond the channel list
// or the channel table.
int VoieCurseurY(const tConfig& c, const t_EnteteREC_GlobalTotal& e) {
    const int ch = c.VoieCurseurY;
    return ch > e.NombreEntreesFiltre || ch >= NombreVoiesConfig ? 0 : ch;
}

// Zone of a channel, or -1 when its zone number names no zone of the layout.
int ZoneVoie(const tConfig& c, int ch) {
    const int z = c.ReticEcran.EcranVoie[ch] - 1;
    return z >= 0 && z < std::min<int>(c.ReticEcran.NbEcran, NombreVoiesConfig) ? z : -1;
}

} // namespace

QImage grapheft::COUCHE_CURSEUR() const {
    const int l = NewBitmap.isNull() ? std::max(LargeurImage, 1) : NewBitmap.width();
    const int h = NewBitmap.isNull() ? std::max(HauteurImage, 1) : NewBitmap.height();
    QImage couche(l, h, QImage::Format_ARGB32_Premultiplied);
    if (couche.isNull()) return couche;
    if (!NewBitmap.isNull()) {
        // As fine as the picture it lies on.
        couche.setDevicePixelRatio(NewBitmap.devicePixelRatio());
        couche.setDotsPerMeterX(NewBitmap.dotsPerMeterX());
        couche.setDotsPerMeterY(NewBitmap.dotsPerMeterY());
    }
    couche.fill(surcouche::Opacite(SavConf->CouleurFond, 0));
    return couche;
}

uint8_t grapheft::TST_VALID_VOIE_CURSEUR(int ch) const {
    const tConfig& c = *SavConf;
    if (ch < 0 || ch >= NombreVoiesConfig) return 0;
    if (c.ModeXY != 1) return TST_B_ONOFF(c.VoiesAffichees, ch) ? 1 : 0;
    // Vertical cursors measure the abscissa, horizontal ones every other channel.
    if (c.CurseurXY == 0) return ch == c.VoieX ? 1 : 0;
    return TST_B_ONOFF(c.VoiesAffichees, ch) && ch != c.VoieX ? 1 : 0;
}

void grapheft::TRACE_CURSEUR(QPainter& g, double c1, double c2, uint8_t selected) {
    AFF_CURSEUR(g, c1, c2, selected);
    const tConfig& c = *SavConf;
    c1 = FRACTION_CURSEUR(c1);
    c2 = FRACTION_CURSEUR(c2);
    const QColor couleur = Couleur(c.CouleurCurseur);
    const QPen pens[2] = {surcouche::Pen(couleur, {4, 1, 2, 1}), surcouche::Pen(couleur, {1, 1})};
    const double fractions[2] = {c1, c2};
    const bool xy = c.ModeXY == 1;
    for (int k = 0; k < 2; ++k) {
        g.setPen(pens[k]);
        if (xy && c.CurseurXY == 1) {
            const int y = PIXEL_CURSEUR(fractions[k], DebutScrollY, ScrollY);
            g.drawLine(DebutScrollX, y, DebutScrollX + ScrollX, y);
        } else {
            const int x = PIXEL_CURSEUR(fractions[k], DebutScrollX, ScrollX);
            g.drawLine(x, DebutScrollY, x, DebutScrollY + ScrollY);
            VALEUR_SUIT_CURSEUR(g, fractions[k]);
        }
    }
    if (c.ValeurSuitCurseur == 0 || xy || !FontBaseDetemps) return;

    // The time between the cursors, as a dimension arrow near the plot's bottom.
    const t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    const double dt = TEMPS_COLONNE(COLONNE_CURSEUR(c2), TempsTotal, DebutTemps) -
                      TEMPS_COLONNE(COLONNE_CURSEUR(c1), TempsTotal, DebutTemps);
    char texte[64];
    CALCUL_TEMPS_TIME_BASE(texte, dt, e.BaseDeTempsInterne == 1 ? e.PeriodeEchantillon : 0.0);
    const QString t = DepuisCp1252(texte);
    const QFont police = surcouche::Normale(*FontBaseDetemps);
    const int h = HAUTEUR_LIGNE(police);
    const int x1 = PIXEL_CURSEUR(c1, DebutScrollX, ScrollX), x2 = PIXEL_CURSEUR(c2, DebutScrollX, ScrollX);
    const int xa = std::min(x1, x2), xb = std::max(x1, x2);
    const int w = static_cast<int>(MeasureDisplayStringWidth(t, police)) + 3;
    const int x = (xa + xb) / 2 - w / 2;
    // Near the bottom, above the texts of the picture it would cover (an
    // annotation written upwards there).
    const QRectF voulue(x, DebutScrollY + ScrollY - 2 - h + 1, w, h);
    const int y = static_cast<int>(PLACE_LIBRE(voulue, -h, CADRE()).top()) - 1;

    const QColor trait = surcouche::Opacite(c.CouleurReticule, 128);
    g.setPen(surcouche::Pen(trait));
    g.drawLine(x1, y, x2, y);
    g.setBrush(trait);
    g.drawPolygon(QPolygon(
        {QPoint(xa, y), QPoint(xa + TeteFleche, y + TeteFleche), QPoint(xa + TeteFleche, y - TeteFleche)}));
    g.drawPolygon(QPolygon(
        {QPoint(xb, y), QPoint(xb - TeteFleche, y - TeteFleche), QPoint(xb - TeteFleche, y + TeteFleche)}));
    g.setBrush(Qt::NoBrush);

    g.fillRect(x, y + 1, w, h, Couleur(c.CouleurFond));
    ECRIRE(g, t, police, surcouche::Opacite(c.CouleurReticule, 192), x, y);
}

void grapheft::VALEUR_SUIT_CURSEUR(QPainter& g, double c) {
    const tConfig& cf = *SavConf;
    if (cf.ValeurSuitCurseur == 0 || cf.ModeXY == 1 || !TABLE_COMPLETE()) return;
    int ch = VRAI_NUMERO(cf.VoiesPresentes, cf.VoieSuitCurseur);
    if (ch > DERNIERE_VOIE_VALIDE(cf.VoiesPresentes) || ch >= NombreVoiesConfig) ch = 0;
    c = FRACTION_CURSEUR(c);
    const double v = VALEUR_TABLE(COLONNE_CURSEUR(c), ch);
    char texte[200];
    MESSAGE_COMPLET(texte, ch, v);
    AFF_RESULTAT_CALCUL(g, PIXEL_CURSEUR(c, DebutScrollX, ScrollX), POSITION_Y(ch, v), texte, "", ch);
}

void grapheft::TRACE_CURSEUR_Y(QPainter& g) {
    const tConfig& c = *SavConf;
    if (c.ModeXY == 1 || !FontBaseDetemps) return;
    const int ch = VoieCurseurY(c, *EnteteFichier);
    const int z = ZoneVoie(c, ch);
    if (z < 0) return; // a channel without a zone has no place for its cursors
    const tZonePixels zone = ZONE_PIXELS(c.ReticEcran, z, ScrollY);
    const QFont police = surcouche::Normale(*FontBaseDetemps);
    const QFont policeCouche = police;
    const int hh = HAUTEUR_LIGNE(police);
    const QColor couleur = Couleur(c.CouleurCurseur);
    const uint16_t positions[2] = {c.PositionCurseurY1, c.PositionCurseurY2};
    const QPen pens[2] = {surcouche::Pen(couleur, {4, 1, 2, 1}), surcouche::Pen(couleur, {4, 6})};
    for (int k = 0; k < 2; ++k) {
        const int y = ORDONNEE_CURSEUR_Y(positions[k], DebutScrollY + zone.Haut, zone.Hauteur());
        g.setPen(pens[k]);
        g.drawLine(DebutScrollX, y, DebutScrollX + ScrollX, y);
        char texte[200];
        MESSAGE_COMPLET(texte, ch,
                        VALEUR_CURSEUR_Y(positions[k], c.ParamVoie[ch].BorneMin, c.ParamVoie[ch].BorneMax));
        const QString t = DepuisCp1252(texte);
        const int w = static_cast<int>(MeasureDisplayStringWidth(t, police)) + EcartTexteTrait + 3;
        g.fillRect(DebutScrollX + 1, y - hh, w, hh, Couleur(c.CouleurFond));
        // Clear of the frame line, so that a sign is never lost on it.
        ECRIRE(g, t, policeCouche, Couleur(c.CouleurVoie[ch]), DebutScrollX + EcartTexteTrait, y - hh);
    }
}

void grapheft::CHANGE_CURSEUR_Y(int y, int which) {
    if (which != 2 && which != 3) return;
    tConfig& c = *SavConf;
    const int ch = VoieCurseurY(c, *EnteteFichier);
    const int z = ZoneVoie(c, ch);
    if (z < 0) return;
    const tZonePixels zone = ZONE_PIXELS(c.ReticEcran, z, ScrollY);
    const std::optional<uint16_t> p =
        POSITION_CURSEUR_Y(y, DebutScrollY + zone.Haut, DebutScrollY + zone.Bas);
    if (!p) return; // a zone of no height: the cursor stays where it is
    (which == 2 ? c.PositionCurseurY1 : c.PositionCurseurY2) = *p;
}

void grapheft::INIT_CURSEURS_Y() {
    const tConfig& c = *SavConf;
    const int ch = VoieCurseurY(c, *EnteteFichier);
    const int z = ZoneVoie(c, ch);
    if (z < 0) return;
    const tZonePixels zone = ZONE_PIXELS(c.ReticEcran, z, ScrollY);
    CHANGE_CURSEUR_Y(DebutScrollY + zone.Haut + 10, 2);
    CHANGE_CURSEUR_Y(DebutScrollY + zone.Bas - 10, 3);
}
