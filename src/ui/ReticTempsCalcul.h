// The arithmetic of the time-base page of the display settings dialog: the
// unit of its number boxes, and the displayed window from two times or two
// dates.
#pragma once

#include <cstdint>
#include <optional>

#include <QString>

#include "ui/ZoomFenetre.h"

namespace VIEW {

struct tUniteRetic {
    double Unite = 1e6; // microseconds per unit
    QString Libelle;    // "µsec", "millisec", "sec", "min", "H"
};
// From the time per division (microseconds): ten divisions below 1 ms give
// microseconds, below 1 s milliseconds, below 100 s seconds, below 100 min
// minutes, hours beyond.
tUniteRetic UNITE_RETIC(double bdtDivision);

// Window from a start and an end in microseconds on the recording's time
// scale (starting at tempsDebut, dureeTotale long); two times given in reverse
// order count as in order. Nothing for a recording of no duration or times
// that are not numbers.
std::optional<tFenetre> FENETRE_TEMPS_RELATIF(double debut, double fin, double tempsDebut,
                                              double dureeTotale);

// Window from the start and end of the recording and of the chosen dates, all
// on one integer time scale; dates in reverse order count as in order. Nothing
// for a recording of no duration.
std::optional<tFenetre> FENETRE_TEMPS_ABSOLU(int64_t debutFic, int64_t finFic, int64_t debutEcran,
                                             int64_t finEcran);

} // namespace VIEW
