// Scripts at the edges of what the engine lets them do: a script that ends
// computes its channel on every row, however long it takes; one that never
// ends, that allocates or recurses without end, or whose compilation the
// engine cannot survive is stopped or refused with a report of its slot (which
// row, why), and the other scripts, and the next recording's, go on running.
// The statement limit is a count, so every outcome here is the same on any
// machine under any load.
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
#include "shell/Messages.h"

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

    // Row r of the display table: channel A = r, the scripts run on it; the
    // ordinary slot computes its channel on every one.
    std::vector<double> Colonne(int r) {
        std::vector<double> ligne(NombreSlotsColonne, 0.0);
        ligne[0] = r;
        TableauTravail = ligne.data();
        Moteur->execute_script({RangeeColonne, r});
        TableauTravail = nullptr;
        EXPECT_DOUBLE_EQ(ligne[2], r + 1.0) << "the other slot runs on every row";
        return ligne;
    }
};

// What becomes of slot 0.
enum class tIssue { Calcule, Arrete, Interrompu, Refuse };

struct tCasScript {
    const char* Nom;
    std::vector<std::string> Lignes;
    tIssue Issue;
    // Calcule, Interrompu: slot 0's channel on every row (a function of the
    // row's A); Arrete: on the rows before the stop.
    std::function<double(double)> Valeur;
    const char* Message = "";  // the start of the slot's message (Refuse, Arrete, Interrompu)
    int RangeeArret = 0;       // Arrete, Interrompu: the row reported
    uint64_t Limite = 0;       // statement limit for the case; 0: the program's own
    int64_t BudgetMemoire = 0; // bytes for the scripts; 0: the program's own
};

const std::string Instructions2 = std::string("Ligne 2 : ") + TexteInstructionsDepassees;
const std::string Instructions3 = std::string("Ligne 3 : ") + TexteInstructionsDepassees;
const std::string Memoire3 = std::string("Ligne 3 : ") + TexteMemoireDepassee;
const std::string Classe2 = std::string("Ligne 2 : ") + TexteClasseRefusee;

double Zero(double) {
    return 0.0;
}
auto Constante(double v) {
    return [v](double) { return v; };
}

class ScriptCas : public ScriptLimites, public ::testing::WithParamInterface<tCasScript> {};

TEST_P(ScriptCas, EndsTheSameWayOnEveryMachine) {
    const tCasScript& c = GetParam();
    if (c.BudgetMemoire > 0) FIXER_BUDGET_MEMOIRE_SCRIPTS(c.BudgetMemoire);
    Preparer(c.Lignes, [&](MoteurScript& m) {
        if (c.Limite > 0) m.LimiteInstructions = c.Limite;
    });
    const int rangees = 12;

    if (c.Issue == tIssue::Refuse) {
        EXPECT_EQ(Moteur->ErreurScript[0], 1);
        EXPECT_FALSE(Moteur->SlotEnMarche(0));
        EXPECT_TRUE(Moteur->MessageScript(0).starts_with(c.Message)) << Moteur->MessageScript(0);
        for (int r = 0; r < rangees; ++r) EXPECT_EQ(Colonne(r)[1], 0.0);
        tArretsScripts arrets;
        EXPECT_FALSE(Moteur->PRENDRE_ARRETS(arrets)) << "a refusal is an error of the opening";
    } else {
        ASSERT_EQ(Moteur->ErreurScript[0], 0) << Moteur->MessageScript(0);
        ASSERT_TRUE(Moteur->SlotEnMarche(0));
        for (int r = 0; r < rangees; ++r) {
            SCOPED_TRACE(r);
            const double v = Colonne(r)[1];
            if (c.Issue == tIssue::Arrete && r >= c.RangeeArret)
                EXPECT_EQ(v, 0.0) << "stopped: 0.0 from that row on";
            else
                EXPECT_DOUBLE_EQ(v, c.Valeur(r));
        }
        tArretsScripts arrets;
        const bool signale = Moteur->PRENDRE_ARRETS(arrets);
        EXPECT_EQ(signale, c.Issue != tIssue::Calcule);
        for (int s = 1; s < NombreSlotsScript; ++s) EXPECT_EQ(arrets[s].Nature, ArretAucun) << s;
        EXPECT_EQ(Moteur->SlotEnMarche(0), c.Issue != tIssue::Arrete);
        if (c.Issue != tIssue::Calcule) {
            EXPECT_EQ(arrets[0].Nature, c.Issue == tIssue::Arrete ? ArretDefinitif : ArretException);
            EXPECT_EQ(arrets[0].Rangee.Genre, RangeeColonne);
            EXPECT_EQ(arrets[0].Rangee.Indice, c.RangeeArret);
            EXPECT_TRUE(arrets[0].Message.starts_with(c.Message)) << arrets[0].Message;
            EXPECT_EQ(Moteur->MessageScript(0), arrets[0].Message);
            EXPECT_FALSE(Moteur->PRENDRE_ARRETS(arrets)) << "taken once";
            // The first report stays for a program that tells it at its end.
            EXPECT_EQ(Moteur->PREMIER_ARRET(0).Rangee.Indice, c.RangeeArret);
        } else {
            EXPECT_EQ(Moteur->PREMIER_ARRET(0).Nature, ArretAucun);
        }
    }
    // What a stopped slot held is given back.
    if (c.Issue != tIssue::Calcule && c.Issue != tIssue::Interrompu)
        EXPECT_LT(MEMOIRE_SCRIPTS(), 16 * 1024) << "the stack of the other slot";
}

