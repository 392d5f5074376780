// The script holder with its engine: one AngelScript engine per script slot,
// each compiled once when the recording is opened and then run on every row
// of physical values (each display column, each exported row), writing its
// computed channel through the `Fonc` handles.
//
// A script comes with the recording, so it is untrusted: it sees only the math
// functions, `Fonc` and exp, and may declare no class (objects it could pile up
// without end, with destructors that would run outside any limit). Each slot is
// first compiled in a child process, so that a script the engine's compiler
// cannot survive costs its slot only, never the program. Every execution is
// bounded by a count of executed statements: generous enough that any script
// that ends runs to its end, whatever the machine and its load (the same input
// always gives the same output), while one that never ends is aborted. Its stack
// is bounded, so runaway recursion ends in a script exception, and the memory
// scripts allocate while they run is bounded (MoteurScriptMemoire.h). A slot
// over its statements or its memory is stopped for good (its channel then stays
// 0.0); that, and a script exception, is reported with the row it happened on.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "math/TexteScript.h"
#include "recording/ScriptsREC.h"

namespace AngelScript {
class asIScriptEngine;
class asIScriptContext;
class asIScriptFunction;
class asIScriptModule;
} // namespace AngelScript

// Statements one execution of a script may run (one row, or the set-up of its
// globals) before it is taken for a script that never ends. A plain loop runs
// about 60 million statements a second here, so the limit is seconds of work,
// far above any script that computes one value of a row.
inline constexpr uint64_t LimiteInstructionsScript = 100'000'000;
// Why a slot was refused or stopped, in the style of the engine's messages
// (Windows-1252), after "Ligne %d : ".
inline constexpr const char* TexteClasseRefusee = "classe ou interface non permise dans un script";
inline constexpr const char* TexteInstructionsDepassees = "nombre d'instructions d\351pass\351";
inline constexpr const char* TexteCompilationFatale =
    "compilation impossible : elle arr\352te le moteur de scripts";
inline constexpr const char* TexteMemoireDepassee = "m\351moire d\351pass\351e";
// Bounds of a script's context: its stack in bytes and its nested calls.
inline constexpr int PileMaxScript = 256 * 1024;
inline constexpr int AppelsMaxScript = 1000;

class MoteurScript : public ScriptsREC {
public:
    explicit MoteurScript(t_EnteteREC_GlobalTotal* entete = &EnteteF);
    ~MoteurScript() override;

    // Sets up every existing slot (TKOS channels 72..95, VEL 204..227) in
    // order; a slot whose set-up reported a message gets its error flag. The
    // slots are compiled in a child process first (VERIFIER_COMPILATIONS).
    void LANCEMENT_TOUS_SCRIPTS() override;
    // Shuts the current slot down: context, engine and main function released.
    void Quit_moteur_script() override;
    // Sets up the current slot: a new engine with the interface registered, the
    // script compiled (refused when its compilation killed the child process
    // that tried it first, or when it declares a class or an interface), its
    // globals initialised within the statement and memory limits, a context
    // and its "void main()". Any failure leaves the slot not running, with its
    // message in erreur_compilation.
    void Init_Moteur();

    // Runs every running slot (0..23, in order) on the row TableauTravail
    // points to; nothing without a row. `rangee` says which row it is, for the
    // reports. An execution that is aborted (over its statements) or that went
    // over the memory budget shuts its slot down; one that ends in a script
    // exception leaves it running. Both are reported (PRENDRE_ARRETS), an
    // exception once per slot. May be called from any thread: runs are
    // serialised.
    void execute_script(tRangee rangee = {});

    // The reports made while the slots ran since the last call, cleared here:
    // `arrets[s].Nature` is ArretAucun for a slot with nothing new. True when
    // one is set.
    bool PRENDRE_ARRETS(tArretsScripts& arrets);
    // The first report of slot s since its set-up, taken or not (Nature
    // ArretAucun when the slot has run on every row so far).
    tArretScript PREMIER_ARRET(int s) const;

    // True when slot s has an engine, a context and a main function.
    bool SlotEnMarche(int s) const;
    // Why slot s last reported an error ("" when none), for diagnostics, as
    // "Ligne %d : %s": the last engine message of its set-up, or why it was
    // stopped or broke off while running. Not thread-safe against a run.
    const std::string& MessageScript(int s) const;

    // Statements one execution may run; tests lower it.
    uint64_t LimiteInstructions = LimiteInstructionsScript;
    // Compile each slot in a child process before compiling it here (on
    // systems that have child processes of their own memory); tests of the
    // set-up itself may compile in-process only.
    bool CompilationIsolee = true;

    // Statements of the execution in progress, counted by the engine's line
    // callback.
    struct tSurveillance {
        uint64_t Instructions = 0;
        uint64_t Limite = LimiteInstructionsScript;
        bool Arrete = false; // the callback aborted the execution
    };

    // Compiles each of `slots` (in order) as Init_Moteur would, in a child
    // process, and marks those whose set-up killed it; the others are set up
    // here afterwards. Without child processes nothing is marked.
    void VERIFIER_COMPILATIONS(const std::vector<int>& slots);

private:
    struct LibereMoteur {
        void operator()(AngelScript::asIScriptEngine* m) const;
    };
    struct LibereContexte {
        void operator()(AngelScript::asIScriptContext* c) const;
    };

    // Line callback of every context: aborts an execution over its statements.
    static void RappelLigne(AngelScript::asIScriptContext* contexte, void* surveillance);

    // "Ligne %d : %s", the script's own line numbering (the engine's row minus 2).
    static std::string MessageLigne(int rangee, const char* texte);

    // The set-up of slot s itself, once its compilation is known to be safe.
    void MettreEnPlace(int s);
    int compile_script();
    void ArreterSlot(int s);
    void Armer(int s);
    // Keeps a report of slot s for PRENDRE_ARRETS and PREMIER_ARRET.
    void Signaler(int s, uint8_t nature, tRangee rangee, std::string message);

    std::array<std::unique_ptr<AngelScript::asIScriptEngine, LibereMoteur>, NombreSlotsScript> Moteur_;
    std::array<std::unique_ptr<AngelScript::asIScriptContext, LibereContexte>, NombreSlotsScript> Contexte_;
    std::array<AngelScript::asIScriptFunction*, NombreSlotsScript> FonctionMain_{}; // owned by the module
    std::array<AngelScript::asIScriptModule*, NombreSlotsScript> Module_{};         // owned by the engine
    std::array<tSurveillance, NombreSlotsScript> Surveillance_{};
    std::array<std::string, NombreSlotsScript> Message_;
    tArretsScripts NonPris_;  // reported while running, not taken yet
    tArretsScripts Premiers_; // the first report of each slot since its set-up
    // Compilation checked in a child: 0 not yet, 1 it survived, 2 it killed the child.
    std::array<uint8_t, NombreSlotsScript> Verification_{};
    mutable std::mutex Execution_;
};
