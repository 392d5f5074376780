#include "shell/BoiteMessage.h"

#include "shell/Messages.h"
#include "shell/Texte8.h"

#include <atomic>
#include <iostream>

BoiteMessageConsole::BoiteMessageConsole(std::ostream& flux) : Flux(flux) {}

void BoiteMessageConsole::MONTRER(const QString& titre, const QString& texte, tIconeBoite) {
    Flux << titre.toStdString() << ": " << texte.toStdString() << '\n';
    Flux.flush();
}

bool BoiteMessageConsole::DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone,
                                   bool reponseSansEffet) {
    MONTRER(titre, texte, icone);
    return reponseSansEffet;
}

namespace {
BoiteMessage* CONSOLE() {
    static BoiteMessageConsole console(std::cerr);
    return &console;
}

// Null stands for the console handler, so that nothing needs building before main.
std::atomic<BoiteMessage*> BoiteInstallee{nullptr};
} // namespace

BoiteMessage* INSTALLER_BOITE_MESSAGE(BoiteMessage* boite) {
    BoiteMessage* precedente = BoiteInstallee.exchange(boite == CONSOLE() ? nullptr : boite);
    return precedente != nullptr ? precedente : CONSOLE();
}

BoiteMessage& BOITE_MESSAGE() {
    BoiteMessage* boite = BoiteInstallee.load();
    return boite != nullptr ? *boite : *CONSOLE();
}

void RESET_BOITE_MESSAGE() {
    BoiteInstallee.store(nullptr);
}

void AFFICHE_MESSAGE(const char* titre, const char* texte, tIconeBoite icone) {
    BOITE_MESSAGE().MONTRER(DepuisCp1252(titre), DepuisCp1252(texte), icone);
}

bool QUESTION_OUI_NON(const char* titre, const char* texte, tIconeBoite icone, bool reponseSansEffet) {
    return BOITE_MESSAGE().DEMANDER(DepuisCp1252(titre), DepuisCp1252(texte), icone, reponseSansEffet);
}

void AFFICHE_ERREUR(const char* texte) {
    AFFICHE_MESSAGE(POS_MESS(M_Erreur), texte, tIconeBoite::Avertissement);
}
