// A message of the table in the current language, as the widgets show it.
#pragma once

#include <QString>

#include "shell/Messages.h"
#include "shell/Texte8.h"

namespace VIEW {

inline QString TexteMessage(tBloc bloc) {
    return DepuisCp1252(POS_MESS(bloc));
}

} // namespace VIEW
