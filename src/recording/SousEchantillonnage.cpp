#include "recording/SousEchantillonnage.h"

std::atomic<bool> sousEchantillonageEnabled{false};
std::atomic<float> underSamplingRatio{0.f};
float selectedValue = 0.f;

void RESET_SOUS_ECHANTILLONNAGE() {
    sousEchantillonageEnabled.store(false);
    underSamplingRatio.store(0.f);
    selectedValue = 0.f;
}
