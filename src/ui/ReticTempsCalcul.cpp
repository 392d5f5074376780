#include "ui/ReticTempsCalcul.h"

#include <cmath>
#include <utility>

namespace VIEW {

tUniteRetic UNITE_RETIC(double bdtDivision) {
    const double b = bdtDivision * 10.0;
    if (b < 1e3) return {1.0, QStringLiteral("\u00B5sec")};
    if (b < 1e6) return {1e3, QStringLiteral("millisec")};
    if (b < 1e8) return {1e6, QStringLiteral("sec")};
    if (b < 6e9) return {6e7, QStringLiteral("min")};
    return {3.6e9, QStringLiteral("H")};
}

std::optional<tFenetre> FENETRE_TEMPS_RELATIF(double debut, double fin, double tempsDebut,
                                              double dureeTotale) {
    if (!(dureeTotale > 0.0) || !std::isfinite(debut) || !std::isfinite(fin)) return std::nullopt;
    if (fin < debut) std::swap(debut, fin);
    return tFenetre{(debut - tempsDebut) / dureeTotale, (fin - debut) / dureeTotale};
}

std::optional<tFenetre> FENETRE_TEMPS_ABSOLU(int64_t debutFic, int64_t finFic, int64_t debutEcran,
                                             int64_t finEcran) {
    if (finFic <= debutFic) return std::nullopt;
    if (finEcran < debutEcran) std::swap(debutEcran, finEcran);
    const double duree = static_cast<double>(finFic - debutFic);
    return tFenetre{static_cast<double>(debutEcran - debutFic) / duree,
                    static_cast<double>(finEcran - debutEcran) / duree};
}

} // namespace VIEW
