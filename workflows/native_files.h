#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

// The operating system's files, seen through the error model: every failure
// raises AppError with the system's error number and its text plus the path.
// One implementation per system: native_files_posix.cpp, native_files_windows.cpp.

// Tells whether two paths lead to one file (a link, a hard link).
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  auto operator<=>(const FileIdentity&) const = default;
};

// A source larger than this is refused before it is read: a real bitmap's
// text is under 1 MB, and the conversion holds its text whole.
inline constexpr std::uint64_t kLargestSource = std::uint64_t{64} << 20;

bool IsDirectory(const std::string& path);

// The file a path leads to, through links; nothing when there is none.
std::optional<FileIdentity> IdentityOfPath(const std::string& path);

struct ListedFile {
  std::string name;
  // Unknown where the system does not tell it without a further call.
  std::optional<FileIdentity> identity;
};

// Ordinary files only: subfolders, hidden (dot) names and special files are
// left out. Sorted by name, ASCII letters compared without case, ties broken
// byte by byte, so the order is the same on every machine and locale.
std::vector<ListedFile> ListOrdinaryFiles(const std::string& folder);

struct SourceFile {
  std::string text;
  std::optional<FileIdentity> identity;
};

// Refuses anything but an ordinary file, so a FIFO or a device named like a
// bitmap can neither block nor feed endless data, and a file larger than
// kLargestSource (error EFBIG). Stops reading as soon as the text is certain
// to overflow the conversion's lists. `listed`: a listing has just found an
// ordinary file there, which spares asking again for a file of usual size.
SourceFile ReadSourceFile(const std::string& path, const std::optional<FileIdentity>& listed);

// An image, or an output a check compares, read whole with the same refusals
// and bound as a source but without the scanning: either may hold far more
// literals than one bitmap may.
SourceFile ReadBoundedFile(const std::string& path);

// The file a header is made from: where it was read and which file it was.
struct SourceOrigin {
  std::string path;
  std::optional<FileIdentity> identity;
};

// Writes `content` to a temporary file beside the target and renames it over
// the target once complete: a failure leaves the old file as it was and no
// temporary behind. A link is written through to the file it leads to, even
// one that does not exist yet. The replaced file keeps its owner, group and
// mode; where the temporary cannot be given them, or not be created at all,
// the existing file is written in place. An existing target without write
// permission is refused, as a direct write would be, and so is a target that
// is `source` itself, which must never be overwritten by its own header.
void ReplaceFileWhole(const std::string& path, std::string_view content,
                      const SourceOrigin* source = nullptr);

}  // namespace lumivane
