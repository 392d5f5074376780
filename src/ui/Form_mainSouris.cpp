// The mouse on the graph: time and Y cursors, the zoom rectangle, the bands
// that open the settings, the channel under a point, and the overlay drawing.
#include <algorithm>
#include <cmath>
#include <limits>

#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include "config/Config.h"
#include "config/OnOff.h"
#include "graph/GeometrieCurseurs.h"
#include "graph/GlobauxCurseurs.h"
#include "graph/OutilsSurcouche.h"
#include "graph/grapheft.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"
#include "recording/TexteTemps.h"
#include "shell/Texte8.h"
#include "ui/AppelReticule.h"
#include "ui/Form_main.h"
#include "ui/ImageGraphe.h"
#include "ui/Retic.h"

namespace VIEW {

namespace {

// Distances at which a click takes a cursor: a hundredth of the plot width for
// the time cursors, 20 thousandths of the zone height for the Y cursors.
constexpr double PriseCurseur = 0.01;
constexpr int PriseCurseurY = 20;
// Channels the status bar reads out under the pointer.
constexpr int ValeursPointeurMax = 8;

} // namespace

double Form_main::POSITION_SOURIS(const QPoint& point) const {
    const grapheft& g = *grapheFT;
    if (Config.ModeXY == 1 && Config.CurseurXY == 1) {
        if (g.ScrollY == 0) return 0.0;
        return static_cast<double>(static_cast<float>(point.y() - g.DebutScrollY) /
                                   static_cast<float>(g.ScrollY));
    }
    if (g.ScrollX == 0) return 0.0;
    return static_cast<double>(static_cast<float>(point.x() - g.DebutScrollX) /
                               static_cast<float>(g.ScrollX));
}

QPoint Form_main::DANS_TRACE(const QPoint& point) const {
    const grapheft& g = *grapheFT;
    QPoint p = point;
    p.setX(std::clamp(p.x(), g.DebutScrollX, g.DebutScrollX + g.ScrollX));
    if (Config.ModeXY == 1 && Config.CurseurXY == 1)
        p.setY(std::clamp(p.y(), g.DebutScrollY, g.DebutScrollY + g.ScrollY));
    return p;
}

void Form_main::APPEL_RETICULE(int page, int voie) {
    if (ValidFichier != 1) return;
    tLiensRetic liens;
    liens.Graphe = grapheFT.get();
    liens.Scripts = OuvrirRecord->Scripts.get();
    liens.MessageEntete = &MessageEntete;
    liens.MessageTitreEntete = &MessageTitreEntete;
    liens.DateTrigger = grapheFT->DateTrigger;
    liens.Redessiner = [this] { RESIZE_FORM(); };
    // A new window from the time-base page goes through the recomputation,
    // which stops the running pass before Setup changes.
    liens.NouvelleFenetre = [this](double debut, double largeur) { RECALCUL_FORM(tFenetre{debut, largeur}); };
    liens.Executer = ExecuterDialogue;
    VIEW::APPEL_RETICULE(this, page, voie, liens);
    Modification();
}

void Form_main::SOURIS_ON(const QPoint& point, Qt::MouseButton bouton) {
    if (FichierOuvert != 1) return;
    const grapheft& g = *grapheFT;
    const int x = point.x(), y = point.y();
    if (OnVaAjouterUneAnnotation == 1 && bouton == Qt::LeftButton) {
        // Only inside the plot: an annotation elsewhere would be refused anyway.
        if (x < g.DebutScrollX || x > g.DebutScrollX + g.ScrollX || y < g.DebutScrollY ||
            y > g.DebutScrollY + g.ScrollY)
            return;
        SauvePositionXAnnot = x;
        SauvePositionYAnnot = y;
        contextMenuStrip1->popup(pictureBox2->mapToGlobal(QPoint(x, y + 30)));
        return;
    }
    if (y < g.DebutScrollY) {
        const int lignes = g.TitreGraphique2[0] != '\0' ? 3 : 2;
        const int hauteur = g.FontNomFichier ? QFontMetrics(*g.FontNomFichier).height() : 0;
        APPEL_RETICULE(y < lignes * hauteur ? 0 : 2, 0);
        return;
    }
    if (x > g.DebutScrollX + g.ScrollX) {
        APPEL_RETICULE(1, RECHERCHE_PIXEL_COULEUR(point));
        return;
    }
    if (y > g.DebutScrollY + g.ScrollY) {
        APPEL_RETICULE(2, 0);
        return;
    }
    const double p = POSITION_SOURIS(point);
    if (p < 0.0 || p > 1.0) return;
    if (bouton == Qt::LeftButton) {
        if (std::fabs(p - CursSouris1) < PriseCurseur) {
            Souris = 1;
            SwitchSouris = 0;
            CursSouris1 = p;
        } else if (std::fabs(p - CursSouris2) < PriseCurseur) {
            Souris = 1;
            SwitchSouris = 1;
            CursSouris2 = p;
        } else if (ValiditeCurseurY == 1) {
            int c = Config.VoieCurseurY;
            if (c > EnteteF.NombreEntreesFiltre) c = 0;
            const int s = Config.ReticEcran.EcranVoie[c] - 1;
            if (s >= 0) {
                const int t = Config.ReticEcran.HautEcran[s] * g.ScrollY / 200 + g.DebutScrollY;
                const int b = Config.ReticEcran.BasEcran[s] * g.ScrollY / 200 + g.DebutScrollY;
                if (b != t) {
                    const int v = (y - t) * 1000 / (b - t);
                    if (std::abs(Config.PositionCurseurY1 - v) < PriseCurseurY) {
                        Souris = 1;
                        CHANGE_CURSEUR_Y(point, 2);
                        SwitchSouris = 2;
                    } else if (std::abs(Config.PositionCurseurY2 - v) < PriseCurseurY) {
                        Souris = 1;
                        CHANGE_CURSEUR_Y(point, 3);
                        SwitchSouris = 3;
                    }
                }
            }
        }
    } else {
        Souris = 2;
        CursZoom1 = CursZoom2 = p;
    }
    AFFICH_CURSEUR();
    pictureBox2->update();
}

void Form_main::GLISSE_SOURIS(const QPoint& point) {
    if (Souris == 0) {
        LECTURE_POINTEUR(point);
        return;
    }
    const QPoint dedans = DANS_TRACE(point);
    const double p = std::clamp(POSITION_SOURIS(dedans), 0.0, 1.0);
    if (Souris == 2 && Config.ModeXY == 0) {
        CursZoom2 = p;
    } else if (Souris == 1) {
        if (SwitchSouris == 0)
            CursSouris1 = p;
        else if (SwitchSouris == 1)
            CursSouris2 = p;
        else if (ValiditeCurseurY == 1)
            CHANGE_CURSEUR_Y(point, SwitchSouris);
    }
    AFFICH_CURSEUR();
    pictureBox2->update();
}

void Form_main::SOURIS_OFF(const QPoint& point) {
    if (Souris == 2) {
        const tFenetre f{Setup.DebutFenetre, Setup.LargeurFenetre};
        Souris = 0;
        if (CursZoom1 == CursZoom2) {
            APPEL_RETICULE(1, RECHERCHE_PIXEL_COULEUR(point));
        } else if (CursZoom2 < CursZoom1) {
            if (ZOOM_POSSIBLE(EnteteF.NombreScans, 1.0)) RECALCUL_FORM(tFenetre{0.0, 1.0});
        } else if (auto n = FENETRE_ENTRE(f, CursZoom1, CursZoom2, EnteteF.NombreScans)) {
            RECALCUL_FORM(*n);
        }
    }
    Souris = 0;
    AFFICH_CURSEUR();
    pictureBox2->update();
}

void Form_main::LECTURE_POINTEUR(const QPoint& point) {
    labelPointeur->setText(TEXTE_POINTEUR(point));
}

QString Form_main::TEXTE_POINTEUR(const QPoint& point) const {
    const grapheft& g = *grapheFT;
    if (FichierOuvert != 1 || Config.ModeXY == 1 || g.ScrollX <= 0 || point.x() < g.DebutScrollX ||
        point.x() > g.DebutScrollX + g.ScrollX || point.y() < g.DebutScrollY ||
        point.y() > g.DebutScrollY + g.ScrollY)
        return {};
    const double f = POSITION_SOURIS(point);
    const int colonne = COLONNE_CURSEUR(f);
    char temps[64];
    const t_EnteteREC_GlobalTotal& e = *g.EnteteFichier;
    CALCUL_TEMPS_TIME_BASE(temps, TEMPS_COLONNE(colonne, g.TempsTotal, g.DebutTemps),
                           e.BaseDeTempsInterne == 1 ? e.PeriodeEchantillon : 0.0);
    QString texte = QStringLiteral("T=") + DepuisCp1252(temps);
    // The values of the picture on screen only, as the cursor read-out.
    if (!g.TABLE_COMPLETE()) return texte;
    int ecrites = 0;
    for (int ch = 0; ch < NombreVoiesConfig; ++ch) {
        if (!g.TST_VALID_VOIE_CURSEUR(ch)) continue;
        if (ecrites++ == ValeursPointeurMax) {
            texte += QStringLiteral("   \u2026");
            break;
        }
        char valeur[200];
        g.MESSAGE_COMPLET(valeur, ch, g.VALEUR_TABLE(colonne, ch));
        texte += QStringLiteral("   ") + surcouche::Champ(e.Affichage[ch].NomAffiche) + QStringLiteral(": ") +
                 DepuisCp1252(valeur).trimmed();
    }
    return texte;
}

void Form_main::SOURIS_EN_DEHORS(const QPoint& point) {
    labelPointeur->clear();
    if (FichierOuvert != 1) return;
    const grapheft& g = *grapheFT;
    if (point.x() < g.DebutScrollX || point.x() > g.DebutScrollX + g.ScrollX) return;
    if (Souris == 2) CursZoom2 = std::clamp(POSITION_SOURIS(point), 0.0, 1.0);
    Souris = 0;
    AFFICH_CURSEUR();
    pictureBox2->update();
}

void Form_main::CHANGE_CURSEUR_Y(const QPoint& point, int n) {
    const grapheft& g = *grapheFT;
    if (point.x() < g.DebutScrollX || point.x() > g.DebutScrollX + g.ScrollX || point.y() < g.DebutScrollY ||
        point.y() > g.DebutScrollY + g.ScrollY)
        return;
    grapheFT->CHANGE_CURSEUR_Y(point.y(), n);
}

namespace {

// Square of the distance in RGB from `p` to the segment from the background to
// colour `c`: a smoothed edge of a text or a trace lies on it.
double EcartAuTrait(QRgb p, QRgb fond, QRgb c) {
    const double d[3] = {double(qRed(c)) - qRed(fond), double(qGreen(c)) - qGreen(fond),
                         double(qBlue(c)) - qBlue(fond)};
    const double v[3] = {double(qRed(p)) - qRed(fond), double(qGreen(p)) - qGreen(fond),
                         double(qBlue(p)) - qBlue(fond)};
    const double l = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    const double t = l > 0 ? std::clamp((v[0] * d[0] + v[1] * d[1] + v[2] * d[2]) / l, 0.0, 1.0) : 0.0;
    double e = 0;
    for (int k = 0; k < 3; ++k) e += (v[k] - t * d[k]) * (v[k] - t * d[k]);
    // Only a pixel well away from the background counts.
    return t < 0.25 ? std::numeric_limits<double>::infinity() : e;
}

} // namespace

uint8_t Form_main::RECHERCHE_PIXEL_COULEUR(const QPoint& point) const {
    const grapheft& g = *grapheFT;
    // The settings number channels by their place among the present ones.
    const auto position = [](int n) {
        int p = 0;
        for (int k = 0; k < n; ++k) p += TST_B_ONOFF(Config.VoiesPresentes, k) ? 1 : 0;
        return static_cast<uint8_t>(std::min(p, 254));
    };
    // A name of the legend: its box, then a little around it.
    for (const double marge : {0.0, 2.0})
        for (const auto& [boite, n] : g.BoitesNoms)
            if (boite.adjusted(-marge, -marge / 2, marge, marge / 2).contains(point) && n >= 0 &&
                n < NombreVoiesMax)
                return position(n);
    // Elsewhere: the displayed channel whose colour is drawn nearest the
    // point, smoothed edges included.
    const QImage& image = g.NewBitmap;
    if (image.isNull()) return 255;
    const QRgb fond = static_cast<uint32_t>(Config.CouleurFond) & 0xFFFFFF;
    // The picture's pixels at its own density.
    const double r = image.devicePixelRatio();
    for (int rayon = 0; rayon < 8; ++rayon) {
        int meilleure = -1;
        double ecart = 900.0; // within 30 levels of the line from the background
        for (int dy = -rayon; dy <= rayon; ++dy)
            for (int dx = -rayon; dx <= rayon; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != rayon) continue;
                const int x = static_cast<int>(point.x() * r) + dx, y = static_cast<int>(point.y() * r) + dy;
                if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) continue;
                const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
                if (pixel == fond) continue;
                for (int n = 0; n < NombreVoiesMax; ++n) {
                    if (!TST_B_ONOFF(Config.VoiesAffichees, n)) continue;
                    const double e =
                        EcartAuTrait(pixel, fond, static_cast<uint32_t>(Config.CouleurVoie[n]) & 0xFFFFFF);
                    if (e < ecart) {
                        ecart = e;
                        meilleure = n;
                    }
                }
            }
        if (meilleure >= 0) return position(meilleure);
    }
    return 255;
}

