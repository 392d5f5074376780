// The recording the benchmarks share: 2 GiB of 16 dense channels (sines,
// ramps, squares) in the TKAR layout with its data checksum.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include "recmaker/RecMaker.h"

namespace bench {

inline constexpr int NombreVoiesGros = 16;
inline constexpr int64_t NombreScansGros = (int64_t(1) << 31) / (2 * NombreVoiesGros); // 2 GiB of samples

// Channel n of the benchmarks' recordings: sines, ramps and squares in turn.
inline recmaker::Voie VoieBench(int n) {
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
    return v;
}

inline recmaker::Enregistrement Gros() {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.PeriodeUs = 10.f;
    e.Checksum = true;
    e.NombreScans = NombreScansGros;
    for (int n = 0; n < NombreVoiesGros; ++n) e.Voies.push_back(VoieBench(n));
    return e;
}

// The recording named on the command line, or one in `dossier`, written when
// it does not exist yet; the picture size from the second argument
// ("1600x900" by default). False when the size cannot be read or the file
// cannot be written.
inline bool PreparerGros(int argc, char** argv, const QTemporaryDir& dossier, QString& chemin, int& largeur,
                         int& hauteur) {
    chemin = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dossier.filePath(QStringLiteral("bench.rec"));
    largeur = 1600;
    hauteur = 900;
    if (argc > 2 && std::sscanf(argv[2], "%dx%d", &largeur, &hauteur) != 2) return false;
    if (QFileInfo::exists(chemin)) return true;
    std::printf("writing %s ...\n", chemin.toLocal8Bit().constData());
    return recmaker::EcrireEnFlux(Gros(), chemin.toStdString());
}

} // namespace bench
