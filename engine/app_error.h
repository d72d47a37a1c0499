#pragma once

#include <stdexcept>
#include <string>

namespace lumivane {

// The numbers the program raises itself; file-system failures carry errno instead.
namespace error {
inline constexpr int kInvalidArgument = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kNotOrdinaryFile = 22;
inline constexpr int kNoFileList = 461;
// Image import: the description names the image file.
inline constexpr int kImageFormatUnknown = 1001;
inline constexpr int kImageDamaged = 1002;
inline constexpr int kImageTooLarge = 1003;
inline constexpr int kImageNameTaken = 1004;
inline constexpr int kDialogCancelled = 32755;
}  // namespace error

// The one failure type: a number and a description, raised where the failure
// happens and shown once by the user action that started the work.
// what() is "Err # N - description", the line every report of a failure shows.
class AppError : public std::runtime_error {
 public:
  AppError(int number, std::string description);

  int Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }

  static AppError InvalidArgument();
  static AppError Overflow();
  static AppError SubscriptOutOfRange();
  // A dialog closed with Cancel; never reported.
  static AppError Cancelled();
  // Drop data that carries no list of files (text dragged from an editor).
  static AppError NoFileList();
  // A FIFO, a device or a socket where a bitmap or a header was expected.
  static AppError NotOrdinaryFile(const std::string& path);

 private:
  int number_;
  std::string description_;
};

}  // namespace lumivane
