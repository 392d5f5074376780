// The display pass as its algorithm reads, one word at a time over the file's
// bytes in memory: the slow, obvious model the display-pass tests and the pass
// fuzz target hold both real passes to. Word i of the visible part is at byte
// DebutDonnees + 2 x (first visible word + i); a byte past the end of the file
// reads as 0. Like the graph object, the model keeps its state from one pass to
// the next (the scan last read, the running extremes, the logic reference, the
// under-sampling counter). Hostile headers are taken as the pass takes them:
// window positions saturate, channels past the analog slots are read and dropped.
#pragma once

#include <cstdint>
#include <vector>

#include "config/Config.h"
#include "math/ValeursPhysiques.h"
#include "recording/EnteteREC.h"

namespace modele_passe {

inline constexpr int SlotsAnalog = 204;

struct Reference {
    std::vector<uint8_t> Octets; // the file
    const t_EnteteREC_GlobalTotal* E = &EnteteF;
    std::vector<uint16_t> Table =
        std::vector<uint16_t>(static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne, 0);
    uint16_t Ent[NombreSlotsColonne]{}, Min[NombreSlotsColonne]{}, Max[NombreSlotsColonne]{};
    uint8_t Pente[NombreSlotsColonne]{};
    uint16_t Deb = 0, Ou = 0;
    int32_t Decim = 0;
    bool SousEch = false; // under-sampling and its ratio, as the filter dialog left them
    float Ratio = 0.f;
    int64_t Depart = 0, L = 0, Compteur = 0;
    int Colonne = 0;

    static int64_t Tronquer(double x) {
        return x >= 9.2e18 ? INT64_MAX : x <= -9.2e18 ? INT64_MIN : static_cast<int64_t>(x);
    }
    static size_t Case(int c, int k) { return static_cast<size_t>(c) * NombreSlotsColonne + k; }

    uint8_t Octet(int64_t i) const {
        return i >= 0 && i < static_cast<int64_t>(Octets.size()) ? Octets[static_cast<size_t>(i)] : 0;
    }
    uint16_t Mot(int64_t index) const {
        const int64_t o = E->DebutDonnees + 2 * (Depart + index);
        return static_cast<uint16_t>(Octet(o) | (Octet(o + 1) << 8));
    }
    void MinMax(uint16_t w, int n) {
        const bool signe = E->Affichage[n].VoieSignee != 0;
        const bool plusGrand = signe ? int16_t(w) > int16_t(Max[n]) : w > Max[n];
        const bool plusPetit = signe ? int16_t(w) < int16_t(Min[n]) : w < Min[n];
        if (plusGrand) {
            Max[n] = w;
            Pente[n] = 1;
        } else if (plusPetit) {
            Min[n] = w;
            Pente[n] = 0;
        }
    }
    void Recup() {
        Decim += 1;
        if (SousEch && Decim < static_cast<int32_t>(Ratio)) {
            Compteur += E->NombreVoiesAnalog;
            return;
        }
        Decim = 0;
        for (int n = 0; n < E->NombreVoiesAnalog; ++n) {
            const uint16_t w = Mot(Compteur++);
            if (n >= SlotsAnalog) continue;
            MinMax(w, n);
            Ent[n] = w;
        }
        if (E->PresenceLogique != 0) {
            Ent[SlotLogique] = Mot(Compteur++);
            Ou |= Deb ^ Ent[SlotLogique];
        }
    }
    void Sauve() {
        for (int n = 0; n < SlotsAnalog; ++n) MinMax(Ent[n], n);
        Ou |= Deb ^ Ent[SlotLogique];
        for (int n = 0; n < SlotsAnalog; ++n) {
            uint16_t& t = Table[Case(Colonne, n)];
            if (Pente[n] == 1) {
                t = Min[n];
                Min[n] = Max[n];
            } else {
                t = Max[n];
                Max[n] = Min[n];
            }
        }
        Deb = Ou ^ Deb;
        Ou = 0;
        Table[Case(Colonne, SlotLogique)] = Deb;
        ++Colonne;
    }
    void Passe(const tSetup& s) {
        const double scans = static_cast<double>(E->NombreScans);
        Depart = Tronquer(scans * s.DebutFenetre) * E->LongueurScan;
        L = Tronquer(s.LargeurFenetre * scans);
        const int64_t ls = E->LongueurScan;
        if (L <= NombreColonnesAffichage) {
            int64_t precedent = -1;
            for (int c = 0; c < NombreColonnesAffichage; ++c) {
                const int64_t n = c * L / NombreColonnesAffichage;
                if (n != precedent) {
                    Compteur = ls * n;
                    Recup();
                    precedent = n;
                }
                for (int k = 0; k < NombreSlotsColonne; ++k) Table[Case(c, k)] = Ent[k];
            }
            return;
        }
        Compteur = 0;
        Colonne = 0;
        Recup();
        for (int n = 0; n < SlotsAnalog; ++n) Min[n] = Max[n] = Ent[n];
        Deb = Ent[SlotLogique];
        Ou = 0;
        Sauve();
        int64_t seuil = Colonne * L / NombreColonnesAffichage;
        for (int64_t i = 0; i < L;) {
            Compteur = ls * i;
            Recup();
            ++i;
            if (i == seuil) {
                Sauve();
                seuil = Colonne * L / NombreColonnesAffichage;
            }
        }
    }
    // Stored checksum matches the bytes from the data start to the end of the file.
    bool ChecksumJuste() const {
        uint32_t s = static_cast<uint32_t>(E->SommeEntete);
        for (size_t i = static_cast<size_t>(E->DebutDonnees); i < Octets.size(); ++i) s += Octets[i];
        return (s & 0xFFFF) == static_cast<uint16_t>(E->ChecksumDonnees);
    }
};

} // namespace modele_passe
