// `ombrix`: command-line companion of the viewer. Dispatches to one subcommand.
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

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
};

int Usage() {
    std::fprintf(stderr, "usage: ombrix COMMAND [ARGS]\n");
    for (const Commande& c : Commandes) std::fprintf(stderr, "  ombrix %s\n", c.Aide);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) return Usage();
    for (const Commande& c : Commandes)
        if (std::strcmp(argv[1], c.Nom) == 0) return c.Fonction(argc - 1, argv + 1);
    std::fprintf(stderr, "ombrix: unknown command '%s'\n", argv[1]);
    return Usage();
}
