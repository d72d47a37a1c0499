#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumivane::test {

using Bytes = std::vector<unsigned char>;

// An XBM file as image editors write it: define lines, then the bytes as
// lower-case literals, twelve to a line.
std::string XbmText(std::string_view name, const Bytes& bytes);

// `count` bytes of `value`.
Bytes Run(std::size_t count, unsigned char value);

Bytes Concat(std::initializer_list<Bytes> parts);

}  // namespace lumivane::test
