#include "recording/FichierREC.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

FichierREC& FichierREC::operator=(FichierREC&& autre) noexcept {
    if (this != &autre) {
        Fermer();
        fd_ = autre.fd_;
        autre.fd_ = -1;
    }
    return *this;
}

bool FichierREC::Ouvrir(const QString& chemin) {
    Fermer();
    if (chemin.isEmpty()) return false;
    const QByteArray nom = QFile::encodeName(chemin);
    int fd;
    do {
        fd = ::open(nom.constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    // A directory opens read-only on POSIX but is no recording.
    struct stat etat {};
    if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void FichierREC::Fermer() {
    if (fd_ >= 0) ::close(fd_); // errors on close are of no use to a reader
    fd_ = -1;
}

int64_t FichierREC::Longueur() const {
    if (fd_ < 0) return -1;
    struct stat etat {};
    if (::fstat(fd_, &etat) != 0) return -1;
    return static_cast<int64_t>(etat.st_size);
}

int64_t FichierREC::LireHandle(int32_t handle, int64_t position, void* tampon, int64_t n) {
    if (handle <= 0 || position < 0 || n < 0 || (n > 0 && tampon == nullptr)) return -1;
    const int fd = handle - 1;
    auto* octets = static_cast<char*>(tampon);
    int64_t lus = 0;
    while (lus < n) {
        const ssize_t r =
            ::pread(fd, octets + lus, static_cast<size_t>(n - lus), static_cast<off_t>(position + lus));
        if (r < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (r == 0) break; // end of file
        lus += r;
    }
    return lus;
}
