#include "cli_platform.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app_error.h"
#include "listing_layout.h"
#include "path_rules.h"
#include "size_defines.h"
#include "stem_name.h"
#include "system_error.h"
#include "terminal_text.h"

namespace lumivane::cli {
namespace {

void CreateFolders(const std::string& folder) {
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) throw SystemError(failure.value(), folder);
}

}  // namespace

std::string CliPlatform::ShowOpen(const FileDialogSettings&) {
  throw AppError::Cancelled();
}

std::string CliPlatform::ShowSave(const FileDialogSettings&) {
  throw AppError::Cancelled();
}

void CliPlatform::MsgBox(const std::string& prompt, int, const std::string&) {
  PrintError(prompt);
}

void CliPlatform::ShowError(const AppError& error, const std::string&) {
  PrintError(error.what());
}

void CliPlatform::PrintError(std::string_view text) {
  if (before_error_) before_error_();
  PrintErrorLine(text);
}

bool CliPlatform::IsDirectory(const std::string& path) {
  return served_.count(path) == 0 && FileSystemPlatform::IsDirectory(path);
}

void CliPlatform::ServeText(const std::string& path, std::string text, SourceOrigin origin) {
  served_[path] = {std::move(text), std::move(origin)};
}

std::string CliPlatform::ReadTextFile(const std::string& path) {
  if (before_file_work_) before_file_work_();
  std::string text;
  if (const auto served = served_.find(path); served != served_.end()) {
    text = served->second.text;
    depended_on_ = served->second.origin.path;
    StandInFor(served->second.origin);
  } else {
    text = FileSystemPlatform::ReadTextFile(path);
    depended_on_ = path;
  }
  source_path_ = path;
  if (!options_.depfile.empty()) AddSource(depended_on_);
  if (options_.withSize) size_defines_ = SizeDefines(text, StemName(LeafName(path)));
  return text;
}

void CliPlatform::WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) {
  if (before_file_work_) before_file_work_();
  std::string output = OutputPath(path);
  if (kind == WriteKind::kBatchFile) {
    if (before_batch_file_) before_batch_file_();
    Made(output, sources_);
    if (options_.withSize) {
      // The headers now start with their size defines; the batch repeats them.
      Deliver(output, collected_ + std::string(kLineEnd), kind);
    } else {
      Deliver(output, content, kind);
    }
    return;
  }

  std::string sized;
  if (!size_defines_.empty()) {
    sized.reserve(size_defines_.size() + content.size());
    sized.append(size_defines_).append(content);
    content = sized;
  }
  std::optional<AnimationGathering::Whole> animation;
  if (animations_.Gathers(path)) {
    animation = animations_.Take(path, content);
    if (!animation) return;
    output = OutputPath(animation->header);
    content = animation->content;
  }
  RefuseSecondSource(output);
  Made(output, std::span(&depended_on_, 1));
  if (options_.withSize || !options_.collect.empty()) collected_.append(content);
  Deliver(output, content, kind);
}

void CliPlatform::WriteCollection(const std::string& name) {
  const std::string folder = !options_.outputDir.empty() ? options_.outputDir
                             : !source_path_.empty()     ? DirName(source_path_)
                                                         : std::string(".");
  const std::string output = JoinPath(folder, name);
  // The collection would replace a header of this run.
  if (header_sources_.contains(output)) throw SystemError(EEXIST, output);
  Made(output, sources_);
  Deliver(output, collected_ + std::string(kLineEnd), WriteKind::kBatchFile);
}

void CliPlatform::Deliver(const std::string& path, std::string_view content, WriteKind kind) {
  if (!options_.outputDir.empty() && !std::exchange(output_folder_ready_, true)) {
    CreateFolders(options_.outputDir);
  }
  FileSystemPlatform::WriteTextFile(path, content, kind);
}

std::string CliPlatform::OutputPath(const std::string& path) const {
  if (options_.outputDir.empty()) return path;
  return JoinPath(options_.outputDir, LeafName(path));
}

void CliPlatform::RefuseSecondSource(const std::string& output) {
  const auto [made, first] = header_sources_.emplace(output, source_path_);
  if (!first && made->second != source_path_) throw SystemError(EEXIST, output);
}

void CliPlatform::Made(const std::string& output, std::span<const std::string> sources) {
  if (!options_.depfile.empty()) made_.push_back({output, {sources.begin(), sources.end()}});
}

void CliPlatform::AddSource(const std::string& source) {
  if (source_set_.insert(source).second) sources_.push_back(source);
}

void CheckingPlatform::Deliver(const std::string& path, std::string_view content, WriteKind) {
  std::string verdict;
  try {
    if (FileSystemPlatform::ReadTextFile(path) != content) verdict = "differs: " + path;
  } catch (const AppError& error) {
    if (error.Number() != ENOENT) throw;
    verdict = "missing: " + path;
  }
  // A later output to the same path replaces the earlier one, as a folder's
  // allFiles.h replaces the header of its allFiles.xbm.
  const auto [seen, first] = verdict_index_.emplace(path, verdicts_.size());
  if (first) {
    verdicts_.push_back(std::move(verdict));
  } else {
    verdicts_[seen->second] = std::move(verdict);
  }
}

std::vector<std::string> CheckingPlatform::Stale() const {
  std::vector<std::string> stale;
  for (const std::string& verdict : verdicts_) {
    if (!verdict.empty()) stale.push_back(verdict);
  }
  return stale;
}

void ListingStreamPlatform::Deliver(const std::string&, std::string_view content, WriteKind kind) {
  if (kind == WriteKind::kBatchFile) return;
  std::fwrite(content.data(), 1, content.size(), stream_);
  // Flushed per header, so a closed or full output stops the batch at this file.
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) {
    throw SystemError(errno, "standard output");
  }
}

}  // namespace lumivane::cli
