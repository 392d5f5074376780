#include "ui/ImageGraphe.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace VIEW {

ImageGraphe::ImageGraphe(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pictureBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void ImageGraphe::paintEvent(QPaintEvent*) {
    QPainter g(this);
    if (Image && !Image->isNull() && (!Visible || Visible()))
        g.drawImage(rect(), *Image);
    else
        g.fillRect(rect(), palette().window());
    if (Peint) Peint();
}

SurcoucheGraphe::SurcoucheGraphe(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pictureBox2"));
    setAttribute(Qt::WA_TranslucentBackground);
    // Moves without a button pressed too: the status bar reads out what lies
    // under the pointer.
    setMouseTracking(true);
}

void SurcoucheGraphe::paintEvent(QPaintEvent*) {
    QPainter g(this);
    if (Calque1 && !Calque1->isNull()) g.drawImage(rect(), *Calque1);
    if (Calque2 && !Calque2->isNull()) g.drawImage(rect(), *Calque2);
}

void SurcoucheGraphe::mousePressEvent(QMouseEvent* event) {
    emit Appui(event);
}

void SurcoucheGraphe::mouseMoveEvent(QMouseEvent* event) {
    emit Glisse(event);
}

void SurcoucheGraphe::mouseReleaseEvent(QMouseEvent* event) {
    emit Relache(event);
}

void SurcoucheGraphe::leaveEvent(QEvent*) {
    emit Sortie(mapFromGlobal(QCursor::pos()));
}

void SurcoucheGraphe::wheelEvent(QWheelEvent* event) {
    emit Molette(event);
}

} // namespace VIEW
