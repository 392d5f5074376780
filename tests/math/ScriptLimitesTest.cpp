// Hostile scripts: what would allocate without end, recurse without end or
// run without end is refused or stopped with a message of its slot, quickly
// and within its memory budget, and the other scripts, and the next
// recording's, go on running.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "ScriptTestUtil.h"
#include "config/Defauts.h"
#include "math/InstallationScripts.h"
#include "math/MoteurScriptMemoire.h"
#include "recmaker/RecMaker.h"
#include "recording/OuvreREC.h"

namespace {

using Horloge = std::chrono::steady_clock;
using std::chrono::milliseconds;

class ScriptLimites : public ScriptTest {
protected:
    void TearDown() override {
        ScriptTest::TearDown();
        RESET_MEMOIRE_SCRIPTS();
    }

    // Slot 0 holds the script under test, slot 1 an ordinary one; `reglage`
    // may change the engine's bounds before the set-up.
    void Preparer(const std::vector<std::string>& lignes,
                  const std::function<void(MoteurScript&)>& reglage = {}) {
        Enregistreur({"A"}, {0, 1});
        Script(0, lignes);
        Script(1, {"function = 'A' + 1;"});
        if (reglage) reglage(*Moteur);
        Moteur->LANCEMENT_TOUS_SCRIPTS();
    }

    // Runs rows until slot 0 stops (at most `rangees`): the rows run.
    int JusquaLArret(int rangees) {
        int r = 0;
        while (r < rangees && Moteur->SlotEnMarche(0)) {
            const auto ligne = Rangee({double(r)});
            EXPECT_DOUBLE_EQ(ligne[2], r + 1.0) << "the other slot runs on every row";
            ++r;
        }
        return r;
    }

