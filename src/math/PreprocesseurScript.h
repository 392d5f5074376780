// Rewriting of a script's text before it is compiled: channel names between
// single quotes become the handles of their channels, and every division is
// made a floating-point division.
#pragma once

#include <string>
#include <string_view>

#include "recording/EnteteREC.h"

// Replaces every occurrence of `motif` (not empty) by `remplacement`, the
// search going on after the inserted text.
void REPLACE_STRING(std::string& texte, std::string_view motif, std::string_view remplacement);

// The text of a script as compiled: for each recorded analog channel i,
// 'Name' (its stored name without trailing blanks, inner blanks kept) becomes
// Vi; then every "/" outside comments becomes "*1.00/1.0/", so that x/y with
// integer variables divides as doubles. Line and block comments are left as
// they are.
std::string Script_Preprocesseur(std::string texte, const t_EnteteREC_GlobalTotal& entete);
