// A message-box handler that shows nothing and keeps every call, so tests can check which boxes a
// routine shows and answer its questions.
#pragma once

#include "shell/BoiteMessage.h"

#include <deque>
#include <string>
#include <vector>

class BoiteMessageEnregistreuse : public BoiteMessage {
public:
    struct tAppel {
        bool Question = false; // false: an OK box
        QString Titre;
        QString Texte;
        tIconeBoite Icone = tIconeBoite::Aucune;
        bool ReponseSansEffet = false; // questions only
        bool Reponse = false;          // questions only: the answer given
    };

    // Every box shown, in order.
    std::vector<tAppel> Appels;
    // Answers for the next questions, first in first out; once empty, questions get the answer that
    // changes nothing.
    std::deque<bool> Reponses;

    void MONTRER(const QString& titre, const QString& texte, tIconeBoite icone) override;
    bool DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone,
                  bool reponseSansEffet) override;

    // Texts of the recorded calls in UTF-8, for readable assertions.
    std::vector<std::string> TEXTES() const;
    std::vector<std::string> TITRES() const;
};
