// The main window's tool windows and the joining of split recordings.
#include "ui/Form_main.h"

namespace VIEW {

void Form_main::AFFICH_CURSEURY() {}

void Form_main::FIN_CURSEURY() {}

void Form_main::JOINDRE_MORCEAUX(const QString&) {}

} // namespace VIEW
