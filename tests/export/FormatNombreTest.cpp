// The number writer gives the C library's characters for "%8.4e", "%8.5f" and
// "%f" on edge values and on many random values of every magnitude.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "export/FormatNombre.h"

namespace {

struct Format {
    const char* C;
    char* (*Rapide)(char*, double);
};
const Format Formats[] = {{"%8.4e", &ECRIRE_EXPOSANT}, {"%8.5f", &ECRIRE_FIXE}, {"%f", &ECRIRE_DECIMAL}};

// Number of values whose text differs, the first few reported.
int Comparer(double v, int& rapportes) {
    int ecarts = 0;
    for (const Format& f : Formats) {
        char attendu[512], obtenu[TailleMaxNombre + 1];
        std::snprintf(attendu, sizeof attendu, f.C, v);
        *f.Rapide(obtenu, v) = '\0';
        if (std::strcmp(attendu, obtenu) != 0) {
            ++ecarts;
            if (++rapportes <= 10)
                ADD_FAILURE() << f.C << " of " << std::hexfloat << v << ": \"" << attendu << "\" != \""
                              << obtenu << "\"";
        }
    }
    return ecarts;
}

TEST(FormatNombre, EdgeValues) {
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double valeurs[] = {0.0,
                              -0.0,
                              1.5,
                              -1.5,
                              0.5,
                              1.0,
                              9.99995,
                              9.999949999,
                              99999.5,
                              0.000005,
                              -0.000005,
                              0.0000049999,
                              0.000015,
                              2.5e-5,
                              0.125,
                              1e-7,
                              -1e-9,
                              123456789.0,
                              1e15,
                              1e16,
                              1e22,
                              1e100,
                              1e300,
                              1e-300,
                              5e-324,
                              -5e-324,
                              2.2250738585072014e-308,
                              std::numeric_limits<double>::max(),
                              -std::numeric_limits<double>::max(),
                              inf,
                              -inf,
                              nan,
                              -nan,
                              0.1,
                              0.2,
                              0.3,
                              1.0 / 3.0,
                              2.0 / 3.0,
                              65535.0,
                              -32768.0,
                              1e5,
                              9.5e-5};
    int rapportes = 0;
    for (const double v : valeurs) Comparer(v, rapportes);
    // The texts the export files rely on.
    char t[TailleMaxNombre + 1];
    *ECRIRE_EXPOSANT(t, 1.5) = '\0';
    EXPECT_STREQ(t, "1.5000e+00");
    *ECRIRE_EXPOSANT(t, -1e-300) = '\0';
    EXPECT_STREQ(t, "-1.0000e-300");
    *ECRIRE_EXPOSANT(t, nan) = '\0';
    EXPECT_STREQ(t, "     nan");
    *ECRIRE_EXPOSANT(t, -nan) = '\0';
    EXPECT_STREQ(t, "    -nan");
    *ECRIRE_FIXE(t, 0.5) = '\0';
    EXPECT_STREQ(t, " 0.50000");
    *ECRIRE_FIXE(t, -0.0) = '\0';
    EXPECT_STREQ(t, "-0.00000");
    *ECRIRE_FIXE(t, -inf) = '\0';
    EXPECT_STREQ(t, "    -inf");
    *ECRIRE_DECIMAL(t, -inf) = '\0';
    EXPECT_STREQ(t, "-inf");
    *ECRIRE_DECIMAL(t, 0.25) = '\0';
    EXPECT_STREQ(t, "0.250000");
}

TEST(FormatNombre, RandomValuesOfEveryMagnitude) {
    std::mt19937_64 alea(20240615);
    std::uniform_real_distribution<double> unite(-1.0, 1.0);
    std::uniform_int_distribution<int> exposant(-40, 40);
    int ecarts = 0, rapportes = 0;
    for (int i = 0; i < 200000; ++i) {
        // Any bit pattern (NaN payloads, subnormals, huge values included).
        const uint64_t bits = alea();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        ecarts += Comparer(v, rapportes);
        // Physical values: moderate magnitudes, and values close to the rounding points.
        ecarts += Comparer(std::ldexp(unite(alea), exposant(alea)), rapportes);
        const double arrondi = std::round(unite(alea) * 1e6) / 1e5 + 5e-6;
        ecarts += Comparer(arrondi, rapportes);
        ecarts += Comparer(std::nextafter(arrondi, 0.0), rapportes);
        ecarts += Comparer(static_cast<double>(static_cast<float>(unite(alea) * 65536.0)) * 1e-3, rapportes);
    }
    EXPECT_EQ(ecarts, 0);
}

} // namespace
