#include "viewer/Console.h"

#include <QCoreApplication>

#include "config/Demarrage.h"
#include "config/SauverCle.h"
#include "export/ExportDossier.h"
#include "math/InstallationScripts.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "viewer/Lancement.h"

int LANCER_CONSOLE(int& argc, char** argv, const QStringList& arguments, const tLigneCommande& ligne) {
    QCoreApplication application(argc, argv);
    INIT_DEMARRAGE(arguments.value(0), QCoreApplication::applicationFilePath());
    if (ligne.Erreur) {
        SIGNALER_ERREUR_LIGNE(ligne);
        return 1;
    }
    APPLIQUER_LIGNE_COMMANDE(ligne);

    int resultat = 1;
    if (ligne.FichierREC.isEmpty()) {
        BOITE_MESSAGE().MONTRER(QStringLiteral("Error"),
                                QStringLiteral("No recording named: nothing exported"),
                                tIconeBoite::Avertissement);
    } else {
        OuvreREC ouvre(&EnteteF);
        // The recording's math scripts are compiled on opening and run on every exported row.
        const auto scripts = INSTALLER_SCRIPTS(ouvre);
        if (APPEL_FICHIER_DEMARRAGE(ouvre, ligne.FichierREC, ligne.ModeExport)) {
            FENETRE_EXPORT(ligne);
            resultat = LANCER_EXPORT_CONSOLE(ligne.ModeExport - 1, ouvre);
            // A channel a script did not compute is never passed over in silence.
            const bool ecrit = resultat == 0;
            if (scripts->SIGNALER_BILAN(ecrit ? POS_MESS(M_FichierSaufScripts) : nullptr) && ecrit)
                resultat = SortieScriptsEnDefaut;
        }
    }
    SAUVER_CLE();
    return resultat;
}
