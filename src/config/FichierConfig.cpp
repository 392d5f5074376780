#include "config/FichierConfig.h"

#include "config/Coherence.h"
#include "config/Config.h"
#include "config/ConfigAncienne.h"
#include "config/Defauts.h"
#include "shell/BoiteMessage.h"
#include "shell/DossiersUtilisateur.h"
#include "shell/Messages.h"
#include "shell/Texte8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 TailleMaxFichier = std::max({sizeof(tConfig), sizeof(tConfig_V19), sizeof(tConfig_TKOS)});

// Copies the bytes into a record of the older layout when the version and the length are those
// of `Ancien`. The record is filled only from a buffer of exactly its size.
template <class Ancien>
bool CONVERTIR_SI(const QByteArray& octets, uint8_t version, void (*copie)(const Ancien&)) {
    if (octets.size() != static_cast<qsizetype>(sizeof(Ancien)) || static_cast<uint8_t>(octets[0]) != version)
        return false;
    Ancien ancien;
    std::memcpy(&ancien, octets.constData(), sizeof ancien);
    copie(ancien);
    return true;
}

bool CHARGER_OCTETS(const QByteArray& octets) {
    if (octets.isEmpty()) return false;
    if (octets.size() == static_cast<qsizetype>(sizeof(tConfig)) &&
        static_cast<uint8_t>(octets[0]) == VersionConfigCourante) {
        std::memcpy(&Config, octets.constData(), sizeof Config);
        return true;
    }
    return CONVERTIR_SI<tConfig_V19>(octets, VersionConfigV19, COPIE_V19_DANS_CONFIG) ||
           CONVERTIR_SI<tConfig_TKOS>(octets, VersionConfigTKOS, COPIE_VTKOS_DANS_CONFIG);
}

int CreerReel(const QString& chemin) {
    // The user's file-creation mask applies, as for any file the program makes.
    return ::open(QFile::encodeName(chemin).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool EcrireReel(int fd, const void* octets, int64_t n) {
    const char* p = static_cast<const char*>(octets);
    while (n > 0) {
        const ssize_t ecrits = ::write(fd, p, static_cast<size_t>(n));
        if (ecrits < 0 && errno == EINTR) continue;
        if (ecrits <= 0) return false; // disk full, file too large, I/O error
        p += ecrits;
        n -= ecrits;
    }
    return true;
}

bool ViderReel(int fd) {
    return ::fsync(fd) == 0;
}

bool FermerReel(int fd) {
    return ::close(fd) == 0;
}

bool RenommerReel(const QString& de, const QString& vers) {
    return std::rename(QFile::encodeName(de).constData(), QFile::encodeName(vers).constData()) == 0;
}

// The file a save replaces: the path itself, or the file its chain of links ends at.
QString CIBLE_REELLE(const QString& chemin) {
    QFileInfo f(chemin);
    for (int profondeur = 0; f.isSymLink(); ++profondeur) {
        if (profondeur == 128) return chemin; // a loop: the link itself is replaced
        f.setFile(f.symLinkTarget());
    }
    return f.filePath();
}

// A name of the folder of `cible` not yet taken.
QString NOM_PROVISOIRE(const QString& cible) {
    for (;;) {
        const QString nom = cible + QLatin1Char('.') +
                            QString::number(QRandomGenerator::global()->generate64(), 16) +
                            QStringLiteral(".provisoire");
        if (!QFileInfo::exists(nom) && !QFileInfo(nom).isSymLink()) return nom;
    }
}

// The whole record into a new file beside `cible`, on the disk, then in its place.
bool ECRIRE_PUIS_REMPLACER(const QString& cible, const tEcritureConfig& e) {
    const QFileInfo existant(cible);
    if (existant.exists() && (!existant.isFile() || !existant.isWritable())) return false;
    const QString provisoire = NOM_PROVISOIRE(cible);
    const int fd = e.Creer(provisoire);
    if (fd < 0) return false;
    // A file replaced keeps the permissions it had.
    struct stat avant {};
    if (::stat(QFile::encodeName(cible).constData(), &avant) == 0) ::fchmod(fd, avant.st_mode & 07777);
    struct stat ecrit {};
    bool ok = e.Ecrire(fd, &Config, static_cast<int64_t>(sizeof Config)) && e.Vider(fd) &&
              ::fstat(fd, &ecrit) == 0 && ecrit.st_size == static_cast<off_t>(sizeof Config);
    ok = e.Fermer(fd) && ok;
    ok = ok && e.Renommer(provisoire, cible);
    if (!ok) ::unlink(QFile::encodeName(provisoire).constData());
    return ok;
}

void SIGNALER_ECHEC_ECRITURE(const QString& chemin) {
    std::string texte = POS_MESS(M_ErreurFichier);
    texte += '\n';
    texte += VersCp1252(QDir::toNativeSeparators(chemin));
    AFFICHE_ERREUR(texte.c_str());
}

} // namespace

uint8_t APPEL_CONFIGURATION(const QString& chemin) {
    if (chemin.isEmpty() || !QFileInfo::exists(chemin)) return ResultatConfigOk;

    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) return ResultatConfigErreur;
    // One byte more than the largest layout is enough to tell every length that is not known.
    const QByteArray octets = fichier.read(TailleMaxFichier + 1);
    if (fichier.error() != QFileDevice::NoError) return ResultatConfigErreur;
    fichier.close();

    uint8_t resultat = ResultatConfigOk;
    if (!CHARGER_OCTETS(octets)) {
        resultat = ResultatConfigErreur;
        INIT_CONFIG();
    }
    COHERENCE_CONFIGURATION();
    return resultat;
}

tEcritureConfig::tEcritureConfig()
    : Creer(CreerReel), Ecrire(EcrireReel), Vider(ViderReel), Fermer(FermerReel), Renommer(RenommerReel) {}

uint8_t ECRIRE_CONFIGURATION(const QString& chemin, const tEcritureConfig& ecriture) {
    if (chemin.isEmpty() || !ECRIRE_PUIS_REMPLACER(CIBLE_REELLE(chemin), ecriture)) {
        SIGNALER_ECHEC_ECRITURE(chemin);
        return ResultatConfigErreur;
    }
    return ResultatConfigOk;
}

QString CHEMIN_SETUP_VIEWER() {
    return QDir(DossierDonneesUtilisateur()).filePath(QString::fromLatin1(NomFichierSetup));
}

uint8_t SAVE_CONFIGURATION() {
    return ECRIRE_CONFIGURATION(CHEMIN_SETUP_VIEWER());
}
