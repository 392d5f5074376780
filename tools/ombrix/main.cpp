// `ombrix`: command-line companion of the viewer. Dispatches to one subcommand. --help and
// --version are answered, and an unknown double-dash option in place of a command refused, before
// any application object exists.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "Commandes.h"
#include "TexteAide.h"
#include "shell/AvertissementsPlateforme.h"

namespace {

struct Commande {
    std::string_view Nom;
    int (*Fonction)(int argc, char** argv);
};

constexpr Commande Commandes[] = {
    {"sample", CommandeSample},   {"info", CommandeInfo},     {"table", CommandeTable},
    {"measure", CommandeMeasure}, {"render", CommandeRender}, {"join", CommandeJoin},
};

int Usage() {
    std::fprintf(stderr, "usage: ombrix COMMAND [ARGUMENT]...\ncommands:");
    for (const Commande& c : Commandes)
        std::fprintf(stderr, " %.*s", static_cast<int>(c.Nom.size()), c.Nom.data());
    std::fprintf(stderr, "\nsee 'ombrix --help'\n");
    return 1;
}

int Imprimer(const char* texte) {
    std::fputs(texte, stdout);
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
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
    if (argc < 2) return Usage();
    const std::string_view premier = argv[1];
    if (premier == "--help") return Imprimer(TexteAide);
    if (premier == "--version") return Imprimer("ombrix " OMBRIX_VERSION "\n");
    if (premier.starts_with("--")) {
        std::fprintf(stderr, "ombrix: unknown option '%s'; see 'ombrix --help'\n", argv[1]);
        return 2;
    }
    for (const Commande& c : Commandes) {
        if (premier != c.Nom) continue;
        // A command's other arguments are its own: a wrong one gets the command's usage line.
        if (argc > 2 && std::string_view(argv[2]) == "--help") return Imprimer(TexteAide);
        TAIRE_AVERTISSEMENTS_PLATEFORME();
        const std::unique_ptr<QCoreApplication> application = Application(argc, argv);
        return c.Fonction(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "ombrix: unknown command '%s'\n", argv[1]);
    return Usage();
}
