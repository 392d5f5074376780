// Where the program keeps its per-user files, and the names that place them.
//
// The per-user application data folder and both settings stores (see shell/Registre.h) are found
// from the organisation "OmbView" and the application "OmbrixViewer". Everyone asks here, so the
// names are set the same way whoever comes first.
#pragma once

#include <QString>

inline constexpr const char* NomOrganisation = "OmbView";
inline constexpr const char* NomApplication = "OmbrixViewer";

// Gives the process the organisation and application names above (the platform derives the
// per-user folders from them). Cheap; called again by every routine below.
void INIT_NOMS_APPLICATION();

// The per-user application data folder (on Linux $XDG_DATA_HOME/OmbView/OmbrixViewer), created
// when missing. The path is returned even when it cannot be created: writing into it then fails
// and the writer reports it.
QString DossierDonneesUtilisateur();
