// The small progress window shown while a recording split over several files
// is joined: the name of the part being copied and how much of it is read.
// It has no title-bar buttons, no icon, no taskbar entry and no size grip, and
// stands centred on the screen. The copy runs on the user-interface thread, so
// every change is painted at once.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace VIEW {

class bargraphe : public QWidget {
    Q_OBJECT

public:
    explicit bargraphe(QWidget* parent = nullptr);

    // Name of the file being processed.
    void AFFICHE_NOM(const QString& nom);
    // Percentage read, kept within 0..100 whatever the caller computed.
    void AFFICHE_PROGRESSION(int pourcent);
    // Percentage of `position` bytes read out of `longueur`; an empty or
    // unknown length shows 0 rather than dividing by zero.
    void AFFICHE_POSITION(qint64 position, qint64 longueur);

    QLabel* label1 = nullptr;
    QProgressBar* progressBar2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CENTRER();
};

} // namespace VIEW
