#pragma once

#include <string>
#include <string_view>

class QPlainTextEdit;

namespace lumivane::ui {

// One text box of the window: the exact bytes the workflows wrote, and the
// widget that shows them. The bytes are what the workflows read back; the
// widget only displays them.
class TextBoxMirror {
 public:
  explicit TextBoxMirror(QPlainTextEdit& box) : box_(box) {}
  TextBoxMirror(const TextBoxMirror&) = delete;
  TextBoxMirror& operator=(const TextBoxMirror&) = delete;

  const std::string& Text() const { return text_; }
  void Set(std::string text);
  // Adds to the end of the document instead of setting it again, so a long
  // progress view grows in time proportional to the piece, not to the view.
  void Append(std::string_view piece);

 private:
  QPlainTextEdit& box_;
  std::string text_;
};

}  // namespace lumivane::ui
