// Shared set-up of the display-pass tests: recordings made by the recording
// maker, opened by the header reader, and a slow, obvious re-implementation of
// the pass over the file bytes in memory to compare the display table with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "config/Config.h"
#include "graph/DonneesGraphe.h"
#include "graph/GlobauxGraphe.h"
#include "recmaker/RecMaker.h"
#include "recording/EnteteREC.h"
#include "recording/OuvreREC.h"

namespace graphe_test {

using recmaker::Enregistrement;
using recmaker::Voie;

inline constexpr int Colonnes = 2000, Slots = 245;

// The pass as the algorithm text says it, one word at a time: word i of the
// visible part is at byte DebutDonnees + 2 * (DepartTracer + i) of the file, and
// a byte past the end of the file reads as 0. The state persists between passes
// like the graph object's.
struct Reference {
    std::vector<uint8_t> Octets; // the file
    const t_EnteteREC_GlobalTotal* E = &EnteteF;
    std::vector<uint16_t> Table = std::vector<uint16_t>(static_cast<size_t>(Colonnes) * Slots, 0);
    uint16_t Ent[Slots]{}, Min[Slots]{}, Max[Slots]{};
    uint8_t Pente[Slots]{};
    uint16_t Deb = 0, Ou = 0;
    int32_t Decim = 0;
    bool SousEch = false;
    float Ratio = 0.f;
    int64_t Depart = 0, L = 0, Compteur = 0;
    int Colonne = 0;

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
            MinMax(w, n);
            Ent[n] = w;
        }
        if (E->PresenceLogique != 0) {
            Ent[244] = Mot(Compteur++);
            Ou |= Deb ^ Ent[244];
        }
    }
    void Sauve() {
        for (int n = 0; n < 204; ++n) MinMax(Ent[n], n);
        Ou |= Deb ^ Ent[244];
        uint16_t* col = &Table[static_cast<size_t>(Colonne) * Slots];
        for (int n = 0; n < 204; ++n) {
            if (Pente[n] == 1) {
                col[n] = Min[n];
                Min[n] = Max[n];
            } else {
                col[n] = Max[n];
                Max[n] = Min[n];
            }
        }
        const uint16_t r = Ou ^ Deb;
        Deb = r;
        Ou = 0;
        col[244] = r;
        ++Colonne;
    }
    void Passe(const tSetup& s) {
        Depart = static_cast<int64_t>(E->NombreScans * s.DebutFenetre) * E->LongueurScan;
        L = static_cast<int64_t>(s.LargeurFenetre * E->NombreScans);
        const int64_t ls = E->LongueurScan;
        if (L <= 1000) {
            int64_t precedent = -1;
            for (int c = 0; c < 1000; ++c) {
                const int64_t n = c * L / 1000;
                if (n != precedent) {
                    Compteur = ls * n;
                    Recup();
                    precedent = n;
                }
                for (int k = 0; k < Slots; ++k) Table[static_cast<size_t>(c) * Slots + k] = Ent[k];
            }
            return;
        }
        Compteur = 0;
        Colonne = 0;
        Recup();
        for (int n = 0; n < 204; ++n) Min[n] = Max[n] = Ent[n];
        Deb = Ent[244];
        Ou = 0;
        Sauve();
        int64_t t = Colonne * L / 1000;
        for (int64_t i = 0; i < L;) {
            Compteur = ls * i;
            Recup();
            ++i;
            if (i == t) {
                Sauve();
                t = Colonne * L / 1000;
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

// Expects every word of both tables to agree, reporting the first few differences.
inline void ExpectTablesEgales(const DonneesGraphe& g, const Reference& r) {
    int erreurs = 0;
    for (int c = 0; c < Colonnes && erreurs < 5; ++c)
        for (int s = 0; s < Slots && erreurs < 5; ++s)
            if (g.Mot(c, s) != r.Table[static_cast<size_t>(c) * Slots + s]) {
                ADD_FAILURE() << "column " << c << " slot " << s << ": " << g.Mot(c, s) << " expected "
                              << r.Table[static_cast<size_t>(c) * Slots + s];
                ++erreurs;
            }
}

// One analog channel of a TKAR recording at channel number n.
inline Voie Canal(int n, recmaker::Signal donnees) {
    Voie v;
    v.Numero = n;
    v.Nom = "Voie " + std::to_string(n);
    v.Donnees = std::move(donnees);
    return v;
}

inline Enregistrement TKAR(int64_t scans, std::vector<Voie> voies, bool logique = false,
                           recmaker::Signal logiques = recmaker::Constant(0)) {
    Enregistrement e;
    e.Famille = FamilleTKAR;
    e.PeriodeUs = 100.f;
    e.NombreScans = scans;
    e.Voies = std::move(voies);
    e.Logique = logique;
    e.DonneesLogiques = std::move(logiques);
    return e;
}

// Fresh globals, a temporary folder, and helpers to open a recording in EnteteF.
class PasseTest : public ::testing::Test {
protected:
    void SetUp() override {
        RESET_ENTETE();
        RESET_GLOBAUX_GRAPHE();
        RESET_SOUS_ECHANTILLONNAGE();
        RESET_GLOBAL_SETUP();
        ::Setup = {0.0, 1.0};
        ASSERT_TRUE(Dossier.isValid());
    }
    void TearDown() override {
        Ouvreur.reset();
        RESET_ENTETE();
        RESET_GLOBAUX_GRAPHE();
        RESET_SOUS_ECHANTILLONNAGE();
    }

    std::string Chemin(const char* nom = "essai.rec") const {
        return Dossier.filePath(QString::fromLatin1(nom)).toStdString();
    }

    // Writes the recording, opens it with the header reader (file left open, as
    // the opener leaves it) and loads its bytes into the reference.
    void Ouvrir(const Enregistrement& e, const char* nom = "essai.rec") {
        const std::string chemin = Chemin(nom);
        ASSERT_TRUE(recmaker::Ecrire(e, chemin));
        std::ifstream f(chemin, std::ios::binary);
        Ref.Octets.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
        Ouvreur = std::make_unique<OuvreREC>(&EnteteF);
        Ouvreur->VraiNomFichier = QString::fromStdString(chemin);
        Ouvreur->NomFichier = Ouvreur->VraiNomFichier;
        ASSERT_EQ(Ouvreur->LECTURE_ENTETE(), LectureOK);
        ASSERT_NE(EnteteF.HandleFichier, 0);
        CheminOuvert = QString::fromStdString(chemin);
    }

    // One pass of the graph object and of the reference, tables compared.
    void PasseComparee(DonneesGraphe& g) {
        Ref.SousEch = sousEchantillonageEnabled.load();
        Ref.Ratio = underSamplingRatio.load();
        g.CALCUL_GRAPH_FT_MEM();
        Ref.Passe(::Setup);
        ExpectTablesEgales(g, Ref);
        EXPECT_EQ(decimator.load(), Ref.Decim);
    }

    QTemporaryDir Dossier;
    std::unique_ptr<OuvreREC> Ouvreur;
    QString CheminOuvert;
    Reference Ref;
};

} // namespace graphe_test
