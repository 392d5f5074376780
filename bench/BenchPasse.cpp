// The display pass over a warm 2 GiB, 16-channel recording, all in one run on
// the same file: a plain sequential read in 128 KiB chunks and `dd bs=128k` to
// /dev/null (the cost of just copying the bytes), the page-by-page pass
// (the reference, as it ran before the fast pass), the fast first full-view pass
// that also builds the pyramid and checks the data checksum, a zoomed first pass
// without the pyramid, and then windows of every width over the pyramid. Then
// the same fast passes for several sizes of its reads (DonneesGraphe::
// OctetsLecture), the sizes taking turns, each with its median. Ends with the
// memory the process holds.
//
// usage: bench_passe [FILE]   (FILE is written when missing, reused and kept
//                              otherwise; without it a temporary file is used and
//                              removed at the end)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QFileInfo>
#include <QTemporaryDir>

#include "GrosEnregistrement.h"
#include "config/Config.h"
#include "graph/DonneesGraphe.h"
#include "graph/GlobauxGraphe.h"
#include "graph/PliRapide.h"
#include "recmaker/RecMaker.h"
#include "recording/EnteteREC.h"
#include "recording/FichierREC.h"
#include "recording/OuvreREC.h"

namespace {

using Horloge = std::chrono::steady_clock;

constexpr int Essais = 3;

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

// A line of /proc/self/status, in MB.
double StatutMo(const char* champ) {
    std::ifstream f("/proc/self/status");
    std::string ligne;
    const std::string cle = std::string(champ) + ":";
    while (std::getline(f, ligne))
        if (ligne.rfind(cle, 0) == 0) return std::atof(ligne.c_str() + cle.size()) / 1024.0;
    return -1;
}

// One full pass; false when it did not complete.
bool Passe(DonneesGraphe& g, double debut, double largeur) {
    Setup = {debut, largeur};
    g.CALCUL_GRAPH_FT_MEM();
    return g.PointeurCyclique.load() == NombreColonnesAffichage;
}

bool MemesTables(const DonneesGraphe& a, const DonneesGraphe& b) {
    for (int c = 0; c <= NombreColonnesAffichage; ++c)
        for (int s = 0; s < NombreSlotsColonne; ++s)
            if (a.Mot(c, s) != b.Mot(c, s)) return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dossier;
    QString chemin;
    int largeur = 0, hauteur = 0; // unused here
    if (!bench::PreparerGros(argc > 1 ? 2 : 1, argv, dossier, chemin, largeur, hauteur)) {
        std::fprintf(stderr, "cannot write %s\n", chemin.toLocal8Bit().constData());
        return 1;
    }

    OuvreREC ouvre(&EnteteF);
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    if (ouvre.LECTURE_ENTETE() != LectureOK) {
        std::fprintf(stderr, "cannot read the header of %s\n", chemin.toLocal8Bit().constData());
        return 1;
    }
    const double octetsDonnees = static_cast<double>(EnteteF.NombreScans) * EnteteF.LongueurScan * 2;
    std::printf("%lld scans x %d words: %.3f GB of samples; kernel %s\n",
                static_cast<long long>(EnteteF.NombreScans), EnteteF.LongueurScan, octetsDonnees / 1e9,
                AVX2Disponible() ? "AVX2" : "SSE2");
    auto debit = [&](double s) { return octetsDonnees / s / 1e9; };

    std::vector<uint8_t> tampon(OctetsParPage);
    LectureSequentielle(ouvre.Fichier(), EnteteF.DebutDonnees, tampon); // warm the page cache

    double lecture = 1e30, dd = 1e30, reference = 1e30, premiere = 1e30, sansPyramide = 1e30;
    const std::string commandeDd = "dd if='" + chemin.toStdString() + "' of=/dev/null bs=128k status=none";
    auto referenceG = std::make_unique<DonneesGraphe>(&EnteteF, &Setup);
    referenceG->PasseReference = true;
    referenceG->CheminDonnees = chemin;
    std::unique_ptr<DonneesGraphe> rapide;
    bool checksumOk = true;
    for (int essai = 0; essai < Essais; ++essai) {
        auto debut = Horloge::now();
        LectureSequentielle(ouvre.Fichier(), EnteteF.DebutDonnees, tampon);
        lecture = std::min(lecture, Secondes(debut));

        debut = Horloge::now();
        if (std::system(commandeDd.c_str()) != 0) std::fprintf(stderr, "dd failed\n");
        dd = std::min(dd, Secondes(debut));

        EnteteF.ChecksumVerifie = 0;
        debut = Horloge::now();
        if (!Passe(*referenceG, 0.0, 1.0)) return 1;
        reference = std::min(reference, Secondes(debut));

        // A fresh object each time: mapping, pyramid and checksum from nothing.
        rapide = std::make_unique<DonneesGraphe>(&EnteteF, &Setup);
        rapide->CheminDonnees = chemin;
        EnteteF.ChecksumVerifie = 0;
        debut = Horloge::now();
        if (!Passe(*rapide, 0.0, 1.0)) return 1;
        premiere = std::min(premiere, Secondes(debut));
        checksumOk = checksumOk && rapide->ChecksumCompare && rapide->CalculTerminer.load() == CalculFini &&
                     rapide->DernierePasseRapide;

        DonneesGraphe zoom(&EnteteF, &Setup);
        zoom.CheminDonnees = chemin;
        debut = Horloge::now();
        if (!Passe(zoom, 0.25, 0.5)) return 1;
        sansPyramide = std::min(sansPyramide, Secondes(debut) / 0.5);
    }
    Setup = {0.0, 1.0};
    referenceG->CALCUL_GRAPH_FT_MEM();
    bool egales = MemesTables(*rapide, *referenceG);

    std::printf("sequential read, 128 KiB chunks:   %6.3f s  %6.2f GB/s\n", lecture, debit(lecture));
    std::printf("dd bs=128k to /dev/null:           %6.3f s  %6.2f GB/s\n", dd, debit(dd));
    std::printf("page-by-page pass (reference):     %6.3f s  %6.2f GB/s  (%.2f x dd)\n", reference,
                debit(reference), dd / reference);
    std::printf("fast first full pass + pyramid:    %6.3f s  %6.2f GB/s  (%.2f x dd, %.1f x reference)\n",
                premiere, debit(premiere), dd / premiere, reference / premiere);
    std::printf("fast zoomed pass without pyramid:  %6.3f s  %6.2f GB/s  (per GB of window)\n", sansPyramide,
                debit(sansPyramide));
    std::printf("checksum verified: %s; fast and reference tables equal: %s\n", checksumOk ? "yes" : "NO",
                egales ? "yes" : "NO");

    // Windows after the pyramid: the cost follows the columns, not the width.
    const double fenetres[][2] = {{0.0, 1.0},    {0.0, 0.5},        {0.3, 0.25},   {0.61, 0.1},
                                  {0.2, 0.01},   {0.777, 0.001},    {0.5, 0.0001}, {0.123, 0.00002},
                                  {0.9, 0.9e-1}, {0.33333, 0.33333}};
    double pire = 0;
    for (const auto& f : fenetres) {
        const auto debut = Horloge::now();
        if (!Passe(*rapide, f[0], f[1])) return 1;
        const double ms = Secondes(debut) * 1e3;
        pire = std::max(pire, ms);
        std::printf("  window %-8g + %-8g %8.3f ms\n", f[0], f[1], ms);
    }
    std::printf("slowest window over the pyramid: %.3f ms\n", pire);

    // Read sizes: a fresh object each time; the sizes take turns so that a
    // change of the machine's load falls on all of them.
    constexpr int Tours = 7;
    const int64_t tailles[] = {256 << 10, 512 << 10, 1 << 20, 2 << 20};
    constexpr int NombreTailles = sizeof tailles / sizeof tailles[0];
    std::vector<double> premieres[NombreTailles], zooms[NombreTailles], sommes[NombreTailles];
    for (int tour = 0; tour < Tours; ++tour) {
        for (int t = 0; t < NombreTailles; ++t) {
            DonneesGraphe g(&EnteteF, &Setup);
            g.CheminDonnees = chemin;
            g.OctetsLecture = tailles[t];
            EnteteF.ChecksumVerifie = 0;
            auto debut = Horloge::now();
            if (!Passe(g, 0.0, 1.0)) return 1;
            premieres[t].push_back(Secondes(debut));
            egales = egales && MemesTables(g, *referenceG);
            double somme = 0;
            for (const auto& f : fenetres) {
                debut = Horloge::now();
                if (!Passe(g, f[0], f[1])) return 1;
                somme += Secondes(debut);
            }
            sommes[t].push_back(somme);
            DonneesGraphe zoom(&EnteteF, &Setup);
            zoom.CheminDonnees = chemin;
            zoom.OctetsLecture = tailles[t];
            debut = Horloge::now();
            if (!Passe(zoom, 0.25, 0.5)) return 1;
            zooms[t].push_back(Secondes(debut) / 0.5);
        }
    }
    auto mediane = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("read size of the fast pass (median of %d, best in brackets):\n", Tours);
    std::printf("  %8s  %-22s  %-22s  %-20s\n", "read", "first full pass", "zoomed, per GB window",
                "the 10 windows");
    for (int t = 0; t < NombreTailles; ++t) {
        std::printf("  %5lld KiB  %6.3f s (%6.3f) %5.2f GB/s  %6.3f s (%6.3f)      %6.2f ms (%6.2f)\n",
                    static_cast<long long>(tailles[t] >> 10), mediane(premieres[t]),
                    *std::min_element(premieres[t].begin(), premieres[t].end()), debit(mediane(premieres[t])),
                    mediane(zooms[t]), *std::min_element(zooms[t].begin(), zooms[t].end()),
                    1e3 * mediane(sommes[t]), 1e3 * *std::min_element(sommes[t].begin(), sommes[t].end()));
    }
    std::printf("tables of every read size equal to the reference: %s\n", egales ? "yes" : "NO");
    std::printf("pyramid: %.1f MB (%.2f%% of the samples)\n", rapide->OctetsPyramide() / 1e6,
                100.0 * rapide->OctetsPyramide() / octetsDonnees);
    std::printf(
        "memory: VmRSS %.0f MB = RssAnon %.0f MB + RssFile %.0f MB (mapped page cache); VmHWM %.0f MB\n",
        StatutMo("VmRSS"), StatutMo("RssAnon"), StatutMo("RssFile"), StatutMo("VmHWM"));
    return egales && checksumOk ? 0 : 1;
}
