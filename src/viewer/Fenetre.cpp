#include "viewer/Fenetre.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include "config/Demarrage.h"
#include "config/SauverCle.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "ui/BoiteMessageQt.h"
#include "ui/FiltreFichier.h"
#include "ui/Form_main.h"
#include "ui/TraductionQt.h"
#include "viewer/Icone.h"
#include "viewer/Lancement.h"

namespace {

// Calls `quand` once its window is first exposed.
class GuetteurExposition : public QObject {
public:
    GuetteurExposition(std::function<void()> quand, QObject* parent)
        : QObject(parent), Quand_(std::move(quand)) {}

protected:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (e->type() == QEvent::Expose && static_cast<QWindow*>(objet)->isExposed() && Quand_) {
            std::exchange(Quand_, nullptr)();
        }
        return false;
    }

private:
    std::function<void()> Quand_;
};

} // namespace

int LANCER_FENETRE(int& argc, char** argv, const QStringList& arguments, const tLigneCommande& ligne) {
    QApplication application(argc, argv);
    // The icon of every window, and the desktop entry that names the program to the desktop.
    QApplication::setWindowIcon(ICONE_PROGRAMME());
    QGuiApplication::setDesktopFileName(QStringLiteral("ombrixviewer"));
    INIT_DEMARRAGE(arguments.value(0), QCoreApplication::applicationFilePath());
    // Qt's own buttons and dialogs in the language read from the settings.
    VIEW::CHARGER_TRADUCTION_QT(Langue);
    VIEW::BoiteMessageQt boite;
    const InstallationBoiteMessage installation(boite);
    if (ligne.Erreur) {
        SIGNALER_ERREUR_LIGNE(ligne);
        return 1;
    }
    APPLIQUER_LIGNE_COMMANDE(ligne);
    LANCER_FENETRE_PRINCIPALE(ligne);
    SAUVER_CLE();
    return 0;
}

// The main window, maximised, with the recording named on the command line
// opened in it (with the filter dialog) once it is on screen; its placement is
// stored when it closes, before the caller saves the settings.
void LANCER_FENETRE_PRINCIPALE(const tLigneCommande& ligne) {
    VIEW::Form_main fenetre;
    fenetre.showMaximized();
    if (!ligne.FichierREC.isEmpty()) {
        // The window manager places and sizes the window after it is shown:
        // the filter dialog, centred on it, waits for its first exposure (or a
        // moment, on a platform that never exposes it).
        const QString chemin = ligne.FichierREC;
        auto ouvrir = std::make_shared<bool>(false);
        const auto une_fois = [&fenetre, chemin, ouvrir] {
            if (std::exchange(*ouvrir, true)) return;
            QTimer::singleShot(0, &fenetre, [&fenetre, chemin] { fenetre.APPEL_FICHIER(chemin, chemin, 0); });
        };
        QWindow* w = fenetre.windowHandle();
        if (w != nullptr && !w->isExposed()) {
            auto* guetteur = new GuetteurExposition(une_fois, w);
            w->installEventFilter(guetteur);
            QTimer::singleShot(2000, &fenetre, une_fois);
        } else {
            une_fois();
        }
    }
    QApplication::exec();
}
