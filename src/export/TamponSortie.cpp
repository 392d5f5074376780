#include "export/TamponSortie.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "export/FichierProvisoire.h"

TamponSortie::TamponSortie(const FichierProvisoire& fichier)
    : Fichier_(fichier), Debut_(std::make_unique<char[]>(Capacite)) {}

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

void TamponSortie::Ecrire(const char* octets, size_t n) {
    Vider();
    Envoyer(octets, n);
}

void TamponSortie::Vider() {
    const size_t n = Rempli_;
    Rempli_ = 0;
    Envoyer(Debut_.get(), n);
}

void TamponSortie::Envoyer(const char* p, size_t reste) {
    if (Erreur_) return;
    while (reste > 0) {
        const int64_t n = Fichier_.Ecrire(p, static_cast<int64_t>(reste));
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
