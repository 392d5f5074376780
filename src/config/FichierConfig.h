// Configuration files: the whole of Config as one block. A file is recognised by its first byte
// (the record's version) together with its length: 121 / 7292 bytes is the current image,
// 115 / 1940 and 119 / 3332 the two older layouts of config/ConfigAncienne.h. Anything else is a
// bad file.
#pragma once

#include <QString>

#include <cstdint>

inline constexpr const char* NomFichierSetup = "setupviewer.spt";

// Results of the loaders and writers.
inline constexpr uint8_t ResultatConfigOk = 0;
inline constexpr uint8_t ResultatConfigErreur = 1;

// Loads `chemin` into Config.
//  - No file there: 0, Config untouched.
//  - A file that cannot be opened or read (a folder, no permission): 1, Config untouched.
//  - A known version with its exact length: converted into Config, 0.
//  - Any other content (other version, too short, too long, empty): 1, and Config gets the
//    defaults (INIT_CONFIG).
// Whenever a file was read, the consistency pass runs last.
uint8_t APPEL_CONFIGURATION(const QString& chemin);

// Writes the 7292 bytes of Config, as they are in memory, to `chemin`. The file is written under
// a temporary name in the same folder and takes the place of the old one only once complete, so a
// failed write leaves the previous file as it was. A failure is shown through the message-box
// seam ("File error" and the path) and gives 1.
uint8_t ECRIRE_CONFIGURATION(const QString& chemin);

// "setupviewer.spt" in the per-user application data folder.
QString CHEMIN_SETUP_VIEWER();
// Writes Config to that file (the folder is created when missing); 1 on failure, reported.
uint8_t SAVE_CONFIGURATION();
