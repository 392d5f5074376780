// Tool-bar icons drawn at run time: plain line pictures that read clearly at
// any size and in any style, with the platform's own icons where one exists.
#pragma once

#include <QIcon>

class QStyle;

namespace VIEW {

enum class tIconeOutil {
    Ouvrir,
    Curseur,
    HorVer,
    ZoomPlus,
    ZoomCurseurs,
    ZoomMoins,
    PleinePage,
    CurseurY,
    Proprietes,
    Ajout,
    Aide,
    Annotation,
    Calcul
};

QIcon ICONE_OUTIL(tIconeOutil icone, const QStyle* style);

} // namespace VIEW
