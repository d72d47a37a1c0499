#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane::test {

using Bytes = std::vector<std::uint8_t>;

// An XBM file as image editors write it: define lines, the array head, then
// the bytes as lower-case literals, twelve to a line, LF line ends.
std::string XbmText(std::string_view name, const Bytes& bytes);

// `count` bytes of `value`.
Bytes Run(std::size_t count, std::uint8_t value);

Bytes Concat(std::initializer_list<Bytes> parts);

}  // namespace lumivane::test