INSTANTIATE_TEST_SUITE_P(
    Cas, ScriptCas,
    ::testing::Values(
        // Slow but legal: twenty thousand statements on every row, to the end.
        tCasScript{"HeavyLoop",
                   {"double s = 0; for (int i = 0; i < 10000; i++) s += 1; function = s;"},
                   tIssue::Calcule,
                   Constante(10000.0)},
        tCasScript{"LoopOnTheRow",
                   {"double s = 0;", "for (int i = 0; i < 300; i++) s += 'A';", "function = s;"},
                   tIssue::Calcule,
                   [](double a) { return 300 * a; }},
        // Under a lowered limit: the count decides, never the clock.
        tCasScript{"LoopGrowingPastALoweredLimit",
                   {"double s = 0;", "for (int i = 0; i < 'A' * 1000; i++) s += 1;", "function = s;"},
                   tIssue::Arrete,
                   [](double a) { return 1000 * a; },
                   Instructions2.c_str(),
                   7,
                   25000},
        tCasScript{"EndlessLoop",
                   {"function = 1;", "while (true) {", "}"},
                   tIssue::Arrete,
                   Zero,
                   Instructions2.c_str()},
        tCasScript{"EndlessLoopOnALaterRow",
                   {"function = 'A';", "while ('A' > 3) {}"},
                   tIssue::Arrete,
                   [](double a) { return a; },
                   Instructions2.c_str(),
                   4,
                   1'000'000},
        tCasScript{
            "EndlessGlobalInitialisation",
            {"}", "double g = boucle();", "double boucle() { while (true) {} return 0; }", "void h() {"},
            tIssue::Refuse,
            Zero,
            Instructions3.c_str(),
            0,
            1'000'000},
        // Each call holds thirty doubles: a thousand calls would need about 300 KiB.
        tCasScript{"StackPastTheMemoryBudget",
                   {"function = 9;", "r(0); }",
                    "void r(int n) { double a0=1,a1,a2,a3,a4,a5,a6,a7,a8,a9,b0,b1,b2,b3,b4,b5,b6,b7,b8,b9,"
                    "c0,c1,c2,c3,c4,c5,c6,c7,c8,c9;",
                    "r(n + 1); }", "void h() {"},
                   tIssue::Arrete,
                   Zero,
                   Memoire3.c_str(),
                   0,
                   0,
                   64 * 1024},
        tCasScript{"GlobalsPastTheMemoryBudget",
                   {"}", "double g = r(0);",
                    "double r(int n) { double a0=1,a1,a2,a3,a4,a5,a6,a7,a8,a9,b0,b1,b2,b3,b4,b5,b6,b7,b8,b9;",
                    "return r(n + 1); }", "void h() {"},
                   tIssue::Refuse,
                   Zero,
                   Memoire3.c_str(),
                   0,
                   0,
                   64 * 1024},
        // Recursion without end, direct or mutual, small or large frames: the
        // stack runs out, the row keeps what was written before, the slot runs on.
        tCasScript{"Recursion",
                   {"function = 4;", "r(0); }", "void r(int n) { r(n + 1); }", "void h() {"},
                   tIssue::Interrompu,
                   Constante(4.0),
                   "Ligne 3 : Stack overflow"},
        tCasScript{"MutualRecursion",
                   {"function = 4;", "a(0); }", "void a(int n) { b(n + 1); } void b(int n) { a(n + 1); }",
                    "void h() {"},
                   tIssue::Interrompu,
                   Constante(4.0),
                   "Ligne 3 : Stack overflow"},
        tCasScript{"RecursionWithLargeFrames",
                   {"function = 4;", "r(0); }",
                    "void r(int n) { double a0=1,a1,a2,a3,a4,a5,a6,a7,a8,a9; r(n + 1); }", "void h() {"},
                   tIssue::Interrompu,
                   Constante(4.0),
                   "Ligne 3 : Stack overflow"},
        tCasScript{"DivisionOfIntegersByZero",
                   {"double d = 'A' - 3; int z = int(d);", "function = 7 % z;"},
                   tIssue::Interrompu,
                   [](double a) { return a == 3 ? 0.0 : double(7 % (int(a) - 3)); },
                   "Ligne 2 : Divide by zero",
                   3},
        // Handles: those the engine compiles run; those its compiler cannot
        // survive are refused, and only their slot.
        tCasScript{"HandleOfAChannel",
                   {"Fonc@ h = V0; function = h * 2;"},
                   tIssue::Calcule,
                   [](double a) { return 2 * a; }},
        tCasScript{"HandleAssignedTwice",
                   {"Fonc@ h = @V0;", "@h = function; h = 5 + V0;"},
                   tIssue::Calcule,
                   [](double a) { return 5 + a; }},
        tCasScript{"NullHandle",
                   {"Fonc@ h; function = 1; function = h * 2;"},
                   tIssue::Interrompu,
                   Constante(1.0),
                   "Ligne 1 : Null pointer access"},
        tCasScript{"HandleOfAValue", {"function = @V0/2;"}, tIssue::Refuse, Zero, TexteCompilationFatale},
        tCasScript{"HandleAfterAComment",
                   {"/* @ */ var x = 1; // @", "function = V0 - @function / 2;"},
                   tIssue::Refuse,
                   Zero,
                   TexteCompilationFatale}),
    [](const ::testing::TestParamInfo<tCasScript>& i) { return i.param.Nom; });

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
    EXPECT_LT(Horloge::now() - debut, milliseconds(2000));
    EXPECT_EQ(Moteur->ErreurScript[0], 1);
    EXPECT_FALSE(Moteur->SlotEnMarche(0));
    EXPECT_TRUE(Moteur->MessageScript(0).starts_with(c.Message)) << Moteur->MessageScript(0);
    EXPECT_EQ(Moteur->ErreurScript[1], 0) << Moteur->MessageScript(1);
    const auto ligne = Colonne(4);
    EXPECT_EQ(ligne[1], 0.0);
    EXPECT_LT(MEMOIRE_SCRIPTS(), 16 * 1024); // the stack of the other slot
}

