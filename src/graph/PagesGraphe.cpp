// Page reading for the display pass: one 128 KiB page held at a time, the file
// reopened by name when its handle was closed, and the checksum bytes summed.
#include <algorithm>
#include <cstring>
#include <limits>

#include "graph/DonneesGraphe.h"
#include "graph/TrousFichier.h"

namespace {

uint32_t SommeOctets(const uint8_t* p, int64_t n) {
    // 32-bit lanes the compiler can vectorise; the total wraps modulo 2^32, and
    // only its low 16 bits are ever compared.
    uint32_t s = 0;
    for (int64_t i = 0; i < n; ++i) s += p[i];
    return s;
}

} // namespace

int64_t DonneesGraphe::LIRE(int64_t position, void* tampon, int64_t n) {
    const int64_t lus = Lecture_(ContexteLecture_, EnteteFichier->HandleFichier, position, tampon, n);
    return lus < 0 || lus > n ? 0 : lus; // a failed read counts as 0 bytes read
}

void DonneesGraphe::ROUVRIR_FICHIER() {
    Fichier_.Ouvrir(CheminDonnees);
    EnteteFichier->HandleFichier = Fichier_.Handle(); // stays 0 when the file cannot be opened
    PositionDansleFichier = -1;                       // a fresh descriptor starts at offset 0
}

bool DonneesGraphe::PAGE_NULLE(int64_t position) {
    if (LectureRemplacee_) return false; // the replacement says what the bytes are
    const int32_t handle = EnteteFichier->HandleFichier;
    if (handle != HandleTrous_) {
        HandleTrous_ = handle;
        TrousPages_ = TrousFichier(handle - 1);
        IdentiteFichier identite;
        TaillePages_ = handle > 0 && LireIdentite(handle - 1, identite) ? identite.Taille : -1;
    }
    // Within the file: past its end a read is short, and the counts follow it.
    return position + OctetsParPage <= TaillePages_ &&
           TrousPages_.FinTrou(position) >= position + OctetsParPage;
}

void DonneesGraphe::LIRE_PAGE(int64_t page) {
    t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    VraiPageFichier = page;
    if (e.HandleFichier == 0) ROUVRIR_FICHIER();
    const int64_t debutPage = static_cast<int64_t>(e.DebutDonnees) + page * OctetsParPage;
    // Consecutive full pages follow each other in the file without a new position.
    if (debutPage != PositionDansleFichier) {
        PositionLecture_ = static_cast<int64_t>(e.DebutDonnees) + DepartTracer * 2 + page * OctetsParPage;
        ++NombrePositionnements;
    }
    uint8_t* tampon = TabFichierLecture.get();
    // A page wholly in a hole of the file is zeros, without reading it.
    const bool nulle = PAGE_NULLE(PositionLecture_);
    if (nulle) std::memset(tampon, 0, OctetsParPage);
    const int64_t n = nulle ? OctetsParPage : LIRE(PositionLecture_, tampon, OctetsParPage);
    ++NombrePagesLues;
    // Words past the bytes read are zero, never left over from another page.
    if (n < OctetsParPage) std::memset(tampon + n, 0, static_cast<size_t>(OctetsParPage - n));
    if (e.ChecksumVerifie == 0) {
        if (SommeComplete_ && PositionLecture_ > FinSomme_) SOMMER_INTERVALLE(FinSomme_, PositionLecture_);
        if (!nulle) Checksum += SommeOctets(tampon, n);
        if (SommeComplete_ && PositionLecture_ == FinSomme_) FinSomme_ += n;
    }
    PositionLecture_ += n;
    PositionDansleFichier = debutPage + n;
}

void DonneesGraphe::SOMMER_INTERVALLE(int64_t debut, int64_t fin) {
    // Bytes of the data area the display did not need (under-sampling skipped
    // whole pages): the checksum covers them all the same. Holes of the file
    // are zeros, which add nothing (unless the reads are replaced).
    TrousFichier trous(LectureRemplacee_ ? -1 : EnteteFichier->HandleFichier - 1);
    while (debut < fin) {
        if (const int64_t finTrou = trous.FinTrou(debut); finTrou > debut) {
            debut = std::min(finTrou, fin);
            FinSomme_ = debut;
            continue;
        }
        const int64_t voulu = std::min<int64_t>(fin - debut, OctetsParPage);
        const int64_t n = LIRE(debut, TamponSomme_.get(), voulu);
        Checksum += SommeOctets(TamponSomme_.get(), n);
        debut += n;
        FinSomme_ = debut;
        if (n < voulu) return;
    }
}

void DonneesGraphe::SOMMER_FIN_FICHIER() {
    // The stored sum runs to the end of the file, annotation area included,
    // which may reach past the last page the display read.
    TrousFichier trous(LectureRemplacee_ ? -1 : EnteteFichier->HandleFichier - 1);
    for (;;) {
        if (const int64_t finTrou = trous.FinTrou(FinSomme_); finTrou > FinSomme_) {
            if (finTrou == std::numeric_limits<int64_t>::max()) return; // zeros to the end
            FinSomme_ = finTrou;
            continue;
        }
        const int64_t n = LIRE(FinSomme_, TamponSomme_.get(), OctetsParPage);
        Checksum += SommeOctets(TamponSomme_.get(), n);
        FinSomme_ += n;
        if (n < OctetsParPage) return;
    }
}
