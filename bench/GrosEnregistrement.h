// The recording the benchmarks share: 2 GiB of 16 dense channels (sines,
// ramps, squares) in the TKAR layout with its data checksum.
#pragma once

#include <cstdint>
#include <string>

#include "recmaker/RecMaker.h"

namespace bench {

inline constexpr int NombreVoiesGros = 16;
inline constexpr int64_t NombreScansGros = (int64_t(1) << 31) / (2 * NombreVoiesGros); // 2 GiB of samples

inline recmaker::Enregistrement Gros() {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.PeriodeUs = 10.f;
    e.Checksum = true;
    e.NombreScans = NombreScansGros;
    for (int n = 0; n < NombreVoiesGros; ++n) {
        recmaker::Voie v;
        v.Numero = n;
        v.Nom = "Voie " + std::to_string(n);
        switch (n % 4) {
        case 0:
            v.Donnees = recmaker::Sinus(32768, 20000 + 500 * n, 5000 + 1000 * n);
            break;
        case 1:
            v.Donnees = recmaker::Rampe(static_cast<uint16_t>(n), 1 + n);
            break;
        case 2:
            v.Donnees = recmaker::Carre(1000, 60000, 777 + n);
            break;
        default:
            v.Donnees = recmaker::Sinus(30000, 3000, 17 + n);
            break;
        }
        e.Voies.push_back(v);
    }
    return e;
}

} // namespace bench
