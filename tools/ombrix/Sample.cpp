// `ombrix sample DIR`: writes one demonstration recording of each family into DIR.
#include <QDir>
#include <cstdio>

#include "Commandes.h"
#include "recmaker/RecMaker.h"

int CommandeSample(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ombrix sample DIR\n");
        return 1;
    }
    const QString dossier = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dossier)) {
        std::fprintf(stderr, "ombrix sample: cannot create the folder %s\n", argv[1]);
        return 1;
    }
    const struct {
        const char* Nom;
        recmaker::Enregistrement (*Exemple)();
    } fichiers[] = {
        {"tkar_demo.rec", recmaker::ExempleTKAR},
        {"tkos_demo.rec", recmaker::ExempleTKOS},
        {"tkos_sup_demo.rec", recmaker::ExempleTKOSSup},
        {"vel_demo.rec", recmaker::ExempleVEL},
    };
    for (const auto& f : fichiers) {
        const QByteArray chemin = QDir(dossier).filePath(QString::fromLatin1(f.Nom)).toLocal8Bit();
        if (!recmaker::Ecrire(f.Exemple(), chemin.toStdString())) {
            std::fprintf(stderr, "ombrix sample: cannot write %s\n", chemin.constData());
            return 1;
        }
        std::printf("%s\n", chemin.constData());
    }
    return 0;
}