INSTANTIATE_TEST_SUITE_P(
    Cas, ScriptRefuse,
    ::testing::Values(tRefus{"HugeArray", {"array<double> a(2000000000);", "function = a[0];"}, "Ligne 1 : "},
                      tRefus{"GrowingString", {"string s = 'x';", "while (true) s += s;"}, "Ligne 1 : "},
                      // A list of objects growing on every row, kept by a global handle.
                      tRefus{"GrowingList",
                             {"for (int i = 0; i < 1000; i++) { N n; @n.suite = tete; @tete = n; } }",
                              "class N { N@ suite; double x; }", "N@ tete;", "void h() {"},
                             Classe2.c_str()},
                      tRefus{"ListWithoutHandles",
                             {"for (int i = 0; i < 1000; i++) { N n; } }", "class N { double x; }",
                              "void h() {"},
                             Classe2.c_str()},
                      // An object whose destructor would run for ever when its engine shuts down.
                      tRefus{"EndlessDestructor",
                             {"}", "class  N { ~N() { while (true) {} } }", "N g;", "void h() {"},
                             Classe2.c_str()},
                      tRefus{"Interface", {"}", "interface I {}", "void h() {"}, Classe2.c_str()}),
    [](const ::testing::TestParamInfo<tRefus>& i) { return i.param.Nom; });

