#pragma once

#include <string>

#include "forwarding_platform.h"

namespace lumivane {

// Stands between the workflows and the platform. While a bitmap is offered,
// the Load's open dialog answers with the bitmap's path (NAME.xbm beside its
// image) without showing anything, and reading that path gives the bitmap's
// text, whether a file is there or not: the Load converts an imported image
// exactly as if its ".xbm" had been picked. An offer may also name where the
// header goes; the save dialog then answers with it without showing. Every
// other dialog and file passes on.
class OfferingPlatform : public ForwardingPlatform {
 public:
  explicit OfferingPlatform(Platform& platform) : ForwardingPlatform(platform) {}

  void Offer(std::string path, std::string text, std::string savePath = {});
  void Withdraw();
  // The path the last save dialog answered, shown or not.
  const std::string& LastSaved() const { return last_saved_; }

  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  bool IsDirectory(const std::string& path) override;
  std::string ReadTextFile(const std::string& path) override;

 private:
  bool Offers(const std::string& path) const { return offered_ && path == path_; }

  bool offered_ = false;
  bool open_answered_ = false;
  std::string path_;
  std::string text_;
  std::string save_path_;
  std::string last_saved_;
};

}  // namespace lumivane
