// Writing a recording: the header bytes, then the frames generated block by block,
// then the annotation area; the TKAR checksum is summed on the way.
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "recmaker/Disposition.h"
#include "recmaker/RecMaker.h"
#include "recmaker/Signaux.h"

static_assert(std::endian::native == std::endian::little, "the records are written as they lie in memory");

namespace recmaker {

using namespace detail;

namespace {

constexpr int64_t OctetsParBloc = 1 << 21;

uint64_t SommeOctets(const uint8_t* p, size_t n) {
    uint64_t s = 0;
    for (size_t i = 0; i < n; ++i) s += p[i];
    return s;
}

// Generates the sample area in blocks of whole frames and hands each block to puits
// (false from puits stops the writing). somme receives the byte sum when asked.
template <typename Puits>
bool EcrireDonnees(const Disposition& d, int64_t nombreScans, bool sommer, uint64_t& somme, Puits&& puits) {
    const int mots = d.Plan_.MotsParScan;
    if (mots == 0 || nombreScans <= 0) return true;
    std::vector<Source> sources;
    sources.reserve(d.Colonnes.size());
    for (const Signal* s : d.Colonnes) sources.emplace_back(*s, nombreScans);
    const int64_t scansParBloc = std::max<int64_t>(1, OctetsParBloc / (2 * mots));
    std::vector<uint16_t> bloc(static_cast<size_t>(std::min(scansParBloc, nombreScans) * mots));
    for (int64_t debut = 0; debut < nombreScans; debut += scansParBloc) {
        const int64_t n = std::min(scansParBloc, nombreScans - debut);
        for (int k = 0; k < mots; ++k)
            sources[static_cast<size_t>(k)].Remplir(debut, n, bloc.data() + k, mots);
        const auto* octets = reinterpret_cast<const uint8_t*>(bloc.data());
        const auto taille = static_cast<size_t>(n * mots * 2);
        if (sommer) somme += SommeOctets(octets, taille);
        if (!puits(octets, taille)) return false;
    }
    return true;
}

struct FermeFichier {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool EcrireFichier(const Enregistrement& e, const std::string& chemin, Plan* plan) {
    const Disposition d = Disposer(e);
    if (plan) *plan = d.Plan_;
    std::unique_ptr<std::FILE, FermeFichier> f(std::fopen(chemin.c_str(), "wb"));
    if (!f) return false;
    auto ecrire = [&](const uint8_t* p, size_t n) { return n == 0 || std::fwrite(p, 1, n, f.get()) == n; };
    uint64_t somme = d.SommeEntete;
    bool ok = ecrire(d.Entete.data(), d.Entete.size()) &&
              EcrireDonnees(d, e.NombreScans, d.Checksum, somme, ecrire) &&
              ecrire(d.Annotations.data(), d.Annotations.size());
    if (ok && d.Checksum) {
        somme += SommeOctets(d.Annotations.data(), d.Annotations.size());
        const uint16_t stocke = ChecksumStocke(e, somme);
        ok = std::fseek(f.get(), OffsetChecksumTKAR, SEEK_SET) == 0 &&
             ecrire(reinterpret_cast<const uint8_t*>(&stocke), sizeof stocke);
    }
    ok = std::fclose(f.release()) == 0 && ok;
    if (!ok) {
        // Only a regular file is removed (never a device such as /dev/full).
        std::error_code ignore;
        if (std::filesystem::is_regular_file(chemin, ignore)) std::filesystem::remove(chemin, ignore);
    }
    return ok;
}

} // namespace

std::vector<uint8_t> Construire(const Enregistrement& e, Plan* plan) {
    const Disposition d = Disposer(e);
    if (plan) *plan = d.Plan_;
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(d.Plan_.Taille));
    out.assign(d.Entete.begin(), d.Entete.end());
    uint64_t somme = d.SommeEntete;
    EcrireDonnees(d, e.NombreScans, d.Checksum, somme, [&](const uint8_t* p, size_t n) {
        out.insert(out.end(), p, p + n);
        return true;
    });
    out.insert(out.end(), d.Annotations.begin(), d.Annotations.end());
    if (d.Checksum) {
        somme += SommeOctets(d.Annotations.data(), d.Annotations.size());
        const uint16_t stocke = ChecksumStocke(e, somme);
        std::memcpy(out.data() + OffsetChecksumTKAR, &stocke, sizeof stocke);
    }
    return out;
}

bool Ecrire(const Enregistrement& e, const std::string& chemin, Plan* plan) {
    return EcrireFichier(e, chemin, plan);
}

bool EcrireEnFlux(const Enregistrement& e, const std::string& chemin) {
    return EcrireFichier(e, chemin, nullptr);
}

} // namespace recmaker
