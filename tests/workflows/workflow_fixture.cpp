#include "workflow_fixture.h"

#include <algorithm>
#include <utility>

namespace lumivane::test {

std::vector<std::string> Items(const WorkList& list) {
  std::vector<std::string> items;
  for (std::int32_t i = 0; i < list.Count(); ++i) items.push_back(list.Item(i));
  return items;
}

BoxRecord ErrorBox(int number, std::string_view description, std::string_view title) {
  return {"The following error has occurred:\r\nErr # " + std::to_string(number) + " - " +
              std::string(description),
          16, std::string(title)};
}

Screen WorkflowTest::CurrentScreen() {
  return {state.SourceText, window.Text1(), window.Text2(), Items(window.List2())};
}

bool WorkflowTest::NoTemporaryFiles() const {
  const auto tree = folder.Tree();
  return std::none_of(tree.begin(), tree.end(), [](const std::string& name) {
    return name.find(".tmp") != std::string::npos;
  });
}

std::vector<BoxRecord> WorkflowTest::SaveErrorAt(int number, std::string_view description,
                                                 std::string_view relative) const {
  return {
      ErrorBox(number, std::string(description) + ": " + folder.PathOf(relative), "Save Error")};
}

DropData WorkflowTest::DropOf(std::vector<std::string> relativePaths) const {
  for (auto& path : relativePaths) path = folder.PathOf(path);
  return DropData::FileList(std::move(relativePaths));
}

}  // namespace lumivane::test
