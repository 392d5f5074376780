// Messages of the engine while scripts are set up: the row reported, the last
// message kept, and the eight situations translated from the engine's own texts.
#include <angelscript.h>

#include <string>

#include "ScriptTestUtil.h"

namespace {

struct CasSituation {
    const char* nom;
    std::vector<std::string> lignes;
    int code;
    const char* attendu; // erreur_compilation kept for the slot
};

// The scripts meet each situation on their first line unless said otherwise.
const CasSituation Situations[] = {
    {"already_declared",
     {"double x; double x;"},
     SituationDejaDeclaree,
     "Ligne 1 :  'x' est d\351j\340 d\351clar\351e"},
    {"global_name_conflict",
     {"}", "double V1; void h() {"},
     SituationDejaDeclaree,
     "Ligne 2 :  'V1' est d\351j\340 d\351clar\351e"},
    {"conditional_types",
     {"double b = true ? 1 : true;"},
     SituationTypesDifferents,
     "Ligne 1 : Les deux expressions doivent poss\351der le m\352me type"},
    {"else_empty",
     {"if (true) {}", "else ;"},
     SituationElseVide,
     "Ligne 2 : Bloc else avec une instruction vide"},
    {"expected_token", {"double x = (1;"}, SituationManquant, "Ligne 1 :  ')' manquant"},
    {"if_empty", {"if (true) ;"}, SituationIfVide, "Ligne 1 : Bloc if avec une instruction vide"},
    {"not_declared", {"", "", "y = 3;"}, SituationNonDeclaree, "Ligne 3 :  'y' n'est pas d\351clar\351e"},
    {"not_initialised",
     {"double q;", "function = q;"},
     SituationNonInitialisee,
     "Ligne 2 :  'q' n'est pas initialis\351e"},
    {"no_return",
     {"}", "double g() { if (true) return 1; }", "void h() {"},
     SituationSansRetour,
     "Ligne 2 : Aucune valeur de retour trouv\351e"},
    {"other_message_unchanged",
     {"int x = 1; x.foo();"},
     SituationAucune,
     "Ligne 1 : Illegal operation on 'int'"},
};

TEST_F(ScriptTest, EachSituationFromTheEnginesOwnText) {
    for (const CasSituation& c : Situations) {
        SCOPED_TRACE(c.nom);
        RESET_ENTETE();
        Enregistreur({"A", "B"}, {1, 3});
        Script(1, c.lignes);
        Script(3, {"function = 'A' + 1;"});
        Moteur->LANCEMENT_TOUS_SCRIPTS();
        EXPECT_EQ(Moteur->MessageScript(1), c.attendu);
        EXPECT_EQ(Moteur->ErreurScript[1], 1);
        // The holder's copy is what the callback kept; erreur_compilation is cleared after each slot.
        EXPECT_EQ(erreur_compilation[0], '\0');
        // The other slot is unaffected.
        EXPECT_EQ(Moteur->ErreurScript[3], 0);
        EXPECT_EQ(Moteur->MessageScript(3), "");
        EXPECT_TRUE(Moteur->SlotEnMarche(3));
        const auto ligne = Rangee({2.0, 0.0});
        EXPECT_DOUBLE_EQ(ligne[3], 3.0);
        // Only a warning lets the slot run; an error leaves its channel 0.0.
        EXPECT_EQ(Moteur->SlotEnMarche(1), c.code == SituationNonInitialisee);
        if (c.code != SituationNonInitialisee) {
            EXPECT_EQ(ligne[2], 0.0);
        }
    }
}

struct CasTexte {
    const char* message;
    int code;
    const char* attendu;
};

// The engine's texts, and the wording of earlier engine generations.
const CasTexte Textes[] = {
    {"'abc' is already declared", SituationDejaDeclaree, " 'abc' est d\351j\340 d\351clar\351e"},
    {"Name conflict. 'main' is a global function.", SituationDejaDeclaree,
     " 'main' est d\351j\340 d\351clar\351e"},
    {"Can't find unambiguous implicit conversion to make both expressions have the same type",
     SituationTypesDifferents, "Les deux expressions doivent poss\351der le m\352me type"},
    {"Both expressions must have the same type", SituationTypesDifferents,
     "Les deux expressions doivent poss\351der le m\352me type"},
    {"Else with empty statement", SituationElseVide, "Bloc else avec une instruction vide"},
    {"Expected ';'", SituationManquant, " ';' manquant"},
    {"Expected ',' or ';'", SituationManquant, " ',' or ';' manquant"},
    {"If with empty statement", SituationIfVide, "Bloc if avec une instruction vide"},
    {"No matching symbol 'y'", SituationNonDeclaree, " 'y' n'est pas d\351clar\351e"},
    {"'y' is not declared", SituationNonDeclaree, " 'y' n'est pas d\351clar\351e"},
    {"'q' is not initialized.", SituationNonInitialisee, " 'q' n'est pas initialis\351e"},
    {"Not all paths return a value", SituationSansRetour, "Aucune valeur de retour trouv\351e"},
    // Close but not the same: passed unchanged.
    {"Expected expression value", SituationAucune, "Expected expression value"},
    {"If with empty statement here", SituationAucune, "If with empty statement here"},
    {"'' is already declared", SituationAucune, "'' is already declared"},
    {"is already declared", SituationAucune, "is already declared"},
    {"", SituationAucune, ""},
};

TEST(TraductionMessage, RecognisesTheSituationsAndPassesOthersUnchanged) {
    for (const CasTexte& c : Textes) {
        SCOPED_TRACE(c.message);
        char traduit[TailleErreurCompilation];
        EXPECT_EQ(TRADUCTION_MESSAGE_ERREUR(c.message, traduit, sizeof traduit), c.code);
        EXPECT_STREQ(traduit, c.attendu);
    }
    char court[8];
    EXPECT_EQ(TRADUCTION_MESSAGE_ERREUR("Not all paths return a value", court, sizeof court),
              SituationSansRetour);
    EXPECT_STREQ(court, "Aucune ");
    char vide[1] = {'x'};
    TRADUCTION_MESSAGE_ERREUR(nullptr, vide, sizeof vide);
    EXPECT_EQ(vide[0], '\0');
}

TEST_F(ScriptTest, ErrorOnTheFirstLineIsReportedAsLineOne) {
    Enregistreur({"A"}, {0});
    Script(0, {"double x = ;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    EXPECT_EQ(Moteur->ErreurScript[0], 1);
    EXPECT_TRUE(Moteur->MessageScript(0).starts_with("Ligne 1 : ")) << Moteur->MessageScript(0);
    EXPECT_FALSE(Moteur->SlotEnMarche(0));
}

TEST_F(ScriptTest, LastMessageIsKeptAndLongTextsAreCut) {
    Enregistreur({"A"}, {0});
    // Two errors: the second one is kept.
    Script(0, {"y = 1;", "double z = true ? 1 : true;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    EXPECT_EQ(Moteur->MessageScript(0), "Ligne 2 : Les deux expressions doivent poss\351der le m\352me type");

    // An identifier of 190 characters makes an engine text above 200 characters: cut to 200.
    const std::string nom(190, 'z');
    RESET_ENTETE();
    Enregistreur({"A"}, {0});
    Script(0, {nom + " = 1;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    const std::string brut = "No matching symbol '" + nom + "'";
    EXPECT_EQ(Moteur->MessageScript(0), "Ligne 1 : " + brut.substr(0, LongueurMessageMoteur));
}

TEST_F(ScriptTest, MessageCallbackWritesTheRowMinusTwo) {
    AngelScript::asSMessageInfo info{};
    info.section = "instructions0";
    info.row = 7;
    info.message = "If with empty statement";
    gestion_erreur(&info, nullptr);
    EXPECT_STREQ(erreur_compilation, "Ligne 5 : Bloc if avec une instruction vide");
    // The engine's note after a missing token completes it and is not kept instead.
    info.message = "Instead found ';'";
    gestion_erreur(&info, nullptr);
    EXPECT_STREQ(erreur_compilation, "Ligne 5 : Bloc if avec une instruction vide");
    RESET_ERREURS_SCRIPT();
    gestion_erreur(&info, nullptr);
    EXPECT_STREQ(erreur_compilation, "Ligne 5 : Instead found ';'");
}

} // namespace
