// Layout of the picture (plot rectangle, cursor box) and its background and graticule.
#include <algorithm>

#include <QPen>

#include "config/OnOff.h"
#include "graph/GeometrieGraphe.h"
#include "graph/grapheft.h"
#include "recording/Conversion.h"
#include "recording/TexteDate.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace {

QColor Couleur(int32_t argb) {
    return QColor::fromRgba(static_cast<QRgb>(argb));
}

// A 1-pixel pen with a repeated dash pattern (dash, gap, in pixels).
QPen PenPointille(const QColor& couleur, qreal trait, qreal espace) {
    QPen pen(couleur);
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({trait, espace});
    return pen;
}

} // namespace

void grapheft::INIT_RETIC() {
    const tConfig& c = *SavConf;
    const t_EnteteREC_GlobalTotal& e = *EnteteFichier;

    tEntreeDisposition entree;
    if (FontNomFichier && Complet == 1)
        entree.HauteurTitre = HAUTEUR_LIGNE(*FontNomFichier) * (TitreGraphique2[0] != '\0' ? 3 : 2);
    DebutScrollX = 5;
    DebutScrollY = 5 + entree.HauteurTitre;

    for (int ch = 0; ch < NombreVoiesConfig; ++ch)
        if (TST_B_ONOFF(c.VoiesAffichees, ch)) CALCUL_FLOAT(*SavConf, ch);
    LongueurBorne = AFFICH_BORNE_TOTAL(0);

    entree.LargeurImage = LargeurImage;
    entree.HauteurImage = HauteurImage;
    entree.HauteurCarac = HauteurCarac;
    entree.LongueurBorne = LongueurBorne;
    entree.LigneDate = c.TempsAbsolu == 1 && e.BaseDeTempsInterne == 1;
    entree.ValiditeCurseur = ValiditeCurseur == 1;
    entree.BoiteCurseur = c.BoiteCurseur;
    entree.CurseurDansReticule = c.CurseurDansReticule;
    entree.PositionBoiteCurseur = c.PositionBoiteCurseur;
    entree.LignesCurseur = VRAI_NB_ONOFF_TOTAL(c.VoiesAffichees) + (e.LogiqueAffichee != 0 ? 1 : 0);
    entree.NombreVoieCurseur = c.NombreVoieCurseur;
    entree.ModeXY = c.ModeXY == 1;
    entree.VisuPrecedent = NombreVoieCurseurVisu;
    if (entree.ValiditeCurseur && (c.PositionBoiteCurseur == 1 || c.PositionBoiteCurseur == 3)) {
        // A side box is as wide as the trigger date, or as the logic digits.
        char date[128];
        TEXTE_DATE_GENERALE(date, DateTrigger);
        double largeur = LongMessX(date);
        if (e.LogiqueAffichee != 0 && FontBaseDetemps) {
            const double w = LARGEUR_TEXTE(QStringLiteral("0000000000000000"), *FontBaseDetemps) / 16.0;
            largeur = std::max(largeur, c.NombreVoiesLogiquesAffichees * 1.25 * w + LongMessX("Log :"));
        }
        entree.LongueurCote = static_cast<int32_t>(largeur);
    }

    const tDisposition d = DISPOSITION(entree);
    DebutScrollX = d.DebutScrollX;
    DebutScrollY = d.DebutScrollY;
    ScrollX = d.ScrollX;
    ScrollY = d.ScrollY;
    if (entree.ValiditeCurseur) {
        PosCurseurX = d.PosCurseurX;
        PosCurseurY = d.PosCurseurY;
        LongCurseur = d.LongCurseur;
        HauteurCurseur = d.HauteurCurseur;
    }
    NombreVoieCurseurTotal = d.NombreVoieCurseurTotal;
    NombreVoieCurseurVisu = d.NombreVoieCurseurVisu;
    // The read-out box is drawn over the picture: what the picture writes
    // where it lies would be hidden.
    BoiteLecture = entree.ValiditeCurseur && c.BoiteCurseur != 0
                       ? QRectF(PosCurseurX, PosCurseurY, LongCurseur, HauteurCurseur)
                       : QRectF();
}

void OUBLIER_RETICULE_PERSO(tConfig& c) {
    c.ReticulePerso = 0;
    std::memset(c.FichierReticulePerso, 0, sizeof c.FichierReticulePerso);
    c.FichierReticulePerso[0] = ' ';
}

void grapheft::ChargerReticulePerso(QPainter& g) {
    tConfig& c = *SavConf;
    const QString chemin =
        DepuisCp1252(c.FichierReticulePerso, static_cast<int>(sizeof c.FichierReticulePerso));
    QImage image;
    if (chemin.trimmed().isEmpty() || !image.load(chemin)) {
        ReticulePersoIllisible = true;
        if (SignalerErreurs) AFFICHE_ERREUR(POS_MESS(M_Erreurretperso));
        OUBLIER_RETICULE_PERSO(c);
        return;
    }
    Retectperso_XY = image;
    const int haut = c.ReticEcran.HautEcran[0] * ScrollY / HauteurGraphe;
    g.drawImage(QRect(DebutScrollX, DebutScrollY + haut, ScrollX, ScrollY), Retectperso_XY);
}

void grapheft::Fond_Reticule() {
    if (!gp) return;
    QPainter& g = *gp;
    const tConfig& c = *SavConf;
    g.fillRect(0, 0, LargeurImage, HauteurImage, Couleur(c.CouleurFond));
    // The whole picture starts again: none of its texts is there any more.
    BoitesTextes.clear();
    BoitesNoms.clear();
    if (c.ReticulePerso == 1 && c.FichierReticulePerso[0] != '\0') ChargerReticulePerso(g);

    const QColor couleur = Couleur(c.CouleurReticule);
    const QPen cadre = PenPointille(couleur, 4, 4);
    const QPen division = PenPointille(couleur, 1, 3);
    const int gauche = DebutScrollX, droite = DebutScrollX + ScrollX;
    const std::vector<int32_t> verticales =
        LIGNES_VERTICALES(DebutTemps, TempsTotal, PremiereDiv, BDT_Division, DebutScrollX, ScrollX);
    const int zones = std::min<int>(c.ReticEcran.NbEcran, NombreVoiesConfig);
    for (int z = 0; z < zones; ++z) {
        const tZonePixels zone = ZONE_PIXELS(c.ReticEcran, z, ScrollY);
        const int haut = zone.Haut + DebutScrollY, bas = zone.Bas + DebutScrollY;
        g.setPen(cadre);
        g.drawLine(gauche, haut, droite, haut);
        g.drawLine(gauche, bas, droite, bas);
        g.drawLine(gauche, haut, gauche, bas);
        g.drawLine(droite, haut, droite, bas);
        g.setPen(division);
        for (const int32_t x : verticales) g.drawLine(x, haut, x, bas);
        const int n = c.ReticEcran.NbDivEcran[z];
        for (int k = 0; k < n; ++k) {
            const int y = LIGNE_HORIZONTALE(k, n, zone, DebutScrollY);
            g.drawLine(gauche, y, droite, y);
        }
    }
}
