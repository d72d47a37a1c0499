#include "work_list.h"

#include "app_error.h"
#include "checked_math.h"

namespace lumivane {

void WorkList::ThrowFull() {
  throw AppError::Overflow();
}

const std::string& WorkList::ItemOutside(std::int32_t position) {
  static const std::string kEmpty;
  const auto index = CheckedCast<std::int16_t>(position);
  if (index < 0) throw AppError::SubscriptOutOfRange();
  return kEmpty;
}

}  // namespace lumivane
