#include "recmaker/Signaux.h"

#include <cmath>
#include <numbers>

namespace recmaker {

using namespace detail;

Signal Constant(uint16_t mot) {
    return GenConstant{mot};
}

Signal Rampe(uint16_t depart, int pas) {
    return GenRampe{depart, pas};
}

Signal Carre(uint16_t bas, uint16_t haut, int64_t periodeScans) {
    if (periodeScans < 2) return GenConstant{bas};
    return GenCarre{bas, haut, periodeScans};
}

Signal Sinus(double centre, double amplitude, double periodeScans) {
    if (!(periodeScans > 0.0)) return GenSinus{centre, 0.0, 1.0, false};
    return GenSinus{centre, amplitude, periodeScans, false};
}

Signal SinusSigne(double centre, double amplitude, double periodeScans) {
    if (!(periodeScans > 0.0)) return GenSinus{centre, 0.0, 1.0, true};
    return GenSinus{centre, amplitude, periodeScans, true};
}

namespace detail {

namespace {
// The limit of a whole-period table: longer periods are computed word by word.
constexpr double PeriodeTableMax = 1 << 20;

uint16_t Arrondir(double v, bool signe) {
    double r = std::floor(v + 0.5);
    if (signe) {
        if (!(r >= -32768.0)) r = -32768.0;
        if (r > 32767.0) r = 32767.0;
        return static_cast<uint16_t>(static_cast<int16_t>(r));
    }
    if (!(r >= 0.0)) r = 0.0;
    if (r > 65535.0) r = 65535.0;
    return static_cast<uint16_t>(r);
}
} // namespace

uint16_t GenSinus::operator()(int64_t scan) const {
    double phase = std::fmod(static_cast<double>(scan), Periode);
    if (phase < 0) phase += Periode;
    return Arrondir(Centre + Amplitude * std::sin(2.0 * std::numbers::pi * phase / Periode), Signe);
}

Source::Source(const Signal& signal, int64_t nombreScans) : Signal_(&signal) {
    const auto* s = signal.target<GenSinus>();
    if (s == nullptr || s->Periode != std::floor(s->Periode) || s->Periode > PeriodeTableMax ||
        s->Periode > static_cast<double>(nombreScans))
        return;
    const auto n = static_cast<int64_t>(s->Periode);
    Table_.resize(static_cast<size_t>(n));
    // Same arithmetic as operator(): a whole phase p gives exactly the same word.
    for (int64_t p = 0; p < n; ++p) Table_[static_cast<size_t>(p)] = (*s)(p);
}

void Source::Remplir(int64_t debut, int64_t n, uint16_t* out, int pas) const {
    const Signal& signal = *Signal_;
    if (!Table_.empty()) {
        const auto periode = static_cast<int64_t>(Table_.size());
        int64_t phase = debut % periode;
        if (phase < 0) phase += periode;
        for (int64_t i = 0; i < n; ++i) {
            out[i * pas] = Table_[static_cast<size_t>(phase)];
            if (++phase == periode) phase = 0;
        }
    } else if (const auto* c = signal.target<GenConstant>()) {
        for (int64_t i = 0; i < n; ++i) out[i * pas] = c->Mot;
    } else if (const auto* r = signal.target<GenRampe>()) {
        uint16_t mot = (*r)(debut);
        const auto increment = static_cast<uint16_t>(r->Pas);
        for (int64_t i = 0; i < n; ++i, mot = static_cast<uint16_t>(mot + increment)) out[i * pas] = mot;
    } else if (const auto* q = signal.target<GenCarre>()) {
        int64_t phase = debut % q->Periode;
        if (phase < 0) phase += q->Periode;
        const int64_t demi = q->Periode / 2;
        for (int64_t i = 0; i < n; ++i) {
            out[i * pas] = phase < demi ? q->Bas : q->Haut;
            if (++phase == q->Periode) phase = 0;
        }
    } else if (const auto* s = signal.target<GenSinus>()) {
        for (int64_t i = 0; i < n; ++i) out[i * pas] = (*s)(debut + i);
    } else if (signal) {
        for (int64_t i = 0; i < n; ++i) out[i * pas] = signal(debut + i);
    } else {
        for (int64_t i = 0; i < n; ++i) out[i * pas] = 0;
    }
}

} // namespace detail
} // namespace recmaker
