// `ombrix_aide SOURCE ORIGIN HEADER PAGE`: makes a program's --help header and manual page from
// its help source (see aide/Aide.h). ORIGIN is the page footer's source text, "OmbrixViewer 3.11".
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "aide/Aide.h"

namespace {

bool Ecrire(const std::string& chemin, const std::string& contenu) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f << contenu;
    f.close();
    return static_cast<bool>(f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: ombrix_aide SOURCE ORIGIN HEADER PAGE\n";
        return 1;
    }
    std::ifstream f(argv[1], std::ios::binary);
    if (!f) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    std::ostringstream source;
    source << f.rdbuf();
    try {
        const aide::Aide a = aide::Lire(source.str());
        if (!Ecrire(argv[3], aide::EnteteCpp(a, "TexteAide")) ||
            !Ecrire(argv[4], aide::PageManuel(a, argv[2]))) {
            std::cerr << "ombrix_aide: cannot write " << argv[3] << " or " << argv[4] << '\n';
            return 1;
        }
    } catch (const aide::ErreurSource& e) {
        // The compiler's way of naming a place, so that editors jump to it.
        std::cerr << argv[1] << ':' << e.Ligne << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
