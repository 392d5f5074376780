// Measurements on the displayed window without drawing: the level analysis on
// hand-made codes, the values taken from the table of physical values, the
// channels without raw words, and the result texts.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "config/Config.h"
#include "config/OnOff.h"
#include "graph/Mesures.h"
#include "recording/EnteteREC.h"
#include "recording/TexteTemps.h"
#include "shell/Messages.h"

namespace {

constexpr int ColonnesAnalyse = 1000;

// An analysis over the 1000 columns at 1000 us per column (one second shown).
AnalyseNiveaux Analyse(const std::function<uint16_t(int)>& code) {
    AnalyseNiveaux a;
    for (int i = 0; i < ColonnesAnalyse; ++i) a.ValeurCyclique[static_cast<size_t>(i)] = code(i);
    a.Abscisse_Dep = 0;
    a.Abscisse_Fin = ColonnesAnalyse;
    a.BDT_Curseur = 1000.0;
    return a;
}

// Square of period 100 columns: low on the first half, high on the second,
// with an overshoot on the first column of each plateau.
uint16_t CarreDepassement(int i) {
    const int phase = i % 100;
    if (phase == 0) return 5000;
    if (phase < 50) return 10000;
    if (phase == 50) return 60000;
    return 50000;
}

// Codes filled in order with (code, count) runs, the rest of the window with `reste`.
std::function<uint16_t(int)> Suite(std::vector<std::pair<uint16_t, int>> runs, uint16_t reste) {
    std::vector<uint16_t> codes;
    for (const auto& [code, n] : runs) codes.insert(codes.end(), static_cast<size_t>(n), code);
    codes.resize(ColonnesAnalyse, reste);
    return [codes](int i) { return codes[static_cast<size_t>(i)]; };
}

std::string Texte(const char* t) {
    return t;
}

TEST(NiveauxTest, SignalConstantSansPlateauNiPassage) {
    AnalyseNiveaux a = Analyse([](int) -> uint16_t { return 0x8000; });
    a.CAL_CLASSE();
    EXPECT_EQ(a.Math_Min, 0x8000);
    EXPECT_EQ(a.Math_Max, 0x8000);
    EXPECT_EQ(a.Classif[0x8000 >> 7], 999); // the last column is not counted
    EXPECT_EQ(a.Recherche[0], 0);
    EXPECT_EQ(a.Recherche[1], 0);
    EXPECT_EQ(a.Math_Centre, 0x8000);
    a.MATH_FREQ();
    EXPECT_EQ(a.IncrM, 0);
    EXPECT_EQ(a.IncrD, 0);
    EXPECT_EQ(a.Math_Periode, 0.f);
    EXPECT_EQ(a.Math_Freq, 0.f);
    char texte[32];
    TEXTE_FREQUENCE(texte, sizeof texte, a.Math_Freq);
    EXPECT_EQ(Texte(texte), "  ---- Hz");
}

TEST(NiveauxTest, CarreAvecDepassementNiveauxDesPlateaux) {
    AnalyseNiveaux a = Analyse(CarreDepassement);
    a.CAL_CLASSE();
    EXPECT_EQ(a.Math_Min, 5000);
    EXPECT_EQ(a.Math_Max, 60000);
    EXPECT_EQ(a.Classif[10000 >> 7], 490);
    EXPECT_EQ(a.Classif[50000 >> 7], 489);
    ASSERT_EQ(a.Recherche[0], 1);
    ASSERT_EQ(a.Recherche[1], 1);
    // Most populated classes, +31 on the low side only.
    EXPECT_EQ(a.Classe_Max[0], (10000 >> 7) * 128 + 31);
    EXPECT_EQ(a.Classe_Max[1], (50000 >> 7) * 128);
    EXPECT_EQ(a.Math_Low, 10015);
    EXPECT_EQ(a.Math_High, 49920);
    EXPECT_EQ(a.Math_Centre, (49920 + 10015) / 2);
}

TEST(NiveauxTest, EgalitesBasLaPlusBasseHautLaPlusHaute) {
    // Two low classes and two high classes of equal counts; one code 0 so that
    // the window counts 999 codes.
    AnalyseNiveaux a = Analyse(Suite({{2000, 250}, {3200, 250}, {40000, 249}, {41280, 249}, {0, 1}}, 40000));
    a.CAL_CLASSE();
    ASSERT_EQ(a.Recherche[0], 1);
    ASSERT_EQ(a.Recherche[1], 1);
    EXPECT_EQ(a.Classe_Max[0], (2000 >> 7) * 128 + 31);
    EXPECT_EQ(a.Classe_Max[1], (41280 >> 7) * 128);
}

TEST(NiveauxTest, RampeSansPlateauNiveauxAuxExtremes) {
    AnalyseNiveaux a = Analyse([](int i) { return static_cast<uint16_t>(i * 65); });
    a.CAL_CLASSE();
    EXPECT_EQ(a.Recherche[0], 0);
    EXPECT_EQ(a.Recherche[1], 0);
    EXPECT_EQ(a.Math_Low, 0);
    EXPECT_EQ(a.Math_High, 998 * 65); // column 999 is not counted
    EXPECT_EQ(a.Math_Centre, 998 * 65 / 2);
}

TEST(NiveauxTest, FacteurDEtalementDuCoteBas) {
    // Classes kmin..klow of 10 codes each, the top one 15, then a high plateau:
    // over 10 classes of spread a class must reach twice the mean population.
    struct Cas {
        int PremiereClasse;
        int Recherche;
        int32_t Bas;
    } cas[] = {
        {100, 0, 100 * 128 + 64}, // spread 10: mean 11, factor 2, 15 < 22
        {101, 1, 110 * 128 + 31}, // spread 9: mean 11, factor 1, 15 >= 11
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.PremiereClasse);
        std::vector<std::pair<uint16_t, int>> runs;
        for (int k = c.PremiereClasse; k <= 110; ++k)
            runs.push_back({static_cast<uint16_t>(k * 128 + 64), k == 110 ? 15 : 10});
        AnalyseNiveaux a = Analyse(Suite(runs, 60000));
        a.CAL_CLASSE();
        EXPECT_EQ(a.Recherche[0], c.Recherche);
        EXPECT_EQ(a.Math_Low, c.Bas);
        EXPECT_EQ(a.Math_High, (60000 >> 7) * 128);
    }
}

