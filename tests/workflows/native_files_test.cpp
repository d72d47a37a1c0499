#include "native_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "error_number.h"
#include "file_order.h"
#include "temp_folder.h"

namespace lumivane::test {
namespace {

namespace fs = std::filesystem;

// The folder listing sorts with SortFileNames; the Windows one compares with
// FileNameBefore: both must give the same order.
TEST(FileOrder, LettersWithoutCaseThenBytes) {
  const struct {
    std::vector<std::string> names;
    std::vector<std::string> sorted;
  } rows[] = {
      {{"b.xbm", "C.xbm", "A.xbm"}, {"A.xbm", "b.xbm", "C.xbm"}},
      {{"a.xbm", "A.xbm"}, {"A.xbm", "a.xbm"}},
      {{"ab.xbm", "a.xbm", "a b.xbm"}, {"a b.xbm", "a.xbm", "ab.xbm"}},
      {{"\xe9.xbm", "z.xbm", "_.xbm"}, {"_.xbm", "z.xbm", "\xe9.xbm"}},
      {{"a10.xbm", "a9.xbm", "a1.xbm"}, {"a1.xbm", "a10.xbm", "a9.xbm"}},
      {{"aB.xbm", "Ab.xbm", "aA.xbm"}, {"aA.xbm", "Ab.xbm", "aB.xbm"}},
      // '@' and '[' border the capitals, '_' and '`' sit between the cases.
      {{"b.xbm", "[.xbm", "Z.xbm", "@.xbm", "`.xbm", "_.xbm", "a.xbm", "A.xbm", "{.xbm"},
       {"@.xbm", "[.xbm", "_.xbm", "`.xbm", "A.xbm", "a.xbm", "b.xbm", "Z.xbm", "{.xbm"}},
      {{"ab", "a", "AB", "A"}, {"A", "a", "AB", "ab"}},
  };
  for (const auto& row : rows) {
    std::vector<std::string> names = row.names;
    SortFileNames(names);
    EXPECT_EQ(names, row.sorted);
    names = row.names;
    std::sort(names.begin(), names.end(), FileNameBefore);
    EXPECT_EQ(names, row.sorted);
  }
}

TEST(ReplaceFileWhole, KeepsTheOwnerGroupAndModeOfTheFileItReplaces) {
  struct Row {
    mode_t mode;
    // Another owner and group need root; -1 keeps ours.
    uid_t owner = static_cast<uid_t>(-1);
    gid_t group = static_cast<gid_t>(-1);
  };
  // Root writes a file that anyone may write (0464, 0446), not only its owner.
  const Row rows[] = {{0640},          {02664},   {05604},  {0604, 65534, 4242},
                      {0644, 0, 4242}, {0464, 0}, {0446, 0}};
  for (const auto& row : rows) {
    TempFolder folder;
    const std::string path = folder.Write("logo.h", "old");
    ::chmod(path.c_str(), row.mode);
    if (::chown(path.c_str(), row.owner, row.group) != 0) continue;
    struct stat before {};
    ::stat(path.c_str(), &before);
    ReplaceFileWhole(path, "new\r\n");

    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(folder.Read("logo.h"), "new\r\n");
    EXPECT_EQ(after.st_mode, before.st_mode) << row.mode;
    EXPECT_EQ(after.st_uid, before.st_uid) << row.owner;
    EXPECT_EQ(after.st_gid, before.st_gid) << row.group;
  }
}

TEST(ReplaceFileWhole, WritesThroughALinkToWhereItLeadsAndKeepsTheLink) {
  // To an existing file, and to none yet (a dangling link).
  for (const bool targetExists : {true, false}) {
    TempFolder folder;
    folder.MakeFolder("real");
    if (targetExists) folder.Write("real/logo.h", "old");
    const std::string link = folder.PathOf("logo.h");
    fs::create_symlink("real/logo.h", link);
    ReplaceFileWhole(link, "new\r\n");

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(folder.Read("real/logo.h"), "new\r\n");
    EXPECT_EQ(folder.Tree(), (std::vector<std::string>{"logo.h", "real/", "real/logo.h"}));
  }
}

TEST(ReplaceFileWhole, WritesBesideASourceWhoseNameIsAsLongAsAllowed) {
  TempFolder folder;
  const std::string longest(static_cast<std::size_t>(NAME_MAX) - 2, 'n');
  ReplaceFileWhole(folder.PathOf(longest + ".h"), "listing\r\n");

  EXPECT_EQ(folder.Read(longest + ".h"), "listing\r\n");
  EXPECT_EQ(folder.Tree(), std::vector<std::string>{longest + ".h"});
  // A new file gets the mode any new file gets.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat info {};
  ::stat(folder.PathOf(longest + ".h").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask);
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

// As many links in a row as the system itself follows (40), and not one more.
TEST(ReplaceFileWhole, FollowsFortyLinksInARowAndRefusesTheFortyFirst) {
  for (const int links : {40, 41}) {
    TempFolder folder;
    const auto name = [](int i) { return "l" + std::to_string(i); };
    for (int i = 0; i < links; ++i) fs::create_symlink(name(i + 1), folder.PathOf(name(i)));

    EXPECT_EQ(ReplaceError(folder.PathOf(name(0))), links == 40 ? 0 : ELOOP) << links;
    EXPECT_EQ(folder.Exists(name(links)) ? folder.Read(name(links)) : "",
              links == 40 ? "new\r\n" : "");
  }
}

// Where the temporary file cannot be given the owner (another user's file)
// or cannot be made (a folder the user may not add to), a file the user may
// write is written in place and keeps its owner.
TEST(ReplaceFileWhole, AnOrdinaryUserNeedsTheWriteBitThatAppliesToHim) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  // A group the test process is not in, so only owner or other bits apply.
  constexpr gid_t kStrangerGroup = 4242;
  TempFolder folder;
  ::chmod(folder.Path().c_str(), 0777);
  // root's own folder, 0755: only root adds files to it.
  folder.MakeFolder("locked");
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
      {"locked/own-writable.h", OrdinaryUser::kNobody, 0600, 0},
      {"locked/others-writable.h", 0, 0606, 0},
  };
  for (const auto& row : rows) {
    const std::string path = folder.Write(row.name, "old");
    ASSERT_EQ(::chown(path.c_str(), row.owner, kStrangerGroup), 0);
    ::chmod(path.c_str(), row.mode);
  }

  {
    OrdinaryUser user;
    ASSERT_TRUE(user.Active());
    for (const auto& row : rows) {
      EXPECT_EQ(ReplaceError(folder.PathOf(row.name)), row.error) << row.name;
    }
  }
  for (const auto& row : rows) {
    struct stat after {};
    ::stat(folder.PathOf(row.name).c_str(), &after);
    EXPECT_EQ(folder.Read(row.name), row.error == 0 ? "new\r\n" : "old") << row.name;
    EXPECT_EQ(after.st_uid, row.owner) << row.name;
    EXPECT_EQ(after.st_gid, kStrangerGroup) << row.name;
    EXPECT_EQ(after.st_mode & 07777, row.mode) << row.name;
  }
  EXPECT_EQ(folder.Tree().size(), std::size(rows) + 1) << "a temporary file was left";
}

}  // namespace
}  // namespace lumivane::test
