// Messages of the script engine while a script is set up: the last one is kept
// in erreur_compilation as "Ligne %d : %s", with the eight compiler situations
// a script writer meets most translated into French.
#pragma once

#include <cstddef>

namespace AngelScript {
struct asSMessageInfo;
}

inline constexpr size_t TailleErreurCompilation = 500;
// Engine texts are cut to this many characters.
inline constexpr size_t LongueurMessageMoteur = 200;

// Last message of the engine (Windows-1252), empty when none; last engine return code.
extern char erreur_compilation[TailleErreurCompilation];
extern int retour_erreur;
void RESET_ERREURS_SCRIPT();

// Codes of the translated situations; 0: the message passes unchanged.
enum SituationScript : int {
    SituationAucune = 0,
    SituationDejaDeclaree = 1,
    SituationTypesDifferents = 2,
    SituationElseVide = 3,
    SituationManquant = 4,
    SituationIfVide = 5,
    SituationNonDeclaree = 6,
    SituationNonInitialisee = 7,
    SituationSansRetour = 8,
};

// Writes the French text of an engine message into `traduit` (always
// terminated, cut to fit): for the situations naming an identifier or token,
// " 'name' " comes first. Any other message is copied unchanged. Returns the
// situation code.
int TRADUCTION_MESSAGE_ERREUR(const char* message, char* traduit, size_t taille);

// The engine's message callback: erreur_compilation := "Ligne %d : %s" with the
// engine's row minus 2 (the two prologue rows) and the translated text. Each
// message replaces the previous one, except the engine's "Instead found ..."
// note, which only completes the message before it (the token that was
// expected is the useful part).
void gestion_erreur(const AngelScript::asSMessageInfo* message, void* parametre);
