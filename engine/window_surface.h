#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "work_list.h"

namespace lumivane {

// Thrown out of a message-loop pass when the window was closed during it:
// the running action must do nothing more. Control flow, not a failure to report.
class ActionAborted : public std::exception {
 public:
  const char* what() const noexcept override { return "action aborted"; }
};

// The main window as the conversion and the workflows see it: three text
// boxes written whole, the two hidden work lists, and one pass of the message
// loop. The window implements it with widgets; tests use MemorySurface.
class WindowSurface {
 public:
  virtual ~WindowSurface() = default;

  virtual const std::string& Text1() const = 0;
  virtual const std::string& Text2() const = 0;
  virtual const std::string& Text3() const = 0;
  virtual void SetText1(std::string text) = 0;
  virtual void SetText2(std::string text) = 0;
  virtual void SetText3(std::string text) = 0;
  // Same result as SetText3(Text3() + text), without copying the whole
  // progress view for every line of a long batch.
  virtual void AppendText3(std::string_view text) = 0;

  // Whether Text1 and Text2 are seen. A surface that shows only the progress
  // (the command line's report) spares every conversion its uncompressed
  // listing, and both listings their copies into the text boxes.
  virtual bool ShowsListings() const { return true; }

  virtual ByteList& List1() = 0;
  virtual EncodedList& List2() = 0;

  // Lets pending window events run once. Throws ActionAborted when the
  // window was closed during the pass.
  virtual void ProcessPendingEvents() = 0;
};

}  // namespace lumivane
