// The holes of a file: ranges the file system stores no bytes for, which read
// as zeros. A recording far larger than the disk holds (a sparse file) is
// mostly holes; the fast display pass folds them without reading them.
#pragma once

#include <cstdint>

class TrousFichier {
public:
    explicit TrousFichier(int descripteur = -1) : Descripteur_(descripteur) {}

    // End of the hole holding byte `position` (INT64_MAX when the file has no
    // data from there on), or `position` itself when it holds data, or when the
    // file system cannot tell. The last hole and the last data range found are
    // kept, so a run of calls over one range asks the system once.
    int64_t FinTrou(int64_t position);

    // System queries made (diagnostics, tests).
    int64_t Requetes() const { return Requetes_; }

private:
    int Descripteur_;
    int64_t TrouDebut_ = 0, TrouFin_ = 0;       // a known hole [debut, fin)
    int64_t DonneesDebut_ = 0, DonneesFin_ = 0; // a known data range [debut, fin)
    int64_t Requetes_ = 0;
};
