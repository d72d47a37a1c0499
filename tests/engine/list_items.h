#pragma once

#include <string>
#include <vector>

#include "work_list.h"

namespace lumivane::test {

// Every item of a work list, position 0 included.
inline std::vector<std::string> ListItems(const WorkList& list) {
  std::vector<std::string> items;
  for (std::int32_t position = 0; position < list.Count(); ++position) {
    items.push_back(list.Item(position));
  }
  return items;
}

}  // namespace lumivane::test
