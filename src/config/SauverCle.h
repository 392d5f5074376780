// The end-of-run save of the settings: the configuration file "setupviewer.spt" first, then the
// twelve values of the program's key (shell/Registre.h). It lives here, above the settings
// store, because it needs the configuration file writer.
#pragma once

// True when both were written; a failed configuration write has been reported and the values
// are written all the same.
bool SAUVER_CLE();
