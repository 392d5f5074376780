// Default content of the configuration record.
#pragma once

#include <cstdint>

// Puts every field of Config to its default; Setup is left alone.
void INIT_CONFIG();

// Default trace colour of channel n (0..243): a fixed table of named colours
// for the first 78 channels, Brown beyond.
int32_t COULEUR_VOIE_DEFAUT(int n);

inline constexpr int NombreCouleursDefaut = 78;
