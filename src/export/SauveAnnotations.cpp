#include "export/SauveAnnotations.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "recording/Annotations.h"
#include "recording/FichierREC.h"
#include "recording/FormatREC.h"
#include "shell/BoiteMessage.h"
#include "shell/Messages.h"
#include "shell/Registre.h"
#include "shell/Texte8.h"

namespace {

constexpr int64_t TailleAncienne = sizeof(tTabAnnotMem);
constexpr int64_t TailleNouvelle = sizeof(tTabAnnotMemNew);

std::filesystem::path CheminSysteme(const QString& nom) {
    return std::filesystem::path(QFile::encodeName(nom).toStdString());
}

int OuvrirReel(const QString& chemin, bool creer) {
    const QByteArray nom = QFile::encodeName(chemin);
    return creer ? ::open(nom.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)
                 : ::open(nom.constData(), O_RDWR | O_CLOEXEC);
}

bool EcrireReel(int fd, int64_t position, const void* octets, int64_t n) {
    const char* p = static_cast<const char*>(octets);
    while (n > 0) {
        const ssize_t ecrits = ::pwrite(fd, p, static_cast<size_t>(n), static_cast<off_t>(position));
        if (ecrits < 0 && errno == EINTR) continue;
        if (ecrits <= 0) return false;
        p += ecrits;
        n -= ecrits;
        position += ecrits;
    }
    return true;
}

bool ViderReel(int fd) {
    return ::fsync(fd) == 0;
}

bool TronquerReel(int fd, int64_t longueur) {
    return ::ftruncate(fd, static_cast<off_t>(longueur)) == 0;
}

bool FermerReel(int fd) {
    return ::close(fd) == 0;
}

bool RenommerReel(const QString& de, const QString& vers) {
    // rename() replaces the target in one step: the chosen name never names a partial file.
    std::error_code erreur;
    std::filesystem::rename(CheminSysteme(de), CheminSysteme(vers), erreur);
    return !erreur;
}

int64_t LongueurFd(int fd) {
    struct stat s {};
    return ::fstat(fd, &s) == 0 ? static_cast<int64_t>(s.st_size) : -1;
}

bool LireFd(int fd, int64_t position, void* tampon, int64_t n) {
    char* p = static_cast<char*>(tampon);
    while (n > 0) {
        const ssize_t lus = ::pread(fd, p, static_cast<size_t>(n), static_cast<off_t>(position));
        if (lus < 0 && errno == EINTR) continue;
        if (lus <= 0) return false;
        p += lus;
        n -= lus;
        position += lus;
    }
    return true;
}

bool MemeFichier(const QString& a, const QString& b) {
    std::error_code erreur;
    const bool meme = std::filesystem::equivalent(CheminSysteme(a), CheminSysteme(b), erreur);
    return !erreur && meme;
}

// The fixed header of the recording's family as the file holds it, read and
// written whole.
class EnteteFixe {
public:
    explicit EnteteFixe(int16_t famille) : Famille(famille) {}

    int64_t Taille() const {
        switch (Famille) {
        case FamilleTKAR:
            return sizeof(tEnteteTKAR);
        case FamilleTKOS:
            return sizeof(tEnteteTKOS);
        case FamilleVEL:
            return sizeof(tEnteteVEL);
        default:
            return 0;
        }
    }
    void* Octets() { return Octets_; }
    const void* Octets() const { return Octets_; }

    // The file still is of the family the recording was opened as.
    bool SignatureValide() const {
        const int16_t s = Lu<tEnteteTKAR>().Signature; // the first word in every family
        switch (Famille) {
        case FamilleTKAR:
            return s == SignatureTKAR || s == SignatureTKARChecksum;
        case FamilleTKOS:
            return s == SignatureTKOS;
        case FamilleVEL:
            return s == SignatureVEL;
        default:
            return false;
        }
    }

    int64_t Zone() const {
        switch (Famille) {
        case FamilleTKAR:
            return Lu<tEnteteTKAR>().TailleAnnotations;
        case FamilleTKOS:
            return Lu<tEnteteTKOS>().TailleAnnotations;
        case FamilleVEL:
            return Lu<tEnteteVEL>().TailleAnnotations;
        default:
            return -1;
        }
    }

