#include "recording/EnteteREC.h"

#include <cstring>

t_EnteteREC_GlobalTotal EnteteF{};

void RESET_ENTETE() { std::memset(&EnteteF, 0, sizeof EnteteF); }
