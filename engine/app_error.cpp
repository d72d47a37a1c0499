#include "app_error.h"

#include <utility>

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

AppError AppError::SubscriptOutOfRange() {
  return {error::kSubscriptOutOfRange, "Subscript out of range"};
}

}  // namespace lumivane
