// Buffered writing of an export file: rows are formatted straight into one
// large buffer, handed to the system in blocks of about half a megabyte. No
// allocation happens after construction.
#pragma once

#include <cstddef>
#include <memory>

class FichierProvisoire;

class TamponSortie {
public:
    static constexpr size_t Capacite = 512 * 1024;

    // Writes into `fichier`, which must outlive the buffer.
    explicit TamponSortie(const FichierProvisoire& fichier);
    TamponSortie(const TamponSortie&) = delete;
    TamponSortie& operator=(const TamponSortie&) = delete;

    // Pointer where `n` more bytes (n <= Capacite) can be written, the buffer
    // being written out first when it lacks the room. Close the write with Fixer.
    char* Reserver(size_t n) {
        if (Rempli_ + n > Capacite) Vider();
        return Debut_.get() + Rempli_;
    }
    void Fixer(char* fin) { Rempli_ = static_cast<size_t>(fin - Debut_.get()); }

    // Copies bytes, in pieces when they exceed the buffer.
    void Ajouter(const char* octets, size_t n);
    void Ajouter(char c) {
        char* p = Reserver(1);
        *p++ = c;
        Fixer(p);
    }
    // Writes out what the buffer holds, then `n` bytes of the caller's own
    // buffer without copying them.
    void Ecrire(const char* octets, size_t n);

    // Writes out what the buffer holds. After a failed write the error stays
    // and later data are dropped.
    void Vider();
    bool Erreur() const { return Erreur_; }
    // Bytes handed to the system so far.
    long long Ecrits() const { return Ecrits_; }

private:
    void Envoyer(const char* p, size_t n);

    const FichierProvisoire& Fichier_;
    std::unique_ptr<char[]> Debut_;
    size_t Rempli_ = 0;
    bool Erreur_ = false;
    long long Ecrits_ = 0;
};
