#include "export/GlobauxExport.h"

uint8_t folder_export = 0;

void RESET_FOLDER_EXPORT() {
    folder_export = 0;
}
