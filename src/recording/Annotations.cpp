#include "recording/Annotations.h"

#include <cstring>

tTabAnnotMem TabAnnotMem[TailleTabAnnotMem]{};
tTabAnnotMemNew TabAnnotMemNew[TailleTabAnnotMemNew]{};
tTabAnnotMem TabAnnotMemConc[TailleTabAnnotMem]{};
int32_t AncienAnnot = 0;
int32_t NouveauAnnot = 0;
int32_t NombreAnnotEnPlus = 0;

void RESET_ANNOTATIONS() {
    std::memset(TabAnnotMem, 0, sizeof TabAnnotMem);
    std::memset(TabAnnotMemNew, 0, sizeof TabAnnotMemNew);
    std::memset(TabAnnotMemConc, 0, sizeof TabAnnotMemConc);
    AncienAnnot = NouveauAnnot = NombreAnnotEnPlus = 0;
}
