#pragma once

#include <optional>
#include <string>
#include <vector>

#include "native_files.h"
#include "platform.h"

namespace lumivane {

// The file half of Platform on the real file system; the dialogs and boxes
// are left to the toolkit (or to a test's script).
class FileSystemPlatform : public Platform {
 public:
  bool IsDirectory(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;
  std::string ReadTextFile(const std::string& path) override;
  std::string ReadImageFile(const std::string& path) override;
  void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) override;
  void RefuseOwnSources(const std::vector<std::string>& sources,
                        const std::vector<std::string>& outputs) override;

 protected:
  // Text read from elsewhere stands for the file `origin`, so the header
  // written next must not replace that file either.
  void StandInFor(SourceOrigin origin);

 private:
  // Looks for `path` among the listed files not yet read, in listing order,
  // which is the order a batch reads them in.
  std::optional<FileIdentity> TakeListed(const std::string& path);

  // What the folder listing of the drop under way found out about each file,
  // so that reading it needs no second look. Each entry serves one read, and
  // those passed over are forgotten; a new drop, a read of a file not listed
  // or the folder's allFiles.h forgets them all.
  std::string listed_prefix_;
  std::vector<ListedFile> listed_;
  std::size_t next_listed_ = 0;
  // The file read last: the header written next is made from it.
  std::optional<SourceOrigin> source_;
};

}  // namespace lumivane