    // The signature of the family and the new area size. TKAR takes the
    // signature without checksum: the sum ran over the annotations too.
    void Annoncer(int64_t zone) {
        switch (Famille) {
        case FamilleTKAR: {
            auto h = Lu<tEnteteTKAR>();
            h.Signature = SignatureTKAR;
            h.TailleAnnotations = static_cast<uint16_t>(zone);
            Ecrit(h);
            break;
        }
        case FamilleTKOS: {
            auto h = Lu<tEnteteTKOS>();
            h.Signature = SignatureTKOS;
            h.TailleAnnotations = static_cast<int32_t>(zone);
            Ecrit(h);
            break;
        }
        case FamilleVEL: {
            auto h = Lu<tEnteteVEL>();
            h.Signature = SignatureVEL;
            h.TailleAnnotations = static_cast<int32_t>(zone);
            Ecrit(h);
            break;
        }
        default:
            break;
        }
    }

    // Largest area the family's size field holds.
    int64_t ZoneMax() const {
        return Famille == FamilleTKAR ? std::numeric_limits<uint16_t>::max()
                                      : std::numeric_limits<int32_t>::max();
    }

    const int16_t Famille;

private:
    template <class T> T Lu() const {
        T h;
        std::memcpy(&h, Octets_, sizeof h);
        return h;
    }
    template <class T> void Ecrit(const T& h) { std::memcpy(Octets_, &h, sizeof h); }

    uint8_t Octets_[sizeof(tEnteteVEL)]{};
};
static_assert(sizeof(tEnteteVEL) >= sizeof(tEnteteTKOS) && sizeof(tEnteteVEL) >= sizeof(tEnteteTKAR));

// What a save appends: the added records and the area size announced after them.
struct tAjout {
    const tTabAnnotMemNew* Records = nullptr;
    int64_t Nombre = 0;
    int64_t Zone = 0;
    int64_t Octets() const { return Nombre * TailleNouvelle; }
};

// Checks the header read from a file of `longueur` bytes against the tables
// read from it, and says what to append. The records are appended after the
// file's own area, so that area must hold exactly what the tables describe:
// TKAR reads its records from the area's start, the other families from its end.
bool PREPARER(const EnteteFixe& h, int64_t longueur, tAjout& a) {
    if (h.Taille() == 0 || longueur < h.Taille() || !h.SignatureValide()) return false;
    const int64_t zone = h.Zone();
    if (zone < 0 || zone > longueur - h.Taille()) return false;
    const int64_t lus = std::clamp<int64_t>(NouveauAnnot, 0, TailleTabAnnotMemNew);
    a.Records = TabAnnotMemNew + lus;
    a.Nombre = std::clamp<int64_t>(NombreAnnotEnPlus, 0, TailleTabAnnotMemNew - lus);
    if (a.Nombre > 0) {
        const bool decrite = h.Famille == FamilleTKAR
                                 ? zone == TailleAncienne * AncienAnnot + TailleNouvelle * lus
                                 : zone / TailleNouvelle == lus;
        if (!decrite) return false;
    }
    a.Zone = zone + a.Octets();
    return a.Zone <= h.ZoneMax();
}

void SIGNALER(const QString& cible) {
    const std::string texte =
        std::string(POS_MESS(M_ErreurSauveAnnot)) + '\n' + VersCp1252(QDir::toNativeSeparators(cible));
    AFFICHE_ERREUR(texte.c_str());
}

// Appends to the open recording itself, then patches its header. Whatever
// fails puts the length and the header back as they were.
bool SAUVER_SUR_PLACE(const QString& cible, int16_t famille, const tEcritureAnnot& e) {
    const int fd = e.Ouvrir(cible, false);
    if (fd < 0) return false;
    EnteteFixe h(famille);
    tAjout a;
    const int64_t longueur = LongueurFd(fd);
    if (longueur < 0 || longueur < h.Taille() || !LireFd(fd, 0, h.Octets(), h.Taille()) ||
        !PREPARER(h, longueur, a)) {
        ::close(fd);
        return false;
    }
    const EnteteFixe avant = h;
    h.Annoncer(a.Zone);
    bool ok = a.Nombre == 0 || (e.Ecrire(fd, longueur, a.Records, a.Octets()) && e.Vider(fd) &&
                                LongueurFd(fd) == longueur + a.Octets());
    ok = ok && e.Ecrire(fd, 0, h.Octets(), h.Taille()) && e.Vider(fd);
    if (!ok) {
        e.Tronquer(fd, longueur);
        e.Ecrire(fd, 0, avant.Octets(), avant.Taille());
        e.Vider(fd);
    }
    ::close(fd);
    if (ok) {
        NouveauAnnot = static_cast<int32_t>(NouveauAnnot + a.Nombre);
        NombreAnnotEnPlus = 0;
    }
    return ok;
}

// Writes the whole copy under the temporary name: the source in blocks, the
// records, the patched header; pushed to the disk and its size checked.
bool ECRIRE_COPIE(int fd, const FichierREC& source, int64_t longueur, const EnteteFixe& h, const tAjout& a,
                  const tEcritureAnnot& e) {
    std::vector<char> bloc(static_cast<size_t>(TailleBlocCopieAnnot));
    for (int64_t position = 0; position < longueur;) {
        const int64_t n = std::min(TailleBlocCopieAnnot, longueur - position);
        if (!source.LireTout(position, bloc.data(), n) || !e.Ecrire(fd, position, bloc.data(), n))
            return false;
        position += n;
    }
    if (a.Nombre > 0 && !e.Ecrire(fd, longueur, a.Records, a.Octets())) return false;
    return e.Ecrire(fd, 0, h.Octets(), h.Taille()) && e.Vider(fd) && LongueurFd(fd) == longueur + a.Octets();
}

bool SAUVER_COPIE(const QString& source, const QString& cible, int16_t famille, const tEcritureAnnot& e) {
    FichierREC entree;
    if (!entree.Ouvrir(source)) return false;
    EnteteFixe h(famille);
    tAjout a;
    const int64_t longueur = entree.Longueur();
    if (longueur < h.Taille() || !entree.LireTout(0, h.Octets(), h.Taille()) || !PREPARER(h, longueur, a))
        return false;
    h.Annoncer(a.Zone);

    const QString temporaire = NOM_TEMPORAIRE_ANNOT(cible);
    // A file left by an earlier attempt is stale.
    if ((QFileInfo::exists(temporaire) || QFileInfo(temporaire).isSymLink()) && !QFile::remove(temporaire))
        return false;
    const int fd = e.Ouvrir(temporaire, true);
    if (fd < 0) return false;
    bool ok = ECRIRE_COPIE(fd, entree, longueur, h, a, e);
    ok = e.Fermer(fd) && ok;
    ok = ok && e.Renommer(temporaire, cible);
    if (!ok) QFile::remove(temporaire);
    return ok;
}

} // namespace

