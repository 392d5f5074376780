// The bounds column: scales of every zone in both styles, full names written
// across or turned upwards, logic input names, and the width the layout reserves.
#include "graph/SurcoucheTestUtil.h"

namespace {

using namespace surcouche_test;

class Bornes : public BancSurcouche {
protected:
    void SetUp() override {
        BancSurcouche::SetUp();
        tReticEcran& r = Config.ReticEcran;
        r.NbEcran = 1;
        r.HautEcran[0] = 0;
        r.BasEcran[0] = 200;
        r.NbDivEcran[0] = 4;
        Config.BorneUnique = 0;
        Config.NomsVerticaux = 0;
    }
    QColor Voie(int ch) const { return surcouche::Couleur(Config.CouleurVoie[ch]); }
    // Top of label k of n in a zone from `haut` to `bas`, above the time
    // labels' row under the plot (its bottom at 405).
    int Rang(int k, int n, int haut, int bas) const {
        int y = haut + (bas - haut) * k / n;
        if (k > 0) y -= H() / 2;
        if (k == n) y -= H() / 2;
        return std::min(y, 405 - H());
    }
    // Width of a scale: its widest label with a gap on both sides.
    int Colonne(std::initializer_list<const char*> textes) const { return Plus(textes) + 2 * E; }
    static constexpr int E = EcartTexteTrait;
    int Plus(std::initializer_list<const char*> textes) const {
        int w = 0;
        for (const char* t : textes) w = std::max(w, G->LongMessX(t));
        return w;
    }
    const QColor Blanc = QColor(Qt::white);
    static constexpr int Xr = 405;
    // Labels start clear of their scale's axis line: compared right of it.
    const QRect ApresAxe = QRect(Xr + 1, 0, 640, 480);
};

TEST_F(Bornes, UneEchelleEtDeuxNomsPourDeuxVoiesDeMemePlage) {
    Voies(2);
    const int16_t mesure = G->AFFICH_BORNE_TOTAL(0);
    const int s = Colonne({" 1", " 0.5", " 0", "-0.5", "-1"});
    EXPECT_EQ(G->PositionBorneNom, s);
    EXPECT_EQ(G->LongueurNomMax, std::max(G->LongMessX(Nom(0)), G->LongMessX(Nom(1))));
    EXPECT_EQ(mesure, std::max(G->LongueurNomMax + s, G->LongMessX("200msec/div")));

    EXPECT_EQ(G->AFFICH_BORNE_TOTAL(1), mesure);
    const QImage& im = G->NewBitmap;
    const QFont f = Police();
    const char* etiquettes[] = {" 1", " 0.5", " 0", "-0.5", "-1"};
    for (int k = 0; k <= 4; ++k)
        EXPECT_TRUE(TexteEn(im, QString::fromLatin1(etiquettes[k]), f, Voie(0), Xr + E, Rang(k, 4, 5, 405),
                            Blanc, false, ApresAxe))
            << k;
    EXPECT_EQ(im.pixel(Xr, 5), Voie(0).rgb());
    EXPECT_EQ(im.pixel(Xr, 200), Voie(0).rgb());
    EXPECT_EQ(im.pixel(Xr, 405), Voie(0).rgb());
    EXPECT_EQ(im.pixel(Xr, 406), Blanc.rgb());
    EXPECT_TRUE(TexteEn(im, Nom(0), f, Voie(0), Xr + s, 205, Blanc));
    EXPECT_TRUE(TexteEn(im, Nom(1), f, Voie(1), Xr + s, 205 + H(), Blanc));
    // One scale only: the second channel's colour is in its name alone.
    EXPECT_TRUE(Encre(im, QRect(0, 0, Xr + s, 480), Voie(1).rgb()).isEmpty());
}

TEST_F(Bornes, DeuxEchellesCoteACotePourDeuxPlages) {
    Voies(2);
    Plage(1, 0.0f, 10.0f);
    G->AFFICH_BORNE_TOTAL(0);
    const int w0 = Colonne({" 1", " 0.5", " 0", "-0.5", "-1"});
    // Numbers right-aligned in their width before the trailing zeros go.
    const int w1 = Colonne({" 10", "  7.5", "  5", "  2.5", "  0"});

    EXPECT_EQ(G->PositionBorneNom, w0 + w1);
    EXPECT_EQ(G->AFF_BORNE(0, 0), w0 + w1);
    G->AFFICH_BORNE_TOTAL(1);
    const QImage& im = G->NewBitmap;
    EXPECT_EQ(im.pixel(Xr, 200), Voie(0).rgb());
    EXPECT_EQ(im.pixel(Xr + w0, 200), Voie(1).rgb());
    EXPECT_TRUE(TexteEn(im, QStringLiteral(" 10"), Police(), Voie(1), Xr + w0 + E, 5, Blanc));
    EXPECT_TRUE(
        TexteEn(im, QStringLiteral("  0"), Police(), Voie(1), Xr + w0 + E, Rang(4, 4, 5, 405), Blanc));
    EXPECT_TRUE(TexteEn(im, Nom(0), Police(), Voie(0), Xr + w0 + w1, 205, Blanc));
    EXPECT_TRUE(TexteEn(im, Nom(1), Police(), Voie(1), Xr + w0 + w1, 205 + H(), Blanc));
}

TEST_F(Bornes, UneEchelleParZoneEmpileLesBornesDeTroisPlages) {
    Voies(3);
    Plage(1, 0.0f, 10.0f);
    Plage(2, -5.0f, 5.0f);
    Config.BorneUnique = 1;
    const int l = Colonne({"1", "-1", "10", "0", "5", "-5"});
    int noms = 0;
    for (int ch = 0; ch < 3; ++ch) noms = std::max(noms, G->LongMessX(Nom(ch)));
    EXPECT_EQ(G->AFF_BORNE_simple(0, 0), l + noms);
    EXPECT_EQ(G->AFFICH_BORNE_TOTAL(0), std::max(l + noms, G->LongMessX("200msec/div")));
    EXPECT_EQ(G->LongueurNomMax, 0);

    G->AFFICH_BORNE_TOTAL(1);
    const QImage& im = G->NewBitmap;
    const char* hauts[] = {"1", "10", "5"};
    const char* bas[] = {"-1", "0", "-5"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        // Top labels stacked down from the zone's top, bottom labels up from its bottom.
        EXPECT_TRUE(
            TexteEn(im, QString::fromLatin1(hauts[i]), Police(), Voie(i), Xr + E, 5 + i * H(), Blanc));
        EXPECT_TRUE(TexteEn(im, QString::fromLatin1(bas[i]), Police(), Voie(i), Xr + E,
                            Rang(1, 1, 5, 405) - i * H(), Blanc));
    }
    // The names after the labels, centred in the zone.
    const int premier = 5 + (400 - 3 * H()) / 2;
    for (int ch = 0; ch < 3; ++ch)
        EXPECT_TRUE(TexteEn(im, Nom(ch), Police(), Voie(ch), Xr + l, premier + ch * H(), Blanc)) << ch;
    // No axis line in this style.
    EXPECT_NE(im.pixel(Xr, 200), Voie(0).rgb());
}

TEST_F(Bornes, EchelleCommuneDeQuatreDivisions) {
    Voies(2);
    Config.BorneUnique = 1;
    G->AFFICH_BORNE_TOTAL(0);
    G->AFFICH_BORNE_TOTAL(1);
    const QImage& im = G->NewBitmap;
    const char* etiquettes[] = {"1", "0.5", "0", "-0.5", "-1"};
    for (int k = 0; k <= 4; ++k)
        EXPECT_TRUE(TexteEn(im, QString::fromLatin1(etiquettes[k]), Police(), Voie(0), Xr + E,
                            Rang(k, 4, 5, 405), Blanc))
            << k;
    // Written once, for the first channel.
    const int l = Colonne({"1", "0.5", "0", "-0.5", "-1"});
    EXPECT_TRUE(Encre(im, QRect(Xr, 0, l, 480), Voie(1).rgb()).isEmpty());
}

TEST_F(Bornes, NomsVerticauxUneHauteurDeTexteChacun) {
    Voies(2);
    Config.NomsVerticaux = 1;
    EXPECT_EQ(G->AFF_NOM(0, 0, 0), 2 * H());
    const int w0 = Colonne({" 1", " 0.5", " 0", "-0.5", "-1"});
    EXPECT_EQ(G->AFF_BORNE(0, 0), w0 + 2 * H());
    EXPECT_EQ(G->LongueurNomMax, 0);

    G->AFFICH_BORNE_TOTAL(0);
    G->AFFICH_BORNE_TOTAL(1);
    const QImage& im = G->NewBitmap;
    // Turned to read upwards, ending at the zone's top.
    for (int ch = 0; ch < 2; ++ch) {
        const QString n = Nom(ch);
        EXPECT_TRUE(TexteEn(im, n, Police(), Voie(ch), Xr + w0 + ch * H(), 5 + G->LongMessX(n), Blanc, true))
            << ch;
        const QRect encre = Encre(im, QRect(Xr + w0, 0, 2 * H(), 480), Voie(ch).rgb());
        EXPECT_GT(encre.height(), encre.width());
        EXPECT_GE(encre.top(), 5);
    }

    // One scale per zone: the same turned names after the labels.
    Config.BorneUnique = 1;
    Surface(*G, 640, 480);
    const int l = Colonne({"1", "0.5", "0", "-0.5", "-1"});
    EXPECT_EQ(G->AFF_BORNE_simple(0, 1), l + 2 * H());
    EXPECT_TRUE(TexteEn(G->NewBitmap, Nom(1), Police(), Voie(1), Xr + l + H(), 5 + G->LongMessX(Nom(1)),
                        Blanc, true));
}

TEST_F(Bornes, ModeXYSansLaVoieDesAbscisses) {
    Voies(2);
    Config.ModeXY = 1;
    Config.VoieX = 0;
    EXPECT_EQ(G->AFF_NOM(0, 0, 0), G->LongMessX(Nom(1)));
    G->AFFICH_BORNE_TOTAL(0);
    EXPECT_EQ(G->LongueurNomMax, G->LongMessX(Nom(1)));
    G->AFFICH_BORNE_TOTAL(1);
    EXPECT_TRUE(Encre(G->NewBitmap, QRect(Xr, 0, 235, 480), Voie(0).rgb()).isEmpty());
    EXPECT_EQ(G->NewBitmap.pixel(Xr, 200), Voie(1).rgb());
}

TEST_F(Bornes, ZonesParVoieEtZonesVides) {
    Voies(2);
    tReticEcran& r = Config.ReticEcran;
    r.NbEcran = 3;
    r.HautEcran[0] = 0;
    r.BasEcran[0] = 100;
    r.HautEcran[1] = 100;
    r.BasEcran[1] = 150;
    r.HautEcran[2] = 150;
    r.BasEcran[2] = 200;
    r.NbDivEcran[1] = 0; // taken as one division
    r.EcranVoie[0] = 1;
    r.EcranVoie[1] = 2;
    EXPECT_EQ(G->AFF_BORNE(2, 0), 0);
    EXPECT_EQ(G->AFF_BORNE_simple(2, 0), 0);
    EXPECT_EQ(G->AFF_NOM(2, 0, 0), 0);
    EXPECT_EQ(G->AFF_BORNE(1, 0), Colonne({" 1", "-1"}));
    G->AFFICH_BORNE_TOTAL(0);
    G->AFFICH_BORNE_TOTAL(1);
    const QImage& im = G->NewBitmap;
    EXPECT_TRUE(TexteEn(im, QStringLiteral(" 1"), Police(), Voie(1), Xr + E, 205, Blanc));
    EXPECT_TRUE(TexteEn(im, QStringLiteral("-1"), Police(), Voie(1), Xr + E, Rang(1, 1, 205, 305), Blanc,
                        false, ApresAxe));
    EXPECT_TRUE(TexteEn(im, Nom(1), Police(), Voie(1), Xr + G->PositionBorneNom, (205 + 305) / 2, Blanc));
    EXPECT_EQ(im.pixel(Xr, 250), Voie(1).rgb());
    EXPECT_EQ(im.pixel(Xr, 150), Voie(0).rgb());
    EXPECT_EQ(im.pixel(Xr, 350), Blanc.rgb());
    EXPECT_EQ(G->AFF_BORNE(3, 0), 0); // no such zone
    EXPECT_EQ(G->AFF_BORNE(-1, 0), 0);
}

TEST_F(Bornes, NomsDesEntreesLogiquesDansLeursVoies) {
    EnteteF.LogiqueAffichee = 1;
    std::strcpy(EnteteF.NomLogique[0], "Start");
    std::strcpy(EnteteF.NomLogique[5], "Stop");
    Config.NombreVoiesLogiques = 16;
    Config.MasqueVoiesLogiques = (1u << 0) | (1u << 5);
    Config.NombreVoiesLogiquesAffichees = 2;
    Config.HauteurVoiesLogiques = 50;
    Config.PositionVoiesLogiques = 1;
    Config.CouleurVoieLogique[0] = static_cast<int32_t>(0xFF00C0C0u);
    Config.CouleurVoieLogique[5] = static_cast<int32_t>(0xFFC000C0u);
    EXPECT_EQ(G->AFFICHE_NOM_LOGIQUE(0), Plus({"Start", "Stop"}));
    // In the names column, right of the scales.
    G->PositionBorneNom = 30;
    EXPECT_EQ(G->AFFICHE_NOM_LOGIQUE(1), Plus({"Start", "Stop"}));
    // Band from 5 + 400 x 150 / 200 = 305, lanes of (400 x 50 / 2) / 200 = 50.
    const int decalage = (50 - H()) / 2;
    EXPECT_TRUE(TexteEn(G->NewBitmap, QStringLiteral("Start"), Police(), QColor(0, 0xC0, 0xC0), Xr + 30,
                        305 + decalage, Blanc));
    EXPECT_TRUE(TexteEn(G->NewBitmap, QStringLiteral("Stop"), Police(), QColor(0xC0, 0, 0xC0), Xr + 30,
                        355 + decalage, Blanc));
    EnteteF.LogiqueAffichee = 0;
    EXPECT_EQ(G->AFFICHE_NOM_LOGIQUE(0), 0);
    // Wide logic names widen the column.
    EnteteF.LogiqueAffichee = 1;
    std::strcpy(EnteteF.NomLogique[5], "AVeryLongLogicName");
    EXPECT_EQ(G->AFFICH_BORNE_TOTAL(0), G->LongMessX("AVeryLongLogicName"));
}

TEST_F(Bornes, LargeurMinimaleEtMesureRemiseAZero) {
    EXPECT_EQ(G->AFFICH_BORNE_TOTAL(0), G->LongMessX("200msec/div"));
    G->LongueurNomMax = 77;
    G->PositionBorneNom = 55;
    G->AFFICH_BORNE_TOTAL(0);
    EXPECT_EQ(G->LongueurNomMax, 0);
    EXPECT_EQ(G->PositionBorneNom, 0);
}

TEST_F(Bornes, ConfigurationsAbimeesSansDegat) {
    Voies(4);
    std::memset(EnteteF.Affichage[0].NomAffiche, 'W', sizeof EnteteF.Affichage[0].NomAffiche);
    std::memset(EnteteF.Affichage[0].UniteAffichee, 'u', sizeof EnteteF.Affichage[0].UniteAffichee);
    std::memset(EnteteF.NomLogique, 'L', sizeof EnteteF.NomLogique);
    EnteteF.LogiqueAffichee = 1;
    Config.NombreVoiesLogiques = 255;
    Config.MasqueVoiesLogiques = 0xFFFF;
    Plage(1, 3.0f, 3.0f); // zero range
    Config.ParamVoie[2].BorneMin = std::numeric_limits<float>::quiet_NaN();
    Config.ParamVoie[3].BorneMax = std::numeric_limits<float>::infinity();
    tReticEcran& r = Config.ReticEcran;
    r.NbEcran = 255; // beyond the table
    for (int z = 0; z < NombreVoiesConfig; ++z) {
        r.HautEcran[z] = 100;
        r.BasEcran[z] = 100; // zones of no height
        r.NbDivEcran[z] = static_cast<uint8_t>(z % 2 == 0 ? 0 : 255);
    }
    for (const uint8_t style : {0, 1})
        for (const uint8_t vertical : {0, 1}) {
            Config.BorneUnique = style;
            Config.NomsVerticaux = vertical;
            EXPECT_GT(G->AFFICH_BORNE_TOTAL(0), 0);
            G->AFFICH_BORNE_TOTAL(1);
        }
    G->ScrollY = 0;
    G->AFFICH_BORNE_TOTAL(1);
}

} // namespace
