// The data half of the graph object: the display table and the pass that
// reduces the visible part of the open recording to it.
//
// The pass reads the sample words of the recording in pages of 128 KiB, skips
// scans when under-sampling is on, and folds every visible scan into one of the
// 1000 columns of TabCyclique: for each channel the extreme reached first in the
// column (so one value per column still runs through both extremes of every
// swing), for the logic word the reference with every bit that changed in the
// column inverted (so a pulse shorter than a column stays visible). On the first
// full view of a recording carrying a data checksum it also checks that sum.
//
// A reduction without under-sampling and without a read replacement takes the
// fast path (PasseRapide.cpp): the same table, from vectorised run summaries
// on both cores, and on the first full view of a recording it builds a min/max
// pyramid that makes later windows cost the same whatever their width. The
// pyramid is kept for the file it was built from (path-independent identity:
// device, node, size, date, and the header fields the pass reads) and dropped
// by FermerFichier or as soon as any of these changes.
//
// Threads: the pass runs on the worker (TravailleurGraphe) or synchronously; the
// user-interface thread requests, stops and polls it through the atomic fields
// below and reads the table only once CalculTerminer is 2 and PointeurCyclique is
// 1000 (both stored with release ordering after the table is written). Every
// other field belongs to the pass while it runs.
//
// The page buffer and the column counter are fields of the object rather than
// program-wide: only the pass uses them, and printing's temporary graph objects
// read the main object's table instead of running passes of their own.
#pragma once

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

#include <QString>

#include "config/Config.h"
#include "graph/PyramidePli.h"
#include "graph/TrousFichier.h"
#include "math/ValeursPhysiques.h"
#include "recording/EnteteREC.h"
#include "recording/FichierREC.h"

struct EtatPasseRapide; // mapping, pyramid and column summaries of the fast pass (PasseRapide.cpp)

// Table shape (NombreColonnesAffichage, NombreColonnesTable, NombreSlotsColonne,
// SlotLogique) is shared with the conversion to physical values.
inline constexpr int NombreSlotsAnalog = 204; // slots 0..203: channel words
inline constexpr int OctetsParPage = 131072;
inline constexpr int BitsMotsParPage = 16; // 65536 words per page
inline constexpr int MargePage = 16;       // padding after the page buffer
inline constexpr int TailleValeurCyclique = 1024;
inline constexpr int16_t VersionChecksum = 1097; // signature 0x0449: the data carry a checksum

// CalculTerminer.
inline constexpr uint8_t CalculAucun = 0;        // no valid table
inline constexpr uint8_t CalculEnCours = 1;      // a pass is running
inline constexpr uint8_t CalculFini = 2;         // drawable when PointeurCyclique is 1000
inline constexpr uint8_t CalculChecksumFaux = 3; // finished, data checksum wrong: the user decides

class DonneesGraphe {
public:
    explicit DonneesGraphe(t_EnteteREC_GlobalTotal* entete = &EnteteF, tSetup* setup = &Setup);
    ~DonneesGraphe();
    DonneesGraphe(const DonneesGraphe&) = delete;
    DonneesGraphe& operator=(const DonneesGraphe&) = delete;

    // Visible window from the header and the view window: DepartTracer,
    // LongueurAcquisition, TempsTotal, DebutTemps; no page held.
    void DEMARRAGE_GRAPH();
    // One whole pass (see the file comment). Ends with CalculTerminer 2, or 3 on a
    // checksum mismatch; PointeurCyclique is 1000 unless the pass was stopped.
    void CALCUL_GRAPH_FT_MEM();
    // Stop request for a running pass, then wait (2 ms steps, at most 10 s) while
    // it runs. ArretDemander stays 1 until the next pass started by the worker.
    void ARRET_CALCUL();

    // Slot `slot` of columns 0..VraiLongueurCyc-1 into ValeurCyclique, then the
    // column range 0..PointeurCyclique for the measurements.
    void DECALAGE_TABCYCL(int slot);
    // Entry i of ValeurCyclique as an unsigned value (0 outside the array).
    int32_t CAL_VALCYC(int i) const;

