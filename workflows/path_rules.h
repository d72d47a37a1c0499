#pragma once

#include <string>
#include <string_view>

#include "stem_name.h"

namespace lumivane {

// Name rules derived from a path alone. The separator is a parameter so the
// same rules hold for Windows paths (backslash) and POSIX paths ("/").
#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// The only extension the workflows convert, compared exactly ("XBM" is not it).
inline constexpr std::string_view kBitmapExtension = "xbm";

// The text after the last ".", blanks trimmed at both ends; empty without a
// dot. The whole text is searched, so a dot in a folder name counts too.
std::string ExtName(std::string_view scanString);

// The text after the last separator, or the whole text without one.
std::string LeafName(std::string_view path, char separator = kNativeSeparator);

// The text before the last separator; raises the invalid-argument error
// when there is none.
std::string DirName(std::string_view path, char separator = kNativeSeparator);

// The text before the last ".", followed by ".h"; raises the invalid-argument
// error when there is no dot.
std::string HeaderPath(std::string_view path);

// A folder and a name inside it, with exactly one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name,
                     char separator = kNativeSeparator);

// A dropped folder path without trailing separators, the root kept as it is.
std::string TrimTrailingSeparators(std::string_view folder, char separator = kNativeSeparator);

}  // namespace lumivane