TEST(NiveauxTest, DixHertzSurLesFrontsMontants) {
    AnalyseNiveaux a = Analyse(CarreDepassement);
    a.CAL_CLASSE();
    a.MATH_FREQ();
    EXPECT_EQ(a.IncrM, 10);
    EXPECT_EQ(a.IncrD, 9); // the crossing after column 998 is outside the window
    EXPECT_EQ(a.Abscisse_Centre_M[0], 49);
    EXPECT_EQ(a.Abscisse_Centre_M[9], 949);
    EXPECT_FLOAT_EQ(a.Math_Periode, 0.1f);
    EXPECT_FLOAT_EQ(a.Math_Freq, 10.f);
    char texte[32];
    TEXTE_FREQUENCE(texte, sizeof texte, a.Math_Freq);
    EXPECT_EQ(Texte(texte), " 10.00 Hz");
}

TEST(NiveauxTest, FrontsDescendantsQuandIlsSontPlusNombreux) {
    // High first: 5 falling crossings 200 columns apart, 4 rising ones.
    AnalyseNiveaux a = Analyse([](int i) -> uint16_t { return i % 200 < 100 ? 50000 : 10000; });
    a.CAL_CLASSE();
    a.MATH_FREQ();
    EXPECT_EQ(a.IncrM, 4);
    EXPECT_EQ(a.IncrD, 5);
    EXPECT_EQ(a.Abscisse_Centre_D[0], 99);
    EXPECT_FLOAT_EQ(a.Math_Freq, 5.f);
}

TEST(NiveauxTest, SansDeuxPassagesPeriodeEtFrequenceNulles) {
    const struct {
        const char* Nom;
        std::function<uint16_t(int)> Code;
    } cas[] = {
        {"one step up", [](int i) -> uint16_t { return i < 500 ? 1000 : 60000; }},
        {"one step down", [](int i) -> uint16_t { return i < 500 ? 60000 : 1000; }},
        {"one pulse", [](int i) -> uint16_t { return i >= 400 && i < 600 ? 60000 : 1000; }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.Nom);
        AnalyseNiveaux a = Analyse(c.Code);
        a.CAL_CLASSE();
        a.MATH_FREQ();
        EXPECT_EQ(a.Math_Periode, 0.f);
        EXPECT_EQ(a.Math_Freq, 0.f);
    }
}

