// The text compiled for a script: channel names, divisions, comments, the
// prologue and declarations, and where the slots and their channels are.
#include <string>

#include "ScriptTestUtil.h"
#include "math/PreprocesseurScript.h"
#include "math/TexteScript.h"

namespace {

TEST(ReplaceString, EveryOccurrenceOnceAndAfterTheInsertedText) {
    std::string t = "a+a+b";
    REPLACE_STRING(t, "a", "aa"); // never replaces inside what it inserted
    EXPECT_EQ(t, "aa+aa+b");
    t = "xxx";
    REPLACE_STRING(t, "xx", "y");
    EXPECT_EQ(t, "yx");
    t = "abc";
    REPLACE_STRING(t, "", "z");
    EXPECT_EQ(t, "abc");
}

struct CasDivision {
    const char* source;
    const char* attendu;
};

const CasDivision Divisions[] = {
    {"x = a/b;", "x = a*1.00/1.0/b;"},
    {"x = a/b/c;", "x = a*1.00/1.0/b*1.00/1.0/c;"},
    {"x = a / 2;", "x = a *1.00/1.0/ 2;"},
    {"// moyenne", "// moyenne"},
    {"/* bloc */", "/* bloc */"},
    {"x = a/b; // a/b", "x = a*1.00/1.0/b; // a/b"},
    {"// a/b\nx = a/b;", "// a/b\nx = a*1.00/1.0/b;"},
    {"/* a/b\n c/d */ x/y", "/* a/b\n c/d */ x*1.00/1.0/y"},
    {"/* never closed a/b", "/* never closed a/b"},
    {"x = a/*c*//b;", "x = a/*c*/*1.00/1.0/b;"}, // a division right after a comment
    {"x = a /* q */ / b;", "x = a /* q */ *1.00/1.0/ b;"},
    {"/", "*1.00/1.0/"},
    {"", ""},
};

TEST_F(MathTest, DivisionsBecomeFloatingPointAndCommentsStay) {
    for (const CasDivision& c : Divisions) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(Script_Preprocesseur(c.source, EnteteF), c.attendu);
    }
}

TEST_F(ScriptTest, QuotedNamesWithoutTrailingBlanksBecomeHandles) {
    Enregistreur({"Pression   ", "Temp eau  ", "  Debit"}, {0});
    EXPECT_EQ(Script_Preprocesseur("function = 'Pression' + 'Temp eau' * '  Debit';", EnteteF),
              "function = V0 + V1 * V2;");
    // The stored blanks are not part of the name; names not recorded stay as they are.
    EXPECT_EQ(Script_Preprocesseur("'Pression   ' 'Temp  eau' 'Inconnu'", EnteteF),
              "'Pression   ' 'Temp  eau' 'Inconnu'");
    // A name holding a slash is replaced before divisions are rewritten.
    std::strncpy(EnteteF.CalibVoie[2].NomVoie, "A/B", sizeof EnteteF.CalibVoie[2].NomVoie);
    EXPECT_EQ(Script_Preprocesseur("x = 'A/B'/2;", EnteteF), "x = V2*1.00/1.0/2;");
}

TEST_F(ScriptTest, NameFillingItsWholeFieldIsMatched) {
    Enregistreur({"12345678901234567890123456"}, {0}); // 26 characters, no terminator in the record
    std::memcpy(EnteteF.CalibVoie[0].NomVoie, "12345678901234567890123456", 26);
    EXPECT_EQ(Script_Preprocesseur("'12345678901234567890123456'", EnteteF), "V0");
}

TEST_F(ScriptTest, TextOfASlot) {
    Enregistreur({"A", "B"}, {0, 2});
    Script(2, {"var x = 'A'/2;", "", "function = x;"});
    const std::string attendu =
        "typedef double var;\nFonc function(3);\nFonc V0(0); Fonc V1(1);  void main() {"
        "var x = V0*1.00/1.0/2;\n\nfunction = x;\n\n\n\n\n\n\n\n\n}";
    EXPECT_EQ(TEXTE_SCRIPT(*Moteur, 2), attendu);
}

TEST_F(ScriptTest, DeclarationsCountPresentRecordedChannels) {
    Enregistreur({"A", "B", "C"}, {});
    // Channel numbers with gaps still give V0, V1, V2 (the row entries).
    EnteteF.EnteteTKOS.Presence = {};
    for (const int n : {1, 5, 71}) Present(n);
    Present(72); // a script channel is not declared
    EXPECT_EQ(DECLARE_VOIE(EnteteF), "Fonc V0(0); Fonc V1(1); Fonc V2(2); ");
    EnteteF.FamilleEnregistreur = FamilleTKAR;
    EXPECT_EQ(DECLARE_VOIE(EnteteF), "");
}

TEST_F(ScriptTest, SlotsAndTheirChannels) {
    for (const FamilleREC famille : {FamilleTKOS, FamilleVEL}) {
        SCOPED_TRACE(famille);
        RESET_ENTETE();
        Enregistreur({"A", "B", "C"}, {0, 2, 23}, famille);
        EXPECT_EQ(PREMIERE_VOIE_SCRIPT(EnteteF), famille == FamilleTKOS ? 72 : 204);
        EXPECT_TRUE(SLOT_SCRIPT_PRESENT(EnteteF, 0));
        EXPECT_FALSE(SLOT_SCRIPT_PRESENT(EnteteF, 1));
        EXPECT_TRUE(SLOT_SCRIPT_PRESENT(EnteteF, 2));
        EXPECT_EQ(VOIE_SORTIE_SCRIPT(EnteteF, 0), 3);
        EXPECT_EQ(VOIE_SORTIE_SCRIPT(EnteteF, 2), 4);
        EXPECT_EQ(VOIE_SORTIE_SCRIPT(EnteteF, 23), 5);
        EXPECT_EQ(NOMBRE_VOIES_SCRIPT(), 3);
        // The script text window: the channel's slot, none for a recorded channel.
        EXPECT_EQ(SLOT_SCRIPT_VOIE(EnteteF, 3), 0);
        EXPECT_EQ(SLOT_SCRIPT_VOIE(EnteteF, 4), 2);
        EXPECT_EQ(SLOT_SCRIPT_VOIE(EnteteF, 5), 23);
        EXPECT_EQ(SLOT_SCRIPT_VOIE(EnteteF, 0), -1);
        EXPECT_EQ(SLOT_SCRIPT_VOIE(EnteteF, 6), -1);
        EXPECT_EQ(SLOT_SCRIPT_VOIE(EnteteF, -1), -1);
    }
    RESET_ENTETE();
    EnteteF.FamilleEnregistreur = FamilleTKAR;
    EXPECT_EQ(PREMIERE_VOIE_SCRIPT(EnteteF), -1);
    EXPECT_FALSE(SLOT_SCRIPT_PRESENT(EnteteF, 0));
    EXPECT_EQ(SLOT_SCRIPT_VOIE(EnteteF, 0), -1);
}

} // namespace
