// The message-box seam shown as real boxes: installed by the viewer's main
// once the application object exists (INSTALLER_BOITE_MESSAGE).
#pragma once

#include <QPointer>
#include <QWidget>

#include "shell/BoiteMessage.h"

namespace VIEW {

class BoiteMessageQt : public BoiteMessage {
public:
    // Boxes belong to `parent` when it is given, otherwise to the window the user is working
    // in (the active one: the main window, a dialog, a tool window), so that they are centred
    // on it and stay above it; when none is active, to the main window; else to none.
    explicit BoiteMessageQt(QWidget* parent = nullptr) : Parent_(parent) {}
    void DefinirParent(QWidget* parent) { Parent_ = parent; }
    QWidget* PARENT_BOITE() const;

    // A modal box with its title, text, icon and an OK button.
    void MONTRER(const QString& titre, const QString& texte, tIconeBoite icone) override;
    // A modal Yes/No box; true for Yes. The answer that changes nothing is the
    // default button and the one Escape gives.
    bool DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone,
                  bool reponseSansEffet) override;

private:
    QPointer<QWidget> Parent_;
};

} // namespace VIEW
