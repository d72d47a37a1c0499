#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace lumivane::bench {

// The size of each header ("*.h") in `folder`, by name.
std::map<std::string, std::size_t> OutputSizes(const std::string& folder);

// The file work a folder conversion cannot avoid, with plain system calls:
// list the folder, read each ".xbm" file whole, replace its output through a
// temporary file and a rename, then the collection file the same way. The
// outputs have the sizes the converter's own outputs have (`outputSizes`, by
// output name, as OutputSizes gives them after a conversion), so only the
// conversion itself is missing: the yardstick for the program's overhead.
void DoFolderFileWork(const std::string& folder,
                      const std::map<std::string, std::size_t>& outputSizes);

}  // namespace lumivane::bench
