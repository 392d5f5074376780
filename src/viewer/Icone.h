// The program's icon, from the sizes compiled into the viewer, for its windows and the task bar.
#pragma once

#include <QIcon>

QIcon ICONE_PROGRAMME();
