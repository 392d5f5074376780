// The reduction's inner loop for runs of scans that lie wholly inside the page
// held: the running extremes of eight channels per vector operation. It gives
// exactly what RECUP_VOIE gives scan after scan, without under-sampling, and
// leaves the fields as RECUP_VOIE would after the run's last scan.
#include <algorithm>
#include <cstring>

#include "graph/DonneesGraphe.h"
#include "graph/GlobauxGraphe.h"

namespace {

// Eight 16-bit lanes. A channel word w is held as w ^ (0x8000 unless the channel
// is signed): then the signed lane order is the channel's order.
typedef int16_t V8 __attribute__((vector_size(16)));
constexpr int Voies = 8;
constexpr int BlocsMax = (NombreSlotsAnalog + Voies - 1) / Voies;

inline V8 Charger(const void* p) {
    V8 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline V8 Choisir(V8 masque, V8 oui, V8 non) {
    return (oui & masque) | (non & ~masque);
}

} // namespace

int64_t DonneesGraphe::FIN_SUITE(int64_t s, int64_t limite) const {
    // Scans s .. result-1 are all in the page held (result <= s: none).
    const int64_t longueurScan = EnteteFichier->LongueurScan;
    if (SousEchantillonnage_ || MotsParScanLus_ == 0 || longueurScan == 0 || NbVoiesLues_ > NbVoiesStockees_)
        return s;
    const int64_t premierMot = longueurScan * s;
    if ((premierMot >> BitsMotsParPage) != VraiPageFichier) return s;
    const int64_t finPage = (VraiPageFichier + 1) << BitsMotsParPage;
    const int64_t dernierScan = (finPage - MotsParScanLus_) / longueurScan; // last scan ending in the page
    return std::min(limite, dernierScan + 1);
}

int64_t DonneesGraphe::CALCUL_SUITE(int64_t s, int64_t fin) {
    const int64_t longueurScan = EnteteFichier->LongueurScan;
    const int blocs = (NbVoiesStockees_ + Voies - 1) / Voies;
    V8 max[BlocsMax], min[BlocsMax], pente[BlocsMax], biais[BlocsMax], actif[BlocsMax];
    for (int b = 0; b < blocs; ++b)
        for (int i = 0; i < Voies; ++i) {
            const int n = b * Voies + i;
            const bool voie = n < NbVoiesStockees_;
            const int16_t x = voie ? static_cast<int16_t>(Biais_[n] ^ 0x8000) : 0;
            biais[b][i] = x;
            actif[b][i] = voie ? -1 : 0;
            max[b][i] = voie ? static_cast<int16_t>(TabMaxGraphe[n] ^ x) : 0;
            min[b][i] = voie ? static_cast<int16_t>(TabMinGraphe[n] ^ x) : 0;
            pente[b][i] = voie && DernPenteGraphe[n] != 0 ? -1 : 0;
        }
    const uint8_t* page = TabFichierLecture.get();
    const int64_t debutPage = VraiPageFichier << BitsMotsParPage;
    const uint16_t reference = ValGraLogDebGraphe;
    uint16_t changes = ValGraLogOrGraphe;
    int64_t k = s;
    for (; k < fin; ++k) {
        // Stops and export waits go through the word-by-word loop.
        if (ArretDemander.load(std::memory_order_relaxed) != 0 ||
            DemandeExport.load(std::memory_order_relaxed) != 0)
            break;
        const uint8_t* scan = page + ((longueurScan * k - debutPage) << 1);
        for (int b = 0; b < blocs; ++b) {
            const V8 m = Charger(scan + b * 2 * Voies) ^ biais[b];
            const V8 plusGrand = (m > max[b]) & actif[b];
            const V8 plusPetit = (m < min[b]) & ~plusGrand & actif[b];
            max[b] = Choisir(plusGrand, m, max[b]);
            min[b] = Choisir(plusPetit, m, min[b]);
            pente[b] = (pente[b] & ~(plusGrand | plusPetit)) | plusGrand;
        }
        if (Logique_) changes |= reference ^ MotLE(scan + 2 * NbVoiesLues_);
    }
    if (k == s) return s;
    for (int b = 0; b < blocs; ++b)
        for (int i = 0; i < Voies; ++i) {
            const int n = b * Voies + i;
            if (n >= NbVoiesStockees_) break;
            TabMaxGraphe[n] = static_cast<uint16_t>(max[b][i] ^ biais[b][i]);
            TabMinGraphe[n] = static_cast<uint16_t>(min[b][i] ^ biais[b][i]);
            DernPenteGraphe[n] = pente[b][i] != 0 ? 1 : 0;
        }
    // What the last scan of the run leaves behind.
    const int64_t dernier = longueurScan * (k - 1);
    const uint8_t* scan = page + ((dernier - debutPage) << 1);
    for (int n = 0; n < NbVoiesStockees_; ++n) TabEntGraphe[n] = MotLE(scan + 2 * n);
    if (Logique_) TabEntGraphe[SlotLogique] = MotLE(scan + 2 * NbVoiesLues_);
    ValGraLogOrGraphe = changes;
    Decimateur_ = 0;
    CompteurDansFichier = dernier + MotsParScanLus_;
    return k;
}
