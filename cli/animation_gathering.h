#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane::cli {

// Gathers the headers of an image's frames into the image's one header:
// each frame's array in order, then the frame table. A frame's header is
// written as part of that one header, never as a file of its own.
class AnimationGathering {
 public:
  // The frames' headers (NAME_0.h, NAME_1.h...) become `header` (NAME.h).
  void Add(std::string header, std::string name, std::vector<std::string> frameHeaders,
           std::vector<std::string> frameNames, std::vector<int> delaysMs);

  struct Whole {
    std::string header;
    std::string content;
  };

  // Takes a frame header's content. Returns the image's header once its
  // last frame is in; nullopt while frames are still to come. Not called
  // for a header outside every animation (see Gathers).
  std::optional<Whole> Take(const std::string& frameHeader, std::string_view content);
  bool Gathers(const std::string& frameHeader) const { return frames_.contains(frameHeader); }
  // The header a frame's header becomes; any other header stays itself.
  const std::string& HeaderOf(const std::string& frameHeader) const {
    const auto frame = frames_.find(frameHeader);
    return frame == frames_.end() ? frameHeader : animations_[frame->second].header;
  }

 private:
  struct Animation {
    std::string header;
    std::string name;
    std::vector<std::string> frameNames;
    std::vector<int> delaysMs;
    std::size_t taken = 0;
    std::string content;
  };

  std::vector<Animation> animations_;
  std::map<std::string, std::size_t> frames_;
};

}  // namespace lumivane::cli
