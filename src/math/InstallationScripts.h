// Puts the scripting engine to work for an opener: the recordings it opens get
// their scripts compiled (FabriqueScripts makes the engine's holder), and every
// row of physical values (RECUP_DOUBLE: each display column, each exported row)
// runs the scripts of the recording it has open (the row hook).
#pragma once

#include <memory>

class OuvreREC;

class InstallationScripts {
public:
    explicit InstallationScripts(OuvreREC& ouvre);
    // Removes the row hook and gives the opener back the plain holder.
    ~InstallationScripts();
    InstallationScripts(const InstallationScripts&) = delete;
    InstallationScripts& operator=(const InstallationScripts&) = delete;

    // The scripts of the opener's recording stopped while they ran (over their
    // time or memory, or out of stack) since the last call, shown through the
    // opener's script-error window (MontrerErreursScripts) as the errors of an
    // opening are. Call it on the user-interface thread outside any drawing,
    // e.g. once a redraw or an export is done. True when something was shown.
    bool SIGNALER_ARRETS();

private:
    OuvreREC& Ouvre_;
};

// Installs the engine on `ouvre` until the returned object is destroyed, which
// must happen before the opener goes (keep it beside the opener, declared after it).
[[nodiscard]] std::unique_ptr<InstallationScripts> INSTALLER_SCRIPTS(OuvreREC& ouvre);
