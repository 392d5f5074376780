#include "ui/FenetreGuide.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/TexteMessage.h"

namespace VIEW {

FenetreGuide::FenetreGuide(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FenetreGuide"));
    setAttribute(Qt::WA_DeleteOnClose);
    textBrowser1 = new QTextBrowser(this);
    textBrowser1->setObjectName(QStringLiteral("textBrowser1"));
    // Links out of the guide (the maker's site) go to the desktop's browser.
    textBrowser1->setOpenExternalLinks(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(textBrowser1);
    resize(760, 640);
}

void FenetreGuide::MONTRER(const QString& page) {
    setWindowTitle(TexteMessage(M_AideDetaille));
    textBrowser1->setSource(QUrl::fromLocalFile(page));
    show();
    raise();
    activateWindow();
}

FenetreGuide* MONTRER_GUIDE(const QString& page, QWidget* parent) {
    FenetreGuide* fenetre =
        parent ? parent->findChild<FenetreGuide*>(QStringLiteral("FenetreGuide"), Qt::FindDirectChildrenOnly)
               : nullptr;
    if (fenetre == nullptr) {
        fenetre = new FenetreGuide(parent);
        // A new help window opens over the middle of the window it helps with.
        if (parent) fenetre->move(parent->window()->geometry().center() - fenetre->rect().center());
    }
    fenetre->MONTRER(page);
    return fenetre;
}

} // namespace VIEW
