// `ombrix table`: the display table as CSV and the checksum verdict, from the
// built program found in the build folder (OMBRIX_BUILD_DIR).
#include "GrapheTestUtil.h"
#include "OmbrixTableUtil.h"

#include <QStringList>

namespace graphe_test {
namespace {

using recmaker::Constant;
using recmaker::Rampe;

Enregistrement Echantillon(int16_t decalage = 0) {
    Voie temperature = Canal(0, Rampe(100, 3));
    temperature.Nom = "  Temp\xE9rature \xB0"; // Windows-1252 bytes, blanks around
    Voie debit = Canal(2, Constant(0x1234));
    debit.Nom = "D\xE9"
                "bit, \"net\"";
    Enregistrement e =
        TKAR(20000, {temperature, debit}, true, [](int64_t s) -> uint16_t { return s % 40 == 0 ? 5 : 1; });
    e.Checksum = true;
    e.ChecksumDecalage = decalage;
    return e;
}

// Words of CSV row c as the pass gives them: channels 0..n-1 then the logic word.
QString LigneAttendue(const Reference& r, int c, int voies) {
    QString ligne = QString::number(c);
    for (int n = 0; n < voies; ++n)
        ligne += QLatin1Char(',') + QString::number(r.Table[size_t(c) * Slots + n]);
    return ligne + QLatin1Char(',') + QString::number(r.Table[size_t(c) * Slots + SlotLogique]);
}

TEST_F(PasseTest, OmbrixTablePrintsTheDisplayTable) {
    struct Cas {
        const char* Nom;
        int16_t Decalage;
        QStringList Options;
        tSetup Vue;
        float Ratio;
        const char* Verdict;
    } cas[] = {
        {"whole recording", 0, {}, {0.0, 1.0}, 0.f, "checksum: ok"},
        {"altered", 3, {}, {0.0, 1.0}, 0.f, "checksum: mismatch"},
        {"zoomed", 3, {"--start", "0.25", "--width", "0.5"}, {0.25, 0.5}, 0.f, "checksum: none"},
        // 400 us over a 100 us period: one scan in 4.
        {"under-sampled", 0, {"--undersample", "400"}, {0.0, 1.0}, 4.f, "checksum: ok"},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.Nom);
        Ouvreur.reset();
        RESET_ENTETE();
        Ref = Reference{};
        Ouvrir(Echantillon(k.Decalage));
        Ref.SousEch = k.Ratio > 0.f;
        Ref.Ratio = k.Ratio;
        Ref.Passe(k.Vue);
        const Sortie s = Table(QStringList{CheminOuvert} + k.Options);
        EXPECT_EQ(s.Code, 0);
        ASSERT_EQ(s.Lignes.size(), 1001);
        EXPECT_EQ(s.Lignes[0], QString::fromUtf8("column,Température °,\"Débit, \"\"net\"\"\",logic"));
        for (int c : {0, 1, 2, 137, 500, 999}) EXPECT_EQ(s.Lignes[1 + c], LigneAttendue(Ref, c, 2)) << c;
        ASSERT_FALSE(s.Erreurs.isEmpty());
        EXPECT_EQ(s.Erreurs.last(), QString::fromLatin1(k.Verdict));
    }
}

TEST_F(PasseTest, OmbrixTableWithoutLogicAndItsErrors) {
    Ouvrir(TKAR(500, {Canal(0, Rampe(0, 1))}));
    Sortie s = Table({CheminOuvert});
    EXPECT_EQ(s.Code, 0);
    ASSERT_EQ(s.Lignes.size(), 1001);
    EXPECT_EQ(s.Lignes[0], QStringLiteral("column,Voie 0"));
    EXPECT_EQ(s.Lignes[1000], QStringLiteral("999,499")); // spreading: column 999 shows scan 499
    EXPECT_EQ(s.Erreurs.last(), QStringLiteral("checksum: none"));

    EXPECT_EQ(Table({CheminOuvert + QStringLiteral(".absent")}).Code, 1);
    EXPECT_EQ(Table({CheminOuvert, QStringLiteral("--start")}).Code, 1);
    EXPECT_EQ(Table({CheminOuvert, QStringLiteral("--width"), QStringLiteral("abc")}).Code, 1);
    EXPECT_EQ(Table({CheminOuvert, QStringLiteral("--undersample"), QStringLiteral("0")}).Code, 1);
    const std::string autre = Chemin("autre.rec");
    {
        std::ofstream f(autre, std::ios::binary);
        f << std::string(4096, 'x'); // no known signature
    }
    EXPECT_EQ(Table({QString::fromStdString(autre)}).Code, 2);
}

} // namespace
} // namespace graphe_test