tEcritureAnnot::tEcritureAnnot()
    : Ouvrir(OuvrirReel), Ecrire(EcrireReel), Vider(ViderReel), Tronquer(TronquerReel), Fermer(FermerReel),
      Renommer(RenommerReel) {}

QString NOM_TEMPORAIRE_ANNOT(const QString& cible) {
    return cible + QStringLiteral("Temp000");
}

uint8_t SAUVE_ANNOTATIONS(const QString& source, const QString& cible, const t_EnteteREC_GlobalTotal& entete,
                          const tEcritureAnnot& ecriture) {
    const bool ok = MemeFichier(source, cible)
                        ? SAUVER_SUR_PLACE(cible, entete.FamilleEnregistreur, ecriture)
                        : SAUVER_COPIE(source, cible, entete.FamilleEnregistreur, ecriture);
    if (ok) return SauveAnnotOK;
    SIGNALER(cible);
    return SauveAnnotErreur;
}

QString NOM_CIBLE_ANNOT(const QString& choisi) {
    const QFileInfo f(choisi);
    return QDir::cleanPath(f.absolutePath() + QLatin1Char('/') + f.completeBaseName() +
                           QStringLiteral(".rec"));
}

uint8_t SAVE_ANNOT(const tDemandeEnregistrementAnnot& demander, const QString& source,
                   const QString& nomFichier, const t_EnteteREC_GlobalTotal& entete,
                   const tEcritureAnnot& ecriture) {
    if (!demander) return SauveAnnotErreur;
    const QString choisi = demander(QStringLiteral(" "), DepuisCp1252(RepertoireSetUp),
                                    QFileInfo(nomFichier).fileName(), QStringLiteral("file *.rec |*.rec"));
    if (choisi.isEmpty()) return SauveAnnotErreur;
    return SAUVE_ANNOTATIONS(source, NOM_CIBLE_ANNOT(choisi), entete, ecriture);
}
