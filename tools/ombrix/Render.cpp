// `ombrix render FILE -o OUT.png [--size WxH] [--config FILE.spt|.cnf] [--start F] [--width F]
//  [--cursors C1,C2] [--ycursors Y1,Y2,CHANNEL] [--lang fr|en|de]`: draws a recording as the
// viewer's bitmap export does and saves the picture as a 24-bit PNG. Needs no display: the
// drawing runs on the offscreen platform.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QString>

#include "Commandes.h"
#include "config/Coherence.h"
#include "config/Config.h"
#include "config/Defauts.h"
#include "config/FichierConfig.h"
#include "graph/GlobauxGraphe.h"
#include "graph/grapheft.h"
#include "math/InstallationScripts.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "shell/Messages.h"

namespace {

constexpr int TailleMaxImage = 8192; // pixels per side: a picture of at most 256 MiB

int Usage() {
    std::fprintf(stderr,
                 "usage: ombrix render FILE -o OUT.png [--size WxH] [--config FILE.spt|.cnf] [--start F]\n"
                 "         [--width F] [--cursors C1,C2] [--ycursors Y1,Y2,CHANNEL] [--lang fr|en|de]\n");
    return 1;
}

bool LireNombre(const std::string& texte, double& valeur) {
    if (texte.empty()) return false;
    char* fin = nullptr;
    valeur = std::strtod(texte.c_str(), &fin);
    return fin != texte.c_str() && *fin == '\0' && std::isfinite(valeur);
}

bool LireEntier(const std::string& texte, long& valeur) {
    if (texte.empty()) return false;
    char* fin = nullptr;
    valeur = std::strtol(texte.c_str(), &fin, 10);
    return fin != texte.c_str() && *fin == '\0';
}

// Numbers separated by `separateur`, exactly `n` of them.
bool LireListe(const char* texte, char separateur, int n, double* valeurs) {
    std::string reste = texte;
    for (int i = 0; i < n; ++i) {
        const size_t p = i + 1 < n ? reste.find(separateur) : std::string::npos;
        if (i + 1 < n && p == std::string::npos) return false;
        if (!LireNombre(reste.substr(0, p), valeurs[i])) return false;
        reste = p == std::string::npos ? std::string() : reste.substr(p + 1);
    }
    return true;
}

struct Options {
    QString Fichier, Sortie, Configuration;
    int Largeur = 1200, Hauteur = 800;
    double Debut = 0.0, LargeurFenetre = 1.0;
    bool Curseurs = false;
    double C1 = 0.3, C2 = 0.6;
    bool CurseursY = false;
    long Y1 = 0, Y2 = 1000, VoieY = 0;
    uint8_t Langue = 1;
};

bool LireOptions(int argc, char** argv, Options& o) {
    if (argc < 2 || argv[1][0] == '-') return false;
    o.Fichier = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const std::string nom = argv[i];
        if (i + 1 >= argc) return false;
        const char* valeur = argv[++i];
        if (nom == "-o") {
            o.Sortie = QString::fromLocal8Bit(valeur);
        } else if (nom == "--size") {
            const std::string t = valeur;
            const size_t x = t.find('x');
            long l = 0, h = 0;
            if (x == std::string::npos || !LireEntier(t.substr(0, x), l) || !LireEntier(t.substr(x + 1), h))
                return false;
            if (l <= 0 || h <= 0 || l > TailleMaxImage || h > TailleMaxImage) return false;
            o.Largeur = static_cast<int>(l);
            o.Hauteur = static_cast<int>(h);
        } else if (nom == "--config") {
            o.Configuration = QString::fromLocal8Bit(valeur);
        } else if (nom == "--start") {
            if (!LireNombre(valeur, o.Debut)) return false;
        } else if (nom == "--width") {
            if (!LireNombre(valeur, o.LargeurFenetre)) return false;
        } else if (nom == "--cursors") {
            double c[2];
            if (!LireListe(valeur, ',', 2, c)) return false;
            o.Curseurs = true;
            o.C1 = c[0];
            o.C2 = c[1];
        } else if (nom == "--ycursors") {
            double y[3];
            if (!LireListe(valeur, ',', 3, y)) return false;
            if (y[0] < 0 || y[0] > 1000 || y[1] < 0 || y[1] > 1000 || y[2] < 0 || y[2] >= NombreVoiesConfig)
                return false;
            o.CurseursY = true;
            o.Y1 = std::lround(y[0]);
            o.Y2 = std::lround(y[1]);
            o.VoieY = std::lround(y[2]);
        } else if (nom == "--lang") {
            const std::string l = valeur;
            if (l == "fr")
                o.Langue = 0;
            else if (l == "en")
                o.Langue = 1;
            else if (l == "de")
                o.Langue = 2;
            else
                return false;
        } else {
            return false;
        }
    }
    return !o.Sortie.isEmpty();
}

