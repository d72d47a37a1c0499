#include "work_list.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app_error.h"
#include "error_number.h"
#include "list_items.h"

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

// Byte items are kept as one byte and others whole: each comes back exactly
// as appended, whichever way it was kept.
TEST(WorkList, GivesBackEveryItemAsAppended) {
  const std::vector<std::string> items = {"decl\r\n", "00", "3C", "3c", "0x3C", "FF", "123",
                                          "",         "0",  "G1", "0x", "0xff", "7E"};
  ByteList bytes;
  EncodedList encoded;
  for (WorkList* list : std::initializer_list<WorkList*>{&bytes, &encoded}) {
    for (const std::string& item : items) list->Append(item);
    EXPECT_EQ(test::ListItems(*list), items);
    EXPECT_EQ(list->Item(static_cast<std::int32_t>(items.size())), "");
  }
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
