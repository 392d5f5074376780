// Traces of the time display, logic lanes and the XY display.
#include <array>
#include <vector>

#include <QPen>
#include <QPoint>

#include "config/OnOff.h"
#include "graph/GeometrieGraphe.h"
#include "graph/TracePolyligne.h"
#include "graph/grapheft.h"
#include "math/ValeursPhysiques.h"

namespace {

QColor Couleur(int32_t argb) {
    return QColor::fromRgba(static_cast<QRgb>(argb));
}

// Zone of a channel, or -1 when its zone number names no zone of the layout.
int ZoneVoie(const tReticEcran& r, int ch) {
    const int z = r.EcranVoie[ch] - 1;
    return z >= 0 && z < r.NbEcran ? z : -1;
}

} // namespace

int32_t grapheft::POSITION_Y(int ch, double v) const {
    if (ch < 0 || ch >= NombreVoiesConfig) ch = 0;
    const tConfig& c = *SavConf;
    const int z = ZoneVoie(c.ReticEcran, ch);
    const tZonePixels zone = ZONE_PIXELS(c.ReticEcran, z < 0 ? 0 : z, ScrollY);
    return ORDONNEE_SIMPLE(v, c.ParamVoie[ch].BorneMin, c.ParamVoie[ch].BorneMax, zone, DebutScrollY);
}

void grapheft::AFFICH_VECTEUR() {
    if (!gp || !TABLE_COMPLETE()) return;
    if (!RECUP_AVEC_FONCTION(Valeurs ? *Valeurs : CONTEXTE_VALEURS(), Donnees.TabCyclique.get(),
                             Donnees.TabFlottant.get(), NombreColonnesAffichage, Arret))
        return;
    const tConfig& c = *SavConf;
    if (c.ModeXY == 1) {
        AFFICH_VECTEUR_XY();
        return;
    }
    QPainter& g = *gp;
    std::array<int, NombreColonnesAffichage> x{};
    for (int col = 0; col < NombreColonnesAffichage; ++col)
        x[col] = ABSCISSE_COLONNE(col, DebutScrollX, ScrollX);

    // Wide pens cover the pixels whose centres lie within half the width of the
    // point: Qt puts pixel centres at half coordinates, so the traces move by half
    // a pixel (a 1.33-pixel trace is then one pixel thick on its row).
    g.save();
    g.translate(0.5, 0.5);
    std::vector<QPoint> points(NombreColonnesAffichage);
    for (int ch = 0; ch < NombreVoiesConfig && !ARRETE(); ++ch) {
        if (!TST_B_ONOFF(c.VoiesAffichees, ch)) continue;
        const int z = ZoneVoie(c.ReticEcran, ch);
        if (z < 0) continue; // no zone: not drawn
        const tZonePixels zone = ZONE_PIXELS(c.ReticEcran, z, ScrollY);
        const float bmin = c.ParamVoie[ch].BorneMin, bmax = c.ParamVoie[ch].BorneMax;
        for (int col = 0; col < NombreColonnesAffichage; ++col)
            points[col] =
                QPoint(x[col], ORDONNEE_TRACE(VALEUR_TABLE(col, ch), bmin, bmax, zone, DebutScrollY));
        QPen pen(Couleur(c.CouleurVoie[ch]));
        pen.setWidthF(EPAISSEUR_TRACE(c.EpaisseurVoie[ch]));
        TRACER_POLYLIGNE(g, points.data(), static_cast<int>(points.size()), pen, ManiereTrace);
    }
    g.restore();
    if (EnteteFichier->LogiqueAffichee == 1) TracerLogiques(g, x.data());

    AFF_ANNOT();
    AFF_CALCUL();
}

void grapheft::TracerLogiques(QPainter& g, const int* abscisses) {
    const tConfig& c = *SavConf;
    const tBandeLogique bande = BANDE_LOGIQUE(DebutScrollY, ScrollY, c.PositionVoiesLogiques,
                                              c.HauteurVoiesLogiques, c.NombreVoiesLogiquesAffichees);
    const int entrees =
        c.NombreVoiesLogiques < NombreLogiquesConfig ? c.NombreVoiesLogiques : NombreLogiquesConfig;
    std::vector<QPoint> points(NombreColonnesAffichage);
    int i = 0;
    for (int b = 0; b < entrees; ++b) {
        if ((c.MasqueVoiesLogiques & (1u << b)) == 0) continue;
        const int haut = i * bande.Voie + bande.Haut;
        const int bas = haut + bande.Voie - 2;
        for (int col = 0; col < NombreColonnesAffichage; ++col)
            points[col] = QPoint(abscisses[col], (MOT_LOGIQUE(col) & (1u << b)) != 0 ? haut : bas);
        QPen pen(Couleur(c.CouleurVoieLogique[b]));
        pen.setWidth(1);
        TRACER_POLYLIGNE(g, points.data(), static_cast<int>(points.size()), pen, ManiereTrace);
        ++i;
    }
}

void grapheft::AFFICH_VECTEUR_XY() {
    if (!gp) return;
    QPainter& g = *gp;
    const tConfig& c = *SavConf;
    const int voieX = c.VoieX < NombreVoiesConfig ? c.VoieX : 0;
    const int n =
        std::min<int>(Donnees.PointeurCyclique.load(std::memory_order_acquire), NombreColonnesAffichage);
    const float minX = c.ParamVoie[voieX].BorneMin, maxX = c.ParamVoie[voieX].BorneMax;
    std::vector<QPoint> points(static_cast<size_t>(std::max(n, 0)));
    for (int ch = 0; ch < NombreVoiesConfig && n >= 2; ++ch) {
        if (ch == voieX || !TST_B_ONOFF(c.VoiesAffichees, ch)) continue;
        const float bmin = c.ParamVoie[ch].BorneMin, bmax = c.ParamVoie[ch].BorneMax;
        for (int col = 0; col < n; ++col) {
            const tPointXY p = POINT_XY(VALEUR_TABLE(col, ch), bmin, bmax, VALEUR_TABLE(col, voieX), minX,
                                        maxX, DebutScrollX, DebutScrollY, ScrollX, ScrollY);
            points[col] = QPoint(p.X, p.Y);
        }
        QPen pen(Couleur(c.CouleurVoie[ch]));
        // Below one pixel the thinnest line is drawn (a cosmetic pen).
        const double largeur = EPAISSEUR_XY(c.EpaisseurVoie[ch]);
        pen.setWidthF(largeur < 1.0 ? 0.0 : largeur);
        g.setBrush(Qt::NoBrush);
        if (c.XYPoints == 1) {
            g.setPen(pen);
            for (const QPoint& p : points) g.drawRect(p.x(), p.y(), 1, 1);
        } else {
            TRACER_POLYLIGNE(g, points.data(), n, pen, ManiereTrace);
        }
    }
    AFF_ANNOT();
}
