// Settings kept between runs outside the configuration files, in two stores that stand for the
// system registry. Both are INI files in the user's configuration folder (QSettings, organisation
// "OmbView"):
//  - the user store "OmbView/OmbrixViewer.ini" stands for the current user's hive; the program's
//    values live under the key `MessOmbView` ("SOFTWARE\OmbView", each "\" becoming a group level);
//  - the class-root store "OmbView/ClassesRoot.ini" stands for the class root, where the ".spt"
//    file type is registered. A key's default value is the value named "Default".
//
// Every value keeps its registry kind, written into the INI text as "sz:<text>" (string),
// "dword:<8 hex digits>" (32-bit number) or "multi_sz:<each entry followed by a NUL>" (list of
// strings). A value of another kind than the one asked for, or in no such form (an INI file edited
// by hand), reads as absent.
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>

// Store names (applications of the organisation "OmbView").
inline constexpr const char* MagasinUtilisateur = "OmbrixViewer";
inline constexpr const char* MagasinClasses = "ClassesRoot";

// The program's key in the user store.
extern const char MessOmbView[];

// ---- Values of the program's key --------------------------------------------------------------

// Value `nom` of the program's key as a string; nothing when the key or the value is missing.
std::optional<QString> RECUP_CLE(const char* nom);
// Stores `valeur` as the string value `nom`, creating the key when needed; nothing is done for an
// absent value. False when the store could not be written.
bool SAUVE_CLE(const char* nom, const std::optional<QString>& valeur);

std::optional<uint32_t> RECUP_CLE_DWORD(const char* nom);
bool SAUVE_CLE_DWORD(const char* nom, uint32_t valeur);

// Lists of strings. An entry is cut at a U+0000 it may contain (the NUL ends an entry).
std::optional<QStringList> RECUP_CLE_MULTI(const char* nom);
bool SAUVE_CLE_MULTI(const char* nom, const QStringList& valeur);

// True when the program's key holds at least one value.
bool CLE_EXISTE();

// The recent recordings "V1".."V4" (rang 1..4; another rank reads as absent and writes nothing),
// the last comparison file "FC" and the list of files to join "HG" (absent: empty list).
inline constexpr int NombreFichiersRecents = 4;
std::optional<QString> LIRE_FICHIER_RECENT(int rang);
bool ECRIRE_FICHIER_RECENT(int rang, const std::optional<QString>& chemin);
// Records a recording opened: a name not yet among "V1".."V4" goes first and the others move
// down (the fourth is dropped); a name already there changes nothing, it does not move up.
void SAUVE_NOM_FICHIER(const QString& nom);
std::optional<QString> LIRE_FICHIER_COMPARAISON();
bool ECRIRE_FICHIER_COMPARAISON(const std::optional<QString>& chemin);
QStringList LIRE_LISTE_CONCATENATION();
bool ECRIRE_LISTE_CONCATENATION(const QStringList& fichiers);

// ---- File association in the class-root store -------------------------------------------------

// Creates or overwrites the ".spt" association: ".spt" -> "filespt", "filespt\shell\open\command"
// -> program path + " %1", "filespt\defaulticon" -> program path + ",0". Failures are ignored.
void CREATION_CLE(const QString& cheminProgramme);
// Default value of a key of the class root ("\" or "/" between levels), when it is a string.
std::optional<QString> RECUP_CLE_CLASSES(const char* cle);

// ---- The program-wide values kept in the program's key ----------------------------------------

inline constexpr std::size_t TailleRepertoireSetUp = 256;
inline constexpr std::size_t TailleMessageUtil = 100;

extern char RepertoireSetUp[TailleRepertoireSetUp]; // "Reper": folder of the last opened recording
extern char MessageUtil[TailleMessageUtil];         // "MessUtil": user message text
extern uint16_t PosGraX, PosGraY;                   // "PosGraX", "PosGraY": main window position
extern uint16_t LargeurGra, HauteurGra;             // "LargeurGra", "HauteurGra": its size
extern int16_t NombreDePageImprimante;              // "NombrePAGEIMP": pages per print, 1..30
extern uint16_t PosAnnotX, PosAnnotY;               // "PosAnnotX", "PosAnnotY": annotation window
extern uint16_t PosCalculX, PosCalculY;             // "PosCalculX", "PosCalculY": measurement window
// Where the tool windows open before the user has placed them: the graph
// window's position plus this.
inline constexpr uint16_t DecalageFenetreOutil = 10;
// `Langue` ("Language") is declared in shell/Messages.h.

inline constexpr uint16_t LargeurGraDefaut = 800;
inline constexpr uint16_t HauteurGraDefaut = 6 * 100;
inline constexpr int16_t NombrePagesMax = 30;

// Defaults of a first start: `RepertoireSetUp` the root folder of the file system (the system
// drive's root, as "c:\" on Windows), `MessageUtil` empty, `Langue` 0, graph window at 0, 0 sized
// 800 x 600, one page per print, the tool windows at 0, 0.
void INIT_CLES();
// Same; for tests.
void RESET_GLOBAL_REGISTRE();

// Start-up reading: the defaults above, then each value present in the program's key replaces
// its default, DWORDs cut to the width of their global. The tool-window positions default to the
// graph position + 10 when the key exists. Then `NombreDePageImprimante` is forced into 1..30 and
// a `Langue` above 4 becomes 1 (English).
void LIRE_CLES();

// Writes the twelve values "Reper", "MessUtil", "Language", "PosGraX", "PosGraY", "LargeurGra",
// "HauteurGra", "NombrePAGEIMP", "PosAnnotX", "PosAnnotY", "PosCalculX", "PosCalculY" in this
// order (two strings, then DWORDs). The end-of-run save, which writes the configuration file
// first, is SAUVER_CLE in config/SauverCle.h. False when the store could not be written.
bool ECRIRE_CLES();
