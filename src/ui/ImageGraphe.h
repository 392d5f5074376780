// The two pictures of the main window: the graph picture, which shows the
// graph object's finished bitmap, and the transparent overlay on top of it,
// which shows the cursor layers and takes the mouse. Neither draws anything of
// its own: they stretch bitmaps other code has finished.
#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

namespace VIEW {

// The graph picture. Paints *Image stretched to its size while Visible() says
// so, then runs Peint (the main window clears its pending-scroll flag there).
class ImageGraphe : public QWidget {
    Q_OBJECT
public:
    explicit ImageGraphe(QWidget* parent = nullptr);
    const QImage* Image = nullptr;
    std::function<bool()> Visible;
    std::function<void()> Peint;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The overlay: a transparent child of the graph picture, of its size, that
// paints the cursor layer then the Y-cursor layer and passes the mouse on.
class SurcoucheGraphe : public QWidget {
    Q_OBJECT
public:
    explicit SurcoucheGraphe(QWidget* parent = nullptr);
    const QImage* Calque1 = nullptr;
    const QImage* Calque2 = nullptr;

signals:
    void Appui(QMouseEvent* event);
    void Glisse(QMouseEvent* event);
    void Relache(QMouseEvent* event);
    void Sortie(const QPoint& position);
    void Molette(QWheelEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace VIEW
