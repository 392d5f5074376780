// The AVX2 kernel: sixteen channels per vector. This file alone is compiled with
// -mavx2 and is only called once the processor is known to run it.
#include <immintrin.h>

#include "graph/PliNoyau.h"

namespace {

struct IsaAVX2 {
    using V = __m256i;
    static constexpr int W = 16;
    static V Charger(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
    static void Ranger(int16_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    static V Zero() { return _mm256_setzero_si256(); }
    static V Uns() { return _mm256_set1_epi32(-1); }
    static V Xor(V a, V b) { return _mm256_xor_si256(a, b); }
    static V Et(V a, V b) { return _mm256_and_si256(a, b); }
    static V Ou(V a, V b) { return _mm256_or_si256(a, b); }
    static V EtNon(V a, V b) { return _mm256_andnot_si256(a, b); } // ~a & b
    static V PlusGrand(V a, V b) { return _mm256_cmpgt_epi16(a, b); }
    static V Maxi(V a, V b) { return _mm256_max_epi16(a, b); }
    static V Mini(V a, V b) { return _mm256_min_epi16(a, b); }
    static uint64_t SommeOctets(const uint8_t* p, int64_t n) {
        const __m256i zero = _mm256_setzero_si256();
        __m256i s0 = zero, s1 = zero;
        int64_t i = 0;
        for (; i + 64 <= n; i += 64) {
            s0 = _mm256_add_epi64(s0, _mm256_sad_epu8(Charger(p + i), zero));
            s1 = _mm256_add_epi64(s1, _mm256_sad_epu8(Charger(p + i + 32), zero));
        }
        s0 = _mm256_add_epi64(s0, s1);
        alignas(32) uint64_t t[4];
        _mm256_store_si256(reinterpret_cast<__m256i*>(t), s0);
        uint64_t s = t[0] + t[1] + t[2] + t[3];
        for (; i < n; ++i) s += p[i];
        return s;
    }
};

} // namespace

void PlierAVX2(const FormeScans& f, int64_t premier, int64_t nombre, ResumePli& r, uint64_t* somme) {
    Noyau<IsaAVX2>::Plier(f, premier, nombre, r, somme);
}
