#include "export/CreationAnnotation.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graph/GeometrieCurseurs.h"
#include "recording/Annotations.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"

namespace {

constexpr int64_t TailleAncienne = sizeof(tTabAnnotMem);
constexpr int64_t TailleNouvelle = sizeof(tTabAnnotMemNew);

// Records of the table in use: the counters of a file may announce more.
int64_t EnTable() {
    return std::clamp<int64_t>(static_cast<int64_t>(NouveauAnnot) + NombreAnnotEnPlus, 0,
                               TailleTabAnnotMemNew);
}

// Word position for a fraction of the displayed window, within the window.
int64_t PositionDansFenetre(const tFenetreMots& f, double fraction) {
    const double p =
        std::trunc(static_cast<double>(f.Fin - f.Debut) * fraction + static_cast<double>(f.Debut));
    // Rounding may reach the window's end on huge recordings: that word is no longer shown.
    const int64_t dernier = std::max(f.Debut, f.Fin - 1);
    if (!(p >= static_cast<double>(f.Debut))) return f.Debut;
    if (p >= static_cast<double>(dernier)) return dernier;
    return static_cast<int64_t>(p);
}

} // namespace

int64_t TAILLE_ZONE_ANNOT() {
    return TailleNouvelle * (static_cast<int64_t>(NouveauAnnot) + NombreAnnotEnPlus) +
           TailleAncienne * static_cast<int64_t>(AncienAnnot);
}

bool AJOUT_ANNOT_POSSIBLE(int16_t famille, bool prevenir) {
    bool possible = static_cast<int64_t>(NouveauAnnot) + NombreAnnotEnPlus < TailleTabAnnotMemNew;
    if (possible && famille == FamilleTKAR)
        possible = TAILLE_ZONE_ANNOT() + TailleNouvelle <= ZoneAnnotTKARMax;
    if (!possible && prevenir) AFFICHE_ERREUR(POS_MESS(M_AnnotPleines));
    return possible;
}

uint8_t CREATION_ANNOTATION(const tClicAnnotation& clic, uint8_t verticale, const tConfig& conf,
                            const tSetup& setup, const t_EnteteREC_GlobalTotal& entete) {
    if (clic.ScrollX <= 0 || clic.ScrollY <= 0) return AnnotHorsFenetre;
    const double fraction = static_cast<double>(clic.X - clic.DebutScrollX) / clic.ScrollX;
    if (fraction < 0.0 || fraction >= 1.0) return AnnotHorsFenetre;
    if (!AJOUT_ANNOT_POSSIBLE(entete.FamilleEnregistreur)) return AnnotRefusee;

    const tFenetreMots f =
        FENETRE_MOTS(entete.LongueurScan, entete.NombreScans, setup.DebutFenetre, setup.LargeurFenetre);
    tTabAnnotMemNew& a = TabAnnotMemNew[EnTable()];
    std::memset(&a, 0, sizeof a);
    a.PositionMot = PositionDansFenetre(f, fraction);
    a.GenreAnnot = GenreAnnotation;
    a.CouleurAnnot = conf.CouleurAnnotation;
    // A click beside the plot still marks its edge, never a height the field cannot hold.
    const int64_t hauteur = static_cast<int64_t>(clic.Y - clic.DebutScrollY) * 1000 / clic.ScrollY;
    a.HauteurAnnot = static_cast<int16_t>(std::clamp<int64_t>(hauteur, 0, 1000));
    a.AnnotVerticale = verticale;
    // At most 124 characters: the byte after them stays 0 and ends the text.
    const size_t n =
        strnlen(conf.TexteAnnotation, std::min<size_t>(sizeof conf.TexteAnnotation, TexteAnnotMax));
    std::memcpy(a.TexteAnnot, conf.TexteAnnotation, n);
    ++NombreAnnotEnPlus;
    return AnnotCreee;
}

bool EFFACE_ANNOT() {
    if (NombreAnnotEnPlus <= 0) return false;
    --NombreAnnotEnPlus;
    return true;
}
