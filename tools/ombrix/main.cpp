// `ombrix`: command-line companion of the viewer. Dispatches to one subcommand.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "Commandes.h"

namespace {

struct Commande {
    const char* Nom;
    int (*Fonction)(int argc, char** argv);
    const char* Aide;
};

// One line per subcommand.
constexpr Commande Commandes[] = {
    {"sample", CommandeSample, "sample DIR    write demonstration recordings of the three families into DIR"},
    {"info", CommandeInfo, "info FILE     print the header of a recording as JSON"},
    {"table", CommandeTable, "table FILE [--start F] [--width F] [--undersample US]  display table as CSV"},
    {"measure", CommandeMeasure,
     "measure FILE [--start F] [--width F]  measurements of the displayed window of each displayed channel "
     "as CSV"},
    {"render", CommandeRender,
     "render FILE -o OUT.png [--size WxH] [--config F] [--start F] [--width F] [--cursors C1,C2] [--ycursors "
     "Y1,Y2,CH] [--lang fr|en|de]"},
    {"join", CommandeJoin, "join FILE... -o OUT.rec  join recordings, a marker where each file begins"},
};

int Usage() {
    std::fprintf(stderr, "usage: ombrix COMMAND [ARGS]\n");
    for (const Commande& c : Commandes) std::fprintf(stderr, "  ombrix %s\n", c.Aide);
    return 1;
}

} // namespace

// Drawing commands need the GUI application (fonts). They draw into pictures only, so
// unless told otherwise they run on the offscreen platform and need no display.
std::unique_ptr<QCoreApplication> Application(int& argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "render") != 0)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> application = Application(argc, argv);
    if (argc < 2) return Usage();
    for (const Commande& c : Commandes)
        if (std::strcmp(argv[1], c.Nom) == 0) return c.Fonction(argc - 1, argv + 1);
    std::fprintf(stderr, "ombrix: unknown command '%s'\n", argv[1]);
    return Usage();
}