// Physical values of one channel in a table of 245 slots per row.
struct Table {
    std::vector<double> Valeurs =
        std::vector<double>(static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne);
    double& operator()(int ligne, int ch) {
        return Valeurs[static_cast<size_t>(ligne) * NombreSlotsColonne + ch];
    }
};

TEST(NiveauxTest, RmsSurDesCyclesEntiersEnSimplePrecision) {
    AnalyseNiveaux a = Analyse(CarreDepassement);
    Table t;
    for (int i = 0; i < ColonnesAnalyse; ++i) t(i, 3) = CarreDepassement(i) / 1000.0 + 0.1;
    a.CAL_CLASSE();
    a.MATH_RMS(t.Valeurs.data(), 3);
    // Rows 49 .. 948: from the first to the last rising crossing.
    float somme = 0.f;
    for (int i = 49; i < 949; ++i) {
        const float x = static_cast<float>(t(i, 3));
        somme += x * x;
    }
    EXPECT_EQ(a.Math_Rms, std::sqrt(somme / 900.f));

    // No cycle: the whole window.
    AnalyseNiveaux constant = Analyse([](int) -> uint16_t { return 7; });
    for (int i = 0; i < ColonnesAnalyse; ++i) t(i, 3) = i < 500 ? 3.0 : -4.0;
    constant.CAL_CLASSE();
    constant.MATH_RMS(t.Valeurs.data(), 3);
    EXPECT_FLOAT_EQ(constant.Math_Rms, std::sqrt(12.5f));
}

TEST(NiveauxTest, FenetreVideSansDivisionParZero) {
    AnalyseNiveaux a;
    a.Abscisse_Fin = 0;
    a.CAL_CLASSE();
    a.MATH_FREQ();
    Table t;
    a.MATH_RMS(t.Valeurs.data(), 0);
    EXPECT_EQ(a.Math_Freq, 0.f);
    EXPECT_EQ(a.Math_Rms, 0.f);
    EXPECT_EQ(MOYENNE_VOIE(t.Valeurs.data(), 0, 0), 0.0);
}

TEST(ValeursTest, ExtremesPremiereLigneEtMoyenne) {
    Table t;
    for (int i = 0; i < ColonnesAnalyse; ++i) t(i, 5) = 1.0;
    t(10, 5) = t(20, 5) = -2.0; // the first row reaching the minimum wins
    t(30, 5) = t(40, 5) = 4.5;
    const tExtreme min = EXTREME_VOIE(t.Valeurs.data(), ColonnesAnalyse, 5, ExtremeMin);
    const tExtreme max = EXTREME_VOIE(t.Valeurs.data(), ColonnesAnalyse, 5, ExtremeMax);
    EXPECT_EQ(min.Valeur, -2.f);
    EXPECT_EQ(min.Ligne, 10);
    EXPECT_EQ(max.Valeur, 4.5f);
    EXPECT_EQ(max.Ligne, 30);
    EXPECT_DOUBLE_EQ(MOYENNE_VOIE(t.Valeurs.data(), ColonnesAnalyse, 5), (996.0 - 4.0 + 9.0) / 1000.0);
}

class VoiesTest : public ::testing::Test {
protected:
    void SetUp() override { RESET_ENTETE(); }
    void TearDown() override { RESET_ENTETE(); }
    void Mot(int c, int s, uint16_t mot) {
        D.TabCyclique[static_cast<size_t>(c) * NombreSlotsColonne + s] = mot;
    }
    void Valeur(int c, int s, double v) {
        D.TabFlottant[static_cast<size_t>(c) * NombreSlotsColonne + s] = v;
    }
    DonneesGraphe D{&EnteteF, &::Setup};
};

