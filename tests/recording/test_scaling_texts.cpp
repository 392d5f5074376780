// Value texts: engineering prefixes, fixed and exponent formats, decimals and
// the coefficient texts.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "test_scaling_fixture.h"

namespace {

std::string Message(double valeur, int n, int mode) {
    char texte[64];
    CALCUL_MESSAGE(texte, valeur, n, mode);
    return texte;
}

std::string Unite(int n, int e) {
    char texte[32] = "x";
    AJOUTER_UNITE(texte, n, e);
    return texte;
}

std::string Coeff(double c) {
    char texte[64];
    CALCUL_MESS_COEFF(texte, c);
    return texte;
}

TEST_F(EchelleTest, LettresDesPrefixes) {
    EXPECT_STREQ(TabFormat[0], "p");
    EXPECT_STREQ(TabFormat[2], "\xB5"); // micro sign of the 8-bit code page
    const char* attendus[] = {"xp", "xn", "x\xB5", "xm", "x ", "xK", "xM", "xG", "xT"};
    for (int e = -4; e <= 4; ++e) EXPECT_EQ(Unite(1, e), attendus[e + 4]) << e;
}

TEST_F(EchelleTest, ExposantsEnFormatExposant) {
    Format(1, 2, 0, 3);
    EXPECT_EQ(Unite(1, 0), "x "); // power 0 keeps the blank
    EXPECT_EQ(Unite(1, 1), "xE+3");
    EXPECT_EQ(Unite(1, -1), "xE-3");
    EXPECT_EQ(Unite(1, -2), "xE-6");
    EXPECT_EQ(Unite(1, 3), "xE+9");
    EXPECT_EQ(Unite(1, 4), "xE+12");
    EXPECT_EQ(Unite(1, -4), "xE-12");
}

TEST_F(EchelleTest, PuissancesSansLettreEcritesEnExposant) {
    EXPECT_EQ(Unite(1, 5), "xE+15");
    EXPECT_EQ(Unite(1, -5), "xE-15");
    EXPECT_EQ(Unite(1, 7), "xE+21");
    EXPECT_EQ(Unite(1, 127), "xE+381");
}

TEST_F(EchelleTest, SansUniteRienNEstAjoute) {
    AffSansUnite = 1;
    EXPECT_EQ(Unite(1, 1), "x");
    Format(1, 2, 0, 3);
    EXPECT_EQ(Unite(1, 1), "x");
}

struct CasMessage {
    double valeur;
    int format, exposant, decimales;
    uint8_t digit6;
    int mode;
    const char* attendu;
};

TEST_F(EchelleTest, TextesDeValeurs) {
    const double inf = std::numeric_limits<double>::infinity();
    const CasMessage cas[] = {
        // Ranges of +-2500 and +-0.02 (see the scale test).
        {2500, 0, 1, 3, 0, 0, " 2.500K"},
        {-2500, 0, 1, 3, 0, 0, "-2.500K"},
        {0.02, 0, -1, 2, 0, 0, " 20.00m"},
        {0.02, 0, -1, 2, 1, 0, " 20.000m"},
        {1.5, 0, 0, 3, 1, 1, " 1.5 "},
        {1.5, 0, 0, 3, 0, 0, " 1.500 "},
        {1.5, 0, 0, 3, 1, 0, " 1.5000 "},
        // Width: the padding goes before the sign, which stays against the number.
        {-2.5, 0, 0, 1, 0, 0, "  -2.5 "},
        {999.9, 0, 0, 1, 0, 0, " 999.9 "},
        {999.9, 0, 0, 1, 1, 0, " 999.90 "},
        {999.96, 0, 0, 1, 0, 0, " 1000.0 "},
        {1000, 0, 1, 3, 0, 0, " 1.000K"},
        {0.0004, 0, 0, 3, 0, 0, " 0.000 "},
        {-0.0004, 0, 0, 3, 0, 0, "-0.000 "},
        {0, 0, 0, 3, 0, 0, " 0.000 "},
        {-0.0, 0, 0, 3, 0, 0, " 0.000 "},
        {0, 0, 0, 3, 0, 1, " 0 "},
        // No decimals: width 4 and a kept point, removed in mode 1.
        {42, 0, 0, 0, 0, 0, "  42. "},
        {40, 0, 0, 0, 0, 1, "  40 "},
        {40, 0, 0, 0, 1, 1, "  40 "},
        {100, 0, 0, 0, 1, 0, " 100.0 "},
        {123.456, 0, 0, 0, 0, 0, " 123. "},
        {0.5, 0, 0, 0, 0, 0, "   0. "},
        // Mode 1 stops at the point.
        {10, 0, 0, 2, 0, 1, " 10 "},
        {10.5, 0, 0, 2, 0, 1, " 10.5 "},
        {-0.25, 0, -1, 1, 0, 1, "-250m"},
        // Mode 2: zero padding, no forced point.
        {3.25, 0, 0, 2, 0, 2, " 03.25 "},
        {-3.25, 0, 0, 2, 0, 2, "-03.25 "},
        {3, 0, 0, 0, 0, 2, " 0003 "},
        {3.25, 0, 0, 2, 1, 2, " 03.250 "},
        // Rounding of the last decimal.
        {2.0006, 0, 0, 3, 0, 0, " 2.001 "},
        {2.0004, 0, 0, 3, 0, 0, " 2.000 "},
        // Exponent format and fixed format.
        {2500, 2, 1, 3, 0, 0, " 2.500E+3"},
        {0.002, 2, -1, 3, 0, 0, " 2.000E-3"},
        {25, 2, 0, 2, 0, 0, " 25.00 "},
        {2500, 1, 0, 0, 0, 0, " 2500. "},
        // Prefix beyond the table.
        {2.5e15, 0, 5, 3, 0, 0, " 2.500E+15"},
        // Non-finite values.
        {std::nan(""), 0, 0, 3, 0, 0, "   nan "},
        {inf, 0, 0, 3, 0, 0, "   inf "},
        {-inf, 0, 0, 3, 0, 0, "  -inf "},
        {inf, 0, 0, 3, 0, 1, "   inf "},
    };
    for (const CasMessage& c : cas) {
        SCOPED_TRACE(testing::Message()
                     << c.valeur << " format " << c.format << " e " << c.exposant << " dec " << c.decimales
                     << " digit6 " << int(c.digit6) << " mode " << c.mode);
        Format(4, c.format, c.exposant, c.decimales);
        NombreDigit6 = c.digit6;
        EXPECT_EQ(Message(c.valeur, 4, c.mode), c.attendu);
    }
}

TEST_F(EchelleTest, DecimalesDUnFichierDeConfigurationHorsLimites) {
    Format(4, 0, 0, 200);
    NombreDigit6 = 0;
    EXPECT_EQ(Message(1.0, 4, 0), " 1.000000000 ");
    NombreDigit6 = 1;
    EXPECT_EQ(Message(1.0, 4, 0), " 1.0000000000 ");
}

TEST_F(EchelleTest, ExposantExtremeSansDebordement) {
    Format(4, 0, -128, 3);
    NombreDigit6 = 0;
    EXPECT_EQ(Message(1.0, 4, 0), "   infE-384");
    Format(4, 0, 127, 3);
    EXPECT_EQ(Message(1.0, 4, 0), " 0.000E+381");
}

TEST_F(EchelleTest, VoieHorsTableFormateeSansPrefixe) {
    NombreDigit6 = 0;
    EXPECT_EQ(Message(1.5, -1, 0), " 1.500 ");
    EXPECT_EQ(Message(1.5, NombreVoiesConfig, 0), " 1.500 ");
}

TEST_F(EchelleTest, TextesCoupesALaTailleDuTampon) {
    Format(4, 0, 1, 3);
    char petit[5];
    CALCUL_MESSAGE(petit, 2500.0, 4, 0);
    EXPECT_STREQ(petit, " 2.5");
    char unSeul[1];
    CALCUL_MESSAGE(unSeul, 2500.0, 4, 0);
    EXPECT_STREQ(unSeul, "");
    char plein[8] = "1234567"; // no room left: the prefix is dropped, the text stays terminated
    AJOUTER_UNITE(plein, 4, 1);
    EXPECT_STREQ(plein, "1234567");
    char grand[400];
    Format(4, 0, 0, 3);
    CALCUL_MESSAGE(grand, 1e300, 4, 0);
    EXPECT_EQ(std::strlen(grand), 1 + 301 + 5 + 1u); // sign, digits, ".0000", prefix blank
}

TEST_F(EchelleTest, ValeurALaPositionPourLesGraduations) {
    Config.ParamVoie[3].BorneMin = 0.0f;
    Config.ParamVoie[3].BorneMax = 10.0f;
    Format(3, 0, 0, 2);
    char texte[32];
    MESSAGE_ENTREE_COMPRESSER(texte, 3, 25000);
    EXPECT_STREQ(texte, "  2.5"); // no extra digit, no prefix
    MESSAGE_ENTREE_COMPRESSER(texte, 3, 100000);
    EXPECT_STREQ(texte, " 10");
    // The callers' settings are left as they were.
    EXPECT_EQ(NombreDigit6, 1);
    EXPECT_EQ(AffSansUnite, 0);
    EXPECT_EQ(Message(2.5, 3, 1), "  2.5 "); // with the extra digit and the prefix
    Config.ParamVoie[3].BorneMin = -0.02f;
    Config.ParamVoie[3].BorneMax = 0.02f;
    CALCUL_FLOAT(3);
    MESSAGE_ENTREE_COMPRESSER(texte, 3, 0);
    EXPECT_STREQ(texte, "-20");
}

struct CasCoeff {
    double coefficient;
    const char* attendu;
    int expo;
};

TEST_F(EchelleTest, TextesDeCoefficients) {
    const double inf = std::numeric_limits<double>::infinity();
    const CasCoeff cas[] = {
        {1.5, " 1.500", 0},          {-1.5, "-1.500", 0},
        {999.5, " 999.500", 0},      {1000, " 1.000E+3", 1},
        {1500, " 1.500E+3", 1},      {-2.5e6, "-2.500E+6", 2},
        {3e9, " 3.000E+9", 3},       {1e13, " 10000.000E+9", 3}, // three divisions at most
        {0.5, " 0.5000", 0},         {0.001, " 0.0010", 0},
        {0.0005, " 0.5000E-3", -1}, // four decimals chosen before the correction
        {-0.0005, "-0.5000E-3", -1}, {1e-9, " 0.0000E-3", -1},
        {0.0, " 0.0000", -1}, // zero: no suffix
        {std::nan(""), " 1.000", 0}, {inf, " 1.000", 0},
        {-inf, " 1.000", 0},         {12.3456, " 12.346", 0},
    };
    for (const CasCoeff& c : cas) {
        SCOPED_TRACE(c.coefficient);
        EXPECT_EQ(Coeff(c.coefficient), c.attendu);
        EXPECT_EQ(ExpoReel, c.expo);
    }
}

} // namespace
