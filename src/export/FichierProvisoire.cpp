#include "export/FichierProvisoire.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

int64_t EcrireReel(int fd, const char* octets, int64_t n) {
    return ::write(fd, octets, static_cast<size_t>(n));
}

bool ViderReel(int fd) {
    return ::fsync(fd) == 0;
}

bool FermerReel(int fd) {
    return ::close(fd) == 0;
}

bool RenommerReel(const QString& de, const QString& vers) {
    // rename() replaces an existing target in one step.
    return std::rename(QFile::encodeName(de).constData(), QFile::encodeName(vers).constData()) == 0;
}

} // namespace

tEcritureProvisoire::tEcritureProvisoire()
    : Ecrire(EcrireReel), Vider(ViderReel), Fermer(FermerReel), Renommer(RenommerReel) {}

bool FichierProvisoire::Creer(const QString& cible) {
    Abandonner();
    const QFileInfo info(cible);
    // Hidden, named after the target, unique: ".<name>.<random>" in the same
    // folder, so the final rename never crosses file systems. Created with
    // 0666 less the user's mask, as every file the program writes, so that an
    // export is as readable as the user's other files.
    const QString debut = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.');
    int fd = -1;
    QString chemin;
    for (int essai = 0; essai < 100 && fd < 0; ++essai) {
        chemin = debut + QString::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::open(QFile::encodeName(chemin).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    Fd_ = fd;
    FermetureEchouee_ = false;
    Chemin_ = chemin;
    Cible_ = info.absoluteFilePath();
    // A file replaced keeps the permissions it had.
    struct stat existant {};
    if (::stat(QFile::encodeName(Cible_).constData(), &existant) == 0 && S_ISREG(existant.st_mode))
        ::fchmod(fd, existant.st_mode & 07777);
    return true;
}

bool FichierProvisoire::FermerDescripteur() {
    if (Fd_ < 0) return !FermetureEchouee_;
    const int fd = Fd_;
    Fd_ = -1;
    if (!E_.Fermer(fd)) FermetureEchouee_ = true;
    return !FermetureEchouee_;
}

bool FichierProvisoire::Valider() {
    if (Chemin_.isEmpty()) return false;
    // A writer that wrote the file by name has closed the descriptor: the file
    // is opened again, so that it too reaches the disk before it takes the name.
    if (Fd_ < 0 && !FermetureEchouee_)
        Fd_ = ::open(QFile::encodeName(Chemin_).constData(), O_RDONLY | O_CLOEXEC);
    bool ok = Fd_ >= 0 && E_.Vider(Fd_);
    if (!FermerDescripteur()) ok = false;
    ok = ok && E_.Renommer(Chemin_, Cible_);
    if (!ok) {
        Abandonner();
        return false;
    }
    Chemin_.clear();
    return true;
}

void FichierProvisoire::Abandonner() {
    FermerDescripteur();
    if (!Chemin_.isEmpty()) ::unlink(QFile::encodeName(Chemin_).constData());
    Chemin_.clear();
    FermetureEchouee_ = false;
}
