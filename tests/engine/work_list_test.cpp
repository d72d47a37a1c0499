#include "engine/work_list.h"

#include <gtest/gtest.h>

#include "engine/app_error.h"
#include "tests/support/error_number.h"

namespace lumivane::test {
namespace {

int ErrorNumberOfRead(const WorkList& list, std::int32_t position) {
  return ErrorNumberOf([&] { list.Item(position); });
}

WorkList FullList() {
  WorkList list;
  for (std::int32_t i = 0; i < WorkList::kMaxItems; ++i) list.Append(std::to_string(i));
  return list;
}

TEST(WorkList, KeepsItemsInAppendOrder) {
  WorkList list;
  list.Append("decl");
  list.Append("00");
  list.Append("3C");

  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(0), "decl");
  EXPECT_EQ(list.Item(2), "3C");
}

TEST(WorkList, ReadsFromTheCountOnAreEmpty) {
  WorkList list;
  EXPECT_EQ(list.Item(0), "");
  list.Append("00");
  EXPECT_EQ(list.Item(1), "");
  EXPECT_EQ(list.Item(32767), "");
}

TEST(WorkList, ClearEmptiesTheList) {
  WorkList list;
  list.Append("00");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Item(0), "");
}

TEST(WorkList, PositionsOutsideSixteenBitsAreRefused) {
  const WorkList list = FullList();
  EXPECT_EQ(ErrorNumberOfRead(list, 32767), 0);
  EXPECT_EQ(ErrorNumberOfRead(list, 32768), error::kOverflow);
  EXPECT_EQ(ErrorNumberOfRead(list, 1 << 20), error::kOverflow);
  EXPECT_EQ(ErrorNumberOfRead(list, -32769), error::kOverflow);
  EXPECT_EQ(ErrorNumberOfRead(list, -1), error::kSubscriptOutOfRange);
}

TEST(WorkList, HoldsAtMost32767Items) {
  WorkList list = FullList();
  EXPECT_EQ(list.Count(), 32767);
  EXPECT_EQ(list.Item(32766), "32766");

  try {
    list.Append("one too many");
    FAIL() << "append past the last position succeeded";
  } catch (const AppError& error) {
    EXPECT_EQ(error.Number(), error::kOverflow);
  }
  EXPECT_EQ(list.Count(), 32767);
  EXPECT_EQ(list.Item(32766), "32766");
}

}  // namespace
}  // namespace lumivane::test
