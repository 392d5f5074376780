// Scans of the displayed window read for an export. The reader holds its own
// file handle and its own 128 KiB page, so an export never touches the display
// pass's buffers or file position: the pass is merely held (DemandeExport)
// while the export reads. Words are counted from the window's first scan, in
// pages of 65536 words, as the display pass counts them.
#pragma once

#include <cstdint>
#include <memory>

#include <QString>

#include "config/Config.h"
#include "recording/EnteteREC.h"
#include "recording/FichierREC.h"

// The visible window, by the display pass's own formulas (truncating
// conversions): word offset of the first scan from the data start, number of
// scans, duration and start time in microseconds.
struct tFenetreExport {
    int64_t DepartTracer = 0;
    int64_t LongueurAcquisition = 0;
    double TempsTotal = 0.0;
    double DebutTemps = 0.0;
};
tFenetreExport CALCUL_FENETRE(const t_EnteteREC_GlobalTotal& entete, const tSetup& setup);

class LecteurScans {
public:
    static constexpr int OctetsPage = 131072;

    LecteurScans();
    LecteurScans(const LecteurScans&) = delete;
    LecteurScans& operator=(const LecteurScans&) = delete;

    // Opens `chemin` for the scans of `entete` starting `departTracer` words
    // after its data start. False when the file cannot be opened.
    bool Ouvrir(const QString& chemin, const t_EnteteREC_GlobalTotal& entete, int64_t departTracer);

    // Scan s of the window into `ligne` (245 words): channel words in slots
    // 0..203, the logic word (when the recording has one) in slot 244; other
    // slots untouched. Words past the end of the file read as 0. False when the
    // file cannot be read.
    bool LIRE_SCAN(int64_t s, uint16_t* ligne);

    int64_t PagesLues() const { return PagesLues_; }

private:
    bool LirePage(int64_t page);
    uint16_t Mot(int64_t index); // after LirePage of its page succeeded

    FichierREC Fichier_;
    std::unique_ptr<uint8_t[]> Page_;
    int64_t PageTenue_ = -1;
    int64_t Base_ = 0; // file offset of word 0 of the window
    int64_t LongueurScan_ = 0;
    int NbVoies_ = 0;    // channel words per scan
    int NbStockees_ = 0; // of them, those with a slot
    bool Logique_ = false;
    int MotsLus_ = 0; // channel words and logic word
    int64_t PagesLues_ = 0;
};
