// The result flag: two lines of text in a box with a pointed foot anchored at
// a point of a trace (measurement results, the value that follows a cursor).
#include <algorithm>

#include <QPolygon>

#include "graph/OutilsSurcouche.h"
#include "graph/grapheft.h"

void grapheft::AFF_RESULTAT_CALCUL(QPainter& g, int x, int y, const char* ligne1, const char* ligne2,
                                   int ch) {
    if (!FontBaseDetemps) return;
    const tConfig& c = *SavConf;
    const QString t1 = DepuisCp1252(ligne1), t2 = DepuisCp1252(ligne2);
    // An empty line takes no height.
    const int h1 = t1.isEmpty() ? 0 : HauteurCarac, h2 = t2.isEmpty() ? 0 : HauteurCarac;
    const int w = std::max(LongMessX(t1), LongMessX(t2)) + 10;
    const int h = h1 + h2 + 4;

    // Up and right of its point, as long as it stays in the plot and clear of
    // the texts already there (the title above the plot, the read-out box, the
    // other flags); else below, or to the left.
    const struct { int Sx, Sy; } sens[] = {{1, -1}, {1, 1}, {-1, -1}, {-1, 1}};
    const auto boite = [&](int sx, int sy) {
        return QRectF(QPointF(x, y), QPointF(x + sx * w, y + sy * h)).normalized();
    };
    const QRectF cadre = CADRE();
    int choix = -1;
    for (int k = 0; k < 4 && choix < 0; ++k)
        if (cadre.contains(boite(sens[k].Sx, sens[k].Sy)) && LIBRE(boite(sens[k].Sx, sens[k].Sy))) choix = k;
    for (int k = 0; k < 4 && choix < 0; ++k)
        if (cadre.contains(boite(sens[k].Sx, sens[k].Sy))) choix = k;
    if (choix < 0) choix = 0;
    const int sx = sens[choix].Sx, sy = sens[choix].Sy;
    QRectF b = boite(sx, sy);
    g.setPen(surcouche::Pen(surcouche::Couleur(c.CouleurReticule)));
    g.setBrush(surcouche::Couleur(c.CouleurFond));
    const QRectF ailleurs = LIBRE(b) ? b : PLACE_LIBRE(b, sy * HauteurCarac, cadre);
    if (ailleurs != b && LIBRE(ailleurs)) {
        // No room at its point: the flag stands where there is, a line
        // leading from the point to it.
        b = ailleurs;
        const QPointF pres(std::clamp<double>(x, b.left(), b.right()),
                           std::clamp<double>(y, b.top(), b.bottom()));
        g.drawLine(QPointF(x, y), pres);
        g.drawRect(b);
    } else {
        const QPolygon contour({QPoint(x, y), QPoint(x, y + sy * h), QPoint(x + sx * w, y + sy * h),
                                QPoint(x + sx * w, y + sy * 5), QPoint(x + sx * 5, y + sy * 5),
                                QPoint(x, y)});
        g.drawPolygon(contour);
    }
    g.setBrush(Qt::NoBrush);

    const QFont police = *FontBaseDetemps;
    const QColor couleur = surcouche::Couleur(c.CouleurVoie[ch >= 0 && ch < NombreVoiesConfig ? ch : 0]);
    // Below its point, the foot takes the top of the box.
    const double haut = b.top() + (sy > 0 ? 4 : 1);
    ECRIRE(g, t1, police, couleur, b.left() + 5, haut);
    ECRIRE(g, t2, police, couleur, b.left() + 5, haut + h1);
    // A flag of the picture is a text of it; one on a layer is not.
    if (gp && &g == gp) BoitesTextes.push_back(b);
}
