#include "viewer/Icone.h"

#include <QString>

QIcon ICONE_PROGRAMME() {
    QIcon icone;
    for (int taille : {16, 22, 24, 32, 48, 64, 128, 256})
        icone.addFile(QStringLiteral(":/icons/%1x%1/ombrixviewer.png").arg(taille), QSize(taille, taille));
    return icone;
}
