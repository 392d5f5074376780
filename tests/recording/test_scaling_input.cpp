// Numbers typed by the user, in a decimal-point and a decimal-comma culture,
// and number texts that ignore the C runtime's locale.
#include <clocale>
#include <cstring>
#include <string>

#include <QString>

#include "recording/FormatC.h"
#include "recording/SaisieNombre.h"
#include "test_scaling_fixture.h"

namespace {

struct CasSaisie {
    const char* texte;
    uint8_t valide;
    double valeur;
};

void Verifier(const CasSaisie* cas, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        SCOPED_TRACE(cas[i].texte);
        double r = 99.0;
        EXPECT_EQ(TEST_CONVERSION_DOUBLE(r, cas[i].texte), cas[i].valide);
        EXPECT_DOUBLE_EQ(r, cas[i].valeur);
        r = 99.0;
        EXPECT_EQ(TEST_CONVERSION_DOUBLE(r, QString::fromLatin1(cas[i].texte)), cas[i].valide);
        EXPECT_DOUBLE_EQ(r, cas[i].valeur);
    }
}

TEST_F(EchelleTest, SaisieAvecPointDecimal) {
    const CasSaisie cas[] = {
        {"12.5", 1, 12.5}, {"1 2.5", 1, 12.5}, {" -3e2 ", 1, -300}, {"+0.25", 1, 0.25}, {"7", 1, 7},
        {"12,5", 0, 0},    {"", 0, 0},         {"   ", 0, 0},       {"abc", 0, 0},      {"1.2.3", 0, 0},
        {"inf", 0, 0},     {"nan", 0, 0},      {"1e400", 0, 0},     {"-1e400", 0, 0},   {"1\t0", 1, 10},
    };
    Verifier(cas, std::size(cas));
}

TEST_F(EchelleTest, SaisieAvecVirguleDecimale) {
    Francais();
    const CasSaisie cas[] = {
        {"1 2,5", 1, 12.5},
        {"12.5", 1, 12.5},
        {"12,5", 1, 12.5},
        {"-0,25", 1, -0.25},
        {"1\xA0"
         "234,5",
         1, 1234.5}, // no-break space of the code page
        {"1,5e3", 1, 1500},
        {"1.234,5", 0, 0},
        {"abc", 0, 0},
        {"", 0, 0},
        {"inf", 0, 0},
    };
    Verifier(cas, std::size(cas));
    // The culture's own group separator (narrow no-break space) counts as a blank.
    double r = 0;
    EXPECT_EQ(TEST_CONVERSION_DOUBLE(r, QString::fromUtf16(u"1\u202F234,5")), 1);
    EXPECT_DOUBLE_EQ(r, 1234.5);
}

TEST_F(EchelleTest, SaisieNulle) {
    double r = 5.0;
    EXPECT_EQ(TEST_CONVERSION_DOUBLE(r, static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(r, 0.0);
}

// Qt applications take LC_NUMERIC from the environment; the texts must keep ".".
// (Run with LOCPATH pointing at a compiled fr_FR locale where none is installed.)
TEST_F(EchelleTest, TextesIndependantsDuLocaleC) {
    const char* ancien = std::setlocale(LC_NUMERIC, nullptr);
    const std::string sauve = ancien ? ancien : "C";
    const char* virgule = nullptr;
    for (const char* nom : {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8", "de_DE.utf8", "fr_FR", "de_DE"})
        if (std::setlocale(LC_NUMERIC, nom)) {
            virgule = nom;
            break;
        }
    if (!virgule) GTEST_SKIP() << "no decimal-comma C locale installed";
    char t[32];
    ECRIRE_FORMAT(t, sizeof t, "%5.2f|%7.1E|%s", 1.5, 12345.0, "a,b");
    Format(0, 0, 1, 3);
    NombreDigit6 = 0;
    char v[32];
    CALCUL_MESSAGE(v, 2500.0, 0, 0);
    std::setlocale(LC_NUMERIC, sauve.c_str());
    EXPECT_STREQ(t, " 1.50|1.2E+04|a,b"); // inserted texts are left alone
    EXPECT_STREQ(v, " 2.500K");
}

TEST_F(EchelleTest, EcritureBornee) {
    char t[4] = "abc";
    EXPECT_EQ(ECRIRE_FORMAT(t, 0, "%d", 12345), 0u);
    EXPECT_STREQ(t, "abc");
    EXPECT_EQ(ECRIRE_FORMAT(t, sizeof t, "%d", 12345), 3u);
    EXPECT_STREQ(t, "123");
    char u[6] = "ab";
    AJOUT_BORNE(u, sizeof u, "cdefgh");
    EXPECT_STREQ(u, "abcde");
    AJOUT_BORNE(u, 0, "x");
    EXPECT_STREQ(u, "abcde");
}

} // namespace
