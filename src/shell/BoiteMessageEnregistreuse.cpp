#include "shell/BoiteMessageEnregistreuse.h"

void BoiteMessageEnregistreuse::MONTRER(const QString& titre, const QString& texte, tIconeBoite icone) {
    Appels.push_back({false, titre, texte, icone, false, false});
}

bool BoiteMessageEnregistreuse::DEMANDER(const QString& titre, const QString& texte, tIconeBoite icone,
                                         bool reponseSansEffet) {
    bool reponse = reponseSansEffet;
    if (!Reponses.empty()) {
        reponse = Reponses.front();
        Reponses.pop_front();
    }
    Appels.push_back({true, titre, texte, icone, reponseSansEffet, reponse});
    return reponse;
}

std::vector<std::string> BoiteMessageEnregistreuse::TEXTES() const {
    std::vector<std::string> textes;
    for (const tAppel& appel : Appels) textes.push_back(appel.Texte.toStdString());
    return textes;
}

std::vector<std::string> BoiteMessageEnregistreuse::TITRES() const {
    std::vector<std::string> titres;
    for (const tAppel& appel : Appels) titres.push_back(appel.Titre.toStdString());
    return titres;
}
