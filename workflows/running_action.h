#pragma once

#include "workflows.h"

namespace lumivane {

// Marks a Load or a drop as running for exactly as long as it runs, however it ends.
class Workflows::RunningAction {
 public:
  explicit RunningAction(bool& running) : running_(running) { running_ = true; }
  RunningAction(const RunningAction&) = delete;
  RunningAction& operator=(const RunningAction&) = delete;
  ~RunningAction() { running_ = false; }

 private:
  bool& running_;
};

}  // namespace lumivane
