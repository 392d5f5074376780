// `ombrix join A.rec B.rec ... -o OUT.rec`: joins recordings as the viewer's
// concatenation dialog does, without a window. The output is written only when
// the whole join succeeds; on any failure nothing is left at OUT.rec (a file
// that already had that name stays as it was).
#include <cstdio>
#include <cstring>
#include <string>

#include "Commandes.h"
#include "recording/Concatenation.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: ombrix join FILE... -o OUT.rec\n");
    return 1;
}

std::string Utf8(const QString& texte) {
    return texte.toStdString();
}

} // namespace

int CommandeJoin(int argc, char** argv) {
    Langue = 1; // messages in English
    ConcatenationREC concat;
    concat.MemoriserListe = false; // the viewer's remembered list is not the command's business
    QString sortie;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0) {
            if (i + 1 >= argc || !sortie.isEmpty()) return Usage();
            sortie = QString::fromLocal8Bit(argv[++i]);
        } else {
            concat.Fichiers.append(QString::fromLocal8Bit(argv[i]));
        }
    }
    if (concat.Fichiers.isEmpty() || sortie.isEmpty()) return Usage();

    concat.FileTemporaire = sortie;
    if (concat.ARRET_OK(1) == 0) {
        if (concat.Rapport.Omises > 0)
            std::fprintf(stderr, "ombrix join: %d annotations beyond the table were not carried\n",
                         concat.Rapport.Omises);
        return 0;
    }
    const tRapportConcat& r = concat.Rapport;
    const tBloc message = r.Echec == tEchecConcat::Incompatible ? M_ErreurConcat : M_ErreurFichier;
    std::fprintf(stderr, "%s\n", Cp1252VersUtf8(POS_MESS(message)).c_str());
    if (r.Fichier.isEmpty())
        std::fprintf(stderr, "ombrix join: %s\n", r.Cause);
    else
        std::fprintf(stderr, "ombrix join: %s: %s\n", Utf8(r.Fichier).c_str(), r.Cause);
    return 1;
}