    // The flags taken from the engine: only slot 0.
    void SeulSlotZeroSignale() {
        uint8_t arrets[NombreSlotsScript]{};
        EXPECT_TRUE(Moteur->PRENDRE_ARRETS(arrets));
        EXPECT_EQ(arrets[0], 1);
        for (int s = 1; s < NombreSlotsScript; ++s) EXPECT_EQ(arrets[s], 0) << s;
        EXPECT_FALSE(Moteur->PRENDRE_ARRETS(arrets)) << "taken once";
    }
};

// What a script cannot even build: no array, no string, no class of its own.
struct tRefus {
    const char* Nom;
    std::vector<std::string> Lignes;
    const char* Message; // the start of its slot's message
};

class ScriptRefuse : public ScriptLimites, public ::testing::WithParamInterface<tRefus> {};

TEST_P(ScriptRefuse, AtSetUpWithItsSlotsMessage) {
    const tRefus& c = GetParam();
    const auto debut = Horloge::now();
    Preparer(c.Lignes);
    EXPECT_LT(Horloge::now() - debut, milliseconds(500));
    EXPECT_EQ(Moteur->ErreurScript[0], 1);
    EXPECT_FALSE(Moteur->SlotEnMarche(0));
    EXPECT_TRUE(Moteur->MessageScript(0).starts_with(c.Message)) << Moteur->MessageScript(0);
    EXPECT_EQ(Moteur->ErreurScript[1], 0) << Moteur->MessageScript(1);
    const auto ligne = Rangee({4.0});
    EXPECT_EQ(ligne[1], 0.0);
    EXPECT_DOUBLE_EQ(ligne[2], 5.0);
    EXPECT_LT(MEMOIRE_SCRIPTS(), 16 * 1024); // the stack of the other slot
}

const std::string Classe = std::string("Ligne 2 : ") + TexteClasseRefusee;
const std::string Handle1 = std::string("Ligne 1 : ") + TexteHandleRefuse;
const std::string Handle3 = std::string("Ligne 3 : ") + TexteHandleRefuse;

INSTANTIATE_TEST_SUITE_P(
    Cas, ScriptRefuse,
    ::testing::Values(tRefus{"HugeArray", {"array<double> a(2000000000);", "function = a[0];"}, "Ligne 1 : "},
                      tRefus{"GrowingString", {"string s = 'x';", "while (true) s += s;"}, "Ligne 1 : "},
                      // A list of objects growing on every row, kept by a global handle.
                      tRefus{"GrowingList",
                             {"for (int i = 0; i < 1000; i++) { N n; @n.suite = tete; @tete = n; } }",
                              "class N { N@ suite; double x; }", "N@ tete;", "void h() {"},
                             Handle1.c_str()},
                      tRefus{"ListWithoutHandles",
                             {"for (int i = 0; i < 1000; i++) { N n; } }", "class N { double x; }",
                              "void h() {"},
                             Classe.c_str()},
                      // The engine's compiler used to abort the viewer on these.
                      tRefus{"HandleOfAChannel", {"function = @V0/2;"}, Handle1.c_str()},
                      tRefus{"HandleAfterComments",
                             {"/* @ */ var x = 1; // @", "string t = \"@\" + '@' + \"\"\"@\"\"\";",
                              "function = x - @function / 2;"},
                             Handle3.c_str()},
                      // An object whose destructor would run for ever when its engine shuts down.
                      tRefus{"EndlessDestructor",
                             {"}", "class  N { ~N() { while (true) {} } }", "N g;", "void h() {"},
                             Classe.c_str()},
                      tRefus{"Interface", {"}", "interface I {}", "void h() {"}, Classe.c_str()}),
    [](const ::testing::TestParamInfo<tRefus>& i) { return i.param.Nom; });

// A channel name between quotes is a literal too.
TEST_F(ScriptLimites, AtSignsInCommentsAndLiteralsAreLeftAlone) {
    Enregistreur({"A@1"}, {0});
    Script(0, {"/* a@b", "  @ */ var x = 2; // @", "function = 'A@1' * x;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    EXPECT_EQ(Moteur->ErreurScript[0], 0) << Moteur->MessageScript(0);
    EXPECT_DOUBLE_EQ(Rangee({4.0})[1], 8.0);
}

TEST_F(ScriptLimites, StackGrowingPastTheMemoryBudgetStopsTheSlot) {
    FIXER_BUDGET_MEMOIRE_SCRIPTS(64 * 1024); // far below the stack's own bound
    // Each call holds thirty doubles: a thousand calls would need about 300 KiB.
    Preparer({"function = 9;", "r(0); }",
              "void r(int n) { double a0=1,a1,a2,a3,a4,a5,a6,a7,a8,a9,b0,b1,b2,b3,b4,b5,b6,b7,b8,b9,"
              "c0,c1,c2,c3,c4,c5,c6,c7,c8,c9;",
              "r(n + 1); }", "void h() {"});
    ASSERT_TRUE(Moteur->SlotEnMarche(0)) << Moteur->MessageScript(0);
    Moteur->BudgetExecution = std::chrono::seconds(20); // memory, not the clock, must stop it
    const auto debut = Horloge::now();
    EXPECT_EQ(JusquaLArret(100), 1);
    EXPECT_LT(Horloge::now() - debut, milliseconds(500));
    EXPECT_EQ(Moteur->MessageScript(0), std::string("Ligne 3 : ") + TexteMemoireDepassee);
    SeulSlotZeroSignale();
    // Shut down, the slot gave its memory back.
    EXPECT_LT(MEMOIRE_SCRIPTS(), 16 * 1024);
    EXPECT_EQ(Rangee({1.0})[1], 0.0);
}

TEST_F(ScriptLimites, GlobalsGrowingPastTheMemoryBudgetAreRefusedAtSetUp) {
    FIXER_BUDGET_MEMOIRE_SCRIPTS(64 * 1024);
    Preparer({"}", "double g = r(0);",
              "double r(int n) { double a0=1,a1,a2,a3,a4,a5,a6,a7,a8,a9,b0,b1,b2,b3,b4,b5,b6,b7,b8,b9;",
              "return r(n + 1); }", "void h() {"});
    EXPECT_EQ(Moteur->ErreurScript[0], 1);
    EXPECT_FALSE(Moteur->SlotEnMarche(0));
    EXPECT_EQ(Moteur->MessageScript(0), std::string("Ligne 3 : ") + TexteMemoireDepassee);
    EXPECT_TRUE(Moteur->SlotEnMarche(1));
    EXPECT_DOUBLE_EQ(Rangee({2.0})[2], 3.0);
}

TEST_F(ScriptLimites, OrdinaryScriptsHoldLittleOfTheBudget) {
    Enregistreur({"A"}, {0, 1, 2});
    // Long enough to be timed (over 256 statements a row), far from slow.
    Script(0, {"double s = 0;", "for (int i = 0; i < 300; i++) s += 'A';", "function = s;"});
    Script(1, {"function = sqrt('A') + exp(1);"});
    Script(2, {"var x = 'A' * 2;", "if (x > 4) function = x; else function = -x;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    for (int r = 0; r < 2000; ++r) Rangee({double(r)});
    for (int s = 0; s < 3; ++s) EXPECT_TRUE(Moteur->SlotEnMarche(s)) << s;
    uint8_t arrets[NombreSlotsScript]{};
    EXPECT_FALSE(Moteur->PRENDRE_ARRETS(arrets));
    EXPECT_LT(MEMOIRE_SCRIPTS(), BUDGET_MEMOIRE_SCRIPTS() / 16);
}

// Recursion without end, direct or mutual, small or large frames: the stack
// runs out, the row goes on, the slot keeps running and says so once.
struct tRecursion {
    const char* Nom;
    std::vector<std::string> Lignes;
};

class ScriptRecursif : public ScriptLimites, public ::testing::WithParamInterface<tRecursion> {};

TEST_P(ScriptRecursif, RunsOutOfStackAndSaysSoOnce) {
    // The stack, not the clock, must stop every row (a recursion of a thousand
    // calls on every row would use up its slot's reserve of time in the end).
    Preparer(GetParam().Lignes, [](MoteurScript& m) {
        m.BudgetExecution = std::chrono::seconds(20);
        m.ReserveExecution = std::chrono::seconds(20);
    });
    ASSERT_TRUE(Moteur->SlotEnMarche(0)) << Moteur->MessageScript(0);
    const auto debut = Horloge::now();
    for (int r = 0; r < 20; ++r) EXPECT_DOUBLE_EQ(Rangee({double(r)})[1], 4.0) << "written before";
    EXPECT_LT(Horloge::now() - debut, milliseconds(1000));
    EXPECT_TRUE(Moteur->SlotEnMarche(0));
    EXPECT_EQ(Moteur->MessageScript(0), "Ligne 3 : Stack overflow");
    SeulSlotZeroSignale();
}

INSTANTIATE_TEST_SUITE_P(
    Cas, ScriptRecursif,
    ::testing::Values(
        tRecursion{"Direct", {"function = 4;", "r(0); }", "void r(int n) { r(n + 1); }", "void h() {"}},
        tRecursion{"Mutual",
                   {"function = 4;", "a(0); }", "void a(int n) { b(n + 1); } void b(int n) { a(n + 1); }",
                    "void h() {"}},
        tRecursion{"LargeFrames",
                   {"function = 4;", "r(0); }",
                    "void r(int n) { double a0=1,a1,a2,a3,a4,a5,a6,a7,a8,a9; r(n + 1); }", "void h() {"}}),
    [](const ::testing::TestParamInfo<tRecursion>& i) { return i.param.Nom; });

TEST_F(ScriptLimites, EndlessLoopIsStoppedWithItsMessage) {
    Preparer({"function = 1;", "while (true) {", "}"});
    const auto debut = Horloge::now();
    EXPECT_EQ(JusquaLArret(100), 1);
    EXPECT_LT(Horloge::now() - debut, milliseconds(500));
    EXPECT_EQ(Moteur->MessageScript(0), std::string("Ligne 2 : ") + TexteTempsDepasse);
    SeulSlotZeroSignale();
}

TEST_F(ScriptLimites, SlowScriptOnEveryRowUsesUpItsReserve) {
    Enregistreur({"A"}, {0, 1});
    // Each row well within the budget of one execution, but far too slow for
    // every row: the reserve stops it after a few rows.
    Script(0, {"double s = 0;", "for (int i = 0; i < 20000; i++) s += 1;", "function = s;"});
    Script(1, {"function = 'A' + 1;"});
    Moteur->BudgetExecution = std::chrono::seconds(1);
    Moteur->ReserveExecution = milliseconds(30);
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    ASSERT_TRUE(Moteur->SlotEnMarche(0)) << Moteur->MessageScript(0);
    const auto debut = Horloge::now();
    const int rangees = JusquaLArret(100000);
    const auto duree = Horloge::now() - debut;
    EXPECT_GE(rangees, 2);
    EXPECT_LT(rangees, 100000);
    EXPECT_GE(duree, milliseconds(30));
    EXPECT_LT(duree, milliseconds(500));
    EXPECT_EQ(Moteur->MessageScript(0), std::string("Ligne 2 : ") + TexteTempsDepasse);
    SeulSlotZeroSignale();
}

// The next recording's scripts run after a stopped one, and so does a new
// engine after the budget was overrun.
TEST_F(ScriptLimites, NextScriptsRunAfterAStoppedOne) {
    FIXER_BUDGET_MEMOIRE_SCRIPTS(64 * 1024);
    Preparer(
        {"function = 9;", "r(0); }",
         "void r(int n) { double a0=1,a1,a2,a3,a4,a5,a6,a7,a8,a9,b0,b1,b2,b3,b4,b5,b6,b7,b8,b9; r(n + 1); }",
         "void h() {"});
    JusquaLArret(10);
    ASSERT_FALSE(Moteur->SlotEnMarche(0));
    Moteur.reset();
    EXPECT_EQ(MEMOIRE_SCRIPTS(), 0);
    RESET_ENTETE();
    Enregistreur({"A"}, {0});
    Script(0, {"function = 'A' * 3;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    EXPECT_DOUBLE_EQ(Rangee({2.0})[1], 6.0);
}

// Through the opener: a recording whose script loops for ever opens, its rows
// are computed, and the stop reaches the script-error window once.
TEST_F(ScriptLimites, StopsReachTheScriptErrorWindowOfTheOpener) {
    INIT_CONFIG();
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("boucle.rec"));
    recmaker::Enregistrement e;
    e.Famille = FamilleTKOS;
    e.RevisionVoies = 4;
    e.Revision = 4;
    e.NombreScans = 10;
    recmaker::Voie a;
    a.Numero = 0;
    a.Nom = "A";
    recmaker::Voie s0, s1;
    s0.Numero = 72;
    s1.Numero = 73;
    e.Voies = {a, s0, s1};
    e.Scripts = {{0, {"function = 1;"}}, {1, {"while (true) {}"}}};
    ASSERT_TRUE(recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString()));

    OuvreREC ouvre;
    const auto installation = INSTALLER_SCRIPTS(ouvre);
    std::vector<std::vector<int>> fenetres;
    ouvre.MontrerErreursScripts = [&](const uint8_t(&erreurs)[NombreSlotsScript]) {
        std::vector<int> numeros;
        for (int s = 0; s < NombreSlotsScript; ++s)
            if (erreurs[s] != 0) numeros.push_back(s);
        fenetres.push_back(numeros);
    };
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    ASSERT_EQ(ouvre.OUVRIR_REC(1), LectureOK) << ouvre.CauseErreur;
    EXPECT_TRUE(fenetres.empty()) << "both scripts compile";
    EXPECT_FALSE(installation->SIGNALER_ARRETS());

    for (int r = 0; r < 50; ++r) Ligne({uint16_t(r)});
    EXPECT_DOUBLE_EQ(Ligne({7})[1], 1.0);
    EXPECT_TRUE(installation->SIGNALER_ARRETS());
    EXPECT_FALSE(installation->SIGNALER_ARRETS());
    ASSERT_EQ(fenetres.size(), 1u);
    EXPECT_EQ(fenetres[0], std::vector<int>{1});
    ouvre.FERMER_FICHIER();
}

} // namespace
