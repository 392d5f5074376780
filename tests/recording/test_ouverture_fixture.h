// Shared set-up of the opening tests: the header-reading fixture plus a
// default configuration, the start-up state of the globals the opening
// writes, the C culture, and a filter dialog stand-in.
#pragma once

#include <functional>
#include <string>

#include <QLocale>

#include "config/Config.h"
#include "config/Defauts.h"
#include "recording/EtatFonctions.h"
#include "recording/FiltreFichierModele.h"
#include "recording/SousEchantillonnage.h"
#include "recording/TexteTemps.h"
#include "test_lecture_fixture.h"

namespace ouverture_test {

using namespace lecture_test;

// A filter dialog that runs a given action on the model instead of showing
// anything, then validates (CEST_OK) or cancels as told.
class DialogueFactice : public DialogueFiltre {
public:
    std::function<void(FiltreFichierModele&)> Action;
    bool Valider = true;
    int Appels = 0;

    bool EXECUTER(FiltreFichierModele& modele) override {
        ++Appels;
        if (Action) Action(modele);
        if (Valider)
            modele.CEST_OK();
        else
            modele.ANNULER();
        return modele.ValidSortie == 1;
    }
};

class OuvertureTest : public LectureTest {
protected:
    void SetUp() override {
        LectureTest::SetUp();
        RESET_GLOBAL_CONFIG();
        INIT_CONFIG();
        RESET_GLOBAL_SETUP();
        RESET_FONCTIONS();
        RESET_SOUS_ECHANTILLONNAGE();
        RESET_VALID_FICHIER();
        RESET_TEXTE_TEMPS();
        cultureAvant_ = QLocale();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override {
        QLocale::setDefault(cultureAvant_);
        LectureTest::TearDown();
    }

    // Opens a recording written as `nom` in the test folder; the opener shows
    // its dialog through `Dialogue` when sansDialogue is 0.
    uint8_t Ouvrir(const Enregistrement& e, uint8_t sansDialogue = 1, const std::string& nom = "essai.rec") {
        const std::string chemin = EcrireFichier(recmaker::Construire(e), nom);
        Chemin = QString::fromStdString(chemin);
        Ouvre.VraiNomFichier = Ouvre.NomFichier = Chemin;
        Ouvre.Dialogue = &Dialogue;
        return Ouvre.OUVRIR_REC(sansDialogue);
    }

    // Channels of a set, as a text of numbers ("0 2 3").
    static std::string Membres(const tOn_Off_VEL& s) {
        std::string t;
        for (int n = 0; n < 256; ++n)
            if (TST_B_ONOFF(s, n)) t += (t.empty() ? "" : " ") + std::to_string(n);
        return t;
    }

    DialogueFactice Dialogue;
    QString Chemin;

private:
    QLocale cultureAvant_;
};

} // namespace ouverture_test
