// The script holder with its engine: one AngelScript engine per script slot,
// each compiled once when the recording is opened and then run on every row
// of physical values (each display column, each exported row), writing its
// computed channel through the `Fonc` handles.
//
// A script comes with the recording, so it is untrusted: it sees only the math
// functions, `Fonc` and exp, and may declare no class (objects it could pile up
// without end, with destructors that would run outside any budget); each
// execution has a time budget and each slot a reserve of time over its rows, so
// that neither an endless loop nor a slow script on every row can hang the
// program; its stack is bounded, so runaway recursion ends in a script
// exception; and the memory scripts allocate while they run is bounded
// (MoteurScriptMemoire.h). A slot over its time or its memory is stopped for
// good (its channel then stays 0.0) and reported as an error of that slot.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "math/TexteScript.h"
#include "recording/ScriptsREC.h"

namespace AngelScript {
class asIScriptEngine;
class asIScriptContext;
class asIScriptFunction;
class asIScriptModule;
} // namespace AngelScript

// Time one execution of a script may take (one row, or the set-up of its globals).
inline constexpr std::chrono::microseconds BudgetExecutionScript{10000};
// Time a slot may spend over its rows: it starts with the reserve, each row
// gives it the recharge back (up to the reserve), and a slot that has used it
// up is stopped. A script of a few statements per row never comes near it; one
// that takes milliseconds on every row is stopped within a fraction of a second.
inline constexpr std::chrono::microseconds ReserveExecutionScript{200000};
inline constexpr std::chrono::microseconds RechargeExecutionScript{100};
// Why a slot was refused or stopped, in the style of the engine's messages
// (Windows-1252), after "Ligne %d : ".
inline constexpr const char* TexteClasseRefusee = "classe ou interface non permise dans un script";
inline constexpr const char* TexteHandleRefuse = "handle (@) non permis dans un script";
inline constexpr const char* TexteTempsDepasse = "temps d'ex\351cution d\351pass\351";
inline constexpr const char* TexteMemoireDepassee = "m\351moire d\351pass\351e";
// Bounds of a script's context: its stack in bytes and its nested calls.
inline constexpr int PileMaxScript = 256 * 1024;
inline constexpr int AppelsMaxScript = 1000;

class MoteurScript : public ScriptsREC {
public:
    explicit MoteurScript(t_EnteteREC_GlobalTotal* entete = &EnteteF);
    ~MoteurScript() override;

    // Sets up every existing slot (TKOS channels 72..95, VEL 204..227) in
    // order; a slot whose set-up reported a message gets its error flag.
    void LANCEMENT_TOUS_SCRIPTS() override;
    // Shuts the current slot down: context, engine and main function released.
    void Quit_moteur_script() override;
    // Sets up the current slot: a new engine with the interface registered, the
    // script compiled (a script that declares a class or an interface is
    // refused), its globals initialised within the time and memory budgets, a
    // context and its "void main()". Any failure leaves the slot not running,
    // with its message in erreur_compilation.
    void Init_Moteur();

    // Runs every running slot (0..23, in order) on the row TableauTravail
    // points to; nothing without a row. An execution that is aborted (over its
    // time budget or its slot's reserve) or that went over the memory budget
    // shuts its slot down; one that ends in a script exception leaves it
    // running. Both are reported (PRENDRE_ARRETS), an exception only when it
    // is the stack running out, once per slot. May be called from the export's
    // worker thread: runs are serialised.
    void execute_script();

    // The slots reported while they ran since the last call: their flags into
    // `arrets` (1: slot s was stopped or ran out of stack), cleared here; true
    // when one is set. MessageScript(s) then tells why.
    bool PRENDRE_ARRETS(uint8_t (&arrets)[NombreSlotsScript]);

    // True when slot s has an engine, a context and a main function.
    bool SlotEnMarche(int s) const;
    // Why slot s last reported an error ("" when none), for diagnostics, as
    // "Ligne %d : %s": the last engine message of its set-up, or why it was
    // stopped or broke off while running. Not thread-safe against a run.
    const std::string& MessageScript(int s) const;

    // Time budget of one execution, and the reserve of a slot with its
    // recharge per row; tests shorten or lengthen them.
    std::chrono::microseconds BudgetExecution = BudgetExecutionScript;
    std::chrono::microseconds ReserveExecution = ReserveExecutionScript;
    std::chrono::microseconds RechargeExecution = RechargeExecutionScript;

    // The time of a slot: the execution in progress, checked by the engine's
    // line callback, and what remains of the slot's reserve.
    struct tSurveillance {
        std::chrono::steady_clock::time_point Debut;
        std::chrono::steady_clock::duration Limite{};
        std::chrono::steady_clock::duration Reserve{};
        uint32_t Lignes = 0;
        bool Arrete = false; // the callback aborted the execution
    };

private:
    struct LibereMoteur {
        void operator()(AngelScript::asIScriptEngine* m) const;
    };
    struct LibereContexte {
        void operator()(AngelScript::asIScriptContext* c) const;
    };

    // Line callback of every context: aborts an execution over its budget.
    static void RappelLigne(AngelScript::asIScriptContext* contexte, void* surveillance);

    // "Ligne %d : %s", the script's own line numbering (the engine's row minus 2).
    static std::string MessageLigne(int rangee, const char* texte);

    int compile_script();
    void ArreterSlot(int s);
    void Armer(int s);
    // The time the execution just ended took from the slot's reserve.
    void Decompter(int s);
    // Stops slot s after an execution that was aborted, or went over the
    // memory budget, and reports it.
    void ArreterEnCours(int s, AngelScript::asIScriptContext* contexte, bool memoire);

    std::array<std::unique_ptr<AngelScript::asIScriptEngine, LibereMoteur>, NombreSlotsScript> Moteur_;
    std::array<std::unique_ptr<AngelScript::asIScriptContext, LibereContexte>, NombreSlotsScript> Contexte_;
    std::array<AngelScript::asIScriptFunction*, NombreSlotsScript> FonctionMain_{}; // owned by the module
    std::array<AngelScript::asIScriptModule*, NombreSlotsScript> Module_{};         // owned by the engine
    std::array<tSurveillance, NombreSlotsScript> Surveillance_{};
    std::array<std::string, NombreSlotsScript> Message_;
    std::array<uint8_t, NombreSlotsScript> Arrets_{};    // reported while running, not taken yet
    std::array<bool, NombreSlotsScript> PileSignalee_{}; // its stack running out was reported
    std::mutex Execution_;
};
