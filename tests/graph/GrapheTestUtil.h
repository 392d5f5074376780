// Shared set-up of the display-pass tests: recordings made by the recording
// maker, opened by the header reader, and the model of the pass over the file
// bytes in memory to compare the display table with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "ModelePasse.h"
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

using modele_passe::Reference;

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
