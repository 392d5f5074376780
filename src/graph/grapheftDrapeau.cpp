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

    const QPolygon contour({QPoint(x, y), QPoint(x, y - h), QPoint(x + w, y - h), QPoint(x + w, y - 5),
                            QPoint(x + 5, y - 5), QPoint(x, y)});
    g.setPen(surcouche::Pen(surcouche::Couleur(c.CouleurReticule)));
    g.setBrush(surcouche::Couleur(c.CouleurFond));
    g.drawPolygon(contour);
    g.setBrush(Qt::NoBrush);

    const QFont police = surcouche::PolicePour(g, *FontBaseDetemps, NewBitmap);
    const QColor couleur = surcouche::Couleur(c.CouleurVoie[ch >= 0 && ch < NombreVoiesConfig ? ch : 0]);
    ECRIRE(g, t1, police, couleur, x + 5, y - h + 1);
    ECRIRE(g, t2, police, couleur, x + 5, y - h + h1 + 1);
}
