// The flag of a folder export.
#pragma once

#include <cstdint>

// 1 during a folder export: every channel and every logic input is exported.
extern uint8_t folder_export;
void RESET_FOLDER_EXPORT();
