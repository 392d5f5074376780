#include "ui/IconesOutils.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace VIEW {

namespace {

constexpr int Taille = 24;

// A magnifying glass with an optional sign inside.
void Loupe(QPainter& g, char signe) {
    g.drawEllipse(QRectF(3, 3, 13, 13));
    g.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    if (signe == '+' || signe == '-') g.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (signe == '+') g.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
}

QPixmap Dessin(tIconeOutil icone) {
    QPixmap image(Taille, Taille);
    image.fill(Qt::transparent);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    QPen stylo(QColor(40, 40, 40), 2.0);
    stylo.setCapStyle(Qt::RoundCap);
    g.setPen(stylo);
    QFont police = g.font();
    police.setBold(true);
    police.setPixelSize(11);
    g.setFont(police);
    switch (icone) {
    case tIconeOutil::Curseur: {
        g.drawLine(QPointF(8, 3), QPointF(8, 21));
        QPen tirets(QColor(200, 30, 30), 2.0, Qt::DashLine);
        g.setPen(tirets);
        g.drawLine(QPointF(16, 3), QPointF(16, 21));
        break;
    }
    case tIconeOutil::HorVer:
        g.drawLine(QPointF(12, 3), QPointF(12, 21));
        g.drawLine(QPointF(3, 12), QPointF(21, 12));
        g.drawLine(QPointF(12, 3), QPointF(9, 6));
        g.drawLine(QPointF(12, 3), QPointF(15, 6));
        g.drawLine(QPointF(21, 12), QPointF(18, 9));
        g.drawLine(QPointF(21, 12), QPointF(18, 15));
        break;
    case tIconeOutil::ZoomPlus:
        Loupe(g, '+');
        break;
    case tIconeOutil::ZoomMoins:
        Loupe(g, '-');
        break;
    case tIconeOutil::ZoomCurseurs:
        Loupe(g, ' ');
        g.setPen(QPen(QColor(200, 30, 30), 1.5));
        g.drawLine(QPointF(6.5, 5), QPointF(6.5, 14));
        g.drawLine(QPointF(12.5, 5), QPointF(12.5, 14));
        break;
    case tIconeOutil::PleinePage:
        g.drawRect(QRectF(3, 5, 18, 14));
        g.drawLine(QPointF(6, 15), QPointF(10, 9));
        g.drawLine(QPointF(10, 9), QPointF(14, 13));
        g.drawLine(QPointF(14, 13), QPointF(18, 8));
        break;
    case tIconeOutil::CurseurY: {
        g.drawLine(QPointF(3, 8), QPointF(21, 8));
        QPen tirets(QColor(200, 30, 30), 2.0, Qt::DashLine);
        g.setPen(tirets);
        g.drawLine(QPointF(3, 16), QPointF(21, 16));
        break;
    }
    case tIconeOutil::Ajout:
        g.drawText(QRectF(0, 0, 16, Taille), Qt::AlignCenter, QStringLiteral("f"));
        g.drawLine(QPointF(15, 12), QPointF(21, 12));
        g.drawLine(QPointF(18, 9), QPointF(18, 15));
        break;
    case tIconeOutil::Annotation:
        g.drawRect(QRectF(3, 4, 18, 12));
        g.drawLine(QPointF(7, 16), QPointF(7, 21));
        g.drawText(QRectF(3, 4, 18, 12), Qt::AlignCenter, QStringLiteral("A"));
        break;
    case tIconeOutil::Calcul:
        g.drawText(QRectF(0, 0, Taille, Taille), Qt::AlignCenter, QStringLiteral("\u03A3"));
        break;
    default:
        break;
    }
    return image;
}

} // namespace

QIcon ICONE_OUTIL(tIconeOutil icone, const QStyle* style) {
    switch (icone) {
    case tIconeOutil::Ouvrir:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case tIconeOutil::Proprietes:
        return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case tIconeOutil::Aide:
        return style->standardIcon(QStyle::SP_DialogHelpButton);
    default:
        return QIcon(Dessin(icone));
    }
}

} // namespace VIEW
