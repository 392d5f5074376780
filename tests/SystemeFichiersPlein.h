// A small file system that the tests fill up: a size-limited tmpfs mounted on a
// fresh temporary folder, so that a writer meets a full disk at any chosen point
// of its output.
//
// The mount lives in a mount namespace of this process alone: the first use
// unshares the namespace of the calling thread (the test's main thread; the
// threads it starts later share it) and makes every mount in it private, so
// nothing is seen by, or left on, the machine, even when the test dies. Only the
// super-user may do this; elsewhere Pret() is false and Raison() says why, and
// the test skips.
//
// tmpfs hands out space by whole pages: Laisser(N) leaves N bytes free rounded
// down to whole pages (a filler file at the root takes the rest), so a write
// fails at the first byte that needs a page beyond those. Tests work in
// Travail(), a folder beside the filler, so that the filler is never among the
// files they look at.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fs_plein {

inline std::string Erreur(const char* appel) {
    return std::string(appel) + ": " + std::strerror(errno);
}

// The private mount namespace, set up once per process: empty when it is
// there, else why not.
inline const std::string& EspacePrive() {
    static const std::string raison = []() -> std::string {
        if (::geteuid() != 0) return "not running as root: no file system can be mounted";
        if (::unshare(CLONE_NEWNS) != 0) return Erreur("unshare(CLONE_NEWNS)");
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return Erreur("mount(/, MS_REC | MS_PRIVATE)");
        return {};
    }();
    return raison;
}

inline int64_t Page() {
    return static_cast<int64_t>(::sysconf(_SC_PAGESIZE));
}

// Pages that `octets` bytes of a file take on the disk.
inline int64_t PagesDe(int64_t octets) {
    return (octets + Page() - 1) / Page();
}

class SystemeFichiersPlein {
public:
    // A tmpfs of `octets` (whole pages) on a new folder of the temporary directory.
    explicit SystemeFichiersPlein(int64_t octets = int64_t{1} << 20) {
        Raison_ = EspacePrive();
        if (!Raison_.empty()) return;
        std::string modele = QFile::encodeName(QDir::tempPath()).toStdString() + "/ombrix-plein-XXXXXX";
        if (::mkdtemp(modele.data()) == nullptr) {
            Raison_ = Erreur("mkdtemp");
            return;
        }
        Racine_ = modele;
        const std::string options = "size=" + std::to_string(octets) + ",mode=0755";
        if (::mount("ombrix-plein", Racine_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
            Raison_ = Erreur("mount(tmpfs)");
            ::rmdir(Racine_.c_str());
            Racine_.clear();
            return;
        }
        Monte_ = true;
        if (::mkdir((Racine_ + "/travail").c_str(), 0755) != 0) Raison_ = Erreur("mkdir");
    }
    ~SystemeFichiersPlein() {
        if (Monte_) ::umount2(Racine_.c_str(), MNT_DETACH);
        if (!Racine_.empty()) ::rmdir(Racine_.c_str());
    }
    SystemeFichiersPlein(const SystemeFichiersPlein&) = delete;
    SystemeFichiersPlein& operator=(const SystemeFichiersPlein&) = delete;

    bool Pret() const { return Raison_.empty(); }
    const std::string& Raison() const { return Raison_; }

    // The folder the tests work in, on the small file system.
    QString Travail() const { return QFile::decodeName((Racine_ + "/travail").c_str()); }
    QString Chemin(const QString& nom) const { return QDir(Travail()).filePath(nom); }

    int64_t Libres() const {
        struct statvfs s {};
        if (::statvfs(Racine_.c_str(), &s) != 0) return -1;
        return static_cast<int64_t>(s.f_bavail) * static_cast<int64_t>(s.f_frsize);
    }

    // Leaves `libres` bytes free (whole pages); false when there is not that much.
    bool Laisser(int64_t libres) {
        Liberer();
        const int64_t voulu = libres / Page() * Page();
        const int64_t remplir = Libres() - voulu;
        if (remplir < 0) return false;
        const int fd = ::open(Remplissage().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) return false;
        const bool ok = remplir == 0 || ::fallocate(fd, 0, 0, static_cast<off_t>(remplir)) == 0;
        ::close(fd);
        return ok && Libres() == voulu;
    }
    // Gives the filler's space back.
    void Liberer() { ::unlink(Remplissage().c_str()); }

private:
    std::string Remplissage() const { return Racine_ + "/remplissage"; }

    std::string Raison_;
    std::string Racine_;
    bool Monte_ = false;
};

// Names in a folder (hidden ones included), sorted.
inline QStringList Contenu(const QString& dossier) {
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Runs `essai(libres)` with 0, 1, 2... pages free until the writer succeeds,
// at most `pagesMax` pages; each failing run checks itself. Gives the number of
// pages of the first success, -1 when there was none (a test failure).
template <class Essai> int64_t Balayer(SystemeFichiersPlein& fs, int64_t pagesMax, Essai&& essai) {
    for (int64_t pages = 0; pages <= pagesMax; ++pages) {
        SCOPED_TRACE(testing::Message() << pages << " pages free");
        if (!fs.Laisser(pages * Page())) {
            ADD_FAILURE() << "the file system cannot leave " << pages << " pages free";
            return -1;
        }
        const bool reussi = essai(pages * Page());
        fs.Liberer();
        if (reussi) return pages;
        if (testing::Test::HasFatalFailure()) return -1;
    }
    ADD_FAILURE() << "still failing with " << pagesMax << " pages free";
    return -1;
}

} // namespace fs_plein

// Skips the test when no small file system can be had here.
#define EXIGER_SYSTEME_PLEIN(fs)                                                                             \
    do {                                                                                                     \
        if (!(fs).Pret()) GTEST_SKIP() << "no small file system: " << (fs).Raison();                         \
    } while (0)
