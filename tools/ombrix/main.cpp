// `ombrix`: command-line companion of the viewer. Dispatches to one subcommand. --help and
// --version are answered, and unknown double-dash options refused, before any application object
// exists.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "Commandes.h"
#include "TexteAide.h"

namespace {

// Each subcommand's options; every one of them takes the next argument as its value.
constexpr std::string_view OptionsTable[] = {"--start", "--width", "--window", "--undersample"};
constexpr std::string_view OptionsMeasure[] = {"--start", "--width"};
constexpr std::string_view OptionsRender[] = {"-o",      "--size",    "--config",   "--start",
                                              "--width", "--cursors", "--ycursors", "--lang"};
constexpr std::string_view OptionsJoin[] = {"-o"};

struct Commande {
    std::string_view Nom;
    int (*Fonction)(int argc, char** argv);
    std::span<const std::string_view> Options;
};

constexpr Commande Commandes[] = {
    {"sample", CommandeSample, {}},
    {"info", CommandeInfo, {}},
    {"table", CommandeTable, OptionsTable},
    {"measure", CommandeMeasure, OptionsMeasure},
    {"render", CommandeRender, OptionsRender},
    {"join", CommandeJoin, OptionsJoin},
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

int OptionInconnue(const char* commande, const char* option) {
    std::fprintf(stderr, "%s: unknown option '%s'; see 'ombrix --help'\n", commande, option);
    return 2;
}

bool Connue(const Commande& c, std::string_view argument) {
    for (std::string_view o : c.Options)
        if (o == argument) return true;
    return false;
}

// -1 when the command may run; else the exit status after --help, or after an unknown option.
int OptionsLongues(const Commande& c, int argc, char** argv) {
    for (int i = 2; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (Connue(c, argument)) {
            ++i; // its value, whatever it looks like
        } else if (argument == "--help") {
            return Imprimer(TexteAide);
        } else if (argument.starts_with("--")) {
            const std::string nom = "ombrix " + std::string(c.Nom);
            return OptionInconnue(nom.c_str(), argv[i]);
        }
    }
    return -1;
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
    if (premier.starts_with("--")) return OptionInconnue("ombrix", argv[1]);
    for (const Commande& c : Commandes) {
        if (premier != c.Nom) continue;
        if (const int statut = OptionsLongues(c, argc, argv); statut >= 0) return statut;
        const std::unique_ptr<QCoreApplication> application = Application(argc, argv);
        return c.Fonction(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "ombrix: unknown command '%s'\n", argv[1]);
    return Usage();
}
