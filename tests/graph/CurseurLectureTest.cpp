// The cursor read-out box: values of a known table, headers, bold column of the
// held cursor, the window of lines, logic digits, side and horizontal boxes, XY.
#include "graph/SurcoucheTestUtil.h"

namespace {

using namespace surcouche_test;

class CurseurLecture : public BancSurcouche {
protected:
    void SetUp() override {
        BancSurcouche::SetUp();
        G->ValiditeCurseur = 1;
        Config.BoiteCurseur = 1;
        Config.PositionBoiteCurseur = 0;
        Config.CurseurDansReticule = 0;
        Config.ValeurSuitCurseur = 0;
        for (int b = 0; b < NombreLogiquesConfig; ++b)
            Config.CouleurVoieLogique[b] =
                static_cast<int32_t>(0xFF000000u | (0x101010u * (b + 1)) | 0x000040u);
    }
    // A horizontal box at the top of the plot holding `lignes` lines, `visu` shown.
    void BoiteHorizontale(int lignes, int visu) {
        G->NombreVoieCurseurTotal = static_cast<int16_t>(lignes);
        G->NombreVoieCurseurVisu = static_cast<int16_t>(visu);
        G->PosCurseurX = 5;
        G->PosCurseurY = 5;
        G->LongCurseur = 600;
        G->HauteurCurseur = static_cast<int16_t>((visu + 2) * H());
    }
    QImage Dessiner(double c1, double c2, uint8_t selected) {
        QImage couche = G->COUCHE_CURSEUR();
        auto p = Peintre(couche);
        G->AFF_CURSEUR(*p, c1, c2, selected);
        p->end();
        return couche;
    }
    double Rangee(int r) const { return 9.0 + r * H(); }
    QColor Voie(int ch) const { return surcouche::Couleur(Config.CouleurVoie[ch]); }
    const QColor Blanc = QColor(Qt::white), Noir = QColor(Qt::black);
};

TEST_F(CurseurLecture, TextesDesValeursEtDesTemps) {
    Voies(1);
    Plage(1, -2500.0f, 2500.0f);
    Nommer(1, "Pressure", "bar");
    EXPECT_EQ(Complet(0, 0.5), QStringLiteral(" 0.5000 V"));
    EXPECT_EQ(Complet(0, -0.25), QStringLiteral("-0.2500 V"));
    EXPECT_EQ(Complet(1, 2500.0), QStringLiteral(" 2.5000Kbar"));
    EXPECT_EQ(Nom(1), QStringLiteral("Pressure [Kbar]"));
    EXPECT_EQ(Nom(0), QStringLiteral("Ch0 [ V]"));
    // The prefix is written even while value texts leave it out elsewhere.
    AffSansUnite = 1;
    EXPECT_EQ(Complet(1, 2500.0), QStringLiteral(" 2.5000Kbar"));
    EXPECT_EQ(Nom(1), QStringLiteral("Pressure [Kbar]"));
    EXPECT_EQ(AffSansUnite, 1);
    EXPECT_EQ(Temps(200000.0), QStringLiteral("200ms"));
    EXPECT_EQ(Temps(500000.0), QStringLiteral("500ms"));
    // Channels outside the table have no name and no unit.
    EXPECT_EQ(Nom(300), QString());
    EXPECT_EQ(Nom(-1), QString());
}

TEST_F(CurseurLecture, ValeursDUneTableConnueDansUneBoiteHorizontale) {
    Voies(2);
    BoiteHorizontale(2, 2);
    Valeur(200, 0, 0.5);
    Valeur(700, 0, -0.25);
    Valeur(200, 1, 0.125);
    Valeur(700, 1, 0.125);
    const QImage couche = Dessiner(0.2, 0.7, 2);

    const int w = std::max(G->LongMessX("Ch0:  "), G->LongMessX("Ch1:  "));
    const double x1 = 9 + w, l = G->LongMessX("+1.2345mAmpere");
    const QFont f = Police();
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("Ch0:  "), f, Voie(0), 9, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("Ch1:  "), f, Voie(1), 9, Rangee(2), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("T1=200ms"), f, Noir, x1, Rangee(0), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("T2=700ms"), f, Noir, x1 + l, Rangee(0), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("\u0394=500ms"), f, Noir, x1 + 2 * l, Rangee(0), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral(" 0.5000 V"), f, Voie(0), x1, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("-0.2500 V"), f, Voie(0), x1 + l, Rangee(1), Blanc));
    // The difference is C1 minus C2.
    EXPECT_TRUE(TexteEn(couche, QStringLiteral(" 0.7500 V"), f, Voie(0), x1 + 2 * l, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral(" 0.1250 V"), f, Voie(1), x1 + l, Rangee(2), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral(" 0.0000 V"), f, Voie(1), x1 + 2 * l, Rangee(2), Blanc));

    // The box: filled with the background, outlined one pixel inside its height.
    const int bas = 5 + G->HauteurCurseur - 1;
    EXPECT_EQ(couche.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(couche.pixel(605, bas), qRgb(0, 0, 0));
    EXPECT_EQ(couche.pixel(300, bas), qRgb(0, 0, 0));
    EXPECT_EQ(couche.pixel(300, bas - 1), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(couche.pixel(300, bas + 1)), 0);
    EXPECT_EQ(qAlpha(couche.pixel(606, 20)), 0);
}

