// The viewer's answer to --help, --version and an unknown double-dash option: printed before any
// application object exists, so that it needs no display and touches no settings.
#pragma once

#include "shell/OptionLongue.h"

// The help or the version on standard output (0, or 1 when it cannot be written), or a one-line
// error on standard error for an unknown option (2).
int REPONDRE_OPTION_LONGUE(const tLectureOptionLongue& lecture);
