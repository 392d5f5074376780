#include "graph/TracePolyligne.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QPaintDevice>
#include <QPainter>
#include <QPointF>

namespace {

// Points per piece: pieces this short are simple polygons; the exactness
// holds for any length from 3 up.
constexpr int PointsParMorceau = 8;

// The square cap of a line ending at `a` whose last segment comes from `b`:
// the half-width square beyond `a`.
void Bout(QPainter& g, QPointF a, QPointF b, double demiLargeur) {
    QPointF d = a - b;
    const double n = std::hypot(d.x(), d.y());
    if (!(n > 0.0)) return;
    d /= n;
    const QPointF normale(-d.y() * demiLargeur, d.x() * demiLargeur);
    const QPointF loin = a + d * demiLargeur;
    const QPointF coins[4] = {a + normale, loin + normale, loin - normale, a - normale};
    g.drawPolygon(coins, 4);
}

bool Raster(const QPainter& g) {
    const QPaintDevice* d = g.device();
    return d != nullptr && d->devType() == QInternal::Image;
}

} // namespace

void TRACER_POLYLIGNE(QPainter& g, const QPoint* points, int n, const QPen& pen, tTracePolyligne maniere) {
    if (points == nullptr || n <= 0) return;
    const bool epais = !pen.isCosmetic() && pen.widthF() > 1.0;
    const bool bouts = pen.capStyle() == Qt::SquareCap || pen.capStyle() == Qt::FlatCap;
    if (maniere == tTracePolyligne::Directe || !epais || !bouts || !Raster(g) ||
        g.renderHints().testFlag(QPainter::Antialiasing) || pen.joinStyle() != Qt::BevelJoin ||
        pen.style() != Qt::SolidLine) {
        g.setPen(pen);
        g.drawPolyline(points, n);
        return;
    }
    // A repeated point is no segment (the stroker skips it too); without them
    // every piece boundary has a segment on both sides.
    std::vector<QPoint> p;
    p.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        if (p.empty() || p.back() != points[i]) p.push_back(points[i]);
    const int m = static_cast<int>(p.size());
    if (m < 3) {
        g.setPen(pen);
        g.drawPolyline(p.data(), m);
        return;
    }
    g.save();
    QPen plat(pen);
    plat.setCapStyle(Qt::FlatCap);
    g.setPen(plat);
    for (int debut = 0;; debut += PointsParMorceau - 1) {
        const int fin = std::min(m - 1, debut + PointsParMorceau);
        g.drawPolyline(p.data() + debut, fin - debut + 1);
        if (fin == m - 1) break;
    }
    if (pen.capStyle() == Qt::SquareCap) {
        g.setPen(Qt::NoPen);
        g.setBrush(pen.brush());
        const double demi = pen.widthF() / 2.0;
        Bout(g, p[0], p[1], demi);
        Bout(g, p[static_cast<size_t>(m - 1)], p[static_cast<size_t>(m - 2)], demi);
    }
    g.restore();
}
