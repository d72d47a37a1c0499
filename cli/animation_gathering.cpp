#include "animation_gathering.h"

#include "animation_table.h"

namespace lumivane::cli {

void AnimationGathering::Add(std::string header, std::string name,
                             std::vector<std::string> frameHeaders,
                             std::vector<std::string> frameNames, std::vector<int> delaysMs) {
  for (std::string& frame : frameHeaders) frames_[std::move(frame)] = animations_.size();
  animations_.push_back(
      {std::move(header), std::move(name), std::move(frameNames), std::move(delaysMs), 0, {}});
}

std::optional<AnimationGathering::Whole> AnimationGathering::Take(const std::string& frameHeader,
                                                                  std::string_view content) {
  Animation& animation = animations_[frames_.at(frameHeader)];
  animation.content.append(content);
  if (++animation.taken < animation.frameNames.size()) return std::nullopt;
  animation.content.append(
      AnimationTable(animation.name, animation.frameNames, animation.delaysMs));
  return Whole{animation.header, std::move(animation.content)};
}

}  // namespace lumivane::cli
