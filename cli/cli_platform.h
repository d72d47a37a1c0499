#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "animation_gathering.h"
#include "convert_options.h"
#include "depfile.h"
#include "file_system_platform.h"
#include "report_stream.h"

namespace lumivane::cli {

// The window's platform without a window: the real files, the report on a
// stream, and the failure that ends a drop printed as "Err # N - description"
// on standard error. A drop never opens a dialog, so the dialogs refuse as if
// cancelled.
//
// The options change where the outputs go (the output folder), what they
// hold (the size defines) and what is kept of them (the collection, the
// made outputs for the dependency file); Deliver decides what becomes of
// each output, and by default replaces the file.
class CliPlatform : public FileSystemPlatform {
 public:
  explicit CliPlatform(const ConvertOptions& options);

  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;
  void ShowError(const AppError& error, const std::string& title) override;
  bool IsDirectory(const std::string& path) override;
  std::string ReadTextFile(const std::string& path) override;
  void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) override;

  // Reading `path` gives `text` instead of the file's content, whether the
  // file exists or not: an imported image's bitmap is converted as if its
  // ".xbm" had been read. What is made from it is made from `origin`, the
  // image: its header never replaces it, and the dependency file names it.
  // With `alsoWrite` the text is written to `path` too, as an XBM file, once
  // the run's outputs are known not to replace a source.
  void ServeText(const std::string& path, std::string text, SourceOrigin origin, bool alsoWrite);
  // Besides the headers: the collection, the dependency file, the bitmaps.
  void RefuseOwnSources(const std::vector<std::string>& sources,
                        const std::vector<std::string>& outputs) override;

  // The animations whose frames' headers are written as one header each.
  AnimationGathering& Animations() { return animations_; }

  // A piece of the report, unless the run is quiet.
  void Report(std::string_view piece);
  // Every file has been reported (see ReportStream::End).
  void EndReport() {
    if (report_) report_->End();
  }

  // Every listing converted so far, in the output folder's file named by
  // --collect, exactly as a folder's "allFiles.h" holds them.
  void WriteCollection();
  // The files made (or checked), each with its sources, when a dependency
  // file was asked for.
  const std::vector<MadeOutput>& MadeOutputs() const { return made_; }
  // The outputs a check found missing or different, each with why, in order.
  virtual std::vector<std::string> Stale() const { return {}; }

 protected:
  virtual void Deliver(const std::string& path, std::string_view content, WriteKind kind);

 private:
  std::string OutputPath(const std::string& path) const;
  // The headers are gathered as a folder's "allFiles.h" gathers them.
  bool Collecting() const { return options_.withSize || !options_.collect.empty(); }
  // In the output folder, or in the folder of the last source.
  std::string CollectionPath(const std::vector<std::string>& sources) const;
  void Made(const std::string& output, std::span<const std::string> sources);
  // A file made of every source, the edge a build names it by: it comes
  // first, the one output Ninja checks where the depfile has no deps = gcc.
  void MadeFirst(const std::string& output);
  // A GIF's frames, or a file given twice, are one source of the collection.
  void AddSource(const std::string& source);

  struct ServedText {
    std::string text;
    SourceOrigin origin;
    bool alsoWrite;
  };

  const ConvertOptions& options_;
  std::optional<ReportStream> report_;
  bool output_folder_ready_ = false;
  // The file the source read last came from, as the dependency file names it.
  std::string depended_on_;
  std::string size_defines_;
  std::vector<std::string> sources_;
  std::set<std::string> source_set_;
  std::string collected_;
  std::map<std::string, ServedText> served_;
  std::vector<MadeOutput> made_;
  AnimationGathering animations_;
};

// Compares each output with the file it would replace and writes nothing.
class CheckingPlatform : public CliPlatform {
 public:
  using CliPlatform::CliPlatform;

  std::vector<std::string> Stale() const override;

 protected:
  void Deliver(const std::string& path, std::string_view content, WriteKind kind) override;

 private:
  // Per output, in the order first delivered: why it is stale, or empty.
  std::vector<std::string> verdicts_;
  std::map<std::string, std::size_t> verdict_index_;
};

// Sends each header's content to a stream, in order, instead of writing it;
// the folder's "allFiles.h" would only repeat them, so it is left out.
class ListingStreamPlatform : public CliPlatform {
 public:
  ListingStreamPlatform(const ConvertOptions& options, std::FILE* stream)
      : CliPlatform(options), stream_(stream) {}

 protected:
  void Deliver(const std::string& path, std::string_view content, WriteKind kind) override;

 private:
  std::FILE* stream_;
};

}  // namespace lumivane::cli
