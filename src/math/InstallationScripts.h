// Puts the scripting engine to work for an opener: the recordings it opens get
// their scripts compiled (FabriqueScripts makes the engine's holder), and every
// row of physical values (RECUP_DOUBLE: each display column, each exported row)
// runs the scripts of the recording it has open (the row hook).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "recording/ScriptsREC.h"

class OuvreREC;

// Exit status of a program without a window whose output was written whole
// but for the channels of scripts that could not compute them (said on
// standard error through SIGNALER_BILAN).
inline constexpr int SortieScriptsEnDefaut = 3;

class InstallationScripts {
public:
    explicit InstallationScripts(OuvreREC& ouvre);
    // Removes the row hook and gives the opener back the plain holder.
    ~InstallationScripts();
    InstallationScripts(const InstallationScripts&) = delete;
    InstallationScripts& operator=(const InstallationScripts&) = delete;

    // The scripts of the opener's recording stopped, or broken off by a script
    // exception, while they ran since the last call, shown through the
    // opener's MontrerArretsScripts (the viewer's script-error window). Call it
    // on the user-interface thread outside any drawing, e.g. once a redraw or
    // an export is done. True when something was shown.
    bool SIGNALER_ARRETS();

    // For the programs without a window: one text per script slot of the open
    // recording that did not compute its channel on every row since the
    // opening (its set-up failed, it was stopped, or it broke off on a row),
    // in the language of the messages (Windows-1252). Empty when every script
    // computed every row.
    std::vector<std::string> BILAN_SCRIPTS() const;

    // BILAN_SCRIPTS as one message box (standard error in a console), the
    // texts one per line followed by `suite` when not null. True when there
    // was something to say: the caller then ends with a failure status.
    bool SIGNALER_BILAN(const char* suite = nullptr) const;

private:
    OuvreREC& Ouvre_;
};

// Installs the engine on `ouvre` until the returned object is destroyed, which
// must happen before the opener goes (keep it beside the opener, declared after it).
[[nodiscard]] std::unique_ptr<InstallationScripts> INSTALLER_SCRIPTS(OuvreREC& ouvre);

// BILAN_SCRIPTS of the recording open in `ouvre` (nothing when its scripts
// are not run by the engine).
std::vector<std::string> BILAN_SCRIPTS(const OuvreREC& ouvre);

// The text telling the user what happened to slot s of a recording with header
// `entete`: the slot's name ("FA" for slot 0) and channel, where it happened
// (display column or exported row), the engine's message, and what its channel
// holds (Windows-1252, in the language of the messages). A report of nature
// ArretAucun is a set-up that failed.
std::string TEXTE_ARRET_SCRIPT(const t_EnteteREC_GlobalTotal& entete, int s, const tArretScript& arret);