// A graph object whose table is not complete (a recording being opened, its
// first pass awaited) reads out no value: only the names and the times.
TEST_F(CurseurLecture, AucuneValeurSansTableComplete) {
    Voies(1);
    BoiteHorizontale(1, 1);
    Valeur(200, 0, 0.5);
    Valeur(700, 0, -0.25);
    G->Donnees.CalculTerminer.store(CalculAucun);
    const QImage couche = Dessiner(0.2, 0.7, 2);
    const double x1 = 9 + G->LongMessX("Ch0:  ");
    const QFont f = Police();
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("Ch0:  "), f, Voie(0), 9, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("T1=200ms"), f, Noir, x1, Rangee(0), Blanc));
    EXPECT_TRUE(
        Encre(couche, QRect(static_cast<int>(x1), static_cast<int>(Rangee(1)), 400, H()), Voie(0).rgb())
            .isEmpty());
}

TEST_F(CurseurLecture, ColonneDuCurseurTenuEnGras) {
    Voies(1);
    BoiteHorizontale(1, 1);
    Valeur(200, 0, 0.5);
    Valeur(700, 0, -0.25);
    const double x1 = 9 + G->LongMessX("Ch0:  "), l = G->LongMessX("+1.2345mAmpere");
    const struct {
        uint8_t tenu;
        bool c1Gras, c2Gras;
    } cas[] = {{0, true, false}, {1, false, true}, {2, false, false}, {3, false, false}};
    for (const auto& k : cas) {
        SCOPED_TRACE(k.tenu);
        const QImage couche = Dessiner(0.2, 0.7, k.tenu);
        const QFont f1 = k.c1Gras ? PoliceGrasse() : Police(), f2 = k.c2Gras ? PoliceGrasse() : Police();
        const QFont autre1 = k.c1Gras ? Police() : PoliceGrasse();
        EXPECT_TRUE(TexteEn(couche, QStringLiteral("T1=200ms"), f1, Noir, x1, Rangee(0), Blanc));
        EXPECT_TRUE(TexteEn(couche, QStringLiteral(" 0.5000 V"), f1, Voie(0), x1, Rangee(1), Blanc));
        EXPECT_FALSE(TexteEn(couche, QStringLiteral("T1=200ms"), autre1, Noir, x1, Rangee(0), Blanc));
        EXPECT_TRUE(TexteEn(couche, QStringLiteral("T2=700ms"), f2, Noir, x1 + l, Rangee(0), Blanc));
        EXPECT_TRUE(TexteEn(couche, QStringLiteral("-0.2500 V"), f2, Voie(0), x1 + l, Rangee(1), Blanc));
        // The difference column stays regular.
        EXPECT_TRUE(
            TexteEn(couche, QStringLiteral(" 0.7500 V"), Police(), Voie(0), x1 + 2 * l, Rangee(1), Blanc));
    }
}