    // Word of column c, slot s of the display table.
    uint16_t Mot(int c, int s) const { return TabCyclique[static_cast<size_t>(c) * NombreSlotsColonne + s]; }

    // Closes the file this object opened for itself (if the header still holds
    // it) and sets HandleFichier to 0; the next page read opens it again by name.
    void FermerFichier();

    // Positioned read used for pages: bytes read, or -1 on failure. Tests replace
    // it to inject failures or to act in the middle of a pass.
    using FonctionLecture = int64_t (*)(void* contexte, int32_t handle, int64_t position, void* tampon,
                                        int64_t n);
    // While a replacement is installed, every pass takes the page-by-page path.
    void RemplacerLecture(FonctionLecture lecture, void* contexte);

    // true: every pass takes the page-by-page path, the reference the fast pass
    // is compared with. false (default): a reduction of the whole open file
    // without under-sampling and without a read replacement runs the fast pass,
    // which gives the same table, word for word.
    bool PasseReference = false;
    // The pyramid of the open recording is built (after a full-view fast pass).
    bool PyramidePrete() const;
    // Bytes held by the pyramid, and the most it may hold (PyramidePli::BudgetOctets;
    // tests lower it to get coarse blocks from small files).
    int64_t OctetsPyramide() const;
    int64_t BudgetPyramide = PyramidePli::BudgetOctets;
    // Bytes of each read of the fast pass (whole scans; at least 4 KiB). On the
    // development machines bench_passe measures 1 MiB a few percent (up to a
    // tenth) faster than 256 KiB for a first pass without the pyramid, and the
    // same as 256 KiB to 2 MiB for the first full pass and the windows over the
    // pyramid.
    int64_t OctetsLecture = 1024 * 1024;

    // ---- Links -----------------------------------------------------------
    t_EnteteREC_GlobalTotal* EnteteFichier; // header of the displayed recording
    tSetup* SetupGraphe;                    // view window
    QString CheminDonnees;                  // sample file, reopened by name when HandleFichier is 0

    // ---- Display table ---------------------------------------------------
    // Column-major: column c, slot s at c * NombreSlotsColonne + s.
    std::unique_ptr<uint16_t[]> TabCyclique;
    std::unique_ptr<double[]> TabFlottant; // physical values, filled by the function channels

    // ---- Shared with the user-interface thread --------------------------
    std::atomic<int32_t> PointeurCyclique{0}; // complete columns: 1000 when the table is ready
    std::atomic<uint8_t> CalculTerminer{CalculAucun};
    std::atomic<uint8_t> ArretDemander{0}; // 1 asks a running pass to end
    std::atomic<double> Progression{0.0};  // 0..1

    // ---- State of the pass -----------------------------------------------
    std::array<uint16_t, NombreSlotsColonne> TabEntGraphe{}; // the scan just read
    std::array<uint16_t, NombreSlotsColonne> TabMinGraphe{}; // running extremes of the current column
    std::array<uint16_t, NombreSlotsColonne> TabMaxGraphe{};
    std::array<uint8_t, NombreSlotsColonne> DernPenteGraphe{}; // 1: the last change was a new maximum
    uint16_t ValGraLogDebGraphe = 0;                           // logic reference word of the column
    uint16_t ValGraLogOrGraphe = 0;                            // logic bits that left the reference
    int64_t DepartTracer = 0;           // word offset of the first visible scan from the data start
    int64_t LongueurAcquisition = 0;    // visible scans
    double TempsTotal = 0.0;            // duration of the visible part, microseconds
    double DebutTemps = 0.0;            // time of the first visible scan, microseconds
    int64_t CompteurDansFichier = 0;    // next word to read, counted from DepartTracer
    int64_t VraiPageFichier = -1;       // page held in TabFichierLecture, -1 for none
    int64_t PositionDansleFichier = -1; // after the last page read, without the DepartTracer offset
    uint32_t Checksum = 0;              // running byte sum of the data checksum
    int32_t CompteurGraphique = 0;      // next column to store
    // One page: 65536 little-endian words, then zero padding so that whole-vector
    // loads of the last scan stay inside the buffer.
    std::unique_ptr<uint8_t[]> TabFichierLecture;

