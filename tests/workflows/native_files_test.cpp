#include "workflows/native_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/error_number.h"
#include "tests/support/temp_folder.h"
#include "workflows/file_order.h"

namespace lumivane::test {
namespace {

namespace fs = std::filesystem;

struct OrderRow {
  std::vector<std::string> names;
  std::vector<std::string> sorted;
};

class FileOrderTest : public ::testing::TestWithParam<OrderRow> {};

TEST_P(FileOrderTest, LettersWithoutCaseThenBytes) {
  std::vector<std::string> names = GetParam().names;
  SortFileNames(names);
  EXPECT_EQ(names, GetParam().sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Collation, FileOrderTest,
    ::testing::Values(OrderRow{{"b.xbm", "C.xbm", "A.xbm"}, {"A.xbm", "b.xbm", "C.xbm"}},
                      OrderRow{{"a.xbm", "A.xbm"}, {"A.xbm", "a.xbm"}},
                      OrderRow{{"ab.xbm", "a.xbm", "a b.xbm"}, {"a b.xbm", "a.xbm", "ab.xbm"}},
                      OrderRow{{"\xe9.xbm", "z.xbm", "_.xbm"}, {"_.xbm", "z.xbm", "\xe9.xbm"}},
                      OrderRow{{"a10.xbm", "a9.xbm", "a1.xbm"}, {"a1.xbm", "a10.xbm", "a9.xbm"}}));

fs::perms PermissionsOf(const std::string& path) {
  return fs::status(path).permissions();
}

TEST(ReplaceFileWhole, KeepsTheModeOfTheFileItReplaces) {
  TempFolder folder;
  const std::string path = folder.Write("logo.h", "old");
  ::chmod(path.c_str(), 0640);
  ReplaceFileWhole(path, "new\r\n");

  EXPECT_EQ(folder.Read("logo.h"), "new\r\n");
  EXPECT_EQ(PermissionsOf(path), fs::perms(0640));
}

TEST(ReplaceFileWhole, ReplacesWhatALinkPointsToAndKeepsTheLink) {
  TempFolder folder;
  folder.Write("real/logo.h", "old");
  const std::string link = folder.PathOf("logo.h");
  fs::create_symlink(folder.PathOf("real/logo.h"), link);
  ReplaceFileWhole(link, "new\r\n");

  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(folder.Read("real/logo.h"), "new\r\n");
  EXPECT_EQ(folder.Tree(), (std::vector<std::string>{"logo.h", "real/", "real/logo.h"}));
}

TEST(ReplaceFileWhole, WritesBesideASourceWhoseNameIsAsLongAsAllowed) {
  TempFolder folder;
  const std::string longest(static_cast<std::size_t>(NAME_MAX) - 2, 'n');
  ReplaceFileWhole(folder.PathOf(longest + ".h"), "listing\r\n");

  EXPECT_EQ(folder.Read(longest + ".h"), "listing\r\n");
  EXPECT_EQ(folder.Tree(), std::vector<std::string>{longest + ".h"});
}

// Acts as an ordinary user until it goes away; root can come back because
// the saved user id stays root.
class OrdinaryUser {
 public:
  static constexpr uid_t kNobody = 65534;
  OrdinaryUser() { active_ = ::setresuid(kNobody, kNobody, 0) == 0; }
  OrdinaryUser(const OrdinaryUser&) = delete;
  OrdinaryUser& operator=(const OrdinaryUser&) = delete;
  ~OrdinaryUser() {
    if (active_) static_cast<void>(::setresuid(0, 0, 0));
  }
  bool Active() const { return active_; }

 private:
  bool active_;
};

int ReplaceError(const std::string& path) {
  return ErrorNumberOf([&] { ReplaceFileWhole(path, "new\r\n"); });
}

TEST(ReplaceFileWhole, AnOrdinaryUserNeedsTheWriteBitThatAppliesToHim) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  // A group the test process is not in, so only owner or other bits apply.
  constexpr gid_t kStrangerGroup = 4242;
  TempFolder folder;
  ::chmod(folder.Path().c_str(), 0777);
  const struct {
    const char* name;
    uid_t owner;
    mode_t mode;
    int error;
  } rows[] = {
      {"own-writable.h", OrdinaryUser::kNobody, 0600, 0},
      {"own-group-writable-only.h", OrdinaryUser::kNobody, 0464, EACCES},
      {"others-writable.h", 0, 0606, 0},
      {"others-read-only.h", 0, 0664, EACCES},
  };
  for (const auto& row : rows) {
    const std::string path = folder.Write(row.name, "old");
    ASSERT_EQ(::chown(path.c_str(), row.owner, kStrangerGroup), 0);
    ::chmod(path.c_str(), row.mode);
  }

  OrdinaryUser user;
  ASSERT_TRUE(user.Active());
  for (const auto& row : rows) {
    EXPECT_EQ(ReplaceError(folder.PathOf(row.name)), row.error) << row.name;
  }
}

}  // namespace
}  // namespace lumivane::test
