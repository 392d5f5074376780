// The memory of the scripting engine, counted so that a running script has a
// budget.
//
// The engine has no budget of its own; it takes all its memory through the one
// pair of process-wide memory functions it lets an application set. This file
// sets them (once, when the program loads, before any engine exists) to a
// counting allocator: every block carries a 16-byte header with its size and
// whether a running script asked for it. Blocks asked for while a script runs
// (ExecutionChargee alive on the thread) are charged to the scripts' account;
// their sum over every slot of every holder is bounded by the budget.
//
// A refused block cannot be refused by returning null: the engine does not
// check and would write through it. Over the budget the block is still given,
// and the script running on this thread is aborted instead (it stops at its
// next statement); the caller sees the overrun through Depasse() and shuts the
// slot down, which gives its memory back.
//
// The state is two atomics (the charged bytes, the budget) and one flag per
// thread.
#pragma once

#include <cstdint>

// Bytes the running scripts may hold together: far above what a script of
// twelve lines needs (its stack and a few handles), far below what would
// strain the program.
inline constexpr int64_t BudgetMemoireScripts = 16 << 20;

// Bytes allocated by running scripts and not freed yet.
int64_t MEMOIRE_SCRIPTS();
// The budget in force (BudgetMemoireScripts unless a test changed it).
int64_t BUDGET_MEMOIRE_SCRIPTS();
void FIXER_BUDGET_MEMOIRE_SCRIPTS(int64_t octets);
// Puts the default budget back (the charged bytes belong to live blocks and stay).
void RESET_MEMOIRE_SCRIPTS();

// While alive, the engine's allocations on this thread are a running script's:
// charged, and over the budget they abort the thread's active script context.
// Scopes nest; each tells whether the budget was overrun during its own life.
class ExecutionChargee {
public:
    ExecutionChargee();
    ~ExecutionChargee();
    ExecutionChargee(const ExecutionChargee&) = delete;
    ExecutionChargee& operator=(const ExecutionChargee&) = delete;

    bool Depasse() const;

private:
    bool Precedente_;
    bool DepassePrecedent_;
};
