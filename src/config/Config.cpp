#include "config/Config.h"

#include <cstring>

// Aligned so that the 32-bit fields of the packed record sit on natural boundaries.
alignas(8) tConfig Config{};
alignas(8) tSetup Setup{};

void RESET_GLOBAL_CONFIG() {
    std::memset(&Config, 0, sizeof Config);
}

void RESET_GLOBAL_SETUP() {
    std::memset(&Setup, 0, sizeof Setup);
}

int VRAI_NUMERO(int k) {
    return VRAI_NUMERO(Config.VoiesPresentes, k);
}