// A transparent layer of the picture's size, cleared to the background colour
// with zero opacity, drawn by `dessin`, then laid over the picture.
template <typename Dessin> void Calque(grapheft& graphe, Dessin dessin) {
    QImage calque = graphe.COUCHE_CURSEUR();
    {
        QPainter g(&calque);
        dessin(g);
    }
    graphe.gp->drawImage(0, 0, calque);
}

} // namespace

int CommandeRender(int argc, char** argv) {
    Options o;
    if (!LireOptions(argc, argv, o)) return Usage();
    Langue = o.Langue;

    // The display settings: the file given, else the defaults; as at start-up,
    // before the recording is opened.
    if (!o.Configuration.isEmpty()) {
        if (!QFileInfo(o.Configuration).isFile() ||
            APPEL_CONFIGURATION(o.Configuration) != ResultatConfigOk) {
            std::fprintf(stderr, "ombrix render: cannot load the configuration %s\n",
                         o.Configuration.toLocal8Bit().constData());
            return 1;
        }
    } else {
        INIT_CONFIG();
    }
    COHERENCE_CONFIGURATION();

    OuvreREC ouvre(&EnteteF);
    // The recording's math scripts are compiled on opening and fill their channels.
    const auto scripts = INSTALLER_SCRIPTS(ouvre);
    ouvre.VraiNomFichier = ouvre.NomFichier = o.Fichier;
    const uint8_t resultat = ouvre.OUVRIR_REC(1);
    if (resultat != LectureOK) {
        if (resultat == LectureErreur && *ouvre.CauseErreur != '\0')
            std::fprintf(stderr, "ombrix render: %s\n", ouvre.CauseErreur);
        return resultat;
    }
    Setup.DebutFenetre = o.Debut;
    Setup.LargeurFenetre = o.LargeurFenetre;
    COHER_SETUP();
    if (o.CurseursY) {
        Config.PositionCurseurY1 = static_cast<uint16_t>(o.Y1);
        Config.PositionCurseurY2 = static_cast<uint16_t>(o.Y2);
        Config.VoieCurseurY = static_cast<uint8_t>(o.VoieY);
    }

    // The display pass of the main graph object, run here synchronously.
    grapheft principal(&EnteteF, &Setup);
    principal.NomFichierAvecRepertoire = principal.Donnees.CheminDonnees = o.Fichier;
    principal.Donnees.CALCUL_GRAPH_FT_MEM();
    if (principal.Donnees.CalculTerminer.load() == CalculChecksumFaux) {
        std::fprintf(stderr, "ombrix render: the data checksum does not match; drawn anyway\n");
    } else if (principal.Donnees.PointeurCyclique.load() != NombreColonnesAffichage) {
        std::fprintf(stderr, "ombrix render: the display pass did not complete\n");
        return 1;
    }

    // The bitmap export: a temporary graph object drawing the main one's table.
    grapheft image(&EnteteF, &Setup);
    image.NomFichierAvecRepertoire = o.Fichier;
    std::snprintf(image.TitreGraphique, sizeof image.TitreGraphique, "%s", ouvre.MessageEntete);
    std::snprintf(image.TitreGraphique2, sizeof image.TitreGraphique2, "%s", ouvre.MessageTitreEntete);
    image.ValiditeCurseur = o.Curseurs ? 1 : 0;
    image.SavConf = &Config;
    image.Complet = 1;
    image.DateTrigger = ouvre.DateTrigger;
    image.Scripts = ouvre.Scripts.get();
    image.Initialisation();
    image.REPRENDRE_TABLE(principal.Donnees);
    image.LargeurImage = o.Largeur;
    image.HauteurImage = o.Hauteur;
    image.RESIZE_GRAPHE();
    if (image.NewBitmap.isNull() || !image.gp) {
        std::fprintf(stderr, "ombrix render: cannot make a picture of %dx%d\n", o.Largeur, o.Hauteur);
        return 1;
    }

    if (o.Curseurs) Calque(image, [&](QPainter& g) { image.TRACE_CURSEUR(g, o.C1, o.C2, 0); });
    if (o.CurseursY && Config.ModeXY == 0) Calque(image, [&](QPainter& g) { image.TRACE_CURSEUR_Y(g); });

    image.FINIR_PEINTURE();
    const QImage rgb = image.NewBitmap.convertToFormat(QImage::Format_RGB888);
    if (!rgb.save(o.Sortie, "PNG")) {
        std::fprintf(stderr, "ombrix render: cannot write %s\n", o.Sortie.toLocal8Bit().constData());
        return 1;
    }
    std::printf("%s\n", o.Sortie.toLocal8Bit().constData());
    return scripts->SIGNALER_BILAN() ? SortieScriptsEnDefaut : 0;
}
