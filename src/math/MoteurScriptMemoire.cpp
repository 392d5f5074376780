#include "math/MoteurScriptMemoire.h"

#include <angelscript.h>

#include <atomic>
#include <cstdlib>

using namespace AngelScript;

namespace {

// Before every block: its size and whether it was charged. 16 bytes keep the
// block as aligned as malloc made it.
struct alignas(16) EnteteBloc {
    uint64_t Taille;
    uint64_t Charge;
};
static_assert(sizeof(EnteteBloc) == 16);

std::atomic<int64_t> Charges{0};
std::atomic<int64_t> Budget{BudgetMemoireScripts};

thread_local bool ChargeFil = false;      // a script runs on this thread
thread_local bool DepassementFil = false; // and went over the budget
thread_local bool RechercheContexte = false;

void ArreterScriptActif() {
    // Looking the context up may itself allocate the engine's data for this
    // thread, which comes back here: that inner call must not look again.
    if (RechercheContexte) return;
    RechercheContexte = true;
    if (asIScriptContext* contexte = asGetActiveContext()) contexte->Abort();
    RechercheContexte = false;
}

void* Allouer(size_t taille) {
    const bool charge = ChargeFil;
    const auto n = static_cast<int64_t>(taille);
    if (charge &&
        Charges.fetch_add(n, std::memory_order_relaxed) + n > Budget.load(std::memory_order_relaxed)) {
        DepassementFil = true;
        ArreterScriptActif();
    }
    void* bloc = std::malloc(taille + sizeof(EnteteBloc));
    if (bloc == nullptr) {
        if (charge) Charges.fetch_sub(n, std::memory_order_relaxed);
        return nullptr;
    }
    auto* entete = static_cast<EnteteBloc*>(bloc);
    entete->Taille = taille;
    entete->Charge = charge ? 1 : 0;
    return entete + 1;
}

void Liberer(void* memoire) {
    if (memoire == nullptr) return;
    auto* entete = static_cast<EnteteBloc*>(memoire) - 1;
    if (entete->Charge != 0)
        Charges.fetch_sub(static_cast<int64_t>(entete->Taille), std::memory_order_relaxed);
    std::free(entete);
}

// Set when the program loads: the engine must get all its memory from one
// pair of functions, so they are in place before any engine is created.
[[maybe_unused]] const int Installation = asSetGlobalMemoryFunctions(Allouer, Liberer);

} // namespace

int64_t MEMOIRE_SCRIPTS() {
    return Charges.load(std::memory_order_relaxed);
}

int64_t BUDGET_MEMOIRE_SCRIPTS() {
    return Budget.load(std::memory_order_relaxed);
}

void FIXER_BUDGET_MEMOIRE_SCRIPTS(int64_t octets) {
    Budget.store(octets, std::memory_order_relaxed);
}

void RESET_MEMOIRE_SCRIPTS() {
    Budget.store(BudgetMemoireScripts, std::memory_order_relaxed);
}

ExecutionChargee::ExecutionChargee() : Precedente_(ChargeFil), DepassePrecedent_(DepassementFil) {
    ChargeFil = true;
    DepassementFil = false;
}

ExecutionChargee::~ExecutionChargee() {
    // An overrun inside also overran every enclosing scope.
    DepassementFil = DepassePrecedent_ || DepassementFil;
    ChargeFil = Precedente_;
}

bool ExecutionChargee::Depasse() const {
    return DepassementFil;
}
