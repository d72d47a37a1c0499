#include "path_rules.h"

#include "app_error.h"

namespace lumivane {

std::string ExtName(std::string_view scanString) {
  const auto dot = scanString.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string_view extension = scanString.substr(dot + 1);
  const auto first = extension.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = extension.find_last_not_of(' ');
  return std::string(extension.substr(first, last - first + 1));
}

std::string LeafName(std::string_view path, char separator) {
  const auto cut = path.rfind(separator);
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string DirName(std::string_view path, char separator) {
  const auto cut = path.rfind(separator);
  if (cut == std::string_view::npos) throw AppError::InvalidArgument();
  return std::string(path.substr(0, cut));
}

std::string HeaderPath(std::string_view path) {
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos) throw AppError::InvalidArgument();
  std::string header(path.substr(0, dot));
  header.append(".h");
  return header;
}

std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
  std::string path(folder);
  if (path.empty() || path.back() != separator) path.push_back(separator);
  path.append(name);
  return path;
}

std::string TrimTrailingSeparators(std::string_view folder, char separator) {
  while (folder.size() > 1 && folder.back() == separator) folder.remove_suffix(1);
  return std::string(folder);
}

}  // namespace lumivane
