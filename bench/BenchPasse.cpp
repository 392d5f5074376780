// Throughput of the display pass over a 1 GiB, 16-channel recording, beside a
// plain sequential read of the same file in 128 KiB chunks. Both run with the
// file in the page cache, so the figures compare the pass with the cost of just
// copying the bytes.
//
// usage: bench_passe [FILE]   (FILE is written when missing, reused otherwise;
//                              without it a temporary file is used)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include <QFileInfo>
#include <QTemporaryDir>

#include "config/Config.h"
#include "graph/DonneesGraphe.h"
#include "graph/GlobauxGraphe.h"
#include "recmaker/RecMaker.h"
#include "recording/EnteteREC.h"
#include "recording/FichierREC.h"
#include "recording/OuvreREC.h"

namespace {

using Horloge = std::chrono::steady_clock;

constexpr int NombreVoies = 16;
constexpr int64_t NombreScans = (int64_t(1) << 30) / (2 * NombreVoies); // 1 GiB of samples
constexpr int Essais = 3;

recmaker::Enregistrement Gros() {
    recmaker::Enregistrement e;
    e.Famille = FamilleTKAR;
    e.PeriodeUs = 10.f;
    e.NombreScans = NombreScans;
    for (int n = 0; n < NombreVoies; ++n) {
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

double Secondes(Horloge::time_point debut) {
    return std::chrono::duration<double>(Horloge::now() - debut).count();
}

// Sequential read in 128 KiB chunks; returns the bytes read.
int64_t LectureSequentielle(const FichierREC& f, int64_t debut, std::vector<uint8_t>& tampon) {
    int64_t position = debut, total = 0;
    for (;;) {
        const int64_t n = f.Lire(position, tampon.data(), static_cast<int64_t>(tampon.size()));
        if (n <= 0) break;
        position += n;
        total += n;
    }
    return total;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dossier;
    QString chemin =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : dossier.filePath(QStringLiteral("bench.rec"));
    if (!QFileInfo::exists(chemin)) {
        std::printf("writing %s ...\n", chemin.toLocal8Bit().constData());
        const auto debut = Horloge::now();
        if (!recmaker::EcrireEnFlux(Gros(), chemin.toStdString())) {
            std::fprintf(stderr, "cannot write %s\n", chemin.toLocal8Bit().constData());
            return 1;
        }
        std::printf("  written in %.1f s\n", Secondes(debut));
    }

    OuvreREC ouvre(&EnteteF);
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    if (ouvre.LECTURE_ENTETE() != LectureOK) {
        std::fprintf(stderr, "cannot read the header of %s\n", chemin.toLocal8Bit().constData());
        return 1;
    }
    const double octetsDonnees = static_cast<double>(EnteteF.NombreScans) * EnteteF.LongueurScan * 2;
    std::printf("%lld scans x %d words: %.3f GB of samples\n", static_cast<long long>(EnteteF.NombreScans),
                EnteteF.LongueurScan, octetsDonnees / 1e9);

    std::vector<uint8_t> tampon(OctetsParPage);
    // Warm the page cache.
    LectureSequentielle(ouvre.Fichier(), EnteteF.DebutDonnees, tampon);

    double meilleureLecture = 1e30, meilleurePasse = 1e30;
    auto graphe = std::make_unique<DonneesGraphe>(&EnteteF, &Setup);
    graphe->CheminDonnees = chemin;
    Setup = {0.0, 1.0};
    for (int essai = 0; essai < Essais; ++essai) {
        auto debut = Horloge::now();
        LectureSequentielle(ouvre.Fichier(), EnteteF.DebutDonnees, tampon);
        meilleureLecture = std::min(meilleureLecture, Secondes(debut));

        debut = Horloge::now();
        graphe->CALCUL_GRAPH_FT_MEM();
        meilleurePasse = std::min(meilleurePasse, Secondes(debut));
        if (graphe->PointeurCyclique.load() != NombreColonnesAffichage) {
            std::fprintf(stderr, "the pass did not complete\n");
            return 1;
        }
    }
    std::printf("sequential read, 128 KiB chunks: %6.3f s  %6.2f GB/s\n", meilleureLecture,
                octetsDonnees / meilleureLecture / 1e9);
    std::printf("full-view display pass:          %6.3f s  %6.2f GB/s  (%.0f%% of the read)\n",
                meilleurePasse, octetsDonnees / meilleurePasse / 1e9,
                100.0 * meilleureLecture / meilleurePasse);
    return 0;
}
