// Raw words to physical values, the position-to-value rule and the display
// scale chosen from a channel's range.
#include <cmath>
#include <cstdint>
#include <limits>

#include "test_scaling_fixture.h"

namespace {

struct CasLoi {
    const char* nom;
    uint8_t loi;
    int16_t famille;
    uint8_t revision;
    uint8_t nouvelleFormule;
    uint16_t brut;
    double attendu;
};

// Every case: Decalage 0, Gain 0.5, CoefA 2, CoefB 3, CoefC 0.0078125 (2^-7), CoefD -5.
// Raw 256 gives v = 128 before the law.
const double v = 128.0, C = 0.0078125;
const CasLoi casLois[] = {
    {"aucune", 0, FamilleVEL, 0, 1, 256, v},
    {"deux points (pente, decalage)", 1, FamilleVEL, 0, 1, 256, 2 * v + 3},
    {"lineaire", 2, FamilleVEL, 0, 1, 256, 2 * v + 3},
    {"valeur absolue, v positif", 3, FamilleVEL, 0, 1, 256, 2 * v + 3},
    {"polynome TKAR revision 0", 4, FamilleTKAR, 0, 0, 256, 2 * v* v + 3},
    {"polynome TKAR revision 1", 4, FamilleTKAR, 1, 0, 256, 2 * v* v + 3},
    {"polynome TKAR revision 2", 4, FamilleTKAR, 2, 0, 256, 2 * v* v + 3 * v + C},
    {"polynome TKOS revision 0", 4, FamilleTKOS, 0, 0, 256, 2 * v* v + 3 * v + C},
    {"polynome VEL", 4, FamilleVEL, 0, 1, 256, 2 * v* v + 3 * v + C},
    {"logarithme", 5, FamilleVEL, 0, 1, 256, 2 * std::log(v) + 3},
    {"logarithme de zero", 5, FamilleVEL, 0, 1, 0, 2 * std::log(1e-9) + 3},
    {"racine, nouvelle formule", 6, FamilleVEL, 0, 1, 256, 2 * std::sqrt(std::fabs(-5 * v + C)) + 3},
    {"racine, ancienne formule", 6, FamilleTKAR, 3, 0, 256, 2 * std::sqrt(std::fabs(C + v)) + 3},
    {"exponentielle", 7, FamilleVEL, 0, 1, 256, 2 * std::exp(1.0) + 3},
    {"inverse", 8, FamilleVEL, 0, 1, 256, 2 * C + 3},
    {"inverse de zero", 8, FamilleVEL, 0, 1, 0, 2 * 1e12 + 3},
    {"code inconnu 9", 9, FamilleVEL, 0, 1, 256, v},
    {"voie fonction du viewer", 12, FamilleVEL, 0, 1, 256, v},
};

TEST_F(EchelleTest, ChaqueLoiDeConversion) {
    for (const CasLoi& c : casLois) {
        SCOPED_TRACE(c.nom);
        RESET_ENTETE();
        EnteteF.FamilleEnregistreur = c.famille;
        EnteteF.Revision = c.revision;
        EnteteF.NouvelleFormule = c.nouvelleFormule;
        tCalibVoie& voie = EnteteF.CalibVoie[3];
        voie.Decalage = 0.0f;
        voie.Gain = 0.5f;
        voie.CoefA = 2.0f;
        voie.CoefB = 3.0f;
        voie.CoefC = static_cast<float>(C);
        voie.CoefD = -5.0f;
        voie.TypeConversion = c.loi;
        EXPECT_DOUBLE_EQ(RECUP_VALEUR(c.brut, 3), c.attendu);
    }
}

TEST_F(EchelleTest, ValeurAbsolueDUnePenteNegative) {
    tCalibVoie& voie = EnteteF.CalibVoie[0];
    voie.Decalage = 100.0f;
    voie.Gain = 0.5f;
    voie.CoefA = 2.0f;
    voie.CoefB = 3.0f;
    voie.TypeConversion = 3;
    EXPECT_DOUBLE_EQ(RECUP_VALEUR(0, 0), 2 * 50.0 + 3); // v = -50
    voie.TypeConversion = 2;
    EXPECT_DOUBLE_EQ(RECUP_VALEUR(0, 0), 2 * -50.0 + 3);
}

TEST_F(EchelleTest, LogarithmeDUneValeurNegative) {
    tCalibVoie& voie = EnteteF.CalibVoie[0];
    voie.Decalage = 10.0f;
    voie.Gain = 1.0f;
    voie.CoefA = 1.0f;
    voie.TypeConversion = 5;
    EXPECT_DOUBLE_EQ(RECUP_VALEUR(0, 0), std::log(1e-9));
}

TEST_F(EchelleTest, DecalageEtGainAvantLaLoi) {
    tCalibVoie& voie = EnteteF.CalibVoie[7];
    voie.Decalage = 32768.0f;
    voie.Gain = 0.25f;
    EXPECT_DOUBLE_EQ(RECUP_VALEUR(32768 + 400, 7), 100.0);
    EXPECT_DOUBLE_EQ(RECUP_VALEUR(0, 7), -8192.0);
}

struct CasSigne {
    uint16_t brut;
    double nonSigne, signe;
};

TEST_F(EchelleTest, MotsSignesDesVoiesSupplementaires) {
    const CasSigne cas[] = {{0x0000, 0, 0},
                            {0x7FFF, 32767, 32767},
                            {0x8000, 32768, -32768},
                            {0xFFFF, 65535, -1},
                            {0x8001, 32769, -32767}};
    EnteteF.CalibVoie[5].Gain = 1.0f;
    EnteteF.CalibVoie[6].Gain = 1.0f;
    EnteteF.Affichage[6].VoieSignee = 1;
    for (const CasSigne& c : cas) {
        SCOPED_TRACE(c.brut);
        EXPECT_DOUBLE_EQ(RECUP_VALEUR(c.brut, 5), c.nonSigne);
        EXPECT_DOUBLE_EQ(RECUP_VALEUR(c.brut, 6), c.signe);
    }
    // The offset applies after the sign: -32768 - 10.
    EnteteF.CalibVoie[6].Decalage = 10.0f;
    EXPECT_DOUBLE_EQ(RECUP_VALEUR(0x8000, 6), -32778.0);
}

TEST_F(EchelleTest, VoieHorsTableDonneZero) {
    EXPECT_EQ(RECUP_VALEUR(1234, -1), 0.0);
    EXPECT_EQ(RECUP_VALEUR(1234, NombreVoiesTable), 0.0);
    EXPECT_EQ(RECUP_FLOAT(50000, NombreVoiesTable), 0.0f);
    CALCUL_FLOAT(-1); // nothing to change, nothing touched
    CALCUL_FLOAT(NombreVoiesConfig);
}

TEST_F(EchelleTest, PositionEnValeur) {
    Config.ParamVoie[2].BorneMin = -10.0f;
    Config.ParamVoie[2].BorneMax = 30.0f;
    EXPECT_FLOAT_EQ(RECUP_FLOAT(0, 2), -10.0f);
    EXPECT_FLOAT_EQ(RECUP_FLOAT(100000, 2), 30.0f);
    EXPECT_FLOAT_EQ(RECUP_FLOAT(25000, 2), 0.0f);
    EXPECT_FLOAT_EQ(RECUP_FLOAT(-50000, 2), -30.0f);
    EXPECT_FLOAT_EQ(RECUP_FLOAT(150000, 2), 50.0f);
}

struct CasEchelle {
    float min, max;
    uint8_t format;
    int exposant, decimales;
};

TEST_F(EchelleTest, EchelleChoisieDepuisLaPlage) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // One case per line, so that each comment stays with its case.
    // clang-format off
    const CasEchelle cas[] = {
        {-2500, 2500, 0, 1, 3},    // 2.500K
        {-0.02f, 0.02f, 0, -1, 2}, // 20.00m
        {0, 0, 0, 0, 3},
        {-10, 10, 0, 0, 2},
        {0, 999.9f, 0, 0, 1},
        {0, 1000, 0, 1, 3},
        {-1000, 5, 0, 1, 3},       // the larger magnitude counts, whatever its sign
        {0, 1, 0, 0, 3},
        {0, 0.5f, 0, -1, 1},       // 500.0m
        {0, 0.001f, 0, -1, 3},
        {0, 0.00099f, 0, -2, 1},
        {0, 2e-12f, 0, -4, 3},
        {0, 1.5e-13f, 0, -5, 1},   // beyond the prefix letters
        {0, 3e38f, 0, 12, 1},
        {0, 2500, 1, 0, 0},        // fixed format keeps no prefix
        {0, 50, 1, 0, 2},          // fixed format without prefix keeps its decimals
        {0, 0.02f, 1, 0, 0},
        {0, 2500, 2, 1, 3},
        {-inf, inf, 0, 0, 3},
        {0, nan, 0, 0, 3},
    };
    // clang-format on
    for (const CasEchelle& c : cas) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " format " << int(c.format));
        Config.ParamVoie[9].BorneMin = c.min;
        Config.ParamVoie[9].BorneMax = c.max;
        Config.ParamVoie[9].FormatAffichage = c.format;
        CALCUL_FLOAT(9);
        EXPECT_EQ(Config.ParamVoie[9].ExposantUnite, c.exposant);
        EXPECT_EQ(Config.ParamVoie[9].NombreDecimales, c.decimales);
    }
}

TEST_F(EchelleTest, EgaliteDeFlottants) {
    EXPECT_TRUE(FLOAT_EGAL(1.0, 1.0));
    EXPECT_TRUE(FLOAT_EGAL(1.0, 1.0 + 5e-11));
    EXPECT_FALSE(FLOAT_EGAL(1.0, 1.0 + 2e-10));
    EXPECT_FALSE(FLOAT_EGAL(0.0, std::nan("")));
}

} // namespace
