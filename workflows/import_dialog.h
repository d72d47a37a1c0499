#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "byte_layout.h"
#include "conversion_state.h"
#include "import.h"

namespace lumivane {

// What the user chose in the import dialog.
struct ImportChoice {
  imaging::ImportSettings settings;
  bool saveXbm = false;
  // The headers' byte layout and run code, for the imported bitmaps only.
  ConversionChoice conversion;
};

// Puts the import's layout and run code into the state while its bitmaps
// are converted, and the earlier ones back after.
class ChoiceForImport {
 public:
  ChoiceForImport(ConversionState& state, ConversionChoice choice)
      : state_(state), before_(std::exchange(state.Choice, choice)) {}
  ~ChoiceForImport() { state_.Choice = before_; }
  ChoiceForImport(const ChoiceForImport&) = delete;
  ChoiceForImport& operator=(const ChoiceForImport&) = delete;

 private:
  ConversionState& state_;
  ConversionChoice before_;
};

// Shows the import dialog for the decoded frames of the image at `path`;
// nullopt when the user cancelled it.
using ImportDialog = std::function<std::optional<ImportChoice>(
    const std::vector<imaging::GrayFrame>& frames, const std::string& path)>;

// Whether the file's extension (any letter case) is one of the image
// formats File > Import Image reads.
bool IsImagePath(std::string_view path);

}  // namespace lumivane
