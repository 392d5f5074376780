#include "viewer/Fenetre.h"

#include <cstdio>

#include <QApplication>

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
    if (!ligne.FichierREC.isEmpty()) fenetre.APPEL_FICHIER(ligne.FichierREC, ligne.FichierREC, 0);
    QApplication::exec();
}
