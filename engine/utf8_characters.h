#pragma once

#include <cstddef>
#include <string_view>

namespace lumivane {

// File names are UTF-8 on Linux; a report cuts and pads them by characters so
// that its columns line up. A byte that does not start a valid sequence counts
// as one character of its own, so any name can be measured and cut.

// The bytes of the character at the start of `text` (1 to 4; 0 when empty).
std::size_t CharacterLength(std::string_view text);

std::size_t CharacterCount(std::string_view text);

// The first `count` characters of `text`, never ending inside one.
std::string_view FirstCharacters(std::string_view text, std::size_t count);

}  // namespace lumivane
