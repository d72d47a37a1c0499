#include "app_error.h"

#include <utility>

#include "checked_math.h"

namespace lumivane {

AppError::AppError(int number, std::string description)
    : std::runtime_error("Err # " + std::to_string(number) + " - " + description),
      number_(number),
      description_(std::move(description)) {}

AppError AppError::InvalidArgument() {
  return {error::kInvalidArgument, "Invalid procedure call or argument"};
}

AppError AppError::Overflow() {
  return {error::kOverflow, "Overflow"};
}

void ThrowOverflow() {
  throw AppError::Overflow();
}

AppError AppError::SubscriptOutOfRange() {
  return {error::kSubscriptOutOfRange, "Subscript out of range"};
}

AppError AppError::Cancelled() {
  return {error::kDialogCancelled, "Cancel was selected."};
}

AppError AppError::NoFileList() {
  return {error::kNoFileList, "The dropped data holds no list of files"};
}

AppError AppError::NotOrdinaryFile(const std::string& path) {
  return {error::kNotOrdinaryFile, "Not an ordinary file: " + path};
}

}  // namespace lumivane
