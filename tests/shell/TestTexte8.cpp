// Windows-1252 <-> Unicode conversions.
#include "shell/Cp1252.h"
#include "shell/Texte8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

TEST(Texte8, EveryByteSurvivesARoundTrip) {
    std::string octets;
    for (int b = 1; b < 256; ++b) octets.push_back(static_cast<char>(b));
    const QString texte = DepuisCp1252(octets.c_str());
    ASSERT_EQ(texte.size(), 255);
    std::set<char16_t> vus;
    for (int b = 1; b < 256; ++b) {
        EXPECT_EQ(texte.at(b - 1).unicode(), TableCp1252[b]) << b;
        EXPECT_TRUE(vus.insert(TableCp1252[b]).second)
            << "two bytes give U+" << std::hex << int(TableCp1252[b]);
    }
    EXPECT_EQ(VersCp1252(texte), octets);
    EXPECT_EQ(Utf8VersCp1252(Cp1252VersUtf8(octets.c_str())), octets);
}

TEST(Texte8, CodePageSpecificBytes) {
    const struct {
        unsigned char Octet;
        char16_t Unicode;
    } cas[] = {
        {0x41, u'A'},
        {0x80, 0x20AC},
        {0x85, 0x2026},
        {0x8A, 0x0160},
        {0x92, 0x2019},
        {0x99, 0x2122},
        {0x9F, 0x0178},
        {0xA0, 0x00A0},
        {0xB0, 0x00B0},
        {0xB5, 0x00B5},
        {0xE4, 0x00E4},
        {0xFF, 0x00FF},
        // The five bytes the code page leaves undefined keep their value as C1 controls.
        {0x81, 0x0081},
        {0x8D, 0x008D},
        {0x8F, 0x008F},
        {0x90, 0x0090},
        {0x9D, 0x009D},
    };
    for (const auto& c : cas) {
        const char octet[2] = {static_cast<char>(c.Octet), '\0'};
        EXPECT_EQ(DepuisCp1252(octet), QString(QChar(c.Unicode))) << int(c.Octet);
        EXPECT_EQ(VersCp1252(QString(QChar(c.Unicode))), std::string(1, static_cast<char>(c.Octet)));
    }
}

TEST(Texte8, UnmappableCharactersBecomeOneQuestionMarkEach) {
    EXPECT_EQ(VersCp1252(QString::fromUtf8("a\xCE\xA9z")), "a?z");       // Greek omega
    EXPECT_EQ(VersCp1252(QString::fromUtf8("\xF0\x9F\x98\x80!")), "?!"); // outside the basic plane
    EXPECT_EQ(VersCp1252(QString(QChar(0xD800))), "?");                  // lone surrogate
    EXPECT_EQ(VersCp1252(QString(QChar(0x0080))), "?");                  // C1 control not in the page
    EXPECT_EQ(Utf8VersCp1252("\xFF\xFE"), "??");                         // invalid UTF-8
    EXPECT_EQ(VersCp1252(QString()), "");
    const QString avecNul = QString::fromUtf8("a") + QChar(0) + QString::fromUtf8("b");
    EXPECT_EQ(VersCp1252(avecNul), std::string("a\0b", 3));
}

TEST(Texte8, UnitsAndAccentsBothWays) {
    EXPECT_EQ(Cp1252VersUtf8("\xB0"
                             "C"),
              "°C");
    EXPECT_EQ(Cp1252VersUtf8("\xB5S"), "µS");
    EXPECT_EQ(Utf8VersCp1252("Période €"), "P\xE9riode \x80");
    EXPECT_EQ(Cp1252VersUtf8(nullptr), "");
    EXPECT_TRUE(DepuisCp1252(nullptr).isEmpty());
}

TEST(Texte8, CountedFormStopsAtNulOrCount) {
    const char champ[6] = {'V', 'o', 'i', 'e', '1', '2'}; // a full field, no NUL
    EXPECT_EQ(DepuisCp1252(champ, 6), QString::fromUtf8("Voie12"));
    EXPECT_EQ(DepuisCp1252(champ, 3), QString::fromUtf8("Voi"));
    EXPECT_EQ(DepuisCp1252("ab\0cd", 5), QString::fromUtf8("ab"));
    EXPECT_TRUE(DepuisCp1252("ab", 0).isEmpty());
    EXPECT_TRUE(DepuisCp1252("ab", -4).isEmpty());
    EXPECT_TRUE(DepuisCp1252(nullptr, 4).isEmpty());
}

TEST(Texte8, ConvertStringCharAlwaysTerminates) {
    char tampon[8];
    CONVERT_STRING_CHAR(QString::fromUtf8("Zürich"), tampon);
    EXPECT_STREQ(tampon, "Z\xFCrich");

    struct {
        char Texte[5];
        char Garde[4];
    } t{};
    std::memset(t.Garde, 'G', sizeof t.Garde);
    CONVERT_STRING_CHAR(QString::fromUtf8("abcdefgh"), t.Texte);
    EXPECT_STREQ(t.Texte, "abcd");
    EXPECT_EQ(std::string(t.Garde, 4), "GGGG");

    char un[1] = {'x'};
    CONVERT_STRING_CHAR(QString::fromUtf8("abc"), un, 1);
    EXPECT_EQ(un[0], '\0');
    char intact[1] = {'x'};
    CONVERT_STRING_CHAR(QString::fromUtf8("abc"), intact, 0);
    EXPECT_EQ(intact[0], 'x');

    const QString avecNul = QString::fromUtf8("a") + QChar(0) + QString::fromUtf8("b");
    CONVERT_STRING_CHAR(avecNul, tampon);
    EXPECT_STREQ(tampon, "a");
}

} // namespace
