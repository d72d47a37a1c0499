#pragma once

#include <stdexcept>
#include <string>

namespace lumivane {

// The numbers the program raises itself; file-system failures carry errno instead.
namespace error {
inline constexpr int kInvalidArgument = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kDialogCancelled = 32755;
}  // namespace error

// The one failure type: a number and a description, raised where the failure
// happens and shown once by the user action that started the work.
class AppError : public std::runtime_error {
 public:
  AppError(int number, std::string description);

  int Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }

  static AppError InvalidArgument();
  static AppError Overflow();
  static AppError SubscriptOutOfRange();

 private:
  int number_;
  std::string description_;
};

// Thrown out of a message-loop pass when the window was closed during it:
// the running action must do nothing more. It is not a failure to report.
class ActionAborted : public std::exception {
 public:
  const char* what() const noexcept override { return "action aborted"; }
};

}  // namespace lumivane
