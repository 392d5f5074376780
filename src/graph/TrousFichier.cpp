#include "graph/TrousFichier.h"

#include <cerrno>
#include <limits>

#include <unistd.h>

int64_t TrousFichier::FinTrou(int64_t position) {
    if (position >= TrouDebut_ && position < TrouFin_) return TrouFin_;
    if (position >= DonneesDebut_ && position < DonneesFin_) return position;
    if (Descripteur_ < 0 || position < 0) return position;
    // The descriptor's offset moves; every read of the recordings is positioned.
    ++Requetes_;
    const off_t donnees = ::lseek(Descripteur_, static_cast<off_t>(position), SEEK_DATA);
    if (donnees < 0) {
        if (errno == ENXIO) { // no data from here to the end of the file
            TrouDebut_ = position;
            TrouFin_ = std::numeric_limits<int64_t>::max();
            return TrouFin_;
        }
        // The system cannot tell: everything is data.
        DonneesDebut_ = position;
        DonneesFin_ = std::numeric_limits<int64_t>::max();
        return position;
    }
    if (donnees > position) {
        TrouDebut_ = position;
        TrouFin_ = donnees;
        return TrouFin_;
    }
    ++Requetes_;
    const off_t trou = ::lseek(Descripteur_, static_cast<off_t>(position), SEEK_HOLE);
    DonneesDebut_ = position;
    DonneesFin_ = trou > position ? static_cast<int64_t>(trou) : std::numeric_limits<int64_t>::max();
    return position;
}
