// The main window on the dense 2 GiB recording of the pass benchmark: from the
// opening (as Return in the filter dialog) to the first picture on screen,
// then zooms and scrolls, each to its picture; meanwhile a 2 ms heartbeat on
// the window's thread measures the longest time that thread was busy.
//
// usage: bench_fenetre [FILE] [WIDTHxHEIGHT]   (FILE as for bench_passe)
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise; the
// settings go to a temporary folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include "GrosEnregistrement.h"
#include "config/Config.h"
#include "graph/grapheft.h"
#include "ui/Form_main.h"

namespace {

struct tMesure {
    double Ms = 0;
    qint64 PireAttente = 0;
};

// Runs `action` then the event loop until the window shows the picture of the
// window it asked for; the heartbeat's longest gap meanwhile.
tMesure Mesurer(VIEW::Form_main& f, const std::function<void()>& action) {
    QElapsedTimer horloge;
    qint64 precedent = 0, pire = 0;
    QTimer battement;
    QObject::connect(&battement, &QTimer::timeout, [&] {
        const qint64 t = horloge.elapsed();
        pire = std::max(pire, t - precedent);
        precedent = t;
    });
    horloge.start();
    battement.start(2);
    action();
    // The action itself ran on the window's thread: it counts.
    pire = std::max(pire, horloge.elapsed() - precedent);
    precedent = horloge.elapsed();
    const auto montree = [&] {
        return f.progressBar1->isHidden() && !f.IMAGE_ATTENDUE() && f.FichierOuvert == 1 &&
               f.grapheFT->TABLE_COMPLETE() &&
               f.grapheFT->NewBitmap.size() == QSize(f.LargeurImage, f.HauteurImage);
    };
    while (!montree()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (horloge.elapsed() > 120000) break;
    }
    const double ms = static_cast<double>(horloge.nsecsElapsed()) / 1e6;
    battement.stop();
    return {ms, pire};
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir maison;
    qputenv("HOME", maison.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (maison.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (maison.path() + QStringLiteral("/data")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dossier;
    QString chemin;
    int largeur = 0, hauteur = 0;
    if (!bench::PreparerGros(argc, argv, dossier, chemin, largeur, hauteur)) return 2;

    VIEW::Form_main f;
    f.resize(largeur, hauteur);
    f.show();
    QCoreApplication::processEvents();
    // A first opening warms the page cache; the second is measured.
    Mesurer(f, [&] { f.APPEL_FICHIER(chemin, chemin, 1); });
    const tMesure ouverture = Mesurer(f, [&] { f.APPEL_FICHIER(chemin, chemin, 1); });
    std::printf("%dx%d window, %s\n", largeur, hauteur, chemin.toLocal8Bit().constData());
    std::printf("opening to first picture: %8.1f ms   window's thread busy at most %lld ms\n", ouverture.Ms,
                static_cast<long long>(ouverture.PireAttente));
    const struct {
        const char* Nom;
        std::function<void()> Action;
    } gestes[] = {
        {"zoom +", [&] { f.ZOOM_PLUS(); }},
        {"zoom +", [&] { f.ZOOM_PLUS(); }},
        {"scroll", [&] { f.CHANGEMENT_SCROLL(f.hScrollBar1->maximum() / 3); }},
        {"zoom +", [&] { f.ZOOM_PLUS(); }},
        {"scroll", [&] { f.CHANGEMENT_SCROLL(f.hScrollBar1->maximum() * 2 / 3); }},
        {"zoom -", [&] { f.ZOOM_MOINS(); }},
        {"full view", [&] { f.ZOOM_PLEINE_PAGE(); }},
        {"resize",
         [&] {
             f.resize(largeur - 200, hauteur - 100);
             QCoreApplication::processEvents(); // the resize events
         }},
    };
    double pireGeste = 0;
    qint64 pireAttente = ouverture.PireAttente;
    for (const auto& g : gestes) {
        const tMesure m = Mesurer(f, g.Action);
        std::printf("  %-10s to its picture: %7.1f ms   busy at most %lld ms\n", g.Nom, m.Ms,
                    static_cast<long long>(m.PireAttente));
        pireGeste = std::max(pireGeste, m.Ms);
        pireAttente = std::max(pireAttente, m.PireAttente);
    }
    std::printf("slowest zoom or scroll to its picture: %.1f ms; window's thread busy at most %lld ms\n",
                pireGeste, static_cast<long long>(pireAttente));
    return 0;
}
