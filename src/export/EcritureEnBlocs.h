// The rows of a text export formatted on two threads, written in their order.
//
// The export's own thread converts the rows (in row order, on that thread
// only) and fills blocks with them; a worker thread formats the blocks handed
// over; the export's thread formats some too whenever every block is taken, so
// both cores stay busy whichever part costs more. The thread that finishes
// the block next in order writes it, and any later ones already formatted, so
// the file receives exactly the bytes of one thread formatting row after row,
// whatever the timing. Blocks pass between the threads whole, under one lock;
// the error flag and the count of rows written are atomics.
//
// A write that fails stops the writing: later blocks are still formatted and
// recycled but never written, and Erreur() tells the export to stop.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "export/BlocTexte.h"
#include "export/LigneTexte.h"
#include "export/TamponSortie.h"

class EcritureEnBlocs {
public:
    // Blocks of `lignesParBloc` rows written into `tampon` after what it holds
    // already. Starts the worker: std::system_error when no thread can be had.
    EcritureEnBlocs(const LigneTexte& format, TamponSortie& tampon, size_t lignesParBloc);
    // Stops the worker and joins it; blocks not yet written are dropped.
    ~EcritureEnBlocs();
    EcritureEnBlocs(const EcritureEnBlocs&) = delete;
    EcritureEnBlocs& operator=(const EcritureEnBlocs&) = delete;

    // Appends a converted row (export thread). A full block is handed over.
    void Ajouter(const tRangeeTexte& r) {
        Courant_->Ajouter(r);
        if (Courant_->Plein()) Remettre();
    }

    // Hands over the rows appended so far and waits until every block is
    // written (export thread, once, after the last row). False when a write
    // failed.
    bool Achever();

    bool Erreur() const { return Erreur_.load(std::memory_order_acquire); }
    // Rows whose bytes were handed to the file so far.
    int64_t LignesEcrites() const { return LignesEcrites_.load(std::memory_order_relaxed); }

    // Blocks in circulation.
    static constexpr size_t NombreBlocs = 12;

private:
    void Remettre();
    void Boucle();
    // Formats a block taken from AFormater_, then writes what is due.
    void Traiter(BlocTexte* bloc);

    const LigneTexte& Format_;
    TamponSortie& Tampon_;
    std::vector<std::unique_ptr<BlocTexte>> Blocs_;
    BlocTexte* Courant_ = nullptr; // filled by the export thread
    int64_t Remis_ = 0;            // blocks handed over (export thread)

    std::mutex Verrou_;
    std::condition_variable Reveil_; // worker: a block to format, or the end
    std::condition_variable Rendu_;  // export thread: a block written and free again
    // Under Verrou_:
    std::deque<BlocTexte*> AFormater_; // handed over, in order
    std::vector<BlocTexte*> Formates_; // formatted, waiting for their turn
    std::vector<BlocTexte*> Libres_;
    int64_t AEcrire_ = 0;          // number of the next block to write
    bool EcritureEnCours_ = false; // a thread writes: it alone touches Tampon_
    std::atomic<bool> Fin_{false}; // set under Verrou_: the worker ends

    std::atomic<bool> Erreur_{false};
    std::atomic<int64_t> LignesEcrites_{0};
    std::thread Fil_; // last: started once everything above exists
};
