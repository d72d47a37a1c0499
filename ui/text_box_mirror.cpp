#include "text_box_mirror.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <utility>

#include "native_text.h"

namespace lumivane::ui {

void TextBoxMirror::Set(std::string text) {
  box_.setPlainText(ToDisplayText(text));
  text_ = std::move(text);
}

void TextBoxMirror::Append(std::string_view piece) {
  if (piece.empty()) return;
  QTextCursor cursor(box_.document());
  cursor.movePosition(QTextCursor::End);
  std::string_view rest = piece;
  // A CR LF split between two pieces is one line break; the CR shown on its
  // own so far becomes that break.
  if (!text_.empty() && text_.back() == '\r' && rest.front() == '\n') {
    cursor.deletePreviousChar();
    cursor.insertText(QStringLiteral("\n"));
    rest.remove_prefix(1);
  }
  cursor.insertText(ToDisplayText(rest));
  text_.append(piece);
}

}  // namespace lumivane::ui
