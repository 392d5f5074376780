// Printing over one or several pages and the PNG picture of the graph. Both
// draw with a temporary graph object that takes the screen's display table.
#include <algorithm>
#include <chrono>
#include <thread>

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "config/Config.h"
#include "graph/DonneesGraphe.h"
#include "graph/TravailleurGraphe.h"
#include "graph/grapheft.h"
#include "recording/OuvreREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"
#include "ui/Form_main.h"
#include "ui/TexteMessage.h"

namespace VIEW {

namespace {

int16_t PagesDemandees() {
    return std::clamp<int16_t>(NombreDePageImprimante, 1, NombrePagesMax);
}

} // namespace

void Form_main::CONSTRUIRE_PAGES() {
    menuPages->clear();
    auto* groupe = new QActionGroup(menuPages);
    for (int k = 0; k < NombrePagesMax; ++k) {
        QAction* a = menuPages->addAction(QString::number(k + 1));
        a->setCheckable(true);
        a->setChecked(k + 1 == PagesDemandees());
        groupe->addAction(a);
        connect(a, &QAction::triggered, this, [this, k] { MODIF_NOMBRE_DE_PAGE(k); });
    }
}

void Form_main::MODIF_NOMBRE_DE_PAGE(int index) {
    NombreDePageImprimante = std::clamp<int16_t>(static_cast<int16_t>(index + 1), 1, NombrePagesMax);
    Init_Form();
}

// The screen's pass for the window just requested: the worker polls every 10 ms,
// so the first pause lets it start; then as long as it runs, at most 500 s.
void Form_main::ATTENDRE_PASSE() {
    using namespace std::chrono_literals;
    std::this_thread::sleep_for(100ms);
    DonneesGraphe& d = *PasseEcran;
    for (int k = 0; k < 5000; ++k) {
        if (PASSE_A_JOUR() && d.CalculTerminer.load() != CalculEnCours) return;
        std::this_thread::sleep_for(100ms);
    }
}

void Form_main::DESSINER_COPIE(grapheft& image, int largeur, int hauteur, bool curseursY) {
    image.maForm_main = this;
    image.NomFichierAvecRepertoire = NomFichier;
    CONVERT_STRING_CHAR(MessageEntete, image.TitreGraphique);
    CONVERT_STRING_CHAR(MessageTitreEntete, image.TitreGraphique2);
    image.ValiditeCurseur = ValiditeCurseur;
    image.SavConf = &Config;
    image.Complet = 1;
    image.DateTrigger = grapheFT->DateTrigger;
    image.Scripts = grapheFT->Scripts;
    image.Initialisation();
    image.REPRENDRE_TABLE(*PasseEcran);
    image.LargeurImage = largeur;
    image.HauteurImage = hauteur;
    image.RESIZE_GRAPHE();
    if (!image.gp) return;
    if (ValiditeCurseur == 1) image.TRACE_CURSEUR(*image.gp, CursSouris1, CursSouris2, SwitchSouris);
    if (curseursY && ValiditeCurseurY == 1 && Config.ModeXY == 0) image.TRACE_CURSEUR_Y(*image.gp);
}

void Form_main::APPEL_IMPRESSION() {
    if (FichierOuvert != 1) return;
    SaveOrigine_Fenetre = Setup.DebutFenetre;
    SaveDuree_Fenetre = Setup.LargeurFenetre;
    NombreDePageImprimante = PagesDemandees();
    NombreDePageTotal = NombreDePageImprimante;
    NumeroDeLaPage = 0;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setPageOrientation(QPageLayout::Landscape);
    if (!DemanderImpression(imprimante)) return;
    IMPRIMER(imprimante);
}

bool Form_main::IMPRIMER(QPrinter& imprimante) {
    SaveOrigine_Fenetre = Setup.DebutFenetre;
    SaveDuree_Fenetre = Setup.LargeurFenetre;
    NombreDePageTotal = PagesDemandees();
    NumeroDeLaPage = 0;
    FenetresImprimees.clear();
    QPainter page;
    if (!page.begin(&imprimante)) {
        // The printing platform refused: said rather than passed over.
        AFFICHE_ERREUR(POS_MESS(M_ErreurFichier));
        return false;
    }
    while (IMPRESSION(page, imprimante)) imprimante.newPage();
    page.end();
    return true;
}

bool Form_main::IMPRESSION(QPainter& page, QPrinter& imprimante) {
    if (NombreDePageTotal > 1) {
        const double w = SaveDuree_Fenetre / NombreDePageTotal;
        RECALCUL_FORM(tFenetre{NumeroDeLaPage * w + SaveOrigine_Fenetre, w});
        ATTENDRE_PASSE();
    }
    FenetresImprimees.push_back({Setup.DebutFenetre, Setup.LargeurFenetre});
    // The page in hundredths of an inch, in the orientation it is printed in.
    const QRectF pouces = imprimante.pageLayout().paintRect(QPageLayout::Inch);
    const int largeur = static_cast<int>(pouces.width() * 100.0);
    const int hauteur = static_cast<int>(pouces.height() * 100.0);
    {
        // Drawn on the page itself at the printer's resolution: texts stay
        // texts and lines stay lines (a PDF printout can be searched), the
        // layout in hundredths of an inch scaled onto the page.
        const QSize cible = imprimante.pageLayout().paintRectPixels(imprimante.resolution()).size();
        page.save();
        page.scale(static_cast<double>(cible.width()) / std::max(largeur, 1),
                   static_cast<double>(cible.height()) / std::max(hauteur, 1));
        page.setClipRect(QRect(0, 0, largeur, hauteur));
        grapheft image(&EnteteF, &Setup);
        image.PeintreExterne = &page;
        DESSINER_COPIE(image, largeur, hauteur, true);
        image.FINIR_PEINTURE();
        page.restore();
    }
    if (NombreDePageTotal <= 1) return false;
    ++NumeroDeLaPage;
    if (NumeroDeLaPage < NombreDePageTotal) return true;
    RECALCUL_FORM(tFenetre{SaveOrigine_Fenetre, SaveDuree_Fenetre});
    ATTENDRE_PASSE();
    return false;
}

void Form_main::FAIRE_BITMAP() {
    if (FichierOuvert != 1) return;
    const QString nom = QFileInfo(OuvrirRecord->NomFichier.isEmpty() ? NomFichier : OuvrirRecord->NomFichier)
                            .completeBaseName() +
                        QStringLiteral(".png");
    const QString chemin = DemanderEnregistrement(QStringLiteral(" "), DepuisCp1252(RepertoireSetUp), nom,
                                                  TexteMessage(M_FilterSPT) + QStringLiteral(" *.png|*.png"));
    if (chemin.isEmpty()) return;
    ENREGISTRER_BITMAP(chemin);
}

bool Form_main::ENREGISTRER_BITMAP(const QString& chemin) {
    bool ecrit = false;
    {
        grapheft image(&EnteteF, &Setup);
        DESSINER_COPIE(image, LargeurImage, HauteurImage, false);
        image.FINIR_PEINTURE();
        ecrit = !image.NewBitmap.isNull() &&
                image.NewBitmap.convertToFormat(QImage::Format_RGB888).save(chemin, "PNG");
    }
    if (!ecrit) {
        // A picture that could not be written is said, with where it was to go.
        BOITE_MESSAGE().MONTRER(TexteMessage(M_Erreur),
                                TexteMessage(M_ErreurFichier) + QLatin1Char('\n') +
                                    QDir::toNativeSeparators(chemin),
                                tIconeBoite::Avertissement);
    }
    return ecrit;
}

} // namespace VIEW
