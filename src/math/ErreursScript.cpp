#include "math/ErreursScript.h"

#include <angelscript.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

char erreur_compilation[TailleErreurCompilation] = {};
int retour_erreur = 0;

void RESET_ERREURS_SCRIPT() {
    std::memset(erreur_compilation, 0, sizeof erreur_compilation);
    retour_erreur = 0;
}

namespace {

// An engine text: Debut, then the name (when Nomme), then Fin; with Suite the
// text may go on after Fin (Fin then only ends the name).
struct tMotif {
    std::string_view Debut;
    std::string_view Fin;
    bool Suite;
    int Code;
};

// The engine's own texts for the eight situations (earlier engine generations
// worded some of them differently; both are recognised).
constexpr tMotif Motifs[] = {
    {"'", "' is already declared", false, SituationDejaDeclaree},
    {"Name conflict. '", "' is ", true, SituationDejaDeclaree},
    {"Can't find unambiguous implicit conversion to make both expressions have the same type", "", false,
     SituationTypesDifferents},
    {"Both expressions must have the same type", "", false, SituationTypesDifferents},
    {"Else with empty statement", "", false, SituationElseVide},
    {"Expected '", "'", false, SituationManquant},
    {"If with empty statement", "", false, SituationIfVide},
    {"No matching symbol '", "'", false, SituationNonDeclaree},
    {"'", "' is not declared", false, SituationNonDeclaree},
    {"'", "' is not initialized.", false, SituationNonInitialisee},
    {"'", "' is not initialized", false, SituationNonInitialisee},
    {"Not all paths return a value", "", false, SituationSansRetour},
};

// French texts by code (Windows-1252) and whether the name comes first.
struct tTraduction {
    const char* Texte;
    bool Nomme;
};
constexpr tTraduction Traductions[] = {
    {nullptr, false},
    {"est d\351j\340 d\351clar\351e", true},
    {"Les deux expressions doivent poss\351der le m\352me type", false},
    {"Bloc else avec une instruction vide", false},
    {"manquant", true},
    {"Bloc if avec une instruction vide", false},
    {"n'est pas d\351clar\351e", true},
    {"n'est pas initialis\351e", true},
    {"Aucune valeur de retour trouv\351e", false},
};

void Copier(std::string_view texte, char* sortie, size_t taille) {
    if (taille == 0) return;
    const size_t n = std::min(texte.size(), taille - 1);
    if (n > 0) std::memcpy(sortie, texte.data(), n);
    sortie[n] = '\0';
}

// The name of `message` under motif m, or false when the message is not of that form.
bool Reconnaitre(std::string_view message, const tMotif& m, std::string_view& nom) {
    if (!message.starts_with(m.Debut)) return false;
    const std::string_view reste = message.substr(m.Debut.size());
    if (m.Fin.empty()) {
        nom = {};
        return reste.empty();
    }
    const size_t fin = m.Suite ? reste.find(m.Fin) : reste.size() - std::min(reste.size(), m.Fin.size());
    if (fin == std::string_view::npos || reste.substr(fin, m.Fin.size()) != m.Fin) return false;
    if (!m.Suite && fin + m.Fin.size() != reste.size()) return false;
    nom = reste.substr(0, fin);
    return !nom.empty();
}

} // namespace

int TRADUCTION_MESSAGE_ERREUR(const char* message, char* traduit, size_t taille) {
    const std::string_view texte =
        message == nullptr ? std::string_view() : std::string_view(message, strnlen(message, 4096));
    for (const tMotif& m : Motifs) {
        std::string_view nom;
        if (!Reconnaitre(texte, m, nom)) continue;
        const tTraduction& t = Traductions[m.Code];
        std::string francais;
        if (t.Nomme) francais.append(" '").append(nom).append("' ");
        francais.append(t.Texte);
        Copier(francais, traduit, taille);
        return m.Code;
    }
    Copier(texte, traduit, taille);
    return SituationAucune;
}

void gestion_erreur(const AngelScript::asSMessageInfo* message, void*) {
    if (message == nullptr) return;
    const char* brut = message->message != nullptr ? message->message : "";
    char texte[LongueurMessageMoteur + 1];
    Copier(std::string_view(brut, strnlen(brut, LongueurMessageMoteur)), texte, sizeof texte);
    if (std::string_view(texte).starts_with("Instead found") && erreur_compilation[0] != '\0') return;
    // Room for the translation once "Ligne %d : " is written.
    char traduit[TailleErreurCompilation - 30];
    TRADUCTION_MESSAGE_ERREUR(texte, traduit, sizeof traduit);
    std::snprintf(erreur_compilation, sizeof erreur_compilation, "Ligne %d : %s", message->row - 2, traduit);
}
