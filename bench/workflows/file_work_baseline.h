#pragma once

#include <cstddef>
#include <string>

namespace lumivane::bench {

// Only the file work a folder drop cannot avoid, with plain system calls:
// list the folder, read each ".xbm" file whole, and replace an output of
// `outputSize` bytes beside it through a temporary file and a rename; then
// the collection file the same way. The yardstick for the workflow's overhead.
void DoFolderFileWork(const std::string& folder, std::size_t outputSize);

}  // namespace lumivane::bench
