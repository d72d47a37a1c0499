#include "checked_math.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app_error.h"
#include "error_number.h"

namespace lumivane::test {
namespace {

template <typename T>
class CheckedMath : public ::testing::Test {};

using FieldWidths = ::testing::Types<std::int16_t, std::int32_t>;
TYPED_TEST_SUITE(CheckedMath, FieldWidths);

TYPED_TEST(CheckedMath, WorksUpToTheEdgesOfTheRange) {
  using T = TypeParam;
  constexpr T kMax = std::numeric_limits<T>::max();
  constexpr T kMin = std::numeric_limits<T>::min();
  EXPECT_EQ(CheckedAdd<T>(kMax - 1, 1), kMax);
  EXPECT_EQ(CheckedAdd<T>(kMin, kMax), T{-1});
  EXPECT_EQ(CheckedSub<T>(kMin + 1, 1), kMin);
  EXPECT_EQ(CheckedSub<T>(-1, kMax), kMin);
  EXPECT_EQ(CheckedCast<T>(static_cast<std::int64_t>(kMin)), kMin);
  EXPECT_EQ(CheckedCast<T>(static_cast<std::uint64_t>(kMax)), kMax);
}

TYPED_TEST(CheckedMath, RaisesOverflowInsteadOfWrapping) {
  using T = TypeParam;
  constexpr T kMax = std::numeric_limits<T>::max();
  constexpr T kMin = std::numeric_limits<T>::min();
  EXPECT_EQ(ErrorNumberOf([&] { CheckedAdd<T>(kMax, 1); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { CheckedAdd<T>(kMin, -1); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { CheckedSub<T>(kMin, 1); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { CheckedSub<T>(0, kMin); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { CheckedCast<T>(std::int64_t{kMax} + 1); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { CheckedCast<T>(std::int64_t{kMin} - 1); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { CheckedCast<T>(std::numeric_limits<std::uint64_t>::max()); }),
            error::kOverflow);
}

TYPED_TEST(CheckedMath, FailedIncrementLeavesTheValue) {
  TypeParam value = std::numeric_limits<TypeParam>::max();
  EXPECT_EQ(ErrorNumberOf([&] { CheckedIncrement(value); }), error::kOverflow);
  EXPECT_EQ(value, std::numeric_limits<TypeParam>::max());
}

TEST(AppError, CarriesTheNumbersTheConversionRaises) {
  EXPECT_EQ(AppError::InvalidArgument().Number(), 5);
  EXPECT_EQ(AppError::Overflow().Number(), 6);
  EXPECT_EQ(AppError::SubscriptOutOfRange().Number(), 9);
  EXPECT_EQ(AppError::Overflow().Description(), "Overflow");
}

}  // namespace
}  // namespace lumivane::test
