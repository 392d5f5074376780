#include "recording/FormatREC.h"

bool TST_B_ONOFF_TKAR(const tOnOff_TKAR& set, int n) {
    if (n < 0 || n >= 64) return false;
    return (set.Masque[n / 16] >> (n % 16)) & 1u;
}

void ENLEVE_ONOFF_TKAR(tOnOff_TKAR& set, int n) {
    if (n < 0 || n >= 64) return;
    set.Masque[n / 16] = static_cast<uint16_t>(set.Masque[n / 16] & ~(1u << (n % 16)));
}

bool TST_B_ONOFF(const tOnOff_TKOS& set, int n) {
    if (n < 0 || n > 96) return false;
    return (set.Masque[n / 32] >> (n % 32)) & 1u;
}

void ENLEVE_ONOFF(tOnOff_TKOS& set, int n) {
    if (n < 0 || n > 96) return;
    set.Masque[n / 32] &= ~(1u << (n % 32));
}
