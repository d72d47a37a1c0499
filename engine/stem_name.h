#pragma once

#include <string>
#include <string_view>

namespace lumivane {

// The text before the first "." of a file name: the C array name and the
// report name. A name without a dot raises the invalid-argument error.
std::string StemName(std::string_view name);

// A letter, digit or underscore: what a C name is made of.
bool IsNameCharacter(char c);

}  // namespace lumivane