    // ---- Measurements ------------------------------------------------------
    std::array<uint16_t, TailleValeurCyclique> ValeurCyclique{};
    int16_t VraiLongueurCyc = 0;
    int32_t Abscisse_Dep = 0, Abscisse_Fin = 0;

    // ---- Diagnostics (tests, benchmark, command line) ----------------------
    bool ChecksumCompare = false;      // the last pass compared the data checksum (3 on a mismatch)
    int64_t NombrePagesLues = 0;       // page reads since construction
    int64_t NombrePositionnements = 0; // page reads that needed a new file position
    bool DernierePasseRapide = false;  // the last pass took the fast path

private:
    uint16_t LEC_MEM(int64_t index);
    uint16_t LEC_MEM_FICHIER();
    void RECUP_VOIE();
    void MIN_MAX_D_UNE_VOIE(uint16_t mot, int n);
    void MIN_MAX_LOG(uint16_t mot);
    void RAZ_MINMAX();
    uint16_t CALCUL_MIN_MAX(int n);
    uint16_t RAZ_GRAPHE_LOG();
    void MIN_MAX_CYC();
    void SAUVE_DATA_CYC2();
    void CALCUL();
    void ELARGIR();

    void PREPARER_PASSE();
    // The fast reduction (PasseRapide.cpp): false when it does not apply and
    // nothing was done; true when it ran, stopped or not.
    bool CALCUL_RAPIDE(bool verifier);
    bool DEPOSER_TABLE_RAPIDE(int64_t premierScan); // false when a scan cannot be read
    void LIBERER_RAPIDE();
    int64_t FIN_SUITE(int64_t s, int64_t limite) const;
    // Scans from the current one that under-sampling skips, at most `max`.
    int64_t SAUT_SOUS_ECHANTILLONNAGE(int64_t max) const;
    int64_t CALCUL_SUITE(int64_t s, int64_t fin);
    void ATTENDRE_EXPORT(); // while an export reads the recording, unless a stop is requested
    void LIRE_PAGE(int64_t page);
    bool PAGE_NULLE(int64_t position); // the page at `position` lies in a hole of the file
    void ROUVRIR_FICHIER();
    int64_t LIRE(int64_t position, void* tampon, int64_t n);
    void SOMMER_INTERVALLE(int64_t debut, int64_t fin);
    void SOMMER_FIN_FICHIER();

    // Read once per pass.
    int NbVoiesLues_ = 0;     // channel words per scan
    int NbVoiesStockees_ = 0; // of them, those with a slot
    bool Logique_ = false;
    int MotsParScanLus_ = 0;
    bool SousEchantillonnage_ = false;
    int32_t Ratio_ = 0;
    int32_t Decimateur_ = 0; // copy of `decimator` for the pass, written back at its end
    std::array<uint16_t, NombreSlotsAnalog> Biais_{}; // 0x8000 for signed channels: signed order as unsigned
    bool Arrete_ = false;                             // the pass saw a stop request
    bool SommeComplete_ = false;  // this pass verifies the checksum: sum every byte to the end of the file
    int64_t FinSomme_ = 0;        // file offset up to which the data bytes are summed
    int64_t PositionLecture_ = 0; // file position of the next page read when no new position is needed

    // Holes of the file the pages are read from, for the handle they were asked through
    // (0: ask again; every pass starts so), and its length then.
    TrousFichier TrousPages_;
    int32_t HandleTrous_ = 0;
    int64_t TaillePages_ = -1;
    FichierREC Fichier_; // the file, when this object had to open it itself
    FonctionLecture Lecture_;
    bool LectureRemplacee_ = false;
    std::unique_ptr<EtatPasseRapide> Rapide_;
    void* ContexteLecture_ = nullptr;
    std::unique_ptr<uint8_t[]> TamponSomme_; // for checksum bytes the display skips
};

