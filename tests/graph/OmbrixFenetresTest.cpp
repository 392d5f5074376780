// `ombrix table --window START,WIDTH ...`: several passes in one run, each table
// the one of its own window.
#include "GrapheTestUtil.h"
#include "OmbrixTableUtil.h"

#include <QStringList>

namespace graphe_test {
namespace {

TEST_F(PasseTest, OmbrixTableRunsEveryWindowInTurn) {
    Enregistrement e =
        TKAR(70000, {Canal(0, recmaker::Sinus(30000, 20000, 977)), Canal(1, recmaker::Rampe(5, 3))}, true,
             [](int64_t s) -> uint16_t { return s % 300 == 0 ? 3 : 0; });
    e.Checksum = true;
    Ouvrir(e);
    const tSetup vues[] = {{0.0, 1.0}, {0.5, 0.25}, {0.1, 0.001}};
    const Sortie s =
        Table({CheminOuvert, QStringLiteral("--window"), QStringLiteral("0,1"), QStringLiteral("--window"),
               QStringLiteral("0.5,0.25"), QStringLiteral("--window"), QStringLiteral("0.1,0.001")});
    EXPECT_EQ(s.Code, 0);
    ASSERT_EQ(s.Lignes.size(), 3 * 1001);
    for (int f = 0; f < 3; ++f) {
        SCOPED_TRACE(f);
        Ref.Passe(vues[f]);
        EXPECT_EQ(s.Lignes[f * 1001], QStringLiteral("column,Voie 0,Voie 1,logic"));
        for (int c = 0; c < 1000; ++c) {
            const size_t o = static_cast<size_t>(c) * Slots;
            const QString attendue = QStringLiteral("%1,%2,%3,%4")
                                         .arg(c)
                                         .arg(Ref.Table[o])
                                         .arg(Ref.Table[o + 1])
                                         .arg(Ref.Table[o + SlotLogique]);
            ASSERT_EQ(s.Lignes[f * 1001 + 1 + c], attendue) << c;
        }
    }
    ASSERT_EQ(s.Erreurs.size(), 4); // a time per window, then the first pass's verdict
    EXPECT_TRUE(s.Erreurs[1].startsWith(QStringLiteral("window 0.5,0.25: ")));
    EXPECT_EQ(s.Erreurs.last(), QStringLiteral("checksum: ok"));
    EXPECT_EQ(Table({CheminOuvert, QStringLiteral("--window"), QStringLiteral("0.5")}).Code, 1);
}

} // namespace
} // namespace graphe_test