void Form_main::AFFICH_CURSEUR() {
    if (FichierOuvert != 1 || BitmapCurseur.isNull()) {
        vScrollBarCurseur->hide();
        return;
    }
    grapheft& g = *grapheFT;
    const QColor transparent = QColor::fromRgba(static_cast<QRgb>(Config.CouleurFond) & 0x00FFFFFF);
    BitmapCurseur.fill(transparent);
    BitmapCurseury.fill(transparent);
    if (ValiditeCurseurY == 1 && Config.ModeXY == 0) {
        QPainter p(&BitmapCurseury);
        g.TRACE_CURSEUR_Y(p);
    }
    if (ValiditeCurseur == 1) {
        const bool defile = g.NombreVoieCurseurVisu != g.NombreVoieCurseurTotal && Config.BoiteCurseur != 0 &&
                            (Config.PositionBoiteCurseur == 0 || Config.PositionBoiteCurseur == 2);
        if (defile) {
            const QSignalBlocker bloque(vScrollBarCurseur);
            vScrollBarCurseur->setGeometry(g.PosCurseurX + 1, g.PosCurseurY + 1, 20,
                                           std::max(0, g.HauteurCurseur - 2));
            vScrollBarCurseur->setSingleStep(std::max<int>(1, g.NombreVoieCurseurVisu));
            vScrollBarCurseur->setPageStep(std::max<int>(1, g.NombreVoieCurseurVisu));
            vScrollBarCurseur->setRange(0, std::max(0, g.NombreVoieCurseurTotal - g.NombreVoieCurseurVisu));
            vScrollBarCurseur->setValue(VoieCurseurDebut);
            vScrollBarCurseur->show();
        } else {
            vScrollBarCurseur->hide();
        }
        QPainter p(&BitmapCurseur);
        g.TRACE_CURSEUR(p, CursSouris1, CursSouris2, SwitchSouris);
    } else {
        vScrollBarCurseur->hide();
    }
    if (Souris == 2) {
        int a = static_cast<int>(CursZoom1 * g.ScrollX + g.DebutScrollX);
        int b = static_cast<int>(CursZoom2 * g.ScrollX + g.DebutScrollX);
        if (b < a) std::swap(a, b);
        QPainter p(&BitmapCurseur);
        QColor couleur = QColor::fromRgba(static_cast<QRgb>(Config.CouleurReticule));
        couleur.setAlpha(0x80);
        p.fillRect(QRect(a, g.DebutScrollY, b - a, g.ScrollY), couleur);
    }
}

} // namespace VIEW
