// `ombrix table FILE [--start F] [--width F] [--window START,WIDTH]...
// [--undersample PERIOD_US]`: runs a display pass over a recording, as the
// viewer does before drawing, and prints the display table as CSV: one line per
// column with the raw word of every recorded analog channel and the logic word.
// The data checksum verdict of the first pass goes to standard error.
//
// Each --window runs one more pass with the same graph object, as zooming in the
// viewer does (the first full view builds the pyramid the later ones use); the
// tables follow each other, separated by an empty line, and the time of each
// pass goes to standard error.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Commandes.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "graph/DonneesGraphe.h"
#include "graph/GlobauxGraphe.h"
#include "math/InstallationScripts.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: ombrix table FILE [--start F] [--width F] [--window START,WIDTH]... "
                         "[--undersample PERIOD_US]\n");
    return 1;
}

// A whole argument as a finite number.
bool LireNombre(const char* texte, double& valeur) {
    char* fin = nullptr;
    valeur = std::strtod(texte, &fin);
    return fin != texte && *fin == '\0' && std::isfinite(valeur);
}

// "START,WIDTH" as two finite numbers.
bool LireFenetre(const char* texte, std::pair<double, double>& fenetre) {
    const char* virgule = std::strchr(texte, ',');
    if (virgule == nullptr) return false;
    const std::string debut(texte, virgule);
    return LireNombre(debut.c_str(), fenetre.first) && LireNombre(virgule + 1, fenetre.second);
}

// Opens the recording as the viewer does without its filter dialog: header read
// into EnteteF, every channel chosen, file left open, whole recording shown. A
// failure is reported by the opening itself (the console box writes to
// standard error).
uint8_t OuvrirSansDialogue(OuvreREC& ouvre, const QString& chemin) {
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    return ouvre.OUVRIR_REC(1);
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string Champ(const QString& texte) {
    const std::string utf8 = texte.toStdString();
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string r = "\"";
    for (char c : utf8) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + '"';
}

QString NomVoie(const t_EnteteREC_GlobalTotal& e, int n) {
    const QString affiche =
        DepuisCp1252(e.Affichage[n].NomAffiche, sizeof e.Affichage[n].NomAffiche).trimmed();
    if (!affiche.isEmpty()) return affiche;
    return DepuisCp1252(e.CalibVoie[n].NomVoie, sizeof e.CalibVoie[n].NomVoie).trimmed();
}

} // namespace

int CommandeTable(int argc, char** argv) {
    if (argc < 2) return Usage();
    double debut = 0.0, largeur = 1.0, periode = 0.0;
    bool sousEchantillon = false;
    std::vector<std::pair<double, double>> fenetres;
    for (int i = 2; i < argc; ++i) {
        const bool dernier = i + 1 >= argc;
        if (std::strcmp(argv[i], "--window") == 0) {
            std::pair<double, double> f;
            if (dernier || !LireFenetre(argv[i + 1], f)) return Usage();
            fenetres.push_back(f);
            ++i;
            continue;
        }
        double* cible = std::strcmp(argv[i], "--start") == 0         ? &debut
                        : std::strcmp(argv[i], "--width") == 0       ? &largeur
                        : std::strcmp(argv[i], "--undersample") == 0 ? &periode
                                                                     : nullptr;
        if (cible == nullptr || dernier || !LireNombre(argv[i + 1], *cible)) return Usage();
        if (cible == &periode) sousEchantillon = true;
        ++i;
    }
    if (sousEchantillon && !(periode > 0.0)) return Usage();

    Langue = 1; // messages in English
    OuvreREC ouvre(&EnteteF);
    // The recording's math scripts are compiled on opening and fill their channels.
    const auto scripts = INSTALLER_SCRIPTS(ouvre);
    const QString chemin = QString::fromLocal8Bit(argv[1]);
    const uint8_t resultat = OuvrirSansDialogue(ouvre, chemin);
    if (resultat != LectureOK) {
        if (resultat == LectureErreur && *ouvre.CauseErreur != '\0')
            std::fprintf(stderr, "ombrix table: %s\n", ouvre.CauseErreur);
        return resultat;
    }
    // As the filter dialog computes it: chosen period / sampling period, in floats.
    sousEchantillonageEnabled = sousEchantillon;
    if (sousEchantillon) {
        selectedValue = static_cast<float>(periode);
        if (EnteteF.PeriodeEchantillon > 0.f) underSamplingRatio = selectedValue / EnteteF.PeriodeEchantillon;
    }
    const bool chronometre = !fenetres.empty();
    if (fenetres.empty()) fenetres.emplace_back(debut, largeur);

    DonneesGraphe graphe(&EnteteF, &Setup);
    graphe.CheminDonnees = chemin;
    const int voies =
        EnteteF.NombreVoiesAnalog < NombreSlotsAnalog ? EnteteF.NombreVoiesAnalog : NombreSlotsAnalog;
    const bool logique = EnteteF.PresenceLogique != 0;
    bool ecrit = true;
    const char* verdict = nullptr;
    for (size_t f = 0; f < fenetres.size(); ++f) {
        Setup.DebutFenetre = fenetres[f].first;
        Setup.LargeurFenetre = fenetres[f].second;
        COHER_SETUP();
        const auto top = std::chrono::steady_clock::now();
        graphe.CALCUL_GRAPH_FT_MEM();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - top).count();
        if (chronometre)
            std::fprintf(stderr, "window %g,%g: %.3f ms\n", Setup.DebutFenetre, Setup.LargeurFenetre, ms);
        if (verdict == nullptr) {
            const uint8_t etat = graphe.CalculTerminer.load();
            verdict = etat == CalculChecksumFaux ? "mismatch" : graphe.ChecksumCompare ? "ok" : "none";
        }

        std::string sortie = f > 0 ? "\ncolumn" : "column";
        for (int n = 0; n < voies; ++n) sortie += ',' + Champ(NomVoie(EnteteF, n));
        sortie += logique ? ",logic\n" : "\n";
        for (int c = 0; c < NombreColonnesAffichage; ++c) {
            sortie += std::to_string(c);
            for (int n = 0; n < voies; ++n) sortie += ',' + std::to_string(graphe.Mot(c, n));
            if (logique) sortie += ',' + std::to_string(graphe.Mot(c, SlotLogique));
            sortie += '\n';
        }
        std::fwrite(sortie.data(), 1, sortie.size(), stdout);
        ecrit = std::fflush(stdout) == 0 && ecrit;
    }

    std::fprintf(stderr, "checksum: %s\n", verdict);
    if (!ecrit) return 1;
    return scripts->SIGNALER_BILAN() ? SortieScriptsEnDefaut : 0;
}
