#include "temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace lumivane::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "lumivane-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::PathOf(std::string_view relative) const {
  return path_ + "/" + std::string(relative);
}

std::string TempFolder::Write(std::string_view relative, std::string_view bytes) const {
  const std::string path = PathOf(relative);
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
  return path;
}

std::string TempFolder::MakeFolder(std::string_view relative) const {
  const std::string path = PathOf(relative);
  fs::create_directories(path);
  return path;
}

std::string TempFolder::Read(std::string_view relative) const {
  const std::string path = PathOf(relative);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempFolder::Exists(std::string_view relative) const {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(PathOf(relative), ignored));
}

std::vector<std::string> TempFolder::Tree() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(path_)) {
    std::string name = entry.path().lexically_relative(path_).string();
    // Asked in this order: a link to itself has no status to ask.
    if (!entry.is_symlink() && entry.is_directory()) name.push_back('/');
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> TempFolder::Snapshot() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(path_)) {
    if (entry.is_regular_file()) {
      const std::string relative = entry.path().lexically_relative(path_).string();
      files[relative] = Read(relative);
    }
  }
  return files;
}

void TempFolder::CopyInto(const TempFolder& target) const {
  fs::copy(path_, target.Path(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

}  // namespace lumivane::test
