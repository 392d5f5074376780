// Measurement results on the picture: lines stacked in each channel's zone,
// Min/Max flags at their extremes, the slot limit, the cursor box at the top,
// and the whole chain from a recording through a full redraw.
#include "graph/DessinTestUtil.h"
#include "graph/SurcoucheTestUtil.h"

namespace {

using namespace surcouche_test;

constexpr int Colonnes = NombreColonnesAffichage;

class ResultatsTest : public BancSurcouche {
protected:
    void SetUp() override {
        BancSurcouche::SetUp();
        Voies(2);
        Config.VoiesAffichees = {}; // no traces: only the results carry the channel colours
        EnteteF.NombreVoiesAnalog = 2;
        EnteteF.NombreVoiesTotal = 2;
        // Channel 0: square of period 100 columns between codes 10000 and 50000,
        // values -0.5 and 0.5; channel 1: minimum -0.75 at column 300, maximum
        // 0.25 at column 700, 0 elsewhere.
        for (int c = 0; c < Colonnes; ++c) {
            const bool haut = c % 100 >= 50;
            Mot(c, 0, haut ? 50000 : 10000);
            Valeur(c, 0, haut ? 0.5 : -0.5);
            Mot(c, 1, 0x8000);
            Valeur(c, 1, c == 300 ? -0.75 : c == 700 ? 0.25 : 0.0);
        }
        G->Donnees.PointeurCyclique = Colonnes;
        Config.CalculValide = 1;
        Config.PlacementMinMax = 0;
        // Two zones split at 100/200, channel k in zone k + 1.
        Config.ReticEcran.NbEcran = 2;
        Config.ReticEcran.HautEcran[0] = 0;
        Config.ReticEcran.BasEcran[0] = 100;
        Config.ReticEcran.HautEcran[1] = 100;
        Config.ReticEcran.BasEcran[1] = 200;
        Config.ReticEcran.EcranVoie[0] = 1;
        Config.ReticEcran.EcranVoie[1] = 2;
    }
    void Mot(int c, int ch, uint16_t mot) {
        G->Donnees.TabCyclique[static_cast<size_t>(c) * NombreSlotsColonne + ch] = mot;
    }
    void Creneaux(std::initializer_list<std::pair<int, int>> creneaux) {
        int k = 0;
        for (const auto& [ch, type] : creneaux) {
            Config.TabCalcul[k][0] = static_cast<uint8_t>(ch);
            Config.TabCalcul[k][1] = static_cast<uint8_t>(type);
            ++k;
        }
        Config.NombreCalcul = static_cast<uint8_t>(k);
    }
    static QString Ligne(const char* debut, const QString& valeur) {
        return QString::fromLatin1(debut) + valeur;
    }
    QColor Voie(int ch) const { return surcouche::Couleur(Config.CouleurVoie[ch]); }
    const QColor Blanc = QColor(Qt::white);
};

TEST_F(ResultatsTest, LignesEmpileesDansLaZoneDeChaqueVoie) {
    Creneaux({{0, MesureMin}, {1, MesureMax}, {0, MesureFrequence}, {0, MesurePeriode}, {1, MesurePicPic}});
    G->AFF_CALCUL();
    EXPECT_FLOAT_EQ(G->Analyse.Math_Freq, 10.f);
    EXPECT_EQ(G->TabPositionCalculEcran[0], 3);
    EXPECT_EQ(G->TabPositionCalculEcran[1], 2);
    const QImage& im = G->NewBitmap;
    const QFont& f = *G->FontBaseDetemps;
    // Zone tops: 5 + 400 * 2 / 200 and 5 + 400 * 102 / 200.
    const int y0 = 9, y1 = 209;
    EXPECT_TRUE(TexteEn(im, Ligne("Ch0[Min]:", Complet(0, -0.5)), f, Voie(0), 7, y0, Blanc));
    EXPECT_TRUE(TexteEn(im, QStringLiteral("Ch0[Freq]: 10.00 Hz"), f, Voie(0), 7, y0 + H(), Blanc));
    EXPECT_TRUE(TexteEn(im, QStringLiteral("Ch0[Period]:100ms"), f, Voie(0), 7, y0 + 2 * H(), Blanc));
    EXPECT_TRUE(TexteEn(im, Ligne("Ch1[Max]:", Complet(1, 0.25)), f, Voie(1), 7, y1, Blanc));
    EXPECT_TRUE(TexteEn(im, Ligne("Ch1[Pk_Pk]:", Complet(1, 1.0)), f, Voie(1), 7, y1 + H(), Blanc));
}

TEST_F(ResultatsTest, DrapeauxMinMaxChacunASonExtreme) {
    Config.PlacementMinMax = 1;
    Config.CouleurReticule = static_cast<int32_t>(0xFFFF00FFu);
    Creneaux({{1, MesureMin}, {1, MesureMax}, {0, MesureMoyenne}});
    G->AFF_CALCUL();
    // Flags take no line; the mean still does.
    EXPECT_EQ(G->TabPositionCalculEcran[0], 1);
    EXPECT_EQ(G->TabPositionCalculEcran[1], 0);
    const QImage& im = G->NewBitmap;
    const QFont& f = *G->FontBaseDetemps;
    const int h = 2 * H() + 4;
    const struct {
        int Colonne;
        double Valeur;
        const char* Ligne1;
    } drapeaux[] = {{300, -0.75, "Min"}, {700, 0.25, "Max"}};
    for (const auto& d : drapeaux) {
        SCOPED_TRACE(d.Ligne1);
        const int x = 5 + 400 * d.Colonne / 1000;
        const int y = G->POSITION_Y(1, d.Valeur);
        // The left edge of the outline runs up from the anchor.
        EXPECT_EQ(im.pixel(x, y - 5) & 0xFFFFFFu, 0xFF00FFu);
        EXPECT_EQ(im.pixel(x, y - h + 2) & 0xFFFFFFu, 0xFF00FFu);
        EXPECT_TRUE(TexteEn(im, QString::fromLatin1(d.Ligne1), f, Voie(1), x + 5, y - h + 1, Blanc));
        EXPECT_TRUE(TexteEn(im, Complet(1, d.Valeur), f, Voie(1), x + 5, y - h + H() + 1, Blanc));
    }
    EXPECT_TRUE(TexteEn(im, Ligne("Ch0[Mean]:", Complet(0, 0.0)), f, Voie(0), 7, 9, Blanc));
}

TEST_F(ResultatsTest, AuPlusDixResultats) {
    for (int k = 0; k < NombreCalculMax; ++k) {
        Config.TabCalcul[k][0] = 0;
        Config.TabCalcul[k][1] = MesureRMS;
    }
    Config.NombreCalcul = 11;
    G->AFF_CALCUL();
    EXPECT_EQ(G->TabPositionCalculEcran[0], 10);
    // Over whole cycles of the square: exactly 0.5.
    EXPECT_FLOAT_EQ(G->Analyse.Math_Rms, 0.5f);
}

TEST_F(ResultatsTest, RienSansCalculValideNiPourUnTypeInconnu) {
    const QImage avant = G->NewBitmap.copy();
    Creneaux({{0, MesureMin}});
    Config.CalculValide = 0;
    G->AFF_CALCUL();
    EXPECT_EQ(G->NewBitmap, avant);
    Config.CalculValide = 1;
    Creneaux({{0, 7}, {1, 200}});
    G->AFF_CALCUL();
    EXPECT_EQ(G->NewBitmap, avant);
    EXPECT_EQ(G->TabPositionCalculEcran[0] + G->TabPositionCalculEcran[1], 0);
    // Any value but 0 draws, as 1 does (a configuration file may hold one).
    Config.CalculValide = 2;
    Creneaux({{0, MesureMin}});
    G->AFF_CALCUL();
    EXPECT_NE(G->NewBitmap, avant);
}

TEST_F(ResultatsTest, VoieHorsEnregistrementMesureeCommeLaVoieZero) {
    Creneaux({{5, MesureFrequence}, {1, MesureMin}});
    Config.TabCalcul[1][0] = 200;
    G->AFF_CALCUL();
    EXPECT_FLOAT_EQ(G->Analyse.Math_Freq, 10.f); // channel 0's square, not slot 5's codes
    EXPECT_EQ(G->TabPositionCalculEcran[0], 2);
    EXPECT_TRUE(TexteEn(G->NewBitmap, QStringLiteral("Ch0[Freq]: 10.00 Hz"), *G->FontBaseDetemps, Voie(0), 7,
                        9, Blanc));
}

TEST_F(ResultatsTest, SousLaBoiteDuCurseurEnHaut) {
    G->ValiditeCurseur = 1;
    Config.CurseurDansReticule = 1;
    Config.BoiteCurseur = 1;
    Config.PositionBoiteCurseur = 0;
    Creneaux({{0, MesureFrequence}, {1, MesureFrequence}});
    G->AFF_CALCUL();
    // Two present channels: zone 0 starts three lines down; zone 1 is not moved.
    EXPECT_EQ(G->TabPositionCalculEcran[0], 4);
    EXPECT_EQ(G->TabPositionCalculEcran[1], 1);
    EXPECT_TRUE(TexteEn(G->NewBitmap, QStringLiteral("Ch0[Freq]: 10.00 Hz"), *G->FontBaseDetemps, Voie(0), 7,
                        9 + 3 * H(), Blanc));
    EXPECT_TRUE(TexteEn(G->NewBitmap, QStringLiteral("Ch1[Freq]:  ---- Hz"), *G->FontBaseDetemps, Voie(1), 7,
                        209, Blanc));
}

// ---- From a recording, through the full redraw ------------------------------------

using graphe_test::DessinTest;

TEST_F(DessinTest, ResultatsDuneRedessinComplete) {
    // 1000 scans of 1 ms: one scan per column, one second shown; a square of
    // 100 scans on channel 0.
    recmaker::Enregistrement e =
        graphe_test::TKARDessin({graphe_test::VoieBrute(0, recmaker::Carre(1000, 3000, 100)),
                                 graphe_test::VoieBrute(1, recmaker::Constant(7))});
    e.PeriodeUs = 1000.f;
    e.NombreScans = 1000;
    Ouvrir(e);
    Config.CalculValide = 1;
    Config.NombreCalcul = 2;
    Config.TabCalcul[0][0] = 0;
    Config.TabCalcul[0][1] = MesureRMS;
    Config.TabCalcul[1][0] = 0;
    Config.TabCalcul[1][1] = MesureFrequence;
    Dessiner(600, 400);
    EXPECT_DOUBLE_EQ(Graphe->TempsTotal, 1000000.0);
    EXPECT_FLOAT_EQ(Graphe->Analyse.Math_Freq, 10.f);
    EXPECT_EQ(Graphe->Analyse.Math_Low, (1000 >> 7) * 128 + 31);
    EXPECT_EQ(Graphe->Analyse.Math_High, (3000 >> 7) * 128);
    EXPECT_EQ(Graphe->TabPositionCalculEcran[0], 2);

    // In XY mode nothing is measured.
    Config.ModeXY = 1;
    Graphe->Analyse = AnalyseNiveaux{};
    Dessiner(600, 400);
    EXPECT_EQ(Graphe->Analyse.Math_Freq, 0.f);
    Config.ModeXY = 0;
}

} // namespace
