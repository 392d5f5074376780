// Drawing the picture of a dense recording: the warm 2 GiB, 16-channel file of
// the pass benchmark, its first full pass, the conversion of the display table
// to physical values, and the whole picture drawn with the traces in one
// polyline each (the reference) and in overlapping pieces (the program's way),
// all in one run on the same file. The two pictures are compared pixel for
// pixel. Then zoomed windows: pass and picture.
//
// usage: bench_dessin [FILE] [WIDTHxHEIGHT]   (FILE as for bench_passe)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "GrosEnregistrement.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "graph/grapheft.h"
#include "math/ValeursPhysiques.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"

namespace {

using Horloge = std::chrono::steady_clock;
constexpr int Essais = 3;

double Ms(Horloge::time_point debut) {
    return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

// The picture of `principal`'s table, as the bitmap export draws it; its time in ms.
double Dessiner(grapheft& image, const grapheft& principal, int largeur, int hauteur,
                tTracePolyligne maniere) {
    image.SavConf = &Config;
    image.Complet = 1;
    image.ManiereTrace = maniere;
    image.Initialisation();
    image.REPRENDRE_TABLE(principal.Donnees);
    image.LargeurImage = largeur;
    image.HauteurImage = hauteur;
    const auto debut = Horloge::now();
    image.RESIZE_GRAPHE();
    return Ms(debut);
}

int Differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir dossier;
    QString chemin;
    int largeur = 0, hauteur = 0;
    if (!bench::PreparerGros(argc, argv, dossier, chemin, largeur, hauteur)) return 2;
    INIT_CONFIG();
    COHERENCE_CONFIGURATION();
    OuvreREC ouvre(&EnteteF);
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    if (ouvre.OUVRIR_REC(1) != LectureOK) {
        std::fprintf(stderr, "cannot open %s\n", chemin.toLocal8Bit().constData());
        return 1;
    }

    grapheft principal(&EnteteF, &Setup);
    principal.Donnees.CheminDonnees = chemin;
    double passe = 1e30, conversion = 1e30, directe = 1e30, morceaux = 1e30;
    int differences = 0;
    for (int essai = 0; essai <= Essais; ++essai) { // the first run warms the page cache
        Setup = {0.0, 1.0};
        auto debut = Horloge::now();
        principal.Donnees.CALCUL_GRAPH_FT_MEM();
        if (essai > 0) passe = std::min(passe, Ms(debut));
        debut = Horloge::now();
        RECUP_AVEC_FONCTION(principal.Donnees.TabCyclique.get(), principal.Donnees.TabFlottant.get());
        if (essai > 0) conversion = std::min(conversion, Ms(debut));
        grapheft a(&EnteteF, &Setup), b(&EnteteF, &Setup);
        const double ta = Dessiner(a, principal, largeur, hauteur, tTracePolyligne::Directe);
        const double tb = Dessiner(b, principal, largeur, hauteur, tTracePolyligne::Morceaux);
        if (essai > 0) {
            directe = std::min(directe, ta);
            morceaux = std::min(morceaux, tb);
        }
        a.FINIR_PEINTURE();
        b.FINIR_PEINTURE();
        differences = std::max(differences, Differences(a.NewBitmap, b.NewBitmap));
    }
    std::printf("%d x %d picture, %lld scans x %d channels\n", largeur, hauteur,
                static_cast<long long>(EnteteF.NombreScans), static_cast<int>(EnteteF.NombreVoiesAnalog));
    std::printf("first full pass:                      %8.1f ms\n", passe);
    std::printf("conversion to physical values:        %8.1f ms\n", conversion);
    std::printf("picture, traces in one polyline each: %8.1f ms\n", directe);
    std::printf("picture, traces in pieces:            %8.1f ms  (%.0f x faster)\n", morceaux,
                directe / morceaux);
    std::printf("pixels that differ:                   %8d\n", differences);

    const double fenetres[][2] = {{0.0, 0.5}, {0.3, 0.1}, {0.5, 0.001}, {0.123, 0.00002}};
    for (const auto& f : fenetres) {
        Setup = {f[0], f[1]};
        auto debut = Horloge::now();
        principal.Donnees.CALCUL_GRAPH_FT_MEM();
        const double tp = Ms(debut);
        grapheft b(&EnteteF, &Setup);
        const double tb = Dessiner(b, principal, largeur, hauteur, tTracePolyligne::Morceaux);
        std::printf("  window %-8g + %-8g pass %7.2f ms, picture %7.2f ms\n", f[0], f[1], tp, tb);
    }
    return differences == 0 ? 0 : 1;
}
