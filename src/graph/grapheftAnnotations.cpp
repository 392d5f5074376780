// Annotations of the recording drawn over the traces as marked instants: the
// old 44-byte records as vertical lines with upright texts, the 152-byte
// records as vertical lines or as small crosses with a text beside them.
#include <algorithm>

#include "graph/GeometrieCurseurs.h"
#include "graph/OutilsSurcouche.h"
#include "graph/grapheft.h"
#include "recording/Annotations.h"

namespace {

constexpr int TexteAncienMax = 31;   // characters of an old record
constexpr int TexteNouveauMax = 124; // characters of a 152-byte record
constexpr int DemiCroix = 4;

// Records held in a table: the count read from a file or built by hand, kept
// within the table.
int Compte(int64_t n, int taille) {
    return static_cast<int>(std::clamp<int64_t>(n, 0, taille));
}

// The longest start of a text no wider than `place`: the text cut down one
// character at a time until it fits, found by halving since a longer start is
// never narrower.
QString Raccourci(const grapheft& g, const QString& texte, double place, const QFont& police) {
    if (g.MeasureDisplayStringWidth(texte, police) <= place) return texte;
    qsizetype court = 0, long_ = texte.size(); // the start of `court` fits, that of `long_` does not
    while (long_ - court > 1) {
        const qsizetype milieu = (court + long_) / 2;
        if (g.MeasureDisplayStringWidth(texte.left(milieu), police) <= place)
            court = milieu;
        else
            long_ = milieu;
    }
    return texte.left(court);
}

} // namespace

std::span<const tTabAnnotMem> grapheft::ANCIENNES() const {
    if (AnnotationsDonnees) return AnnotationsAnciennes;
    return {TabAnnotMem, static_cast<size_t>(Compte(AncienAnnot, TailleTabAnnotMem))};
}

std::span<const tTabAnnotMemNew> grapheft::NOUVELLES() const {
    if (AnnotationsDonnees) return AnnotationsNouvelles;
    return {TabAnnotMemNew, static_cast<size_t>(Compte(static_cast<int64_t>(NouveauAnnot) + NombreAnnotEnPlus,
                                                       TailleTabAnnotMemNew))};
}

void grapheft::AFF_ANNOT() {
    if (!gp || SavConf->AnnotationsMasquees == 1) return;
    AFF_ANNOT_ANCIEN();
    AFF_ANNOT_NOUVEAU();
}

void grapheft::AFF_ANNOT_ANCIEN() {
    if (!gp || !FontBaseDetemps || SavConf->AnnotationsMasquees == 1) return;
    const tFenetreMots f = FENETRE_MOTS(EnteteFichier->LongueurScan, EnteteFichier->NombreScans,
                                        SetupGraphe->DebutFenetre, SetupGraphe->LargeurFenetre);
    if (f.Vide()) return;
    QPainter& g = *gp;
    const QColor couleur = surcouche::Couleur(SavConf->CouleurCurseur);
    const int bas = DebutScrollY + ScrollY;
    const std::span<const tTabAnnotMem> records = ANCIENNES();
    for (const tTabAnnotMem& a : records) {
        // A record exactly at the window's start is left out in this format.
        if (!(f.Debut < a.PositionMot && a.PositionMot < f.Fin)) continue;
        const int x = ABSCISSE_MOT(a.PositionMot, f, DebutScrollX, ScrollX);
        g.setPen(surcouche::PenTiretPoint(couleur));
        g.drawLine(x, DebutScrollY, x, bas);
        POSER_VERTICAL(surcouche::Champ(a.TexteAnnot, TexteAncienMax), *FontBaseDetemps, couleur, x, bas);
    }
}

void grapheft::AFF_ANNOT_NOUVEAU() {
    if (!gp || !FontBaseDetemps || SavConf->AnnotationsMasquees == 1) return;
    const tFenetreMots f = FENETRE_MOTS(EnteteFichier->LongueurScan, EnteteFichier->NombreScans,
                                        SetupGraphe->DebutFenetre, SetupGraphe->LargeurFenetre);
    if (f.Vide()) return;
    QPainter& g = *gp;
    const QFont& police = *FontBaseDetemps;
    const int bas = DebutScrollY + ScrollY;
    const std::span<const tTabAnnotMemNew> records = NOUVELLES();
    for (const tTabAnnotMemNew& a : records) {
        if (a.GenreAnnot == GenreTitre) continue;
        if (!(f.Debut <= a.PositionMot && a.PositionMot < f.Fin)) continue;
        const int x = ABSCISSE_MOT(a.PositionMot, f, DebutScrollX, ScrollX);
        const QColor couleur = QColor::fromRgb(static_cast<QRgb>(a.CouleurAnnot) | 0xFF000000u);
        g.setPen(surcouche::PenTiretPoint(couleur));
        const QString texte = surcouche::Champ(a.TexteAnnot, TexteNouveauMax);
        if (a.AnnotVerticale == 1) {
            g.drawLine(x, DebutScrollY, x, bas);
            POSER_VERTICAL(Raccourci(*this, texte, ScrollY, police), police, couleur, x, bas);
        } else {
            const int y = DebutScrollY + ScrollY * a.HauteurAnnot / 1000;
            g.drawLine(x, y + DemiCroix, x, y - DemiCroix);
            g.drawLine(x + DemiCroix, y, x - DemiCroix, y);
            const int place = DebutScrollX + ScrollX - x;
            // Beside its cross, clear of the texts already there.
            const QString court = Raccourci(*this, texte, place, police);
            const QRectF b =
                PLACE_LIBRE(BOITE_TEXTE(court, police, x, y - HauteurCarac), HauteurCarac, CADRE());
            POSER(court, police, couleur, b.left(), b.top());
        }
    }
}