// ---- Per-word path, inlined into the pass loops -----------------------------

// Little-endian word at p (one plain load on little-endian hosts).
inline uint16_t MotLE(const uint8_t* p) {
    if constexpr (std::endian::native == std::endian::little) {
        uint16_t mot;
        std::memcpy(&mot, p, sizeof mot);
        return mot;
    } else {
        return static_cast<uint16_t>(p[0] | (p[1] << 8));
    }
}

inline uint16_t DonneesGraphe::LEC_MEM(int64_t index) {
    const int64_t page = index >> BitsMotsParPage;
    if (page != VraiPageFichier) LIRE_PAGE(page);
    return MotLE(TabFichierLecture.get() + ((index & 0xFFFF) << 1));
}

inline uint16_t DonneesGraphe::LEC_MEM_FICHIER() {
    return LEC_MEM(CompteurDansFichier++);
}

inline void DonneesGraphe::MIN_MAX_D_UNE_VOIE(uint16_t mot, int n) {
    // With the sign bit flipped, signed 16-bit order is unsigned order. Written
    // without branches: sample words jump unpredictably between the cases.
    const uint16_t b = Biais_[n];
    const uint16_t m = mot ^ b;
    const uint16_t max = TabMaxGraphe[n], min = TabMinGraphe[n];
    const bool plusGrand = m > static_cast<uint16_t>(max ^ b);
    const bool plusPetit = !plusGrand && m < static_cast<uint16_t>(min ^ b);
    TabMaxGraphe[n] = plusGrand ? mot : max;
    TabMinGraphe[n] = plusPetit ? mot : min;
    DernPenteGraphe[n] = plusGrand ? uint8_t{1} : plusPetit ? uint8_t{0} : DernPenteGraphe[n];
}

inline void DonneesGraphe::MIN_MAX_LOG(uint16_t mot) {
    ValGraLogOrGraphe |= ValGraLogDebGraphe ^ mot;
}

inline void DonneesGraphe::RECUP_VOIE() {
    Decimateur_ = static_cast<int32_t>(static_cast<uint32_t>(Decimateur_) + 1u);
    if (SousEchantillonnage_ && Decimateur_ < Ratio_) {
        CompteurDansFichier += NbVoiesLues_;
        return;
    }
    Decimateur_ = 0;
    const int64_t debut = CompteurDansFichier;
    const int64_t fin = debut + MotsParScanLus_ - 1;
    if (MotsParScanLus_ > 0 && (debut >> BitsMotsParPage) == VraiPageFichier &&
        (fin >> BitsMotsParPage) == VraiPageFichier) {
        // The whole scan is in the page held: read it straight from the buffer.
        const uint8_t* m = TabFichierLecture.get() + ((debut & 0xFFFF) << 1);
        for (int n = 0; n < NbVoiesStockees_; ++n) {
            const uint16_t mot = MotLE(m + 2 * n);
            MIN_MAX_D_UNE_VOIE(mot, n);
            TabEntGraphe[n] = mot;
        }
        if (Logique_) {
            const uint16_t mot = MotLE(m + 2 * NbVoiesLues_);
            TabEntGraphe[SlotLogique] = mot;
            MIN_MAX_LOG(mot);
        }
        CompteurDansFichier = debut + MotsParScanLus_;
        return;
    }
    for (int n = 0; n < NbVoiesLues_; ++n) {
        const uint16_t mot = LEC_MEM_FICHIER();
        if (n < NombreSlotsAnalog) {
            MIN_MAX_D_UNE_VOIE(mot, n);
            TabEntGraphe[n] = mot;
        }
    }
    if (Logique_) {
        const uint16_t mot = LEC_MEM_FICHIER();
        TabEntGraphe[SlotLogique] = mot;
        MIN_MAX_LOG(mot);
    }
}
