// The display pass: reduction of many scans into 1000 columns, spreading of a
// few scans over them, and the data checksum of the first full view.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include "graph/DonneesGraphe.h"
#include "graph/GlobauxGraphe.h"

namespace {

// (32-bit integer) of the ratio: truncation, saturated outside the range.
int32_t TronquerEntier32(float x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483648.f) return std::numeric_limits<int32_t>::max();
    if (x <= -2147483648.f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(x);
}

bool VueComplete(const tSetup& s) {
    return s.DebutFenetre == 0.0 && s.LargeurFenetre == 1.0;
}

} // namespace

void DonneesGraphe::PREPARER_PASSE() {
    const t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    NbVoiesLues_ = e.NombreVoiesAnalog;
    NbVoiesStockees_ = std::min(NbVoiesLues_, NombreSlotsAnalog);
    Logique_ = e.PresenceLogique != 0;
    MotsParScanLus_ = NbVoiesLues_ + (Logique_ ? 1 : 0);
    for (int n = 0; n < NombreSlotsAnalog; ++n) Biais_[n] = e.Affichage[n].VoieSignee != 0 ? 0x8000 : 0;
    // The filter dialog does not change these while a pass runs; reading them
    // once keeps the per-scan path free of shared loads.
    SousEchantillonnage_ = sousEchantillonageEnabled.load(std::memory_order_relaxed);
    Ratio_ = TronquerEntier32(underSamplingRatio.load(std::memory_order_relaxed));
    Decimateur_ = decimator.load(std::memory_order_relaxed);
    Arrete_ = false;
    DernierePasseRapide = false;
    ChecksumCompare = false;
    SommeComplete_ = false;
    FinSomme_ = e.DebutDonnees;
    HandleTrous_ = 0; // the file may have changed since the last pass
}

