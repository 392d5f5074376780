// What the File-menu commands on set-up files do once their dialog has been answered. The window
// shows the dialogs (starting in DOSSIER_CONF(), with the filter FILTRE_CONF_SPT()) and redraws
// after a load; everything else is here.
#pragma once

#include <QString>

#include <cstdint>
#include <string>

// File name the open dialog starts with.
inline constexpr const char* NomInitialOuvertureConf = "*.spt";

// Folder the set-up dialogs start in: `RepertoireSetUp`.
QString DOSSIER_CONF();
// Filter of the set-up dialogs, in the "text|pattern" form, Windows-1252: the text of
// `M_FilterSPT` followed by " *.spt|*.spt".
std::string FILTRE_CONF_SPT();

// The file a set-up is saved to: the chosen folder and name with its last extension replaced by
// ".spt" (added when there is none). The extension is always written in lower case, so "a.SPT"
// becomes "a.spt" and "a.txt" becomes "a.spt" in the same folder.
QString CHEMIN_CONF_SPT(const QString& choisi);

// "Open Setup File" once a file is chosen: loads it, then tells the user "Error: this file is
// failed !" (caption "Error") on result 1 or "Loading finished . . . " on result 0. Returns the
// loader's result; the caller redraws in both cases.
uint8_t OUVRIR_CONF_FICHIER(const QString& chemin);

// "Save Setup File" once a name is chosen: writes Config to CHEMIN_CONF_SPT(choisi). 0 when
// written; 1 when the write failed (reported) or when no name was given (nothing written).
uint8_t SAUVE_CONF_FICHIER(const QString& choisi);

// "Setup reset": every field back to its default, through the consistency pass.
void RESET_CONF_SPT();
