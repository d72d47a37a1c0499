#pragma once

#include <concepts>
#include <cstdint>
#include <limits>
#include <utility>

#include "app_error.h"

namespace lumivane {

// Out of line, so that the checks below stay small enough to inline into
// the loops that run for every literal.
[[noreturn]] void ThrowOverflow();

// Narrows to a 16- or 32-bit field, raising the overflow error instead of wrapping.
template <std::signed_integral To, std::integral From>
To CheckedCast(From value) {
  if (!std::in_range<To>(value)) [[unlikely]]
    ThrowOverflow();
  return static_cast<To>(value);
}

template <std::signed_integral T>
T CheckedAdd(T a, T b) {
  return CheckedCast<T>(static_cast<std::int64_t>(a) + static_cast<std::int64_t>(b));
}

template <std::signed_integral T>
T CheckedSub(T a, T b) {
  return CheckedCast<T>(static_cast<std::int64_t>(a) - static_cast<std::int64_t>(b));
}

template <std::signed_integral T>
void CheckedIncrement(T& value) {
  value = CheckedAdd<T>(value, T{1});
}

}  // namespace lumivane
