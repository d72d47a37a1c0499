#pragma once

#include <string>
#include <string_view>

class QPlainTextEdit;

namespace lumivane::ui {

// One text box of the window: the exact bytes the workflows wrote, and the
// widget that shows them. The bytes are what the workflows read back; the
// widget only displays them.
//
// While a user action runs, the widget is brought up to date only when the
// window is about to be seen (a message-loop pass, a dialog, the action's
// end): a batch sets the listings once per file, far more often than anyone
// could see them.
class TextBoxMirror {
 public:
  // Whether the widget keeps its newest line in sight as text comes in, as
  // long as the user has not scrolled away from the end himself.
  enum class Scrolling { kStays, kFollowsEnd };

  explicit TextBoxMirror(QPlainTextEdit& box, Scrolling scrolling = Scrolling::kStays)
      : box_(box), scrolling_(scrolling) {}
  TextBoxMirror(const TextBoxMirror&) = delete;
  TextBoxMirror& operator=(const TextBoxMirror&) = delete;

  const std::string& Text() const { return text_; }
  void Set(std::string text);
  void Append(std::string_view piece);

  // From DeferDisplay(true) until DeferDisplay(false) the widget may lag
  // behind the text; Show() catches it up at any time.
  void DeferDisplay(bool defer);
  void Show();

 private:
  void ShowText();

  QPlainTextEdit& box_;
  Scrolling scrolling_;
  std::string text_;
  // How much of text_ the widget shows, when it shows a prefix of it.
  std::size_t shown_size_ = 0;
  bool shown_is_prefix_ = true;
  bool deferred_ = false;
};

}  // namespace lumivane::ui
