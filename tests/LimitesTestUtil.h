// Helpers of the tests of hostile sizes: sparse files far larger than the disk
// (what a file announcing billions of scans is), holes punched into a file, and
// a child process whose address space is bounded, to show that some work
// allocates nothing proportional to what a file announces.
#pragma once

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>

namespace limites_test {

// The address and thread sanitizers reserve terabytes of address space (their
// shadow memory): no bound can be set then. The thread checker also refuses
// threads in a child forked from a threaded test.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool SousSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool SousSanitizer = true;
#else
inline constexpr bool SousSanitizer = false;
#endif
#else
inline constexpr bool SousSanitizer = false;
#endif

// Makes the file `taille` bytes long; what is added is a hole (stores nothing).
inline bool Etendre(const std::string& chemin, int64_t taille) {
    return ::truncate(chemin.c_str(), static_cast<off_t>(taille)) == 0;
}

// Turns bytes [debut, debut + longueur) of the file into a hole (zeros).
inline bool Percer(const std::string& chemin, int64_t debut, int64_t longueur) {
    const int fd = ::open(chemin.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, static_cast<off_t>(debut),
                                static_cast<off_t>(longueur)) == 0;
    ::close(fd);
    return ok;
}

// A memory file system that takes sparse files of petabytes (empty when there is none).
inline std::string DossierMemoire() {
    struct statfs s {};
    if (::statfs("/dev/shm", &s) != 0 || s.f_type != TMPFS_MAGIC || ::access("/dev/shm", W_OK) != 0)
        return {};
    return "/dev/shm";
}

// A file removed when the object goes, even when an assertion ends the test early.
struct Effaceur {
    std::string Chemin;
    explicit Effaceur(std::string chemin) : Chemin(std::move(chemin)) {}
    Effaceur(const Effaceur&) = delete;
    Effaceur& operator=(const Effaceur&) = delete;
    ~Effaceur() { std::remove(Chemin.c_str()); }
};

// Address space the process holds now.
inline int64_t EspaceAdresses() {
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return -1;
    long pages = -1;
    const int lus = std::fscanf(f, "%ld", &pages);
    std::fclose(f);
    return lus == 1 ? static_cast<int64_t>(pages) * ::sysconf(_SC_PAGESIZE) : -1;
}

// Runs `travail` in a child process allowed `marge` bytes of address space more
// than this process holds; its result is the child's exit code (travail()'s
// result), or -1 when the child did not end normally (killed, out of memory).
inline int DansEnfantBorne(int64_t marge, const std::function<int()>& travail) {
    const int64_t base = EspaceAdresses();
    if (base < 0) return -1;
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        const rlimit limite{static_cast<rlim_t>(base + marge), static_cast<rlim_t>(base + marge)};
        if (::setrlimit(RLIMIT_AS, &limite) != 0) ::_exit(120);
        int code = 121;
        try {
            code = travail();
        } catch (...) {
            code = 122; // typically std::bad_alloc: the bound was hit
        }
        std::fflush(nullptr);
        ::_exit(code);
    }
    int etat = 0;
    if (::waitpid(pid, &etat, 0) != pid) return -1;
    return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
}

} // namespace limites_test
