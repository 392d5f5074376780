// Time texts with their units, sample-count texts of the external clock.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "test_scaling_fixture.h"

namespace {

std::string Temps(double t) {
    char texte[64];
    CALCUL_VRAI_TEMPS(texte, t);
    return texte;
}

std::string Compte(double n) {
    char texte[64];
    CALCUL_TEMPS_EXTERNE(texte, n);
    return texte;
}

struct CasTemps {
    double microsecondes;
    const char* attendu;
};

TEST_F(EchelleTest, TempsAChaqueSeuilDUnite) {
    const CasTemps cas[] = {
        {0, "0"},
        {5e-11, "0"},
        {-5e-11, "0"},
        {0.0004, "0\xB5s"}, // above the zero threshold, rounded to 0
        {0.001, "0.001\xB5s"},
        {0.5, "0.5\xB5s"},
        {0.05, "0.05\xB5s"},
        {0.12, "0.12\xB5s"},
        {1, "1\xB5s"},
        {999, "999\xB5s"},
        {999.4, "999.4\xB5s"},
        {999.9996, "1000\xB5s"}, // the unit is chosen before rounding
        {1000, "1ms"},
        {1001, "1.001ms"},
        {1050, "1.05ms"},
        {1120, "1.12ms"},
        {1500, "1.5ms"},
        {999999, "999.999ms"},
        {999999.9, "1000ms"},
        {1e6, "1s"},
        {2.5e6, "2.5s"},
        {59.9999e6, "60s"},
        {60e6, "1min"},
        {125e6, "2.05min"},
        {90e6, "1.30min"},
        {3599e6, "59.59min"},
        {3600e6, "1H"},
        {5400e6, "1.30H"},
        {23.5 * 3600e6, "23.30H"},
        {-1500, "-1.5ms"},
        {-0.5, "-0.5\xB5s"},
        {-125e6, "-2.05min"},
    };
    for (const CasTemps& c : cas) {
        SCOPED_TRACE(c.microsecondes);
        EXPECT_EQ(Temps(c.microsecondes), c.attendu);
    }
}

TEST_F(EchelleTest, TempsEnJours) {
    const double heure = 3600e6;
    EXPECT_EQ(Temps(24 * heure), "1D00:00:00");
    EXPECT_EQ(Temps(26.5 * heure), "1D02:30:00");
    EXPECT_EQ(Temps(-26.5 * heure), "-1D02:30:00");
    EXPECT_EQ(Temps(49 * heure + 61e6), "2D01:01:01");
    Francais(); // the culture's short time
    EXPECT_EQ(Temps(26.5 * heure), "1D02:30");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Temps(26.5 * heure), "1D2:30 AM");
}

TEST_F(EchelleTest, TempsNonFinisOuEnormes) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Temps(std::nan("")), "nan");
    EXPECT_EQ(Temps(inf), "inf");
    EXPECT_EQ(Temps(-inf), "-inf");
    char court[12];
    CALCUL_VRAI_TEMPS(court, 1e300);
    EXPECT_EQ(std::strlen(court), 11u);
    EXPECT_EQ(std::string(court).find_first_not_of("0123456789"), std::string::npos);
    char vide[1] = {'x'};
    CALCUL_VRAI_TEMPS(vide, 1500.0);
    EXPECT_EQ(vide[0], '\0');
}

TEST_F(EchelleTest, ComptesDEchantillons) {
    const double inf = std::numeric_limits<double>::infinity();
    const CasTemps cas[] = {
        {0, "   0"},        {123, " 123"},        {123.9, " 123"},     {-5.7, "  -5"},
        {9999, "9999"},     {9999.9, "9999"},     {-9999.9, "-9999"},  {10000, "1.0E+04"},
        {12345, "1.2E+04"}, {-12345, "-1.2E+04"}, {1e300, "1.0E+300"}, {std::nan(""), "    NAN"},
        {inf, "    INF"},
    };
    for (const CasTemps& c : cas) {
        SCOPED_TRACE(c.microsecondes);
        EXPECT_EQ(Compte(c.microsecondes), c.attendu);
    }
}

TEST_F(EchelleTest, BaseDeTempsChoisieParLaPeriode) {
    char texte[32];
    CALCUL_TEMPS_TIME_BASE(texte, 1500.0, 0.0); // external clock: a count
    EXPECT_STREQ(texte, "1500");
    CALCUL_TEMPS_TIME_BASE(texte, 1500.0, 1.0);
    EXPECT_STREQ(texte, "1.5ms");
    CALCUL_TEMPS_TIME_BASE(texte, 12345.0, 0.0);
    EXPECT_STREQ(texte, "1.2E+04");
    CALCUL_TEMPS_TIME_BASE(texte, 12345.0, 0.25);
    EXPECT_STREQ(texte, "12.345ms");
}

} // namespace
