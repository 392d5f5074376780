// `ombrix measure FILE [--start F] [--width F]`: runs the display pass over a
// recording as the viewer does before drawing, then prints, for every channel
// the viewer would display, the measurements of the displayed window as CSV:
// minimum, maximum, peak-to-peak, frequency, period, mean and RMS, computed on
// the 1000-column table exactly as the graph's results are, at full precision
// (not as the display texts round them).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Commandes.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "config/OnOff.h"
#include "graph/DonneesGraphe.h"
#include "graph/Mesures.h"
#include "math/InstallationScripts.h"
#include "math/ValeursPhysiques.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: ombrix measure FILE [--start F] [--width F]\n");
    return 1;
}

bool LireNombre(const char* texte, double& valeur) {
    char* fin = nullptr;
    valeur = std::strtod(texte, &fin);
    return fin != texte && *fin == '\0' && std::isfinite(valeur);
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string Champ(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string r = "\"";
    for (char c : utf8) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + '"';
}

std::string Nombre(double v) {
    char texte[40];
    std::snprintf(texte, sizeof texte, "%.17g", v);
    return texte;
}

std::string Nom(const t_EnteteREC_GlobalTotal& e, int n) {
    const tAffichageVoie& a = e.Affichage[n];
    char nom[sizeof a.NomAffiche + 1];
    std::memcpy(nom, a.NomAffiche, sizeof a.NomAffiche);
    nom[sizeof a.NomAffiche] = '\0';
    return Cp1252VersUtf8(nom);
}

} // namespace

int CommandeMeasure(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') return Usage();
    double debut = 0.0, largeur = 1.0;
    for (int i = 2; i < argc; i += 2) {
        double* cible = std::strcmp(argv[i], "--start") == 0   ? &debut
                        : std::strcmp(argv[i], "--width") == 0 ? &largeur
                                                               : nullptr;
        if (cible == nullptr || i + 1 >= argc || !LireNombre(argv[i + 1], *cible)) return Usage();
    }

    Langue = 1; // messages in English
    // The default display settings, as at a first start, before the recording is opened.
    INIT_CONFIG();
    COHERENCE_CONFIGURATION();
    OuvreREC ouvre(&EnteteF);
    // The recording's math scripts are compiled on opening and fill their channels.
    const auto scripts = INSTALLER_SCRIPTS(ouvre);
    const QString chemin = QString::fromLocal8Bit(argv[1]);
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    if (ouvre.OUVRIR_REC(1) != LectureOK) {
        std::fprintf(stderr, "ombrix measure: cannot open %s%s%s\n", argv[1], *ouvre.CauseErreur ? ": " : "",
                     ouvre.CauseErreur);
        return 1;
    }
    Setup.DebutFenetre = debut;
    Setup.LargeurFenetre = largeur;
    COHER_SETUP();

    DonneesGraphe donnees(&EnteteF, &Setup);
    donnees.CheminDonnees = chemin;
    donnees.CALCUL_GRAPH_FT_MEM();
    if (donnees.PointeurCyclique.load() != NombreColonnesAffichage) {
        std::fprintf(stderr, "ombrix measure: the display pass did not complete\n");
        return 1;
    }
    if (donnees.CalculTerminer.load() == CalculChecksumFaux)
        std::fprintf(stderr, "ombrix measure: the data checksum does not match; measured anyway\n");
    RECUP_AVEC_FONCTION(donnees.TabCyclique.get(), donnees.TabFlottant.get(), NombreColonnesAffichage);

    // The displayed duration, as the graph object takes it for its time axis.
    const double tempsTotal = Setup.LargeurFenetre * EnteteF.DureeTotale;
    std::string sortie = "channel,name,min,max,pkpk,freq_hz,period_s,mean,rms\n";
    const int voies = std::min<int>(EnteteF.NombreVoiesTotal, NombreVoiesConfig);
    for (int n = 0; n < voies; ++n) {
        if (!TST_B_ONOFF(Config.VoiesAffichees, n)) continue;
        const tMesuresVoie m = MESURER_VOIE(donnees, n, tempsTotal);
        sortie += std::to_string(n) + ',' + Champ(Nom(EnteteF, n)) + ',' + Nombre(m.Min) + ',' +
                  Nombre(m.Max) + ',' + Nombre(m.PicPic) + ',' + Nombre(m.Frequence) + ',' +
                  Nombre(m.Periode) + ',' + Nombre(m.Moyenne) + ',' + Nombre(m.Rms) + '\n';
    }
    std::fwrite(sortie.data(), 1, sortie.size(), stdout);
    if (std::fflush(stdout) != 0) return 1;
    return scripts->SIGNALER_BILAN() ? SortieScriptsEnDefaut : 0;
}
