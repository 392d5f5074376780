// The help window: the user guide, an HTML page, in a browser of its own. It is
// not modal (the guide stays open beside the work) and one is enough: asking for
// help again brings it to the front on the page asked for.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace VIEW {

class FenetreGuide : public QWidget {
    Q_OBJECT
public:
    explicit FenetreGuide(QWidget* parent = nullptr);
    // Shows `page`, the window in front.
    void MONTRER(const QString& page);

    QTextBrowser* textBrowser1 = nullptr;
};

// The help window of `parent` (the one already open, or a new one, removed when
// closed) showing `page`.
FenetreGuide* MONTRER_GUIDE(const QString& page, QWidget* parent);

} // namespace VIEW
