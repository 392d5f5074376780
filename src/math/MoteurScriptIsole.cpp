// The compilation of a recording's scripts tried first in a child process.
//
// The engine's compiler stops the whole process on some scripts it cannot
// handle (an assertion of the engine fails and aborts), and a script comes
// with the recording: such a script must cost its own slot, not the viewer.
// A child process (a copy of this one, made by fork) sets the slots up one
// after the other, exactly as they are set up here afterwards, and tells
// through a pipe which slot it is at. When it dies, the slot it was at is
// marked fatal, and a new child goes on with the next slots. One child serves
// every slot of a recording that compiles.
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>

#include "math/MoteurScript.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#define OMBRIX_FORK 1
#endif

#if defined(OMBRIX_FORK)
namespace {

// What the child writes after the last slot.
constexpr uint8_t FinEssais = 0xFF;

void Ecrire(int fd, uint8_t octet) {
    while (::write(fd, &octet, 1) < 0 && errno == EINTR) {
    }
}

// In the child: the default action for the signals of a crash, so that an
// abort ends the child at once (handlers of the parent, such as a fuzzer's or
// a sanitizer's, would report the parent as crashed), and no output.
void PreparerEnfant() {
    for (const int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGSYS})
        std::signal(signal, SIG_DFL);
    const int nul = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nul >= 0) {
        ::dup2(nul, STDOUT_FILENO);
        ::dup2(nul, STDERR_FILENO);
    }
}

// Index in `slots` of the slot the child died on, or -1 when it finished.
// Without a pipe or a child (the system refused them), -1 too: the slots are
// then compiled here only, as on a system that has no child processes.
template <class Essai>
int EssayerDansUnEnfant(const std::vector<int>& slots, size_t premier, const Essai& essai) {
    int tube[2];
    // Closed on exec: a program another thread starts meanwhile must not hold
    // the pipe open.
#if defined(__linux__)
    if (::pipe2(tube, O_CLOEXEC) != 0) return -1;
#else
    if (::pipe(tube) != 0) return -1;
    ::fcntl(tube[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(tube[1], F_SETFD, FD_CLOEXEC);
#endif
    const pid_t enfant = ::fork();
    if (enfant < 0) {
        ::close(tube[0]);
        ::close(tube[1]);
        return -1;
    }
    if (enfant == 0) {
        ::close(tube[0]);
        PreparerEnfant();
        for (size_t i = premier; i < slots.size(); ++i) {
            Ecrire(tube[1], static_cast<uint8_t>(slots[i]));
            essai(slots[i]);
        }
        Ecrire(tube[1], FinEssais);
        ::_exit(0);
    }
    ::close(tube[1]);
    int dernier = -1;
    bool fini = false;
    for (;;) {
        uint8_t octets[64];
        const ssize_t n = ::read(tube[0], octets, sizeof octets);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        for (ssize_t k = 0; k < n; ++k) {
            if (octets[k] == FinEssais)
                fini = true;
            else
                dernier = octets[k];
        }
    }
    ::close(tube[0]);
    int etat = 0;
    while (::waitpid(enfant, &etat, 0) < 0 && errno == EINTR) {
    }
    if (fini && WIFEXITED(etat) && WEXITSTATUS(etat) == 0) return -1;
    // Died before it said a slot: on the first one.
    for (size_t i = premier; i < slots.size(); ++i)
        if (slots[i] == dernier) return static_cast<int>(i);
    return static_cast<int>(premier);
}

} // namespace
#endif

void MoteurScript::VERIFIER_COMPILATIONS(const std::vector<int>& slots) {
    for (const int s : slots)
        if (s >= 0 && s < NombreSlotsScript) Verification_[s] = 1;
#if defined(OMBRIX_FORK)
    if (!CompilationIsolee) return;
    // In the child: this holder's copy sets the slot up as Init_Moteur does,
    // its previous engine shut down first.
    const auto essai = [this](int s) {
        if (s < 0 || s >= NombreSlotsScript) return;
        SlotCourant = static_cast<int16_t>(s);
        ArreterSlot(s);
        MettreEnPlace(s);
    };
    for (size_t premier = 0; premier < slots.size();) {
        const int mort = EssayerDansUnEnfant(slots, premier, essai);
        if (mort < 0) break;
        const int s = slots[static_cast<size_t>(mort)];
        if (s >= 0 && s < NombreSlotsScript) Verification_[static_cast<size_t>(s)] = 2;
        premier = static_cast<size_t>(mort) + 1;
    }
#endif
}
