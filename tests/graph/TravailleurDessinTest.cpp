// The drawing worker: the picture it draws from a command is the picture drawn
// here from the same records, taken when the command was made whatever
// changes afterwards; a new command stops the one being drawn and only the
// latest is handed over; the finished picture becomes the window's graph
// object's whole.
#include <gtest/gtest.h>

#include <chrono>

#include "Attente.h"
#include <cstring>
#include <thread>

#include "DessinTestUtil.h"
#include "graph/TravailleurDessin.h"
#include "math/InstallationScripts.h"
#include "math/MoteurScript.h"

namespace graphe_test {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<tDessinFini> Prendre(TravailleurDessin& t) {
    std::unique_ptr<tDessinFini> fini;
    ATTENDRE_QUE([&] { return (fini = t.PRENDRE()) != nullptr; });
    return fini;
}

class TravailleurDessinTest : public DessinTest {
protected:
    void TearDown() override {
        Scripts.reset();
        DessinTest::TearDown();
    }

    // The TKOS sample (a script, annotations) opened with its scripts run by the engine.
    void OuvrirAvecScripts(const recmaker::Enregistrement& e) {
        const std::string chemin = Dossier.filePath(QStringLiteral("dessin.rec")).toStdString();
        ASSERT_TRUE(recmaker::Ecrire(e, chemin));
        Ouvreur = std::make_unique<OuvreREC>(&EnteteF);
        Scripts = INSTALLER_SCRIPTS(*Ouvreur);
        Ouvreur->VraiNomFichier = Ouvreur->NomFichier = QString::fromStdString(chemin);
        ASSERT_EQ(Ouvreur->OUVRIR_REC(1), LectureOK) << Ouvreur->CauseErreur;
        Graphe = std::make_unique<grapheft>(&EnteteF, &::Setup);
        Graphe->NomFichierAvecRepertoire = Graphe->Donnees.CheminDonnees = Ouvreur->VraiNomFichier;
        Graphe->DateTrigger = Ouvreur->DateTrigger;
        std::snprintf(Graphe->TitreGraphique, sizeof Graphe->TitreGraphique, "%s", Ouvreur->MessageEntete);
        Graphe->Donnees.CALCUL_GRAPH_FT_MEM();
        ASSERT_EQ(Graphe->Donnees.PointeurCyclique.load(), NombreColonnesAffichage);
        Graphe->SavConf = &Config;
        Graphe->Initialisation();
    }

    std::unique_ptr<tCommandeDessin> Commande(int largeur = 800, int hauteur = 500) {
        PREPARER_CONFIGURATION_DESSIN(Config);
        return COMMANDE_DESSIN(*Graphe, &Graphe->Donnees, largeur, hauteur);
    }

