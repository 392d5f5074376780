#include "export/LecteurScans.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "math/ValeursPhysiques.h"

namespace {

constexpr int SlotsAnalog = 204;
constexpr int BitsPage = 16;

// Truncation toward zero, saturated instead of undefined outside the range.
int64_t Tronquer(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9.2e18) return std::numeric_limits<int64_t>::max();
    if (x <= -9.2e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(x);
}

uint16_t MotLittleEndian(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

tFenetreExport CALCUL_FENETRE(const t_EnteteREC_GlobalTotal& e, const tSetup& s) {
    const double scans = static_cast<double>(e.NombreScans);
    tFenetreExport f;
    f.DepartTracer = Tronquer(scans * s.DebutFenetre) * e.LongueurScan;
    f.LongueurAcquisition = Tronquer(s.LargeurFenetre * scans);
    f.TempsTotal = s.LargeurFenetre * e.DureeTotale;
    f.DebutTemps = e.DureeTotale * s.DebutFenetre + e.TempsDebut;
    return f;
}

LecteurScans::LecteurScans() : Page_(std::make_unique<uint8_t[]>(OctetsPage)) {}

bool LecteurScans::Ouvrir(const QString& chemin, const t_EnteteREC_GlobalTotal& e, int64_t departTracer) {
    PageTenue_ = -1;
    Base_ = static_cast<int64_t>(e.DebutDonnees) + departTracer * 2;
    LongueurScan_ = e.LongueurScan;
    NbVoies_ = e.NombreVoiesAnalog;
    NbStockees_ = std::min(NbVoies_, SlotsAnalog);
    Logique_ = e.PresenceLogique != 0;
    MotsLus_ = NbVoies_ + (Logique_ ? 1 : 0);
    return Fichier_.Ouvrir(chemin);
}

bool LecteurScans::LirePage(int64_t page) {
    if (page == PageTenue_) return true;
    const int64_t n = Fichier_.Lire(Base_ + page * OctetsPage, Page_.get(), OctetsPage);
    if (n < 0) {
        PageTenue_ = -1;
        return false;
    }
    // Words past the end of the file are zero, never left over from another page.
    if (n < OctetsPage) std::memset(Page_.get() + n, 0, static_cast<size_t>(OctetsPage - n));
    PageTenue_ = page;
    ++PagesLues_;
    return true;
}

uint16_t LecteurScans::Mot(int64_t index) {
    return MotLittleEndian(Page_.get() + ((index & 0xFFFF) << 1));
}

bool LecteurScans::LIRE_SCAN(int64_t s, uint16_t* ligne) {
    if (MotsLus_ == 0) return true;
    const int64_t debut = s * LongueurScan_;
    const int64_t fin = debut + MotsLus_ - 1;
    const int64_t page = debut >> BitsPage;
    if (page == (fin >> BitsPage)) {
        // The whole scan lies in one page: copy it straight from the buffer.
        if (!LirePage(page)) return false;
        const uint8_t* m = Page_.get() + ((debut & 0xFFFF) << 1);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(ligne, m, static_cast<size_t>(NbStockees_) * 2);
        } else {
            for (int n = 0; n < NbStockees_; ++n) ligne[n] = MotLittleEndian(m + 2 * n);
        }
        if (Logique_) ligne[SlotLogique] = MotLittleEndian(m + 2 * NbVoies_);
        return true;
    }
    // A scan across two pages, word by word.
    for (int n = 0; n < NbVoies_; ++n) {
        if (!LirePage((debut + n) >> BitsPage)) return false;
        const uint16_t mot = Mot(debut + n);
        if (n < NbStockees_) ligne[n] = mot;
    }
    if (Logique_) {
        if (!LirePage((debut + NbVoies_) >> BitsPage)) return false;
        ligne[SlotLogique] = Mot(debut + NbVoies_);
    }
    return true;
}
