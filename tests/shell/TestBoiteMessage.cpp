// The message-box seam: console handler, installation, recording handler.
#include "shell/BoiteMessage.h"
#include "shell/BoiteMessageEnregistreuse.h"
#include "shell/Messages.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace {

class BoiteMessages : public ::testing::Test {
protected:
    void SetUp() override {
        RESET_LANGUE();
        RESET_BOITE_MESSAGE();
    }
    void TearDown() override { SetUp(); }
};

// Captures what is written to std::cerr while it lives.
class CaptureErreur {
public:
    CaptureErreur() : Ancien(std::cerr.rdbuf(Flux.rdbuf())) {}
    ~CaptureErreur() { std::cerr.rdbuf(Ancien); }
    std::string Texte() const { return Flux.str(); }

private:
    std::ostringstream Flux;
    std::streambuf* Ancien;
};

TEST_F(BoiteMessages, ConsoleWritesTitleAndTextInUtf8) {
    std::ostringstream flux;
    BoiteMessageConsole console(flux);
    console.MONTRER(QString::fromUtf8("Erreur"), QString::fromUtf8("Période\n fausse"),
                    tIconeBoite::Avertissement);
    EXPECT_EQ(flux.str(), "Erreur: Période\n fausse\n");

    flux.str("");
    EXPECT_TRUE(console.DEMANDER(QString::fromUtf8("Q"), QString::fromUtf8("Oui ?"),
                                 tIconeBoite::Avertissement, true));
    EXPECT_FALSE(console.DEMANDER(QString::fromUtf8("Q"), QString::fromUtf8("Non ?"),
                                  tIconeBoite::Avertissement, false));
    EXPECT_EQ(flux.str(), "Q: Oui ?\nQ: Non ?\n");
}

TEST_F(BoiteMessages, DefaultHandlerIsTheConsoleOnStandardError) {
    CaptureErreur capture;
    Langue = 1;
    AFFICHE_ERREUR("Missing file \xB0"
                   "1");
    EXPECT_TRUE(QUESTION_OUI_NON("Concatenation", "Join?", tIconeBoite::Avertissement, true));
    Langue = 0;
    AFFICHE_ERREUR(POS_MESS(M_ErreurFichier));
    AFFICHE_MESSAGE(nullptr, nullptr, tIconeBoite::Aucune);
    EXPECT_EQ(capture.Texte(), "Error: Missing file °1\n"
                               "Concatenation: Join?\n"
                               "Erreur: Erreur Fichier\n"
                               ": \n");
}

TEST_F(BoiteMessages, InstallingReturnsThePreviousHandler) {
    BoiteMessage* console = &BOITE_MESSAGE();
    BoiteMessageEnregistreuse a;
    BoiteMessageEnregistreuse b;
    EXPECT_EQ(INSTALLER_BOITE_MESSAGE(&a), console);
    EXPECT_EQ(&BOITE_MESSAGE(), &a);
    EXPECT_EQ(INSTALLER_BOITE_MESSAGE(&b), &a);
    EXPECT_EQ(INSTALLER_BOITE_MESSAGE(nullptr), &b);
    EXPECT_EQ(&BOITE_MESSAGE(), console);
    EXPECT_EQ(INSTALLER_BOITE_MESSAGE(console), console);

    INSTALLER_BOITE_MESSAGE(&a);
    RESET_BOITE_MESSAGE();
    EXPECT_EQ(&BOITE_MESSAGE(), console);

    {
        InstallationBoiteMessage pose(b);
        EXPECT_EQ(&BOITE_MESSAGE(), &b);
        {
            InstallationBoiteMessage interieure(a);
            EXPECT_EQ(&BOITE_MESSAGE(), &a);
        }
        EXPECT_EQ(&BOITE_MESSAGE(), &b);
    }
    EXPECT_EQ(&BOITE_MESSAGE(), console);
}

TEST_F(BoiteMessages, RecorderKeepsEveryCallAndAnswersInTurn) {
    BoiteMessageEnregistreuse boite;
    InstallationBoiteMessage pose(boite);
    boite.Reponses = {false, true};

    Langue = 2;
    AFFICHE_ERREUR(POS_MESS(M_ErreurConcat));
    EXPECT_FALSE(
        QUESTION_OUI_NON(POS_MESS(M_Erreur), POS_MESS(M_CryptFaux), tIconeBoite::Avertissement, true));
    EXPECT_TRUE(QUESTION_OUI_NON("T", "2", tIconeBoite::Information, false));
    EXPECT_TRUE(QUESTION_OUI_NON("T", "3", tIconeBoite::Information, true)); // queue empty: default
    AFFICHE_MESSAGE("Export", "Export finish", tIconeBoite::Information);

    ASSERT_EQ(boite.Appels.size(), 5u);
    const auto& erreur = boite.Appels[0];
    EXPECT_FALSE(erreur.Question);
    EXPECT_EQ(erreur.Titre, QString::fromUtf8("Fehler"));
    EXPECT_EQ(erreur.Texte, QString::fromUtf8("Fehler:\n Dateien nicht kompatibel"));
    EXPECT_EQ(erreur.Icone, tIconeBoite::Avertissement);

    const auto& question = boite.Appels[1];
    EXPECT_TRUE(question.Question);
    EXPECT_EQ(question.Texte, QString::fromUtf8("Prüfsummenfehler \n Wollen Sie die Datei trotzdem öffnen?"));
    EXPECT_TRUE(question.ReponseSansEffet);
    EXPECT_FALSE(question.Reponse);
    EXPECT_TRUE(boite.Appels[2].Reponse);
    EXPECT_TRUE(boite.Appels[3].Reponse);
    EXPECT_EQ(boite.Appels[4].Icone, tIconeBoite::Information);

    EXPECT_EQ(boite.TITRES(), (std::vector<std::string>{"Fehler", "Fehler", "T", "T", "Export"}));
    EXPECT_EQ(boite.TEXTES().back(), "Export finish");
}

} // namespace
