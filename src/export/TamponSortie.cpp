#include "export/TamponSortie.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

TamponSortie::TamponSortie(int fd) : Fd_(fd), Debut_(std::make_unique<char[]>(Capacite)) {}

void TamponSortie::Ajouter(const char* octets, size_t n) {
    while (n > 0) {
        const size_t morceau = std::min(n, Capacite);
        char* p = Reserver(morceau);
        std::memcpy(p, octets, morceau);
        Fixer(p + morceau);
        octets += morceau;
        n -= morceau;
    }
}

void TamponSortie::Vider() {
    const char* p = Debut_.get();
    size_t reste = Rempli_;
    Rempli_ = 0;
    if (Erreur_) return;
    while (reste > 0) {
        const ssize_t n = ::write(Fd_, p, reste);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Erreur_ = true; // disk full, file too large, I/O error
            return;
        }
        p += n;
        reste -= static_cast<size_t>(n);
        Ecrits_ += n;
    }
}
