#include "path_rules.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "app_error.h"
#include "error_number.h"
#include "native_files.h"
#include "temp_folder.h"

namespace lumivane::test {
namespace {

constexpr char kBackslash = '\\';
constexpr char kSlash = '/';

struct TextCase {
  std::string input;
  std::string expected;
};

void PrintTo(const TextCase& text, std::ostream* out) {
  *out << ::testing::PrintToString(text.input);
}

class ExtNameCase : public ::testing::TestWithParam<TextCase> {};

TEST_P(ExtNameCase, IsTheTrimmedTextAfterTheLastDot) {
  EXPECT_EQ(ExtName(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, ExtNameCase,
                         ::testing::Values(TextCase{"image.xbm", "xbm"}, TextCase{"a.b.XBM", "XBM"},
                                           TextCase{"name.", ""}, TextCase{"no dot here", ""},
                                           TextCase{"name. xbm ", "xbm"}, TextCase{"name.   ", ""},
                                           TextCase{"name.\txbm", "\txbm"},
                                           TextCase{"D:\\dir.old\\file", "old\\file"},
                                           TextCase{"/home/dir.old/file", "old/file"},
                                           TextCase{"D:\\img\\logo.xbm", "xbm"}, TextCase{"", ""}));

class StemNameCase : public ::testing::TestWithParam<TextCase> {};

TEST_P(StemNameCase, IsTheTextBeforeTheFirstDot) {
  EXPECT_EQ(StemName(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, StemNameCase,
                         ::testing::Values(TextCase{".xbm", ""}, TextCase{"a.b.xbm", "a"},
                                           TextCase{"logo.xbm", "logo"},
                                           TextCase{"logo.small.xbm", "logo"},
                                           TextCase{"trailing.", "trailing"}));

TEST(PathRules, NameOrPathWithoutDotIsInvalid) {
  EXPECT_EQ(ErrorNumberOf([] { StemName("logo_xbm"); }), error::kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { StemName(""); }), error::kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { HeaderPath("D:\\img\\logo"); }), error::kInvalidArgument);
}

class HeaderPathCase : public ::testing::TestWithParam<TextCase> {};

TEST_P(HeaderPathCase, ReplacesOnlyTheLastExtension) {
  EXPECT_EQ(HeaderPath(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, HeaderPathCase,
                         ::testing::Values(TextCase{"D:\\x\\a.b.xbm", "D:\\x\\a.b.h"},
                                           TextCase{"D:\\img\\logo.xbm", "D:\\img\\logo.h"},
                                           TextCase{"/x/a.b.xbm", "/x/a.b.h"},
                                           TextCase{"logo.xbm", "logo.h"},
                                           TextCase{"name.", "name.h"}));

// The same rules, once with Windows paths and once with POSIX paths.
struct SeparatorCase {
  char separator;
  std::string input;
  std::string expected;
};

void PrintTo(const SeparatorCase& path, std::ostream* out) {
  *out << "'" << path.separator << "' " << ::testing::PrintToString(path.input);
}

class DirNameCase : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(DirNameCase, IsTheTextBeforeTheLastSeparator) {
  EXPECT_EQ(DirName(GetParam().input, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DirNameCase,
    ::testing::Values(SeparatorCase{kBackslash, "D:\\a.xbm", "D:"},
                      SeparatorCase{kBackslash, "D:\\img\\logo.xbm", "D:\\img"},
                      SeparatorCase{kBackslash, "D:\\img\\", "D:\\img"},
                      SeparatorCase{kBackslash, "D:\\img/sub/logo.xbm", "D:"},
                      SeparatorCase{kSlash, "/a.xbm", ""},
                      SeparatorCase{kSlash, "/home/u/logo.xbm", "/home/u"},
                      SeparatorCase{kSlash, "/home/u/dir\\logo.xbm", "/home/u"}));

class LeafNameCase : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(LeafNameCase, IsTheTextAfterTheLastSeparator) {
  EXPECT_EQ(LeafName(GetParam().input, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LeafNameCase,
    ::testing::Values(SeparatorCase{kBackslash, "D:\\img\\logo.xbm", "logo.xbm"},
                      SeparatorCase{kBackslash, "logo.xbm", "logo.xbm"},
                      SeparatorCase{kBackslash, "D:\\img\\", ""},
                      SeparatorCase{kBackslash, "dir/logo.xbm", "dir/logo.xbm"},
                      SeparatorCase{kSlash, "/home/u/logo.xbm", "logo.xbm"},
                      SeparatorCase{kSlash, "logo.xbm", "logo.xbm"},
                      SeparatorCase{kSlash, "dir\\logo.xbm", "dir\\logo.xbm"}));

TEST(PathRules, DirNameWithoutSeparatorIsInvalid) {
  EXPECT_EQ(ErrorNumberOf([] { DirName("a.xbm", kBackslash); }), error::kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { DirName("D:/img/a.xbm", kBackslash); }), error::kInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { DirName("a.xbm", kSlash); }), error::kInvalidArgument);
}

TEST(PathRules, NativeSeparatorIsTheDefault) {
  const std::string path = std::string("img") + kNativeSeparator + "logo.xbm";
  EXPECT_EQ(LeafName(path), "logo.xbm");
  EXPECT_EQ(DirName(path), "img");
}

struct JoinCase {
  char separator;
  std::string folder;
  std::string name;
  std::string expected;
};

void PrintTo(const JoinCase& join, std::ostream* out) {
  *out << ::testing::PrintToString(join.folder) << " + " << ::testing::PrintToString(join.name);
}

class JoinPathCase : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinPathCase, PutsExactlyOneSeparatorBetween) {
  const JoinCase& join = GetParam();
  EXPECT_EQ(JoinPath(join.folder, join.name, join.separator), join.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, JoinPathCase,
    ::testing::Values(JoinCase{kSlash, "/tmp/img", "a.xbm", "/tmp/img/a.xbm"},
                      JoinCase{kSlash, "/tmp/img/", "a.xbm", "/tmp/img/a.xbm"},
                      JoinCase{kSlash, "/", "allFiles.h", "/allFiles.h"},
                      JoinCase{kBackslash, "D:\\img", "a.xbm", "D:\\img\\a.xbm"},
                      JoinCase{kBackslash, "D:\\", "allFiles.h", "D:\\allFiles.h"}));

class TrimCase : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(TrimCase, DropsTrailingSeparatorsButKeepsTheRoot) {
  EXPECT_EQ(TrimTrailingSeparators(GetParam().input, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, TrimCase,
                         ::testing::Values(SeparatorCase{kSlash, "/tmp/img/", "/tmp/img"},
                                           SeparatorCase{kSlash, "/tmp/img///", "/tmp/img"},
                                           SeparatorCase{kSlash, "/tmp/img", "/tmp/img"},
                                           SeparatorCase{kSlash, "/", "/"},
                                           SeparatorCase{kSlash, "///", "/"},
                                           SeparatorCase{kBackslash, "D:\\img\\\\", "D:\\img"},
                                           SeparatorCase{kBackslash, "D:\\img/", "D:\\img/"}));

TEST(IsDirectoryTest, FolderIsADirectory) {
  const TempFolder folder;
  EXPECT_TRUE(IsDirectory(folder.Path()));
  EXPECT_TRUE(IsDirectory(folder.Path() + "/"));
}

TEST(IsDirectoryTest, ReadOnlyAndHiddenFoldersAreDirectories) {
  const TempFolder folder;
  const std::string readOnly = folder.MakeFolder("read_only");
  std::filesystem::permissions(
      readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);

  EXPECT_TRUE(IsDirectory(readOnly));
  EXPECT_TRUE(IsDirectory(folder.MakeFolder(".hidden")));
}

TEST(IsDirectoryTest, OrdinaryFileIsNot) {
  const TempFolder folder;
  EXPECT_FALSE(IsDirectory(folder.Write("logo.xbm", "0x00")));
}

TEST(IsDirectoryTest, MissingPathRaisesTheSystemError) {
  const TempFolder folder;
  const std::string missing = folder.PathOf("missing");
  try {
    IsDirectory(missing);
    FAIL() << "a missing path was answered";
  } catch (const AppError& error) {
    EXPECT_EQ(error.Number(), ENOENT);
    EXPECT_NE(error.Description().find(missing), std::string::npos) << error.Description();
  }
}

}  // namespace
}  // namespace lumivane::test
