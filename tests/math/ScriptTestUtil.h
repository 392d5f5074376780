// Shared fixture of the script tests: a recording header with named recorded
// channels and script slots, a holder with the engine, and rows run through it.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "MathTestUtil.h"
#include "config/OnOff.h"
#include "math/ErreursScript.h"
#include "math/MoteurScript.h"
#include "recording/FormatREC.h"

class ScriptTest : public MathTest {
protected:
    void SetUp() override {
        MathTest::SetUp();
        RESET_ERREURS_SCRIPT();
    }
    void TearDown() override {
        Moteur.reset();
        TableauTravail = nullptr;
        RESET_ERREURS_SCRIPT();
        MathTest::TearDown();
    }

    // Recorded channels named `noms` (channel numbers 0..), and the script
    // slots `numeros` present, in the family's presence record.
    void Enregistreur(const std::vector<std::string>& noms, const std::vector<int>& numeros,
                      FamilleREC famille = FamilleTKOS) {
        Analogiques(static_cast<int>(noms.size()), famille);
        for (size_t i = 0; i < noms.size(); ++i) {
            std::strncpy(EnteteF.CalibVoie[i].NomVoie, noms[i].c_str(), sizeof EnteteF.CalibVoie[i].NomVoie);
            Present(static_cast<int>(i));
        }
        const int base = famille == FamilleTKOS ? LimiteAnalogTKOS : LimiteAnalogVEL;
        for (const int s : numeros) {
            Present(base + s);
            Calculee(0, 0, 0, 0);
        }
        Moteur = std::make_unique<MoteurScript>(&EnteteF);
    }

    static void Present(int n) {
        if (EnteteF.FamilleEnregistreur == FamilleTKOS)
            EnteteF.EnteteTKOS.Presence.Masque[n / 32] |= 1u << (n % 32);
        else
            AJOUT_ONOFF(EnteteF.EnteteVEL.Presence, n);
    }

    void Script(int slot, const std::vector<std::string>& lignes) {
        for (size_t l = 0; l < lignes.size() && l < NombreLignesScript; ++l)
            std::strncpy(Moteur->TexteScript[slot][l], lignes[l].c_str(), LongueurLigneScript);
    }

    // One row: the recorded values, everything else 0.0; the scripts run on it.
    std::vector<double> Rangee(const std::vector<double>& valeurs) {
        std::vector<double> ligne(NombreSlotsColonne, 0.0);
        std::copy(valeurs.begin(), valeurs.end(), ligne.begin());
        TableauTravail = ligne.data();
        Moteur->execute_script();
        TableauTravail = nullptr;
        return ligne;
    }

    std::unique_ptr<MoteurScript> Moteur;
};
