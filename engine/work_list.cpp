#include "work_list.h"

#include <utility>

#include "app_error.h"
#include "checked_math.h"

namespace lumivane {

void WorkList::Append(std::string item) {
  if (items_.size() >= static_cast<std::size_t>(kMaxItems)) throw AppError::Overflow();
  items_.push_back(std::move(item));
}

const std::string& WorkList::Item(std::int32_t position) const {
  static const std::string kEmpty;
  const auto index = CheckedCast<std::int16_t>(position);
  if (index < 0) throw AppError::SubscriptOutOfRange();
  if (static_cast<std::size_t>(index) >= items_.size()) return kEmpty;
  return items_[static_cast<std::size_t>(index)];
}

}  // namespace lumivane
