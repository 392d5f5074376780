// Shared fixture of the math tests: a blank open recording whose analog
// channels read their raw words unchanged.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/Config.h"
#include "math/Fonctions.h"
#include "math/ValeursPhysiques.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/ScriptsREC.h"

class MathTest : public ::testing::Test {
protected:
    void SetUp() override {
        RESET_ENTETE();
        RESET_GLOBAL_CONFIG();
        RESET_FONCTIONS();
        RESET_VALIDITE_SCRIPTS();
        RESET_CONVERSION();
        INSTALLER_CROCHET_SCRIPTS({});
    }
    void TearDown() override { INSTALLER_CROCHET_SCRIPTS({}); }

    // `analog` recorded channels with gain 1 and no law, and no computed channel yet.
    static void Analogiques(int analog, FamilleREC famille = FamilleTKAR) {
        EnteteF.FamilleEnregistreur = famille;
        EnteteF.NombreVoiesAnalog = static_cast<uint8_t>(analog);
        EnteteF.NombreVoiesTotal = static_cast<uint8_t>(analog);
        EnteteF.NombreVoiesTotalCopie = static_cast<uint8_t>(analog);
        for (int i = 0; i < analog; ++i) EnteteF.CalibVoie[i].Gain = 1.f;
    }

    // Appends a computed channel to the header; returns its channel number.
    static int Calculee(uint8_t type, uint8_t op, uint8_t op1, uint8_t op2, float a = 1.f, float b = 1.f,
                        float c = 0.f, float d = 0.f) {
        const int k = EnteteF.NombreVoiesTotal;
        tCalibVoie& v = EnteteF.CalibVoie[k];
        v.TypeConversion = type;
        v.OperateurFonction = op;
        v.Operande1 = op1;
        v.Operande2 = op2;
        v.CoefA = a;
        v.CoefB = b;
        v.CoefC = c;
        v.CoefD = d;
        EnteteF.NombreVoiesTotal = static_cast<uint8_t>(k + 1);
        EnteteF.NombreVoiesTotalCopie = EnteteF.NombreVoiesTotal;
        return k;
    }

    static void Definition(int slot, float a, float b, float c, uint8_t voie1, uint8_t voie2, uint8_t op,
                           const char* nom = "F", const char* unite = "V") {
        tFonctionConfig& f = Config.TabFonction[slot];
        f.CoeffA = a;
        f.CoeffB = b;
        f.CoeffC = c;
        f.Voie1 = voie1;
        f.Voie2 = voie2;
        f.Operateur = op;
        std::strncpy(f.NomFonction, nom, sizeof f.NomFonction);
        std::strncpy(f.UniteFonction, unite, sizeof f.UniteFonction);
    }

    // One column converted; slots the conversion does not write keep `fond`.
    static std::vector<double> Ligne(std::vector<uint16_t> brut, double fond = -999.0) {
        brut.resize(NombreSlotsColonne, 0);
        std::vector<double> ligne(NombreSlotsColonne, fond);
        RECUP_DOUBLE(brut.data(), ligne.data(), {});
        return ligne;
    }
};
