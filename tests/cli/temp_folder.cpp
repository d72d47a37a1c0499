#include "temp_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lumivane::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  char pattern[] = "/tmp/lumivane-test-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::operator/(std::string_view name) const {
  return path_ + "/" + std::string(name);
}

void TempFolder::Write(std::string_view name, std::string_view content) const {
  const fs::path path = *this / name;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void TempFolder::CopyInto(const TempFolder& target) const {
  fs::copy(path_, target.Path(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::map<std::string, std::string> TempFolder::Snapshot() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(path_)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    files[fs::relative(entry.path(), path_).string()] = std::move(content).str();
  }
  return files;
}

}  // namespace lumivane::test
