// The file an export writes: a temporary file in the target's folder, renamed
// over the target only once it is complete. The previous file of that name
// stays untouched until then, and a failed export leaves nothing where the
// user named a file (the temporary file is removed).
#pragma once

#include <cstdint>
#include <functional>

#include <QString>

// The operations that complete the temporary file, so that tests can make any
// of them fail. The defaults are the real operations.
struct tEcritureProvisoire {
    // Writes up to `n` bytes at the file position: the bytes written, or -1
    // with errno set.
    std::function<int64_t(int fd, const char* octets, int64_t n)> Ecrire;
    // Pushes the file's content down to the disk.
    std::function<bool(int fd)> Vider;
    // Closes the descriptor; it is released whatever the result.
    std::function<bool(int fd)> Fermer;
    // Puts `de` in place of `vers` in one step, replacing it.
    std::function<bool(const QString& de, const QString& vers)> Renommer;

    tEcritureProvisoire();
};

class FichierProvisoire {
public:
    explicit FichierProvisoire(tEcritureProvisoire ecriture = tEcritureProvisoire())
        : E_(std::move(ecriture)) {}
    ~FichierProvisoire() { Abandonner(); }
    FichierProvisoire(const FichierProvisoire&) = delete;
    FichierProvisoire& operator=(const FichierProvisoire&) = delete;

    // Creates the temporary file (readable and writable by the user) beside
    // `cible`. False when that folder cannot receive a file (missing, not a
    // folder, not writable); nothing is then created.
    bool Creer(const QString& cible);

    // Descriptor of the open temporary file, -1 once closed.
    int Descripteur() const { return Fd_; }
    // Path of the temporary file, for writers that open it by name themselves
    // (close the descriptor first with FermerDescripteur).
    const QString& Chemin() const { return Chemin_; }
    const QString& Cible() const { return Cible_; }
    bool FermerDescripteur();
    // One write of up to `n` bytes into the open file, as Ecrire of the
    // operations does it.
    int64_t Ecrire(const char* octets, int64_t n) const { return E_.Ecrire(Fd_, octets, n); }

    // Flushes the file to disk (opening it again when its writer closed the
    // descriptor to write it by name), closes it and renames it over the
    // target. False when any of these fails: the temporary file is then removed
    // and the target keeps its previous content.
    bool Valider();
    // Closes and removes the temporary file (nothing when none is held).
    void Abandonner();

private:
    tEcritureProvisoire E_;
    int Fd_ = -1;
    bool FermetureEchouee_ = false;
    QString Chemin_;
    QString Cible_;
};
