#include "offering_platform.h"

#include <utility>

namespace lumivane {

void OfferingPlatform::Offer(std::string path, std::string text, std::string savePath) {
  offered_ = true;
  open_answered_ = false;
  path_ = std::move(path);
  text_ = std::move(text);
  save_path_ = std::move(savePath);
}

void OfferingPlatform::Withdraw() {
  offered_ = false;
  path_.clear();
  text_.clear();
  save_path_.clear();
}

std::string OfferingPlatform::ShowOpen(const FileDialogSettings& settings) {
  // Only the first open dialog of an offer is answered: a second Load the
  // user starts during it gets the real dialog.
  if (offered_ && !open_answered_) {
    open_answered_ = true;
    return path_;
  }
  return ForwardingPlatform::ShowOpen(settings);
}

std::string OfferingPlatform::ShowSave(const FileDialogSettings& settings) {
  last_saved_ =
      offered_ && !save_path_.empty() ? save_path_ : ForwardingPlatform::ShowSave(settings);
  return last_saved_;
}

bool OfferingPlatform::IsDirectory(const std::string& path) {
  return !Offers(path) && ForwardingPlatform::IsDirectory(path);
}

std::string OfferingPlatform::ReadTextFile(const std::string& path) {
  if (Offers(path)) return text_;
  return ForwardingPlatform::ReadTextFile(path);
}

}  // namespace lumivane