// At the program's own limit an endless loop is stopped within seconds, and
// the other slots go on at once.
TEST_F(ScriptLimites, EndlessLoopAtTheProgramsLimitStopsWithinSeconds) {
    Preparer({"while (true) {}"});
    ASSERT_TRUE(Moteur->SlotEnMarche(0));
    const auto debut = Horloge::now();
    EXPECT_EQ(Colonne(0)[1], 0.0);
    EXPECT_LT(Horloge::now() - debut, std::chrono::seconds(20));
    EXPECT_FALSE(Moteur->SlotEnMarche(0));
    const auto ensuite = Horloge::now();
    for (int r = 1; r < 100; ++r) Colonne(r);
    EXPECT_LT(Horloge::now() - ensuite, milliseconds(200));
}

TEST_F(ScriptLimites, OrdinaryScriptsHoldLittleOfTheMemoryBudget) {
    Enregistreur({"A"}, {0, 1, 2});
    Script(0, {"double s = 0;", "for (int i = 0; i < 300; i++) s += 'A';", "function = s;"});
    Script(1, {"function = sqrt('A') + exp(1);"});
    Script(2, {"var x = 'A' * 2;", "if (x > 4) function = x; else function = -x;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    for (int r = 0; r < 2000; ++r) Rangee({double(r)});
    for (int s = 0; s < 3; ++s) EXPECT_TRUE(Moteur->SlotEnMarche(s)) << s;
    tArretsScripts arrets;
    EXPECT_FALSE(Moteur->PRENDRE_ARRETS(arrets));
    EXPECT_LT(MEMOIRE_SCRIPTS(), BUDGET_MEMOIRE_SCRIPTS() / 16);
}

// A compilation that kills the child costs its own slot only: the slots after
// it are tried by a new child and run.
TEST_F(ScriptLimites, ASlotWhoseCompilationIsFatalCostsOnlyItself) {
    Enregistreur({"A"}, {0, 1, 2, 3});
    Script(0, {"function = 'A' + 10;"});
    Script(1, {"function = @V0/2;"});
    Script(2, {"function = V0 - @function / 2;"});
    Script(3, {"function = 'A' * 3;"});
    Moteur->LANCEMENT_TOUS_SCRIPTS();
    EXPECT_EQ(Moteur->ErreurScript[1], 1);
    EXPECT_EQ(Moteur->ErreurScript[2], 1);
    EXPECT_EQ(Moteur->MessageScript(2), TexteCompilationFatale);
    const auto ligne = Rangee({2.0});
    EXPECT_DOUBLE_EQ(ligne[1], 12.0);
    EXPECT_EQ(ligne[2], 0.0);
    EXPECT_EQ(ligne[3], 0.0);
    EXPECT_DOUBLE_EQ(ligne[4], 6.0);
    // Set up on its own, a slot is checked again.
    Moteur->SlotCourant = 1;
    Moteur->Init_Moteur();
    EXPECT_FALSE(Moteur->SlotEnMarche(1));
    EXPECT_STREQ(erreur_compilation, TexteCompilationFatale);
}

// The next recording's scripts run after a stopped one, and so does a new
// engine after the budget was overrun.
TEST_F(ScriptLimites, NextScriptsRunAfterAStoppedOne) {
    FIXER_BUDGET_MEMOIRE_SCRIPTS(64 * 1024);
    Preparer(
        {"function = 9;", "r(0); }",
         "void r(int n) { double a0=1,a1,a2,a3,a4,a5,a6,a7,a8,a9,b0,b1,b2,b3,b4,b5,b6,b7,b8,b9; r(n + 1); }",
         "void h() {"});
    for (int r = 0; r < 10; ++r) Colonne(r);
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
// are computed, the stop reaches the opener's window once with its row, and a
// program without a window gets the same report in its closing words.
TEST_F(ScriptLimites, StopsReachTheOpenerAndTheClosingReport) {
    INIT_CONFIG();
    Langue = 1;
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
    recmaker::Voie s0, s1, s2;
    s0.Numero = 72;
    s1.Numero = 73;
    s1.Nom = "Boucle";
    s2.Numero = 74;
    e.Voies = {a, s0, s1, s2};
    e.Scripts = {{0, {"function = 1;"}}, {1, {"function = 2;", "while (V0 > 6) {}"}}, {2, {"function = ;"}}};
    ASSERT_TRUE(recmaker::Ecrire(e, QFile::encodeName(chemin).toStdString()));

    OuvreREC ouvre;
    const auto installation = INSTALLER_SCRIPTS(ouvre);
    std::vector<tArretsScripts> fenetres;
    ouvre.MontrerArretsScripts = [&](const tArretsScripts& arrets) { fenetres.push_back(arrets); };
    ouvre.VraiNomFichier = ouvre.NomFichier = chemin;
    ASSERT_EQ(ouvre.OUVRIR_REC(1), LectureOK) << ouvre.CauseErreur;
    auto* moteur = dynamic_cast<MoteurScript*>(ouvre.Scripts.get());
    ASSERT_NE(moteur, nullptr);
    moteur->LimiteInstructions = 100000;
    EXPECT_FALSE(installation->SIGNALER_ARRETS());
    ASSERT_EQ(installation->BILAN_SCRIPTS().size(), 1u) << "slot 2 did not compile";

    for (int r = 0; r < 50; ++r) {
        std::vector<uint16_t> brut(NombreSlotsColonne, 0);
        brut[0] = static_cast<uint16_t>(r);
        std::vector<double> ligne(NombreSlotsColonne, 0.0);
        RECUP_DOUBLE(brut.data(), ligne.data(), {RangeeExport, r});
        EXPECT_DOUBLE_EQ(ligne[1], 1.0);
        EXPECT_EQ(ligne[2], r < 7 ? 2.0 : 0.0) << r;
    }
    EXPECT_TRUE(installation->SIGNALER_ARRETS());
    EXPECT_FALSE(installation->SIGNALER_ARRETS());
    ASSERT_EQ(fenetres.size(), 1u);
    EXPECT_EQ(fenetres[0][1].Nature, ArretDefinitif);
    EXPECT_EQ(fenetres[0][1].Rangee.Genre, RangeeExport);
    EXPECT_EQ(fenetres[0][1].Rangee.Indice, 7);
    EXPECT_EQ(fenetres[0][0].Nature, ArretAucun);

    const std::vector<std::string> bilan = installation->BILAN_SCRIPTS();
    ASSERT_EQ(bilan.size(), 2u);
    EXPECT_EQ(bilan[0], std::string("FB (Boucle) stopped at exported row 7: ") + Instructions2 +
                            "; its channel holds 0 from there on");
    EXPECT_TRUE(bilan[1].starts_with("FC (Voie) not set up: Ligne 1 : ")) << bilan[1];
    EXPECT_TRUE(bilan[1].ends_with("; its channel holds 0")) << bilan[1];
    ouvre.FERMER_FICHIER();
}

} // namespace
