#include "text_box_mirror.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <utility>

#include "native_text.h"

namespace lumivane::ui {

void TextBoxMirror::Set(std::string text) {
  text_ = std::move(text);
  shown_is_prefix_ = false;
  if (!deferred_) Show();
}

void TextBoxMirror::Append(std::string_view piece) {
  text_.append(piece);
  if (!deferred_) Show();
}

void TextBoxMirror::DeferDisplay(bool defer) {
  deferred_ = defer;
  if (!deferred_) Show();
}

void TextBoxMirror::Show() {
  QScrollBar& scrollBar = *box_.verticalScrollBar();
  // A new text starts at its end; one that grows stays where the user left it.
  const bool follow = scrolling_ == Scrolling::kFollowsEnd &&
                      (!shown_is_prefix_ || scrollBar.value() == scrollBar.maximum());
  ShowText();
  if (follow) scrollBar.setValue(scrollBar.maximum());
}

void TextBoxMirror::ShowText() {
  if (!shown_is_prefix_) {
    box_.setPlainText(ToDisplayText(text_));
  } else if (shown_size_ < text_.size()) {
    // Only the new end is added, so a long progress view grows in time
    // proportional to the new lines, not to the whole view.
    QTextCursor cursor(box_.document());
    cursor.movePosition(QTextCursor::End);
    std::string_view rest = std::string_view(text_).substr(shown_size_);
    // A CR LF split between two appends is one line break; the CR shown on
    // its own so far becomes that break.
    if (shown_size_ > 0 && text_[shown_size_ - 1] == '\r' && rest.front() == '\n') {
      cursor.deletePreviousChar();
      cursor.insertText(QStringLiteral("\n"));
      rest.remove_prefix(1);
    }
    cursor.insertText(ToDisplayText(rest));
  }
  shown_size_ = text_.size();
  shown_is_prefix_ = true;
}

}  // namespace lumivane::ui
