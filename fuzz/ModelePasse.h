// The display pass as its algorithm reads, one word at a time over the file's
// bytes in memory: the model fuzz_passe holds both real passes to. Word i of
// the visible part is at byte DebutDonnees + 2 x (first visible word + i); a
// byte past the end of the file reads as 0. Like the graph object, the model
// keeps its state from one pass to the next (the scan last read, the running
// extremes, the logic reference, the under-sampling counter).
#pragma once

#include <cstdint>
#include <vector>

#include "config/Config.h"
#include "math/ValeursPhysiques.h"
#include "recording/EnteteREC.h"

namespace fuzz {

class ModelePasse {
public:
    static constexpr int Analog = 204;

    ModelePasse(const std::vector<uint8_t>& fichier, const t_EnteteREC_GlobalTotal& entete)
        : Fichier_(fichier), E_(entete) {}

    // One pass over the window; sousEchantillonnage and ratio as the filter dialog left them.
    void Passe(const tSetup& s, bool sousEchantillonnage, float ratio) {
        SousEch_ = sousEchantillonnage;
        Ratio_ = static_cast<int32_t>(ratio);
        const double scans = static_cast<double>(E_.NombreScans);
        Depart_ = Tronquer(scans * s.DebutFenetre) * E_.LongueurScan;
        const int64_t L = Tronquer(s.LargeurFenetre * scans);
        const int64_t ls = E_.LongueurScan;
        if (L <= NombreColonnesAffichage) {
            int64_t precedent = -1;
            for (int c = 0; c < NombreColonnesAffichage; ++c) {
                const int64_t n = c * L / NombreColonnesAffichage;
                if (n != precedent) {
                    Compteur_ = ls * n;
                    Recup();
                    precedent = n;
                }
                for (int k = 0; k < NombreSlotsColonne; ++k) Table[Case(c, k)] = Ent_[k];
            }
            return;
        }
        Compteur_ = 0;
        Colonne_ = 0;
        Recup();
        for (int n = 0; n < Analog; ++n) Min_[n] = Max_[n] = Ent_[n];
        Deb_ = Ent_[SlotLogique];
        Ou_ = 0;
        Sauve();
        int64_t seuil = Colonne_ * L / NombreColonnesAffichage;
        for (int64_t i = 0; i < L;) {
            Compteur_ = ls * i;
            Recup();
            ++i;
            if (i == seuil) {
                Sauve();
                seuil = Colonne_ * L / NombreColonnesAffichage;
            }
        }
    }

    static size_t Case(int c, int k) { return static_cast<size_t>(c) * NombreSlotsColonne + k; }

    std::vector<uint16_t> Table =
        std::vector<uint16_t>(static_cast<size_t>(NombreColonnesTable) * NombreSlotsColonne);
    int32_t Decimateur = 0;

private:
    static int64_t Tronquer(double x) {
        return x >= 9.2e18 ? INT64_MAX : x <= -9.2e18 ? INT64_MIN : static_cast<int64_t>(x);
    }

    uint16_t Mot(int64_t index) const {
        const int64_t o = E_.DebutDonnees + 2 * (Depart_ + index);
        auto octet = [&](int64_t i) -> unsigned {
            return i >= 0 && i < static_cast<int64_t>(Fichier_.size()) ? Fichier_[static_cast<size_t>(i)]
                                                                       : 0u;
        };
        return static_cast<uint16_t>(octet(o) | (octet(o + 1) << 8));
    }
    void MinMax(uint16_t w, int n) {
        const bool signe = E_.Affichage[n].VoieSignee != 0;
        const bool plusGrand = signe ? int16_t(w) > int16_t(Max_[n]) : w > Max_[n];
        const bool plusPetit = signe ? int16_t(w) < int16_t(Min_[n]) : w < Min_[n];
        if (plusGrand) {
            Max_[n] = w;
            Pente_[n] = 1;
        } else if (plusPetit) {
            Min_[n] = w;
            Pente_[n] = 0;
        }
    }
    void Recup() {
        Decimateur += 1;
        if (SousEch_ && Decimateur < Ratio_) {
            Compteur_ += E_.NombreVoiesAnalog;
            return;
        }
        Decimateur = 0;
        for (int n = 0; n < E_.NombreVoiesAnalog; ++n) {
            const uint16_t w = Mot(Compteur_++);
            if (n >= Analog) continue;
            MinMax(w, n);
            Ent_[n] = w;
        }
        if (E_.PresenceLogique != 0) {
            Ent_[SlotLogique] = Mot(Compteur_++);
            Ou_ |= Deb_ ^ Ent_[SlotLogique];
        }
    }
    void Sauve() {
        for (int n = 0; n < Analog; ++n) MinMax(Ent_[n], n);
        Ou_ |= Deb_ ^ Ent_[SlotLogique];
        for (int n = 0; n < Analog; ++n) {
            uint16_t& t = Table[Case(Colonne_, n)];
            if (Pente_[n] == 1) {
                t = Min_[n];
                Min_[n] = Max_[n];
            } else {
                t = Max_[n];
                Max_[n] = Min_[n];
            }
        }
        Deb_ = Ou_ ^ Deb_;
        Ou_ = 0;
        Table[Case(Colonne_, SlotLogique)] = Deb_;
        ++Colonne_;
    }

    const std::vector<uint8_t>& Fichier_;
    const t_EnteteREC_GlobalTotal& E_;
    bool SousEch_ = false;
    int32_t Ratio_ = 0;
    int64_t Depart_ = 0, Compteur_ = 0;
    int Colonne_ = 0;
    uint16_t Ent_[NombreSlotsColonne]{}, Min_[NombreSlotsColonne]{}, Max_[NombreSlotsColonne]{};
    uint8_t Pente_[NombreSlotsColonne]{};
    uint16_t Deb_ = 0, Ou_ = 0;
};

} // namespace fuzz