TEST_F(CurseurLecture, FenetreDeLignesEtLigneLogique) {
    Voies(5);
    EnteteF.LogiqueAffichee = 1;
    Config.NombreVoiesLogiques = 4;
    Config.MasqueVoiesLogiques = 0x000F;
    Config.NombreVoiesLogiquesAffichees = 4;
    Config.CurseurDansReticule = 1; // no box of its own: the texts alone
    BoiteHorizontale(6, 3);
    MotLogique(200, 0x0005);
    MotLogique(700, 0x000A);
    const QFont f = Police();
    const double x0 = 5 + 4 + 20; // room for the scroll bar

    VoieCurseurDebut = 1;
    QImage couche = Dessiner(0.2, 0.7, 2);
    for (int ch = 1; ch <= 3; ++ch)
        EXPECT_TRUE(TexteEn(couche, QStringLiteral("Ch%1:  ").arg(ch), f, Voie(ch), x0, Rangee(ch), Blanc));
    EXPECT_TRUE(Encre(couche, couche.rect(), Voie(0).rgb()).isEmpty());
    EXPECT_TRUE(Encre(couche, couche.rect(), Voie(4).rgb()).isEmpty());
    // The last channel is outside the window: no logic line.
    EXPECT_TRUE(Encre(couche, QRect(0, static_cast<int>(Rangee(4)), 640, H()), qRgb(0, 0, 0)).isEmpty());

    // Scrolled to the end: the last two channels, then the logic line with both words.
    VoieCurseurDebut = 3;
    couche = Dessiner(0.2, 0.7, 2);
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("Ch3:  "), f, Voie(3), x0, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("Ch4:  "), f, Voie(4), x0, Rangee(2), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("Logics Channels"), f, Noir, x0, Rangee(3), Blanc));
    const int w = std::max(G->LongMessX("Ch4:  "), G->LongMessX("Logics Channels"));
    const double d = Largeur(QStringLiteral("14/12/2009 10:22:45.301 ")) / 16.0;
    const double l =
        std::max<double>(G->LongMessX("+1.2345mAmpere"), (4 * 1.25 + 2) * d + G->LongMessX("Log :"));
    const double x1 = x0 + w;
    const double chiffre = Largeur(QStringLiteral("0000000000000000")) / 16.0;
    const char* attendus[2] = {"1010", "0101"}; // bit 0 first
    for (int k = 0; k < 2; ++k)
        for (int b = 0; b < 4; ++b)
            EXPECT_TRUE(TexteEn(couche, QString(QLatin1Char(attendus[k][b])), f,
                                surcouche::Couleur(Config.CouleurVoieLogique[b]),
                                x1 + static_cast<int>(l) * k + b * chiffre, Rangee(3), Blanc))
                << "word " << k << " input " << b + 1;
}

TEST_F(CurseurLecture, ChiffresLogiquesParGroupesDeQuatre) {
    Config.NombreVoiesLogiques = 16;
    Config.MasqueVoiesLogiques = 0b11101; // inputs 1, 3, 4 and 5
    QImage couche = G->COUCHE_CURSEUR();
    auto p = Peintre(couche);
    G->AFF_VALEUR_LOG(*p, 0b11001, 50, 60);
    p->end();
    const double d = Largeur(QStringLiteral("0000000000000000")) / 16.0;
    const struct {
        int b;
        char chiffre;
        double x;
    } cas[] = {{0, '1', 50}, {2, '0', 50 + d}, {3, '1', 50 + 2 * d}, {4, '1', 50 + 4 * d}};
    for (const auto& k : cas)
        EXPECT_TRUE(TexteEn(couche, QString(QLatin1Char(k.chiffre)), Police(),
                            surcouche::Couleur(Config.CouleurVoieLogique[k.b]), k.x, 60, QColor(Qt::white)))
            << "input " << k.b + 1;
    // The background: sixteen zeros wide, one line high.
    const int fin = 50 + static_cast<int>(16 * Largeur(QStringLiteral("0")));
    EXPECT_EQ(couche.pixel(fin - 1, 60 + H() - 1), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(couche.pixel(fin + 1, 61)), 0);
    EXPECT_EQ(qAlpha(couche.pixel(50, 60 + H())), 0);
    EXPECT_EQ(qAlpha(couche.pixel(49, 61)), 0);
}

