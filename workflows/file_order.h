#pragma once

#include <string>
#include <vector>

namespace lumivane {

// The folder listing's order: ASCII letters compared without case, ties
// broken byte by byte. Locale-free, so every machine lists alike.
void SortFileNames(std::vector<std::string>& names);
bool FileNameBefore(const std::string& a, const std::string& b);

}  // namespace lumivane
