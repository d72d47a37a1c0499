#pragma once

#include <string>

#include "drop_data.h"
#include "engine/conversion_state.h"
#include "engine/window_surface.h"
#include "platform.h"

namespace lumivane {

// The user actions of the main window that read and write files: File > Load
// with its save step, and the drop on the input box. Each action handles its
// failures in one place and reports them in the error box.
//
// The message-loop pass after each converted file lets other window events
// run; a Load or a drop arriving then is ignored, because it would change the
// running action's source and output under it. An ActionAborted thrown by
// that pass (the window closed) passes through: the action does nothing more.
class Workflows {
 public:
  Workflows(ConversionState& state, WindowSurface& window, Platform& platform)
      : state_(state), window_(window), platform_(platform) {}

  void mnuLoad_Click();
  void Text1_OLEDragDrop(const DropData& data);

  bool IsRunning() const { return running_; }

 private:
  class RunningAction;

  void SaveCompressedFile();
  void ConvertFolder(const DropData& data);
  void ConvertFiles(const DropData& data);

  ConversionState& state_;
  WindowSurface& window_;
  Platform& platform_;
  bool running_ = false;
};

}  // namespace lumivane
