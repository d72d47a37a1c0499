#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "conversion_state.h"
#include "memory_surface.h"
#include "scripted_platform.h"
#include "temp_folder.h"
#include "work_list.h"
#include "workflows.h"

namespace lumivane::test {

std::vector<std::string> Items(const WorkList& list);

// The error box exactly as the user sees it.
BoxRecord ErrorBox(int number, std::string_view description, std::string_view title);

// What a failed or ignored action must leave on screen untouched.
struct Screen {
  std::string SourceText, Text1, Text2;
  std::vector<std::string> List2;
  bool operator==(const Screen&) const = default;
};

// One window's state, surface and platform, working in a fresh folder.
class WorkflowTest : public ::testing::Test {
 protected:
  Screen CurrentScreen();
  // True when no file is being or was left half-written anywhere in the folder.
  bool NoTemporaryFiles() const;
  DropData DropOf(std::vector<std::string> relativePaths) const;
  // The one Save Error box, naming a file of the folder.
  std::vector<BoxRecord> SaveErrorAt(int number, std::string_view description,
                                     std::string_view relative) const;

  TempFolder folder;
  ConversionState state;
  MemorySurface window;
  ScriptedPlatform platform;
  Workflows workflows{state, window, platform};
};

}  // namespace lumivane::test
