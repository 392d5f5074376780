// What a function channel the user just added gets so that it shows at once: a
// range from the extremes of its values in the displayed window, and a colour
// none of the displayed channels has.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "config/Config.h"
#include "graph/grapheft.h"
#include "recording/EnteteREC.h"

// The range of function channel n of `entete` over the columns of the picture
// `graphe` (its operands read from the picture's table), widened by a twentieth
// of its span on both sides; none when the picture has no table or the values
// are not finite.
std::optional<std::pair<float, float>> BORNES_NOUVELLE_FONCTION(const grapheft& graphe,
                                                                const t_EnteteREC_GlobalTotal& entete, int n);

// The first default trace colour that no displayed channel but n has and that
// differs from the background; the default colour of n when every one is taken.
int32_t COULEUR_LIBRE(const tConfig& c, int n);
