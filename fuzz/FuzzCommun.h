// What every fuzz target shares: the input handed to the readers as a file that
// lives in memory only, and message boxes recorded
// instead of shown.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <QString>

#include "shell/BoiteMessageEnregistreuse.h"

namespace fuzz {

// A file in memory (memfd), reached by the readers through "/proc/self/fd/N":
// rewriting it costs two system calls and nothing ever touches the disk.
class FichierMemoire {
public:
    explicit FichierMemoire(const char* nom) : Fd_(memfd_create(nom, MFD_CLOEXEC)) {
        if (Fd_ < 0) std::abort(); // nothing can run without it
        Chemin_ = QString::fromStdString("/proc/self/fd/" + std::to_string(Fd_));
    }
    ~FichierMemoire() { ::close(Fd_); }
    FichierMemoire(const FichierMemoire&) = delete;
    FichierMemoire& operator=(const FichierMemoire&) = delete;

    // The file's content becomes exactly these bytes.
    void Ecrire(const uint8_t* octets, size_t n) {
        if (::ftruncate(Fd_, 0) != 0) std::abort();
        size_t fait = 0;
        while (fait < n) {
            const ssize_t r = ::pwrite(Fd_, octets + fait, n - fait, static_cast<off_t>(fait));
            if (r <= 0) std::abort();
            fait += static_cast<size_t>(r);
        }
    }

    const QString& Chemin() const { return Chemin_; }

private:
    int Fd_;
    QString Chemin_;
};

// Every box goes to the recording handler, which shows nothing; its record is
// emptied at the start of each run so that memory stays flat. Questions get
// the answer that changes nothing.
inline BoiteMessageEnregistreuse& BOITES_DU_PASSAGE() {
    static BoiteMessageEnregistreuse boite;
    static const bool installee = (INSTALLER_BOITE_MESSAGE(&boite), true);
    (void)installee;
    boite.Appels.clear();
    boite.Reponses.clear();
    return boite;
}

} // namespace fuzz
