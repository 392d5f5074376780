// Shared set-up of the scaling and text tests: a blank header, a blank
// configuration, the start-up state of the text globals, and a chosen culture.
#pragma once

#include <gtest/gtest.h>

#include <QLocale>

#include "config/Config.h"
#include "recording/Conversion.h"
#include "recording/EnteteREC.h"
#include "recording/TexteTemps.h"
#include "recording/TexteValeur.h"
#include "shell/Messages.h"

class EchelleTest : public ::testing::Test {
protected:
    void SetUp() override {
        RESET_ENTETE();
        RESET_GLOBAL_CONFIG();
        RESET_CONVERSION();
        RESET_TEXTE_VALEUR();
        RESET_TEXTE_TEMPS();
        RESET_LANGUE();
        cultureAvant_ = QLocale();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override {
        QLocale::setDefault(cultureAvant_);
        RESET_LANGUE();
    }

    static void Francais() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    // Display format of channel n.
    static void Format(int n, int format, int exposant, int decimales) {
        Config.ParamVoie[n].FormatAffichage = static_cast<uint8_t>(format);
        Config.ParamVoie[n].ExposantUnite = static_cast<int8_t>(exposant);
        Config.ParamVoie[n].NombreDecimales = static_cast<uint8_t>(decimales);
    }

private:
    QLocale cultureAvant_;
};
