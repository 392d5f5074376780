// The viewer's entry point. The command line is read before any application object exists: --help
// and --version are answered at once; with an export option the viewer runs as a console program
// (no window, no display server needed), otherwise it runs its window.
#include <QDir>
#include <QString>
#include <QStringList>

#include "shell/AvertissementsPlateforme.h"
#include "shell/LigneCommande.h"
#include "shell/OptionLongue.h"
#include "viewer/AideVersion.h"
#include "viewer/Console.h"
#include "viewer/Fenetre.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    const tLectureOptionLongue longue = LIRE_OPTION_LONGUE(arguments);
    if (longue.Option != tOptionLongue::Aucune) return REPONDRE_OPTION_LONGUE(longue);
    const tLigneCommande ligne = INTERPRETER_LIGNE_COMMANDE(arguments, QDir::currentPath());
    TAIRE_AVERTISSEMENTS_PLATEFORME();
    if (ligne.ModeExport != ModeSansExport) return LANCER_CONSOLE(argc, argv, arguments, ligne);
    return LANCER_FENETRE(argc, argv, arguments, ligne);
}
