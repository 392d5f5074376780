// Small drawing helpers shared by the overlays of the graph object (bounds,
// annotations, cursors, result flags): colours of the configuration, dashed
// pens, fonts matched to the surface drawn on, and bounded 8-bit texts.
#pragma once

#include <cstdint>
#include <initializer_list>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>

#include "shell/Texte8.h"

namespace surcouche {

inline QColor Couleur(int32_t argb) {
    return QColor::fromRgba(static_cast<QRgb>(argb));
}

// The colour with the given opacity (0..255), whatever its own.
inline QColor Opacite(int32_t argb, int alpha) {
    QColor c = Couleur(argb);
    c.setAlpha(alpha);
    return c;
}

// A 1-pixel pen. Solid, it covers both end points of a line; with a pattern
// (dashes and gaps in pixels) its ends are flat so that a one-pixel dash stays
// one pixel long.
inline QPen Pen(const QColor& couleur, std::initializer_list<qreal> motif = {}) {
    QPen pen(couleur);
    pen.setWidth(1);
    if (motif.size() != 0) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(QList<qreal>(motif));
    }
    return pen;
}

// Dash-dot, as the platform's dash-dot line of a 1-pixel pen.
inline QPen PenTiretPoint(const QColor& couleur) {
    return Pen(couleur, {3, 1, 1, 1});
}

// The font without bold, italic, underline or strike-out.
inline QFont Normale(QFont police) {
    police.setBold(false);
    police.setItalic(false);
    police.setUnderline(false);
    police.setStrikeOut(false);
    return police;
}

inline QFont Grasse(QFont police) {
    police.setBold(true);
    return police;
}

// A fixed-size text field that may fill its buffer without a NUL.
template <size_t N> QString Champ(const char (&champ)[N], int maximum = static_cast<int>(N)) {
    return DepuisCp1252(champ, maximum < static_cast<int>(N) ? maximum : static_cast<int>(N));
}

} // namespace surcouche
