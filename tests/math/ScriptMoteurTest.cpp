// The scripts compiled and run: channels of the slots, what a script computes,
// and the bounds an untrusted script meets (registered interface, channel
// indexes); the limits of what a script may run are in ScriptLimitesTest.
#include <angelscript.h>

#include <chrono>
#include <set>
#include <string>

#include "ScriptTestUtil.h"
#include "math/Fonc.h"
#include "math/InterfaceScript.h"

namespace {

using Horloge = std::chrono::steady_clock;

TEST(InterfaceScript, OnlyMathFoncAndExpAreRegistered) {
    AngelScript::asIScriptEngine* moteur = AngelScript::asCreateScriptEngine(ANGELSCRIPT_VERSION);
    ASSERT_NE(moteur, nullptr);
    EXPECT_EQ(definition_fonctions(moteur), 0);
    // What the math add-on of this engine generation registers, and exp.
    const std::set<std::string> permises = {"cos",   "sin",     "tan",        "acos",    "asin", "atan",
                                            "atan2", "cosh",    "sinh",       "tanh",    "log",  "log10",
                                            "pow",   "sqrt",    "ceil",       "floor",   "abs",  "fraction",
                                            "exp",   "closeTo", "fpFromIEEE", "fpToIEEE"};
    std::set<std::string> vues;
    for (AngelScript::asUINT i = 0; i < moteur->GetGlobalFunctionCount(); ++i) {
        const std::string nom = moteur->GetGlobalFunctionByIndex(i)->GetName();
        EXPECT_TRUE(permises.count(nom) == 1) << nom;
        vues.insert(nom);
    }
    for (const char* nom : {"cos", "sin", "tan", "acos", "asin", "atan", "atan2", "cosh", "sinh", "tanh",
                            "log", "log10", "pow", "sqrt", "ceil", "floor", "abs", "fraction", "exp"})
        EXPECT_TRUE(vues.count(nom) == 1) << nom;
    // One type, no global property, no string or array type to reach anything with.
    ASSERT_EQ(moteur->GetObjectTypeCount(), 1u);
    EXPECT_STREQ(moteur->GetObjectTypeByIndex(0)->GetName(), "Fonc");
    EXPECT_EQ(moteur->GetGlobalPropertyCount(), 0u);
    EXPECT_EQ(moteur->GetStringFactoryReturnTypeId(), AngelScript::asNO_FUNCTION);
    moteur->ShutDownAndRelease();
}

TEST_F(ScriptTest, SlotsZeroAndTwoWriteTheChannelsAfterTheRecordedOnes) {
    for (const FamilleREC famille : {FamilleTKOS, FamilleVEL}) {
        SCOPED_TRACE(famille);
        RESET_ENTETE();
        Enregistreur({"Pression", "Temp"}, {0, 2}, famille);
        Script(0, {"function = 'Pression' * 2;"});
        Script(2, {"function = 'Temp' + 'Pression';"});
        Moteur->LANCEMENT_TOUS_SCRIPTS();
        EXPECT_EQ(Moteur->ErreurScript[0] + Moteur->ErreurScript[2], 0)
            << Moteur->MessageScript(0) << Moteur->MessageScript(2);
        EXPECT_TRUE(Moteur->SlotEnMarche(0));
        EXPECT_FALSE(Moteur->SlotEnMarche(1));
        EXPECT_TRUE(Moteur->SlotEnMarche(2));
        auto ligne = Rangee({1.5, 10.0});
        EXPECT_DOUBLE_EQ(ligne[2], 3.0);
        EXPECT_DOUBLE_EQ(ligne[3], 11.5);
        EXPECT_DOUBLE_EQ(ligne[4], 0.0);
        ligne = Rangee({-4.0, 1.0}); // every row its own values
        EXPECT_DOUBLE_EQ(ligne[2], -8.0);
        EXPECT_DOUBLE_EQ(ligne[3], -3.0);
    }
}

struct CasCalcul {
    const char* nom;
    std::vector<std::string> lignes;
    double attendu; // channel of the script for the row {6, 4}
};

const CasCalcul Calculs[] = {
    {"integer_division", {"int a = 7;", "int b = 2;", "function = a/b;"}, 3.5},
    {"integer_literals", {"function = 7/2;"}, 3.5},
    {"channel_by_int", {"function = 'A' / 4;"}, 1.5},
    {"int_by_channel", {"function = 3 / 'B';"}, 0.75},
    {"channel_by_channel", {"function = 'A' / 'B';"}, 1.5},
    {"line_comment", {"// a/b is the ratio", "function = 'A'/'B'; // ratio"}, 1.5},
    {"block_comment", {"/* ratio of A/B", "   over two lines */ function = 'A' / /* B */ 'B';"}, 1.5},
    {"var_and_math", {"var x = sqrt(16.0);", "function = x + exp(0.0) + abs(-2.0);"}, 7.0},
    {"handles_by_number", {"function = V1 - V0;"}, -2.0},
    {"negation_and_sub_r", {"function = 10 - -'A';"}, 16.0},
    {"compare_and_equals", {"if ('A' > 5 && 'B' == 4) function = 1; else function = 2;"}, 1.0},
    {"handle_copy", {"function = 'B';"}, 4.0},
    {"assign_to_index_zero_writes_nothing", {"function = (V0 = 5) + 1;"}, 1.0},
    // After the rewriting a division by a channel is double / Fonc: its divisor rule.
    {"divide_by_zero_channel", {"Fonc zero(5);", "function = 'A' / zero;"}, DivisionImpossible},
    // A division of doubles by zero is the engine's script exception: what was written stays.
    {"double_division_by_zero_is_an_exception", {"function = 1;", "function = 'A' / ('B' - 4);"}, 1.0},
    {"no_assignment_leaves_zero", {"var x = 'A';"}, 0.0},
    {"out_of_row_handles",
     {"Fonc loin(100000);", "Fonc avant(-3);", "loin = 9; avant = 9;", "function = loin + avant + 1;"},
     1.0},
};

TEST_F(ScriptTest, WhatScriptsCompute) {
    for (const CasCalcul& c : Calculs) {
        SCOPED_TRACE(c.nom);
        RESET_ENTETE();
        Enregistreur({"A", "B"}, {0});
        Script(0, c.lignes);
        Moteur->LANCEMENT_TOUS_SCRIPTS();
        EXPECT_EQ(Moteur->ErreurScript[0], 0) << Moteur->MessageScript(0);
        const auto ligne = Rangee({6.0, 4.0});
        EXPECT_DOUBLE_EQ(ligne[2], c.attendu);
        EXPECT_DOUBLE_EQ(ligne[0], 6.0); // V0 = 5 wrote nothing
        for (int k = 3; k < NombreSlotsColonne; ++k) ASSERT_EQ(ligne[k], 0.0) << k;
        EXPECT_TRUE(Moteur->SlotEnMarche(0));
    }
}

TEST_F(ScriptTest, NothingRunsWithoutARow) {
    Enregistreur({"A"}, {0});
    Script(0, {"function = 1;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    TableauTravail = nullptr;
    Moteur->execute_script(); // no row: no slot runs, nothing is touched
    EXPECT_TRUE(Moteur->SlotEnMarche(0));
}

TEST_F(ScriptTest, DeeplyNestedExpressionCompiles) {
    Enregistreur({"A"}, {0});
    // All twelve lines nearly full: 1130 nested parentheses.
    std::vector<std::string> lignes{"function = " + std::string(180, '(')};
    for (int l = 1; l < 6; ++l) lignes.push_back(std::string(190, '('));
    lignes.push_back("1" + std::string(190, ')'));
    for (int l = 7; l < 11; ++l) lignes.push_back(std::string(190, ')'));
    lignes.push_back(std::string(180, ')') + ";");
    Script(0, lignes);
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    EXPECT_EQ(Moteur->ErreurScript[0], 0) << Moteur->MessageScript(0);
    EXPECT_DOUBLE_EQ(Rangee({0.0})[1], 1.0);
}

TEST_F(ScriptTest, ShuttingASlotDownStopsItAndSettingUpAgainRestartsIt) {
    Enregistreur({"A"}, {0});
    Script(0, {"function = 'A' * 3;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    Moteur->SlotCourant = 0;
    Moteur->Quit_moteur_script();
    EXPECT_FALSE(Moteur->SlotEnMarche(0));
    EXPECT_EQ(Rangee({2.0})[1], 0.0);
    Moteur->Init_Moteur();
    EXPECT_TRUE(Moteur->SlotEnMarche(0));
    Moteur->Init_Moteur(); // an engine already there is shut down first
    EXPECT_TRUE(Moteur->SlotEnMarche(0)) << Moteur->MessageScript(0) << erreur_compilation;
    EXPECT_DOUBLE_EQ(Rangee({2.0})[1], 6.0);
}

TEST_F(ScriptTest, OnlySlotsOfTheRecordingAreSetUp) {
    Enregistreur({"A"}, {0});
    Script(0, {"function = 1;"});
    Script(1, {"function = 2;"}); // text without a channel
    Script(30, {"function = 3;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    EXPECT_TRUE(Moteur->SlotEnMarche(0));
    EXPECT_FALSE(Moteur->SlotEnMarche(1));
    EXPECT_FALSE(Moteur->SlotEnMarche(30));
    // A recorder family without scripts sets nothing up.
    RESET_ENTETE();
    Enregistreur({"A"}, {0}, FamilleTKOS);
    EnteteF.FamilleEnregistreur = FamilleTKAR;
    Script(0, {"function = 1;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    EXPECT_FALSE(Moteur->SlotEnMarche(0));
}

} // namespace
