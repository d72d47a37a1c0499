#include "drop_data.h"

#include <utility>

#include "app_error.h"
#include "checked_math.h"

namespace lumivane {
DropData::DropData(std::vector<std::string> paths, bool hasFileList)
    : paths_(std::move(paths)), has_file_list_(hasFileList) {}

DropData DropData::FileList(std::vector<std::string> paths) {
  return {std::move(paths), true};
}

DropData DropData::WithoutFileList() {
  return {{}, false};
}

std::int32_t DropData::FileCount() const {
  return has_file_list_ ? CheckedCast<std::int32_t>(paths_.size()) : 0;
}

const std::string& DropData::File(std::int32_t number) const {
  if (!has_file_list_) {
    throw AppError::NoFileList();
  }
  if (number < 1 || static_cast<std::size_t>(number) > paths_.size()) {
    throw AppError::SubscriptOutOfRange();
  }
  return paths_[static_cast<std::size_t>(number) - 1];
}

}  // namespace lumivane
