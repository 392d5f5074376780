#include "math/PreprocesseurScript.h"

#include <algorithm>
#include <cstring>

#include "shell/OutilsTexte.h"

namespace {

constexpr std::string_view Division = "*1.00/1.0/";

// The channel's stored name (at most 26 characters) without trailing blanks.
std::string NomSansBlancs(const tCalibVoie& voie) {
    char nom[sizeof voie.NomVoie + 1]{};
    std::memcpy(nom, voie.NomVoie, strnlen(voie.NomVoie, sizeof voie.NomVoie));
    ELIM_BLANC(nom);
    return nom;
}

// Outside comments every "/" becomes a division of doubles; comments, with
// their delimiters, are left as they are.
void DivisionsFlottantes(std::string& texte) {
    size_t p = 0;
    while ((p = texte.find('/', p)) != std::string::npos) {
        const char suivant = p + 1 < texte.size() ? texte[p + 1] : '\0';
        if (suivant == '/') {
            p = texte.find('\n', p + 2); // a line comment ends with its line
        } else if (suivant == '*') {
            p = texte.find("*/", p + 2); // a block comment ends after "*/"
            if (p != std::string::npos) p += 2;
        } else {
            texte.replace(p, 1, Division);
            p += Division.size();
        }
    }
}

} // namespace

void REPLACE_STRING(std::string& texte, std::string_view motif, std::string_view remplacement) {
    if (motif.empty()) return;
    size_t p = 0;
    while ((p = texte.find(motif, p)) != std::string::npos) {
        texte.replace(p, motif.size(), remplacement);
        p += remplacement.size();
    }
}

std::string Script_Preprocesseur(std::string texte, const t_EnteteREC_GlobalTotal& entete) {
    const int analog = std::min<int>(entete.NombreVoiesAnalog, NombreVoiesTable);
    for (int i = 0; i < analog; ++i) {
        const std::string motif = "'" + NomSansBlancs(entete.CalibVoie[i]) + "'";
        REPLACE_STRING(texte, motif, "V" + std::to_string(i));
    }
    DivisionsFlottantes(texte);
    return texte;
}
