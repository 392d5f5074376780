// The run-summary kernel, written once over a small set of vector operations and
// compiled once per instruction set (PliSSE2.cpp, PliAVX2.cpp with -mavx2).
// Everything here has internal linkage so that no AVX2 code can be shared with,
// and picked by, the baseline build. Include it from those two files only.
#pragma once

#include <cstdint>
#include <cstring>

#include "graph/PliRapide.h"

namespace {

// Lanes are the channels of one scan: W 16-bit channels per vector, the groups of
// a scan side by side. Within one group the running summary of a run is updated
// scan after scan; four sub-runs are folded side by side to hide the latency of
// that chain, then merged in order, which is exact.
template <class I> struct Noyau {
    using V = typename I::V;
    static constexpr int W = I::W;
    static constexpr int Groupes = (VoiesPliMax + W - 1) / W;

    struct Acc {
        V Min, Max, Pente;
    };

    static inline void Debuter(Acc& a, V m) {
        a.Min = m;
        a.Max = m;
        a.Pente = I::Zero();
    }
    // One scan: strict records only; a new maximum is never also a new minimum.
    static inline void Ajouter(Acc& a, V m) {
        const V gt = I::PlusGrand(m, a.Max);
        const V lt = I::PlusGrand(a.Min, m);
        a.Max = I::Maxi(a.Max, m);
        a.Min = I::Mini(a.Min, m);
        a.Pente = I::Ou(gt, I::EtNon(lt, a.Pente));
    }
    // a = a then b.
    static inline void Joindre(Acc& a, const Acc& b) {
        const V un = I::Uns();
        const V minA = I::EtNon(I::PlusGrand(a.Min, b.Min), un); // a.Min <= b.Min
        const V maxA = I::EtNon(I::PlusGrand(b.Max, a.Max), un); // a.Max >= b.Max
        const V lesDeuxA = I::Et(minA, maxA);
        const V aucunA = I::EtNon(I::Ou(minA, maxA), un);
        a.Pente = I::Ou(I::Ou(I::Et(lesDeuxA, a.Pente), I::Et(aucunA, b.Pente)), I::EtNon(maxA, minA));
        a.Min = I::Mini(a.Min, b.Min);
        a.Max = I::Maxi(a.Max, b.Max);
    }

    static void Plier(const FormeScans& f, int64_t premier, int64_t nombre, ResumePli& r, uint64_t* somme) {
        const int groupes = (f.Voies + W - 1) / W;
        const int64_t pas = f.PasOctets;
        const uint8_t* p0 = f.Debut + premier * pas;
        const int64_t largeur = static_cast<int64_t>(groupes) * W * 2;
        // Scans whose whole vectors can be loaded in place; the others go through a copy.
        int64_t surs = 0;
        if (f.Fin - p0 >= largeur) surs = (f.Fin - p0 - largeur) / pas + 1;
        if (surs > nombre) surs = nombre;

        alignas(32) int16_t biaisVoies[Groupes * W] = {};
        for (int n = 0; n < f.Voies; ++n) biaisVoies[n] = f.Biais[n];

        alignas(32) int16_t sortieMin[W], sortieMax[W], sortiePente[W];
        for (int g = 0; g < groupes; ++g) {
            const V biais = I::Charger(biaisVoies + g * W);
            const uint8_t* base = p0 + g * W * 2;
            Acc a;
            int64_t k = 0;
            if (surs >= 16) {
                // Four sub-runs side by side.
                const int64_t q = surs / 4;
                const uint8_t* b1 = base + q * pas;
                const uint8_t* b2 = base + 2 * q * pas;
                const uint8_t* b3 = base + 3 * q * pas;
                Acc a1, a2, a3;
                Debuter(a, I::Xor(I::Charger(base), biais));
                Debuter(a1, I::Xor(I::Charger(b1), biais));
                Debuter(a2, I::Xor(I::Charger(b2), biais));
                Debuter(a3, I::Xor(I::Charger(b3), biais));
                for (int64_t i = 1; i < q; ++i) {
                    const int64_t d = i * pas;
                    Ajouter(a, I::Xor(I::Charger(base + d), biais));
                    Ajouter(a1, I::Xor(I::Charger(b1 + d), biais));
                    Ajouter(a2, I::Xor(I::Charger(b2 + d), biais));
                    Ajouter(a3, I::Xor(I::Charger(b3 + d), biais));
                }
                for (int64_t i = 4 * q; i < surs; ++i) Ajouter(a3, I::Xor(I::Charger(base + i * pas), biais));
                Joindre(a, a1);
                Joindre(a, a2);
                Joindre(a, a3);
                k = surs;
            } else {
                Debuter(a, I::Xor(Lire(base, f.Fin, surs > 0), biais));
                k = 1;
                for (; k < surs; ++k) Ajouter(a, I::Xor(I::Charger(base + k * pas), biais));
            }
            for (; k < nombre; ++k) Ajouter(a, I::Xor(Lire(base + k * pas, f.Fin, false), biais));
            I::Ranger(sortieMin, a.Min);
            I::Ranger(sortieMax, a.Max);
            I::Ranger(sortiePente, a.Pente);
            for (int j = 0; j < W; ++j) {
                const int n = g * W + j;
                if (n >= f.Voies) break;
                r.Min[n] = sortieMin[j];
                r.Max[n] = sortieMax[j];
                r.Pente[n] = sortiePente[j] != 0 ? 1 : 0;
            }
        }
        uint16_t et = 0xFFFF, ou = 0;
        if (f.DecalageLogique >= 0) {
            const uint8_t* l = p0 + 2 * f.DecalageLogique;
            for (int64_t k = 0; k < nombre; ++k) {
                uint16_t w;
                std::memcpy(&w, l + k * pas, 2);
                et &= w;
                ou |= w;
            }
        }
        r.Et = et;
        r.Ou = ou;
        r.Vide = false;
        if (somme != nullptr) {
            int64_t n = nombre * pas;
            if (n > f.Fin - p0) n = f.Fin - p0;
            *somme += I::SommeOctets(p0, n);
        }
    }

    // Vector at p, zero past the end of readable memory.
    static inline V Lire(const uint8_t* p, const uint8_t* fin, bool sur) {
        if (sur) return I::Charger(p);
        alignas(32) uint8_t copie[W * 2] = {};
        const int64_t n = fin - p;
        if (n > 0) std::memcpy(copie, p, static_cast<size_t>(n < W * 2 ? n : W * 2));
        return I::Charger(copie);
    }
};

} // namespace
