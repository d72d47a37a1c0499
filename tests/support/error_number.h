#pragma once

#include "app_error.h"

namespace lumivane::test {

// The number of the AppError `operation` raises, or 0 when it raises none.
template <typename Operation>
int ErrorNumberOf(Operation operation) {
  try {
    operation();
  } catch (const AppError& error) {
    return error.Number();
  }
  return 0;
}

}  // namespace lumivane::test