TEST_F(VoiesTest, VoieSigneeCodesDansLOrdreDesValeurs) {
    EnteteF.NombreVoiesAnalog = 2;
    EnteteF.NombreVoiesTotal = 2;
    EnteteF.Affichage[1].VoieSignee = 1;
    // A square of +-1000 around 0 in signed words, period 100 columns.
    for (int c = 0; c < ColonnesAnalyse; ++c) {
        const int16_t v = c % 100 < 50 ? -1000 : 1000;
        Mot(c, 1, static_cast<uint16_t>(v));
        Valeur(c, 1, v);
    }
    D.PointeurCyclique = ColonnesAnalyse;
    AnalyseNiveaux a;
    CHARGER_VOIE(a, D, 1, 1000000.0);
    EXPECT_EQ(a.CAL_VALCYC(0), 0x8000 - 1000);
    EXPECT_EQ(a.CAL_VALCYC(50), 0x8000 + 1000);
    EXPECT_EQ(a.BDT_Curseur, 1000.0);
    a.CAL_CLASSE();
    EXPECT_EQ(a.Math_Min, 0x8000 - 1000);
    a.MATH_FREQ();
    EXPECT_FLOAT_EQ(a.Math_Freq, 10.f);
}

TEST_F(VoiesTest, VoieSansMotsBrutsAnalyseeSurSesValeurs) {
    EnteteF.NombreVoiesAnalog = 1;
    EnteteF.NombreVoiesTotal = 2; // channel 1 is computed: no raw word in the table
    for (int c = 0; c < ColonnesAnalyse; ++c) {
        Mot(c, 1, 0);
        Valeur(c, 1, 2.0 * std::sin(2.0 * std::numbers::pi * c / 250.0) - 7.0);
    }
    D.PointeurCyclique = ColonnesAnalyse;
    const tMesuresVoie m = MESURER_VOIE(D, 1, 1000000.0);
    EXPECT_FLOAT_EQ(m.Frequence, 4.f);
    EXPECT_FLOAT_EQ(m.Periode, 0.25f);
    EXPECT_NEAR(m.Min, -9.f, 1e-2);
    EXPECT_NEAR(m.Max, -5.f, 1e-2);
    EXPECT_FLOAT_EQ(m.PicPic, m.Max - m.Min);
    EXPECT_NEAR(m.Moyenne, -7.0, 1e-9);
    EXPECT_NEAR(m.Rms, std::sqrt(49.0 + 2.0), 1e-3);
}

TEST_F(VoiesTest, CreneauxMesuresDUneVoieEnregistree) {
    EnteteF.NombreVoiesAnalog = 1;
    EnteteF.NombreVoiesTotal = 1;
    for (int c = 0; c < ColonnesAnalyse; ++c) {
        Mot(c, 0, CarreDepassement(c));
        Valeur(c, 0, CarreDepassement(c) * 0.001);
    }
    D.PointeurCyclique = ColonnesAnalyse;
    const tMesuresVoie m = MESURER_VOIE(D, 0, 1000000.0);
    EXPECT_EQ(m.Min, 5.f);
    EXPECT_EQ(m.Max, 60.f);
    EXPECT_EQ(m.PicPic, 55.f);
    EXPECT_FLOAT_EQ(m.Frequence, 10.f);
    EXPECT_FLOAT_EQ(m.Periode, 0.1f);
}

// ---- Slots and texts ---------------------------------------------------------------

TEST(TextesMesureTest, Frequences) {
    const struct {
        float F;
        const char* Texte;
    } cas[] = {
        {10.f, " 10.00 Hz"},  {1500.f, " 1.500 KHz"}, {-10.f, " 10.00 Hz"},     {0.09f, "  ---- Hz"},
        {0.f, "  ---- Hz"},   {-1.f, " 1.000 Hz"},    {0.5f, " 0.500 Hz"},      {250.f, " 250.0 Hz"},
        {99.5f, " 99.50 Hz"}, {2.5e6f, " 2.500 MHz"}, {123456.f, " 123.5 KHz"}, {NAN, "  ---- Hz"},
    };
    for (const auto& c : cas) {
        char texte[32];
        TEXTE_FREQUENCE(texte, sizeof texte, c.F);
        EXPECT_EQ(Texte(texte), c.Texte) << c.F;
    }
}

