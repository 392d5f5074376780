// Read-only access to a recording file: open, 64-bit length, positioned reads,
// close. Used by every reader of recordings (header reading, display pass,
// export, concatenation). Nothing here throws; failures are return values.
#pragma once

#include <cstdint>

#include <QString>

class FichierREC {
public:
    FichierREC() = default;
    ~FichierREC() { Fermer(); }
    FichierREC(const FichierREC&) = delete;
    FichierREC& operator=(const FichierREC&) = delete;
    FichierREC(FichierREC&& autre) noexcept : fd_(autre.fd_) { autre.fd_ = -1; }
    FichierREC& operator=(FichierREC&& autre) noexcept;

    // Opens `chemin` read-only in binary mode (closing any file held before).
    bool Ouvrir(const QString& chemin);
    void Fermer();
    bool EstOuvert() const { return fd_ >= 0; }

    // File length in bytes, -1 when closed or on failure.
    int64_t Longueur() const;

    // Reads up to n bytes at `position` without moving any shared file pointer.
    // Returns the bytes read (short at the end of the file), -1 on failure.
    int64_t Lire(int64_t position, void* tampon, int64_t n) const {
        return LireHandle(Handle(), position, tampon, n);
    }
    // True only when exactly n bytes were read.
    bool LireTout(int64_t position, void* tampon, int64_t n) const {
        return n >= 0 && Lire(position, tampon, n) == n;
    }

    // Handle value kept in `HandleFichier` of the header: descriptor + 1, so that
    // 0 means closed as the header record requires.
    int32_t Handle() const { return fd_ + 1; }
    // Reads through a handle of that kind held by someone else (0 gives -1).
    static int64_t LireHandle(int32_t handle, int64_t position, void* tampon, int64_t n);

private:
    int fd_ = -1;
};
