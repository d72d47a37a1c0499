#include "cli_platform.h"

#include <cerrno>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "app_error.h"
#include "batch_text.h"
#include "depfile.h"
#include "import.h"
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
  if (!failure) return;
  // A link to nowhere exists to mkdir; what fails is the place it leads to.
  std::error_code followed;
  const bool dangling = failure.value() == EEXIST &&
                        !std::filesystem::exists(std::filesystem::status(folder, followed)) &&
                        followed;
  throw SystemError(dangling ? followed.value() : failure.value(), folder);
}

bool SameFile(const std::string& one, const std::string& other) {
  const std::optional<FileIdentity> identity = IdentityOfPath(one);
  return one == other || (identity && identity == IdentityOfPath(other));
}

}  // namespace

CliPlatform::CliPlatform(const ConvertOptions& options) : options_(options) {
  if (!options.quiet) report_.emplace(options.listingsToStdout ? stderr : stdout);
}

std::string CliPlatform::ShowOpen(const FileDialogSettings&) {
  throw AppError::Cancelled();
}

std::string CliPlatform::ShowSave(const FileDialogSettings&) {
  throw AppError::Cancelled();
}

void CliPlatform::MsgBox(const std::string& prompt, int, const std::string&) {
  PrintErrorLine(prompt);
}

void CliPlatform::ShowError(const AppError& error, const std::string&) {
  PrintErrorLine(error.what());
}

void CliPlatform::Report(std::string_view piece) {
  if (report_) report_->Write(piece);
}

bool CliPlatform::IsDirectory(const std::string& path) {
  return served_.count(path) == 0 && FileSystemPlatform::IsDirectory(path);
}

void CliPlatform::ServeText(const std::string& path, std::string text, SourceOrigin origin,
                            bool alsoWrite) {
  served_[path] = {std::move(text), std::move(origin), alsoWrite};
}

void CliPlatform::RefuseOwnSources(const std::vector<std::string>& sources,
                                   const std::vector<std::string>& outputs) {
  if (options_.listingsToStdout) return;
  std::vector<std::string> read;
  std::map<std::string, std::string> sourceOf;
  std::vector<std::string> written;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    written.push_back(OutputPath(animations_.HeaderOf(outputs[i])));
    if (i >= sources.size()) continue;
    const auto served = served_.find(sources[i]);
    read.push_back(served != served_.end() ? served->second.origin.path : sources[i]);
    // Two files of one name from different folders would give one header in
    // the output folder; one file given twice is one source.
    const auto [first, added] = sourceOf.emplace(written[i], read[i]);
    if (!added && !SameFile(first->second, read[i])) {
      throw SystemError(EEXIST, written[i]);
    }
  }
  // Named by hand: neither may be a header of the run, nor named as a source
  // (a build script's swapped arguments).
  std::vector<std::string> named;
  if (!options_.collect.empty()) named.push_back(CollectionPath(sources));
  if (!options_.depfile.empty()) {
    // Every path the dependency file will name is known now, before any is written.
    for (const std::string& path : read) RequireNamable(path, false);
    for (const std::string& path : written) RequireNamable(path, true);
    for (const std::string& path : named) RequireNamable(path, true);
  }
  if (!options_.depfile.empty()) named.push_back(options_.depfile);
  for (const std::string& output : named) {
    if (sourceOf.contains(output)) throw SystemError(EEXIST, output);
    if (ExtName(output) == kBitmapExtension) throw OutputIsSource(output);
    written.push_back(output);
  }
  for (const auto& [path, served] : served_) {
    if (served.alsoWrite) written.push_back(path);
  }
  FileSystemPlatform::RefuseOwnSources(read, written);

  // Nothing refused: the bitmaps asked for are written first.
  for (auto& [path, served] : served_) {
    if (std::exchange(served.alsoWrite, false)) {
      ReplaceFileWhole(path, served.text);
    }
  }
}

std::string CliPlatform::ReadTextFile(const std::string& path) {
  if (report_) report_->BeforeFileWork();
  std::string text;
  if (const auto served = served_.find(path); served != served_.end()) {
    text = served->second.text;
    depended_on_ = served->second.origin.path;
    StandInFor(served->second.origin);
  } else {
    text = FileSystemPlatform::ReadTextFile(path);
    depended_on_ = path;
  }
  if (!options_.depfile.empty()) AddSource(depended_on_);
  if (options_.withSize) size_defines_ = SizeDefines(text, StemName(LeafName(path)));
  return text;
}

void CliPlatform::WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) {
  if (report_) report_->BeforeFileWork();
  std::string output = OutputPath(path);
  if (kind == WriteKind::kBatchFile) {
    EndReport();
    MadeFirst(output);
    if (!Collecting()) return Deliver(output, content, kind);
    // The headers may start with their size defines; the batch repeats them.
    return Deliver(output, collected_ + std::string(kLineEnd), kind);
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
  Made(output, std::span(&depended_on_, 1));
  if (Collecting()) {
    std::string_view listing = content;
    listing.remove_suffix(kLineEnd.size());
    AppendToBatch(collected_, listing);
  }
  Deliver(output, content, kind);
}

std::string CliPlatform::CollectionPath(const std::vector<std::string>& sources) const {
  const std::string folder = !options_.outputDir.empty() ? options_.outputDir
                             : !sources.empty()          ? DirName(sources.back())
                                                         : std::string(".");
  return JoinPath(folder, options_.collect);
}

void CliPlatform::WriteCollection() {
  // The image of a served bitmap lies in the bitmap's folder; with nothing
  // converted, the collection goes where the refusals looked for it.
  const std::string output =
      CollectionPath(depended_on_.empty() ? std::vector<std::string>{} : std::vector{depended_on_});
  MadeFirst(output);
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

void CliPlatform::Made(const std::string& output, std::span<const std::string> sources) {
  if (!options_.depfile.empty()) made_.push_back({output, {sources.begin(), sources.end()}});
}

void CliPlatform::MadeFirst(const std::string& output) {
  if (!options_.depfile.empty()) made_.insert(made_.begin(), {output, sources_});
}

void CliPlatform::AddSource(const std::string& source) {
  if (source_set_.insert(source).second) sources_.push_back(source);
}

void CheckingPlatform::Deliver(const std::string& path, std::string_view content, WriteKind) {
  std::string verdict;
  try {
    if (ReadBoundedFile(path).text != content) verdict = "differs: " + path;
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