TEST_F(CurseurLecture, BoiteDeCoteEmpileLesTroisColonnes) {
    Voies(2);
    Config.PositionBoiteCurseur = 1;
    G->NombreVoieCurseurTotal = 2;
    G->NombreVoieCurseurVisu = 0; // no horizontal layout before: the side box still lists its lines
    G->PosCurseurX = 300;
    G->PosCurseurY = 5;
    G->LongCurseur = 140;
    G->HauteurCurseur = 400;
    ASSERT_GE((400 - 4) / H(), 12); // room for three sections of two lines
    Valeur(200, 0, 0.5);
    Valeur(700, 0, -0.25);
    Valeur(200, 1, 0.125);
    Valeur(700, 1, 0.125);
    const QImage couche = Dessiner(0.2, 0.7, 2);
    const QFont f = Police();
    const double x0 = 304;
    const int v = 2;
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("T1=200ms"), f, Noir, x0, Rangee(0), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("1= 0.5000 V"), f, Voie(0), x0, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("2= 0.1250 V"), f, Voie(1), x0, Rangee(2), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("T2=700ms"), f, Noir, x0, Rangee(v + 3), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("1=-0.2500 V"), f, Voie(0), x0, Rangee(v + 4), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("2= 0.1250 V"), f, Voie(1), x0, Rangee(v + 5), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("\u0394=500ms"), f, Noir, x0, Rangee(2 * v + 5), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("1= 0.7500 V"), f, Voie(0), x0, Rangee(2 * (v + 3)), Blanc));
    EXPECT_TRUE(
        TexteEn(couche, QStringLiteral("2= 0.0000 V"), f, Voie(1), x0, Rangee(2 * (v + 3) + 1), Blanc));
    // No name column in a side box.
    EXPECT_FALSE(TexteEn(couche, QStringLiteral("Ch0:  "), f, Voie(0), x0, Rangee(1), Blanc));
    EXPECT_TRUE(Encre(couche, QRect(0, static_cast<int>(Rangee(3)), 640, 2 * H()), Voie(0).rgb()).isEmpty());
}

TEST_F(CurseurLecture, BoiteHorizontaleEnBasMemeDispositionQuEnHaut) {
    Voies(1);
    Config.PositionBoiteCurseur = 2;
    BoiteHorizontale(1, 1);
    G->PosCurseurY = 300;
    Valeur(200, 0, 0.5);
    const QImage couche = Dessiner(0.2, 0.7, 2);
    const double x1 = 9 + G->LongMessX("Ch0:  ");
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("T1=200ms"), Police(), Noir, x1, 304, Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral(" 0.5000 V"), Police(), Voie(0), x1, 304 + H(), Blanc));
}

TEST_F(CurseurLecture, LignesDuModeXY) {
    Voies(3);
    Config.ModeXY = 1;
    Config.VoieX = 1;
    Config.CurseurXY = 0;
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(0), 0);
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(1), 1);
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(2), 0);
    Config.CurseurXY = 1;
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(0), 1);
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(1), 0);
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(2), 1);
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(3), 0); // not displayed
    Config.ModeXY = 0;
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(1), 1);
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(3), 0);
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(244), 0);
    EXPECT_EQ(G->TST_VALID_VOIE_CURSEUR(-1), 0);
}