    std::unique_ptr<InstallationScripts> Scripts;
};

TEST_F(TravailleurDessinTest, ThePictureOfACommandIsThePictureDrawnHere) {
    OuvrirAvecScripts(recmaker::ExempleTKOS());
    Config.CalculValide = 1; // the measurement results too
    TravailleurDessin travailleur;
    const uint64_t numero = travailleur.DEMANDER(Commande());
    const std::unique_ptr<tDessinFini> fini = Prendre(travailleur);
    ASSERT_NE(fini, nullptr);
    EXPECT_EQ(fini->Numero, numero);
    EXPECT_EQ(travailleur.PRENDRE(), nullptr) << "taken once";
    EXPECT_FALSE(travailleur.OCCUPE());

    const QImage ici = Dessiner(800, 500).copy();
    const grapheft& la = *fini->Graphe;
    EXPECT_EQ(la.NewBitmap, ici);
    EXPECT_EQ(la.DebutScrollX, Graphe->DebutScrollX);
    EXPECT_EQ(la.ScrollX, Graphe->ScrollX);
    EXPECT_EQ(la.ScrollY, Graphe->ScrollY);
    EXPECT_EQ(la.LongueurBorne, Graphe->LongueurBorne);
    EXPECT_EQ(la.TempsTotal, Graphe->TempsTotal);
    EXPECT_EQ(la.TabPositionCalculEcran, Graphe->TabPositionCalculEcran);
    for (int c = 0; c < NombreColonnesAffichage; c += 37)
        for (int ch = 0; ch < EnteteF.NombreVoiesTotal; ++ch)
            ASSERT_EQ(la.VALEUR_TABLE(c, ch), Graphe->VALEUR_TABLE(c, ch)) << c << " " << ch;
    EXPECT_EQ(la.gp, nullptr) << "its drawing context ended on the worker";
}

TEST_F(TravailleurDessinTest, TheRecordsAreTakenWhenTheCommandIsMade) {
    OuvrirAvecScripts(recmaker::ExempleTKOS());
    const QImage avant = Dessiner(800, 500).copy();
    std::unique_ptr<tCommandeDessin> commande = Commande();
    // Everything the picture is drawn from changes before the worker starts.
    Config.CouleurFond = static_cast<int32_t>(0xFF102030);
    for (int ch = 0; ch < NombreVoiesConfig; ++ch) Config.CouleurVoie[ch] = static_cast<int32_t>(0xFF00FF00);
    std::strcpy(EnteteF.Affichage[0].NomAffiche, "Autre");
    ::Setup = {0.5, 0.25};
    RESET_ANNOTATIONS();
    TravailleurDessin travailleur;
    travailleur.DEMANDER(std::move(commande));
    const std::unique_ptr<tDessinFini> fini = Prendre(travailleur);
    ASSERT_NE(fini, nullptr);
    EXPECT_EQ(fini->Graphe->NewBitmap, avant);
}

// A slow script on every column: the conversion of one picture takes long, so
// a second command arrives while the first is being drawn.
TEST_F(TravailleurDessinTest, ANewCommandStopsTheOneBeingDrawn) {
    recmaker::Enregistrement e = recmaker::ExempleTKOS();
    e.Scripts = {{0, {"double s = 0; for (int i = 0; i < 5000; i++) s += 1;", "function = s + 'Pression';"}}};
    OuvrirAvecScripts(e);
    TravailleurDessin travailleur;
    travailleur.DEMANDER(Commande(800, 500));
    ASSERT_TRUE(ATTENDRE_QUE([&] { return travailleur.OCCUPE(); }));
    std::this_thread::sleep_for(20ms); // the first one is in its conversion
    const uint64_t second = travailleur.DEMANDER(Commande(640, 400));
    const std::unique_ptr<tDessinFini> fini = Prendre(travailleur);
    ASSERT_NE(fini, nullptr);
    EXPECT_EQ(fini->Numero, second);
    EXPECT_EQ(fini->Graphe->NewBitmap.size(), QSize(640, 400));
    EXPECT_EQ(travailleur.DessinsFinis(), 1) << "the first one never got to its end";
    // Stopped between columns, the script itself was never stopped.
    auto* moteur = dynamic_cast<MoteurScript*>(Ouvreur->Scripts.get());
    ASSERT_NE(moteur, nullptr);
    EXPECT_TRUE(moteur->SlotEnMarche(0));
    tArretsScripts arrets;
    EXPECT_FALSE(moteur->PRENDRE_ARRETS(arrets));
    // The value of every column of the picture handed over was computed.
    const double pression = fini->Graphe->VALEUR_TABLE(500, 0);
    EXPECT_DOUBLE_EQ(fini->Graphe->VALEUR_TABLE(500, EnteteF.NombreVoiesAnalog), 5000.0 + pression);
}

TEST_F(TravailleurDessinTest, AbandonedAndStoppedCommandsAreNeverHandedOver) {
    OuvrirAvecScripts(recmaker::ExempleTKOS());
    TravailleurDessin travailleur;
    travailleur.DEMANDER(Commande());
    travailleur.ABANDONNER();
    ASSERT_TRUE(ATTENDRE_QUE([&] { return !travailleur.OCCUPE(); }));
    EXPECT_EQ(travailleur.PRENDRE(), nullptr);

    travailleur.DEMANDER(Commande());
    travailleur.ARRETER();
    EXPECT_FALSE(travailleur.OCCUPE()) << "idle once stopped";
    EXPECT_EQ(travailleur.PRENDRE(), nullptr);

    // And it still draws afterwards.
    travailleur.DEMANDER(Commande());
    EXPECT_NE(Prendre(travailleur), nullptr);
}

// The window's graph object takes the finished picture whole: picture, layout
// and tables; its links (header, configuration) stay its own.
TEST_F(TravailleurDessinTest, TheFinishedPictureBecomesTheWindowsGraphObjects) {
    OuvrirAvecScripts(recmaker::ExempleTKOS());
    TravailleurDessin travailleur;
    travailleur.DEMANDER(Commande(700, 450));
    std::unique_ptr<tDessinFini> fini = Prendre(travailleur);
    ASSERT_NE(fini, nullptr);
    const QImage image = fini->Graphe->NewBitmap;
    const int16_t scroll = fini->Graphe->ScrollX;
    const double valeur = fini->Graphe->VALEUR_TABLE(300, 0);

    grapheft fenetre(&EnteteF, &::Setup);
    fenetre.SavConf = &Config;
    fenetre.ECHANGER_DESSIN(*fini->Graphe);
    fini.reset();
    EXPECT_EQ(fenetre.NewBitmap, image);
    EXPECT_EQ(fenetre.ScrollX, scroll);
    EXPECT_TRUE(fenetre.TABLE_COMPLETE());
    EXPECT_EQ(fenetre.VALEUR_TABLE(300, 0), valeur);
    EXPECT_EQ(fenetre.EnteteFichier, &EnteteF);
    EXPECT_EQ(fenetre.SavConf, &Config);
    ASSERT_TRUE(fenetre.FontBaseDetemps.has_value());
    // Its cursors draw over the picture as before.
    QImage couche = fenetre.COUCHE_CURSEUR();
    QPainter p(&couche);
    fenetre.TRACE_CURSEUR(p, 0.3, 0.6, 0);
    p.end();

    // Its drawing context paints on the picture it now holds, after the
    // worker's object is gone; and a new picture begins without a complaint.
    static QStringList plaintes;
    plaintes.clear();
    const QtMessageHandler avant =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { plaintes << m; });
    ASSERT_NE(fenetre.gp, nullptr);
    ASSERT_TRUE(fenetre.gp->isActive());
    EXPECT_EQ(fenetre.gp->device(), &fenetre.NewBitmap);
    fenetre.gp->fillRect(QRect(0, 0, 4, 4), QColor(1, 2, 3));
    EXPECT_EQ(fenetre.NewBitmap.pixel(2, 2), qRgb(1, 2, 3));
    fenetre.Initialisation();
    EXPECT_NE(fenetre.gp, nullptr);
    // The window forgets its picture for an empty one while it paints on it.
    {
        grapheft vide(&EnteteF, &::Setup);
        vide.SavConf = &Config;
        fenetre.ECHANGER_DESSIN(vide);
    }
    fenetre.Initialisation();
    ASSERT_NE(fenetre.gp, nullptr);
    EXPECT_TRUE(fenetre.gp->isActive());
    fenetre.FINIR_PEINTURE();
    qInstallMessageHandler(avant);
    EXPECT_TRUE(plaintes.isEmpty()) << plaintes.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace graphe_test