void DonneesGraphe::ATTENDRE_EXPORT() {
    while (DemandeExport.load(std::memory_order_acquire) != 0 &&
           ArretDemander.load(std::memory_order_relaxed) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

void DonneesGraphe::CALCUL() {
    const int64_t L = LongueurAcquisition;
    const int64_t longueurScan = EnteteFichier->LongueurScan;
    CompteurDansFichier = 0;
    CompteurGraphique = 0;
    RECUP_VOIE();
    RAZ_MINMAX();
    SAUVE_DATA_CYC2(); // column 0 holds the first scan
    int64_t s = 0;
    int64_t seuil = CompteurGraphique * L / NombreColonnesAffichage;
    // At the column's last scan: the column is stored and the next one's end computed.
    const auto finColonne = [&] {
        if (s != seuil) return;
        SAUVE_DATA_CYC2();
        seuil = CompteurGraphique * L / NombreColonnesAffichage;
        Progression.store(static_cast<double>(CompteurGraphique) / NombreColonnesAffichage,
                          std::memory_order_relaxed);
    };
    while (s < L) {
        // Runs of scans inside the page held, up to the next column.
        const int64_t fin = FIN_SUITE(s, seuil);
        if (fin > s) {
            const int64_t suivant = CALCUL_SUITE(s, fin);
            if (suivant > s) {
                s = suivant;
                finColonne();
                continue;
            }
        }
        if (DemandeExport.load(std::memory_order_relaxed) != 0) ATTENDRE_EXPORT();
        if (ArretDemander.load(std::memory_order_relaxed) != 0) {
            s = L; // this scan is the last one
            Arrete_ = true;
        }
        // Under-sampling: the scans RECUP_VOIE would skip up to the next kept
        // one, or to the column's end, are skipped at once (the pass then costs
        // the kept scans, not the window's length).
        if (const int64_t saut = SAUT_SOUS_ECHANTILLONNAGE(std::min(seuil, L) - s); saut > 0) {
            Decimateur_ = static_cast<int32_t>(Decimateur_ + saut);
            s += saut;
            finColonne();
            continue;
        }
        CompteurDansFichier = longueurScan * s;
        RECUP_VOIE();
        ++s;
        finColonne();
    }
}

int64_t DonneesGraphe::SAUT_SOUS_ECHANTILLONNAGE(int64_t max) const {
    // RECUP_VOIE skips a scan while the decimator, once incremented, stays
    // below the ratio: from d, the next Ratio_ - 1 - d scans (never past the
    // top of the counter, where it would wrap).
    if (!SousEchantillonnage_ || max <= 0) return 0;
    const int64_t d = Decimateur_;
    const int64_t sautes = static_cast<int64_t>(Ratio_) - 1 - d;
    return std::clamp<int64_t>(std::min<int64_t>(sautes, std::numeric_limits<int32_t>::max() - d), 0, max);
}

void DonneesGraphe::ELARGIR() {
    const int64_t L = LongueurAcquisition;
    const int64_t longueurScan = EnteteFichier->LongueurScan;
    int64_t precedent = -1;
    for (int c = 0; c < NombreColonnesAffichage; ++c) {
        if (DemandeExport.load(std::memory_order_relaxed) != 0) ATTENDRE_EXPORT();
        if (ArretDemander.load(std::memory_order_relaxed) != 0) {
            Arrete_ = true;
            break;
        }
        const int64_t n = c * L / NombreColonnesAffichage;
        if (n != precedent) {
            CompteurDansFichier = longueurScan * n;
            RECUP_VOIE();
            precedent = n;
        }
        std::copy(TabEntGraphe.begin(), TabEntGraphe.end(),
                  TabCyclique.get() + static_cast<size_t>(c) * NombreSlotsColonne);
        Progression.store(static_cast<double>(c) / NombreColonnesAffichage, std::memory_order_relaxed);
    }
}

void DonneesGraphe::CALCUL_GRAPH_FT_MEM() {
    t_EnteteREC_GlobalTotal& e = *EnteteFichier;
    CalculTerminer.store(CalculEnCours, std::memory_order_relaxed);
    VraiPageFichier = -1;
    // The first page of every pass gets its own file position, whatever the
    // previous pass left behind.
    PositionDansleFichier = -1;
    DEMARRAGE_GRAPH();
    Checksum = 0;
    PointeurCyclique.store(0, std::memory_order_relaxed);
    Progression.store(0.0, std::memory_order_relaxed); // not the end of the previous pass
    PREPARER_PASSE();

    if (LongueurAcquisition <= NombreColonnesAffichage) {
        ELARGIR();
    } else {
        if (e.VersionFichier != VersionChecksum) e.ChecksumVerifie = 1; // nothing to check
        const bool verifier = e.ChecksumVerifie == 0 && VueComplete(*SetupGraphe);
        SommeComplete_ = verifier;
        if (!CALCUL_RAPIDE(verifier)) CALCUL();
        // A stopped pass has not seen every byte: the next full pass checks.
        if (!Arrete_ && e.ChecksumVerifie == 0) {
            e.ChecksumVerifie = 1;
            if (verifier) {
                ChecksumCompare = true;
                SOMMER_FIN_FICHIER();
                Checksum = (Checksum + static_cast<uint32_t>(e.SommeEntete)) & 0xFFFF;
                if (Checksum != static_cast<uint16_t>(e.ChecksumDonnees)) {
                    decimator.store(Decimateur_, std::memory_order_relaxed);
                    PointeurCyclique.store(NombreColonnesAffichage, std::memory_order_release);
                    ArretDemander.store(0, std::memory_order_relaxed);
                    CalculTerminer.store(CalculChecksumFaux, std::memory_order_release);
                    return;
                }
            }
        }
    }
    decimator.store(Decimateur_, std::memory_order_relaxed);
    if (ArretDemander.load(std::memory_order_relaxed) == 0 && !Arrete_)
        PointeurCyclique.store(NombreColonnesAffichage, std::memory_order_release);
    ArretDemander.store(0, std::memory_order_relaxed);
    CalculTerminer.store(CalculFini, std::memory_order_release);
}
