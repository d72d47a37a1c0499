#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "window_surface.h"

namespace lumivane {

// A window surface without a window: for tests, benchmarks and the command line.
class MemorySurface : public WindowSurface {
 public:
  enum class Listings { kShown, kNotShown };

  explicit MemorySurface(Listings listings = Listings::kShown) : listings_(listings) {}

  const std::string& Text1() const override { return text1_; }
  const std::string& Text2() const override { return text2_; }
  const std::string& Text3() const override { return text3_; }
  void SetText1(std::string text) override { text1_ = std::move(text); }
  void SetText2(std::string text) override { text2_ = std::move(text); }
  void SetText3(std::string text) override { text3_ = std::move(text); }
  void AppendText3(std::string_view text) override {
    text3_.append(text);
    if (on_append_text3_) on_append_text3_(text);
  }

  bool ShowsListings() const override { return listings_ == Listings::kShown; }

  ByteList& List1() override { return list1_; }
  EncodedList& List2() override { return list2_; }

  void ProcessPendingEvents() override {
    ++event_passes_;
    if (on_pending_events_) on_pending_events_();
  }

  int EventPasses() const { return event_passes_; }
  // Runs inside each message-loop pass, as a window event arriving then would.
  void OnPendingEvents(std::function<void()> handler) { on_pending_events_ = std::move(handler); }
  // Sees every piece appended to the progress view, as it is appended.
  void OnAppendText3(std::function<void(std::string_view)> handler) {
    on_append_text3_ = std::move(handler);
  }

 private:
  Listings listings_;
  std::string text1_, text2_, text3_;
  ByteList list1_;
  EncodedList list2_;
  int event_passes_ = 0;
  std::function<void()> on_pending_events_;
  std::function<void(std::string_view)> on_append_text3_;
};

}  // namespace lumivane
