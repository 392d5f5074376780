// Configuration files: the whole of Config as one block. A file is recognised by its first byte
// (the record's version) together with its length: 121 / 7292 bytes is the current image,
// 115 / 1940 and 119 / 3332 the two older layouts of config/ConfigAncienne.h. Anything else is a
// bad file.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

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

// The file operations of a save, so that tests can make any step fail. The defaults are the real
// operations.
struct tEcritureConfig {
    // Creates the new file `chemin` for writing (fails when the name exists); the descriptor, or -1.
    std::function<int(const QString& chemin)> Creer;
    // Writes all n bytes.
    std::function<bool(int fd, const void* octets, int64_t n)> Ecrire;
    // Pushes everything written down to the disk.
    std::function<bool(int fd)> Vider;
    // Closes the descriptor; it is released whatever the result.
    std::function<bool(int fd)> Fermer;
    // Puts `de` in place of `vers` in one step, replacing it.
    std::function<bool(const QString& de, const QString& vers)> Renommer;

    tEcritureConfig();
};

// Writes the 7292 bytes of Config, as they are in memory, to `chemin`. The file is written under
// a temporary name in the same folder, pushed to the disk, and takes the place of the old one only
// once complete, so a failed write leaves the previous file as it was and no other file behind. A
// link is followed (the file it names is replaced), an existing file keeps its permissions, and one
// that may not be written is refused. A failure is shown through the message-box seam ("File
// error" and the path) and gives 1.
uint8_t ECRIRE_CONFIGURATION(const QString& chemin, const tEcritureConfig& ecriture = tEcritureConfig());

// "setupviewer.spt" in the per-user application data folder.
QString CHEMIN_SETUP_VIEWER();
// Writes Config to that file (the folder is created when missing); 1 on failure, reported.
uint8_t SAVE_CONFIGURATION();
