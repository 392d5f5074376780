// The script holder with its engine: one AngelScript engine per script slot,
// each compiled once when the recording is opened and then run on every row
// of physical values (each display column, each exported row), writing its
// computed channel through the `Fonc` handles.
//
// A script comes with the recording, so it is untrusted: it sees only the math
// functions, `Fonc` and exp; each execution has a time budget, after which it
// is aborted and its slot shut down for good (its channel then stays 0.0); and
// its stack is bounded, so runaway recursion ends in a script exception.
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
    // script compiled, its globals initialised within the time budget, a
    // context and its "void main()". Any failure leaves the slot not running.
    void Init_Moteur();

    // Runs every running slot (0..23, in order) on the row TableauTravail
    // points to; nothing without a row. An execution that is aborted (over its
    // time budget) shuts its slot down; one that ends in a script exception
    // leaves it running. May be called from the export's worker thread: runs
    // are serialised.
    void execute_script();

    // True when slot s has an engine, a context and a main function.
    bool SlotEnMarche(int s) const;
    // The last engine message of slot s's set-up ("" when none), kept after
    // the error flag is set, for diagnostics.
    const std::string& MessageScript(int s) const;

    // Time budget of one execution; tests shorten or lengthen it.
    std::chrono::microseconds BudgetExecution = BudgetExecutionScript;

    // The time budget of the execution in progress on a slot, checked by the
    // engine's line callback.
    struct tSurveillance {
        std::chrono::steady_clock::time_point Debut;
        std::chrono::steady_clock::duration Limite{};
        uint32_t Lignes = 0;
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

    int compile_script();
    void ArreterSlot(int s);
    void Armer(int s);

    std::array<std::unique_ptr<AngelScript::asIScriptEngine, LibereMoteur>, NombreSlotsScript> Moteur_;
    std::array<std::unique_ptr<AngelScript::asIScriptContext, LibereContexte>, NombreSlotsScript> Contexte_;
    std::array<AngelScript::asIScriptFunction*, NombreSlotsScript> FonctionMain_{}; // owned by the module
    std::array<AngelScript::asIScriptModule*, NombreSlotsScript> Module_{};         // owned by the engine
    std::array<tSurveillance, NombreSlotsScript> Surveillance_{};
    std::array<std::string, NombreSlotsScript> Message_;
    std::mutex Execution_;
};