TEST(TextesMesureTest, Periodes) {
    RESET_ENTETE();
    RESET_TEXTE_TEMPS();
    EnteteF.BaseDeTempsInterne = 1;
    EnteteF.PeriodeEchantillon = 1000.f;
    char texte[64];
    TEXTE_PERIODE(texte, sizeof texte, 10.f, EnteteF);
    EXPECT_EQ(Texte(texte), "100ms");
    TEXTE_PERIODE(texte, sizeof texte, 0.f, EnteteF);
    EXPECT_EQ(Texte(texte), "0");
    // External clock: the period is a number of samples.
    EnteteF.BaseDeTempsInterne = 0;
    EnteteF.PeriodeEchantillon = 1.f;
    TEXTE_PERIODE(texte, sizeof texte, 10000.f, EnteteF); // 100 samples
    EXPECT_EQ(Texte(texte), " 100");
    RESET_ENTETE();
}

TEST(TextesMesureTest, EtiquettesEtCreneaux) {
    RESET_ENTETE();
    Langue = 1;
    EnteteF.NombreVoiesTotal = 3;
    std::snprintf(EnteteF.Affichage[0].NomAffiche, sizeof EnteteF.Affichage[0].NomAffiche, "Zero");
    std::snprintf(EnteteF.Affichage[2].NomAffiche, sizeof EnteteF.Affichage[2].NomAffiche, "Pression");
    char texte[128];
    RECUP_LABEL_MATH(texte, sizeof texte, EnteteF, 2, MesurePicPic, 1);
    EXPECT_EQ(Texte(texte), "Pression[Pk_Pk]:");
    RECUP_LABEL_MATH(texte, sizeof texte, EnteteF, 2, MesureRMS, 0);
    EXPECT_EQ(Texte(texte), ":");
    RECUP_LABEL_DIALOGUE(texte, sizeof texte, EnteteF, 2, MesureFrequence);
    EXPECT_EQ(Texte(texte), "     Pression [ Freq ]");
    // A channel beyond the recording shows channel 0, an unknown type type 0.
    RECUP_LABEL_DIALOGUE(texte, sizeof texte, EnteteF, 3, 9);
    EXPECT_EQ(Texte(texte), "     Zero [ Min ]");
    EXPECT_EQ(VOIE_MESUREE(2, EnteteF), 2);
    EXPECT_EQ(VOIE_MESUREE(3, EnteteF), 0);
    Langue = 0;
    RECUP_LABEL_MATH(texte, sizeof texte, EnteteF, 2, MesureMoyenne, 1);
    EXPECT_EQ(Texte(texte), "Pression[Moy]:");

    tConfig c{};
    for (const auto& [stocke, dessines] : {std::pair{0, 0}, {4, 4}, {10, 10}, {11, 10}, {255, 10}}) {
        c.NombreCalcul = static_cast<uint8_t>(stocke);
        EXPECT_EQ(NOMBRE_MESURES(c), dessines) << stocke;
    }
    RESET_ENTETE();
    RESET_LANGUE();
}

TEST(TextesMesureTest, ListeDesVoiesDuDialogue) {
    tOn_Off_VEL p{};
    for (int n : {1, 4, 209, 215, 230}) AJOUT_ONOFF(p, n);
    EXPECT_EQ(VOIE_DE_POSITION(p, 0, 244), 1);
    EXPECT_EQ(VOIE_DE_POSITION(p, 2, 244), 209);
    EXPECT_EQ(VOIE_DE_POSITION(p, 4, 244), 230);
    EXPECT_EQ(VOIE_DE_POSITION(p, 3, 210), 0); // beyond the TKAR limit
    EXPECT_EQ(VOIE_DE_POSITION(p, 3, 228), 215);
    EXPECT_EQ(POSITION_DE_VOIE(p, 215), 3);
    EXPECT_EQ(POSITION_DE_VOIE(p, 2), 0); // not present: the first entry
    RESET_ENTETE();
    EnteteF.FamilleEnregistreur = FamilleTKAR;
    EXPECT_EQ(LIMITE_VOIES_LISTE(EnteteF), 210);
    EnteteF.FamilleEnregistreur = FamilleTKOS;
    EXPECT_EQ(LIMITE_VOIES_LISTE(EnteteF), 228);
    EnteteF.FamilleEnregistreur = FamilleVEL;
    EXPECT_EQ(LIMITE_VOIES_LISTE(EnteteF), 244);
    RESET_ENTETE();
}

} // namespace