TEST_F(CurseurLecture, ModeXYCurseursVerticauxMesurentLAbscisse) {
    Voies(3);
    Plage(1, 0.0f, 10.0f);
    Config.ModeXY = 1;
    Config.VoieX = 1;
    Config.CurseurXY = 0;
    BoiteHorizontale(1, 1);
    const QImage couche = Dessiner(0.2, 0.7, 2);
    const QFont f = Police();
    const double x1 = 9 + G->LongMessX("Ch1:  "), l = G->LongMessX("+1.2345mAmpere");
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("Ch1:  "), f, Voie(1), 9, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("C1"), f, Noir, x1, Rangee(0), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("C2"), f, Noir, x1 + l, Rangee(0), Blanc));
    EXPECT_TRUE(TexteEn(couche, QStringLiteral("\u0394=C1-C2"), f, Noir, x1 + 2 * l, Rangee(0), Blanc));
    EXPECT_TRUE(TexteEn(couche, Complet(1, 2.0), f, Voie(1), x1, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(couche, Complet(1, 7.0), f, Voie(1), x1 + l, Rangee(1), Blanc));
    // In XY mode the difference is C2 minus C1.
    EXPECT_TRUE(TexteEn(couche, Complet(1, 5.0), f, Voie(1), x1 + 2 * l, Rangee(1), Blanc));
    EXPECT_TRUE(Encre(couche, couche.rect(), Voie(0).rgb()).isEmpty());

    // Horizontal cursors count from the bottom: C1 at 0.2 is 0.8 of the range.
    Config.CurseurXY = 1;
    BoiteHorizontale(2, 2);
    const QImage h = Dessiner(0.2, 0.7, 2);
    const double x1h = 9 + std::max(G->LongMessX("Ch0:  "), G->LongMessX("Ch2:  "));
    EXPECT_TRUE(TexteEn(h, Complet(0, 0.6), f, Voie(0), x1h, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(h, Complet(0, -0.4), f, Voie(0), x1h + l, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(h, Complet(0, -1.0), f, Voie(0), x1h + 2 * l, Rangee(1), Blanc));
    EXPECT_TRUE(TexteEn(h, QStringLiteral("Ch2:  "), f, Voie(2), 9, Rangee(2), Blanc));
}

TEST_F(CurseurLecture, RienSansCurseursNiBoite) {
    Voies(1);
    BoiteHorizontale(1, 1);
    G->ValiditeCurseur = 0;
    EXPECT_EQ(Opaques(Dessiner(0.2, 0.7, 0)), 0);
    G->ValiditeCurseur = 1;
    Config.BoiteCurseur = 0;
    EXPECT_EQ(Opaques(Dessiner(0.2, 0.7, 0)), 0);
}

TEST_F(CurseurLecture, TextesTropLongsEtValeursNonFiniesSansDegat) {
    Voies(2);
    BoiteHorizontale(2, 2);
    G->LongCurseur = 30; // narrower than any text
    std::memset(EnteteF.Affichage[0].NomAffiche, 'W', sizeof EnteteF.Affichage[0].NomAffiche);
    std::memset(EnteteF.Affichage[0].UniteAffichee, 'u', sizeof EnteteF.Affichage[0].UniteAffichee);
    Valeur(200, 0, std::numeric_limits<double>::quiet_NaN());
    Valeur(700, 0, std::numeric_limits<double>::infinity());
    Valeur(200, 1, -1e300);
    Plage(1, 5.0f, 5.0f);  // zero range
    VoieCurseurDebut = 40; // beyond the lines: nothing but the headers
    Dessiner(std::numeric_limits<double>::quiet_NaN(), 1e300, 0);
    VoieCurseurDebut = 0;
    const QImage couche = Dessiner(-3.0, 7.5, 1);
    EXPECT_GT(Opaques(couche), 0);
}

} // namespace
