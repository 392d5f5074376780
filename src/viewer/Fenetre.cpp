#include "viewer/Fenetre.h"

#include <cstdio>

#include <QApplication>

#include "config/Demarrage.h"
#include "config/SauverCle.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "ui/BoiteMessageQt.h"
#include "ui/FiltreFichier.h"
#include "viewer/Lancement.h"

int LANCER_FENETRE(int& argc, char** argv, const QStringList& arguments, const tLigneCommande& ligne) {
    QApplication application(argc, argv);
    INIT_DEMARRAGE(arguments.value(0), QCoreApplication::applicationFilePath());
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

// ---- The place of the main window ------------------------------------------------------------
// The main window is not part of this build yet. When it comes, this function creates it
// maximised, opens the named recording through its own file-opening command (mode 0, with the
// filter dialog), runs it modally and, once it is closed, lets it store its placement (ARRET_Form)
// before the settings are saved by the caller. Until then the recording is opened the same way
// without a window, and the user is told.
void LANCER_FENETRE_PRINCIPALE(const tLigneCommande& ligne) {
    if (!ligne.FichierREC.isEmpty()) {
        OuvreREC ouvre(&EnteteF);
        VIEW::DialogueFiltreQt dialogue;
        ouvre.Dialogue = &dialogue;
        APPEL_FICHIER_DEMARRAGE(ouvre, ligne.FichierREC, ModeSansExport);
    }
    std::fputs("OmbrixViewer: the main window is not available in this build\n", stderr);
}
