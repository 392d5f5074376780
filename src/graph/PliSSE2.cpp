// The baseline kernel (SSE2, present on every x86-64), the scalar reference, the
// merge of two summaries and the choice of kernel at run time.
#include <emmintrin.h>

#include "graph/PliNoyau.h"

namespace {

struct IsaSSE2 {
    using V = __m128i;
    static constexpr int W = 8;
    static V Charger(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
    static void Ranger(int16_t* p, V v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    static V Zero() { return _mm_setzero_si128(); }
    static V Uns() { return _mm_set1_epi32(-1); }
    static V Xor(V a, V b) { return _mm_xor_si128(a, b); }
    static V Et(V a, V b) { return _mm_and_si128(a, b); }
    static V Ou(V a, V b) { return _mm_or_si128(a, b); }
    static V EtNon(V a, V b) { return _mm_andnot_si128(a, b); } // ~a & b
    static V PlusGrand(V a, V b) { return _mm_cmpgt_epi16(a, b); }
    static V Maxi(V a, V b) { return _mm_max_epi16(a, b); }
    static V Mini(V a, V b) { return _mm_min_epi16(a, b); }
    static uint64_t SommeOctets(const uint8_t* p, int64_t n) {
        const __m128i zero = _mm_setzero_si128();
        __m128i s0 = zero, s1 = zero;
        int64_t i = 0;
        for (; i + 32 <= n; i += 32) {
            s0 = _mm_add_epi64(s0, _mm_sad_epu8(Charger(p + i), zero));
            s1 = _mm_add_epi64(s1, _mm_sad_epu8(Charger(p + i + 16), zero));
        }
        s0 = _mm_add_epi64(s0, s1);
        alignas(16) uint64_t t[2];
        _mm_store_si128(reinterpret_cast<__m128i*>(t), s0);
        uint64_t s = t[0] + t[1];
        for (; i < n; ++i) s += p[i];
        return s;
    }
};

} // namespace

void PlierSSE2(const FormeScans& f, int64_t premier, int64_t nombre, ResumePli& r, uint64_t* somme) {
    Noyau<IsaSSE2>::Plier(f, premier, nombre, r, somme);
}

void PlierScalaire(const FormeScans& f, int64_t premier, int64_t nombre, ResumePli& r, uint64_t* somme) {
    for (int64_t k = 0; k < nombre; ++k) {
        const uint8_t* scan = f.Debut + (premier + k) * f.PasOctets;
        for (int n = 0; n < f.Voies; ++n) {
            uint16_t mot;
            std::memcpy(&mot, scan + 2 * n, 2);
            const int16_t m = static_cast<int16_t>(mot ^ static_cast<uint16_t>(f.Biais[n]));
            if (k == 0) {
                r.Min[n] = r.Max[n] = m;
                r.Pente[n] = 0;
            } else if (m > r.Max[n]) {
                r.Max[n] = m;
                r.Pente[n] = 1;
            } else if (m < r.Min[n]) {
                r.Min[n] = m;
                r.Pente[n] = 0;
            }
        }
        if (f.DecalageLogique >= 0) {
            uint16_t mot;
            std::memcpy(&mot, scan + 2 * f.DecalageLogique, 2);
            r.Et = static_cast<uint16_t>(k == 0 ? mot : r.Et & mot);
            r.Ou = static_cast<uint16_t>(k == 0 ? mot : r.Ou | mot);
        }
    }
    if (f.DecalageLogique < 0) {
        r.Et = 0xFFFF;
        r.Ou = 0;
    }
    r.Vide = nombre <= 0;
    if (somme != nullptr) {
        const uint8_t* p = f.Debut + premier * f.PasOctets;
        int64_t n = nombre * f.PasOctets;
        if (n > f.Fin - p) n = f.Fin - p;
        for (int64_t i = 0; i < n; ++i) *somme += p[i];
    }
}

void Fusionner(ResumePli& a, const ResumePli& b, int voies) {
    if (b.Vide) return;
    if (a.Vide) {
        a = b;
        return;
    }
    for (int n = 0; n < voies; ++n) {
        const bool minA = a.Min[n] <= b.Min[n], maxA = a.Max[n] >= b.Max[n];
        if (minA && maxA) continue; // both extremes, and the last record, from a
        if (!minA && !maxA) {
            a.Pente[n] = b.Pente[n];
        } else {
            a.Pente[n] = minA ? 1 : 0; // only b's new extreme came after a
        }
        if (!minA) a.Min[n] = b.Min[n];
        if (!maxA) a.Max[n] = b.Max[n];
    }
    a.Et &= b.Et;
    a.Ou |= b.Ou;
}

bool AVX2Disponible() {
    static const bool oui = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return oui;
}

NoyauPli NoyauPliActif() {
    return AVX2Disponible() ? &PlierAVX2 : &PlierSSE2;
}
