#include "path_rules.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "app_error.h"
#include "native_files.h"
#include "temp_folder.h"

namespace lumivane::test {
namespace {

constexpr char kBackslash = '\\';
constexpr char kSlash = '/';

// Every rule as one signature: the path and the separator, which the rules
// that search for a dot do not use.
using Rule = std::string (*)(std::string_view, char);
constexpr Rule kExtName = [](std::string_view p, char) { return ExtName(p); };
constexpr Rule kStemName = [](std::string_view p, char) { return StemName(p); };
constexpr Rule kHeaderPath = [](std::string_view p, char) { return HeaderPath(p); };
constexpr Rule kDirName = [](std::string_view p, char s) { return DirName(p, s); };
constexpr Rule kLeafName = [](std::string_view p, char s) { return LeafName(p, s); };
constexpr Rule kTrim = [](std::string_view p, char s) { return TrimTrailingSeparators(p, s); };

// What the rule gives, or "error N" for the error it raises.
std::string Outcome(Rule rule, const std::string& input, char separator) {
  try {
    return rule(input, separator);
  } catch (const AppError& error) {
    return "error " + std::to_string(error.Number());
  }
}

TEST(PathRules, GiveTheExpectedTextOrRefuse) {
  const std::string kInvalid = "error " + std::to_string(error::kInvalidArgument);
  const struct {
    const char* rule;
    Rule function;
    char separator;
    std::string input;
    std::string expected;
  } rows[] = {
      // The trimmed text after the last dot.
      {"ExtName", kExtName, kSlash, "image.xbm", "xbm"},
      {"ExtName", kExtName, kSlash, "a.b.XBM", "XBM"},
      {"ExtName", kExtName, kSlash, "name.", ""},
      {"ExtName", kExtName, kSlash, "no dot here", ""},
      {"ExtName", kExtName, kSlash, "name. xbm ", "xbm"},
      {"ExtName", kExtName, kSlash, "name.   ", ""},
      {"ExtName", kExtName, kSlash, "name.\txbm", "\txbm"},
      {"ExtName", kExtName, kSlash, "D:\\dir.old\\file", "old\\file"},
      {"ExtName", kExtName, kSlash, "/home/dir.old/file", "old/file"},
      {"ExtName", kExtName, kSlash, "D:\\img\\logo.xbm", "xbm"},
      {"ExtName", kExtName, kSlash, "", ""},
      // The text before the first dot.
      {"StemName", kStemName, kSlash, ".xbm", ""},
      {"StemName", kStemName, kSlash, "a.b.xbm", "a"},
      {"StemName", kStemName, kSlash, "logo.xbm", "logo"},
      {"StemName", kStemName, kSlash, "logo.small.xbm", "logo"},
      {"StemName", kStemName, kSlash, "trailing.", "trailing"},
      {"StemName", kStemName, kSlash, "logo_xbm", kInvalid},
      {"StemName", kStemName, kSlash, "", kInvalid},
      // Only the last extension is replaced.
      {"HeaderPath", kHeaderPath, kSlash, "D:\\x\\a.b.xbm", "D:\\x\\a.b.h"},
      {"HeaderPath", kHeaderPath, kSlash, "D:\\img\\logo.xbm", "D:\\img\\logo.h"},
      {"HeaderPath", kHeaderPath, kSlash, "/x/a.b.xbm", "/x/a.b.h"},
      {"HeaderPath", kHeaderPath, kSlash, "logo.xbm", "logo.h"},
      {"HeaderPath", kHeaderPath, kSlash, "name.", "name.h"},
      {"HeaderPath", kHeaderPath, kSlash, "D:\\img\\logo", kInvalid},
      // The same rules, with Windows paths and with POSIX paths.
      {"DirName", kDirName, kBackslash, "D:\\a.xbm", "D:"},
      {"DirName", kDirName, kBackslash, "D:\\img\\logo.xbm", "D:\\img"},
      {"DirName", kDirName, kBackslash, "D:\\img\\", "D:\\img"},
      {"DirName", kDirName, kBackslash, "D:\\img/sub/logo.xbm", "D:"},
      {"DirName", kDirName, kSlash, "/a.xbm", ""},
      {"DirName", kDirName, kSlash, "/home/u/logo.xbm", "/home/u"},
      {"DirName", kDirName, kSlash, "/home/u/dir\\logo.xbm", "/home/u"},
      {"DirName", kDirName, kBackslash, "a.xbm", kInvalid},
      {"DirName", kDirName, kBackslash, "D:/img/a.xbm", kInvalid},
      {"DirName", kDirName, kSlash, "a.xbm", kInvalid},
      {"LeafName", kLeafName, kBackslash, "D:\\img\\logo.xbm", "logo.xbm"},
      {"LeafName", kLeafName, kBackslash, "logo.xbm", "logo.xbm"},
      {"LeafName", kLeafName, kBackslash, "D:\\img\\", ""},
      {"LeafName", kLeafName, kBackslash, "dir/logo.xbm", "dir/logo.xbm"},
      {"LeafName", kLeafName, kSlash, "/home/u/logo.xbm", "logo.xbm"},
      {"LeafName", kLeafName, kSlash, "logo.xbm", "logo.xbm"},
      {"LeafName", kLeafName, kSlash, "dir\\logo.xbm", "dir\\logo.xbm"},
      // Trailing separators go, the root stays.
      {"Trim", kTrim, kSlash, "/tmp/img/", "/tmp/img"},
      {"Trim", kTrim, kSlash, "/tmp/img///", "/tmp/img"},
      {"Trim", kTrim, kSlash, "/tmp/img", "/tmp/img"},
      {"Trim", kTrim, kSlash, "/", "/"},
      {"Trim", kTrim, kSlash, "///", "/"},
      {"Trim", kTrim, kBackslash, "D:\\img\\\\", "D:\\img"},
      {"Trim", kTrim, kBackslash, "D:\\img/", "D:\\img/"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Outcome(row.function, row.input, row.separator), row.expected)
        << row.rule << "('" << row.separator << "', " << ::testing::PrintToString(row.input) << ")";
  }
}

TEST(PathRules, JoinPathPutsExactlyOneSeparatorBetween) {
  const struct {
    char separator;
    std::string folder, name, expected;
  } rows[] = {
      {kSlash, "/tmp/img", "a.xbm", "/tmp/img/a.xbm"},
      {kSlash, "/tmp/img/", "a.xbm", "/tmp/img/a.xbm"},
      {kSlash, "/", "allFiles.h", "/allFiles.h"},
      {kSlash, "", "a.xbm", "/a.xbm"},
      {kBackslash, "D:\\img", "a.xbm", "D:\\img\\a.xbm"},
      {kBackslash, "D:\\", "allFiles.h", "D:\\allFiles.h"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(JoinPath(row.folder, row.name, row.separator), row.expected) << row.folder;
  }
}

TEST(PathRules, NativeSeparatorIsTheDefault) {
  const std::string path = std::string("img") + kNativeSeparator + "logo.xbm";
  EXPECT_EQ(LeafName(path), "logo.xbm");
  EXPECT_EQ(DirName(path), "img");
}

TEST(IsDirectoryTest, FoldersOfAnyKindAreDirectoriesFilesAreNotAndMissingPathsRaise) {
  const TempFolder folder;
  const std::string readOnly = folder.MakeFolder("read_only");
  std::filesystem::permissions(
      readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_TRUE(IsDirectory(folder.Path()));
  EXPECT_TRUE(IsDirectory(folder.Path() + "/"));
  EXPECT_TRUE(IsDirectory(readOnly));
  EXPECT_TRUE(IsDirectory(folder.MakeFolder(".hidden")));
  EXPECT_FALSE(IsDirectory(folder.Write("logo.xbm", "0x00")));

  const std::string missing = folder.PathOf("missing");
  try {
    IsDirectory(missing);
    FAIL() << "a missing path was answered";
  } catch (const AppError& error) {
    EXPECT_EQ(error.Number(), ENOENT);
    EXPECT_EQ(error.Description(), "No such file or directory: " + missing);
  }
}

}  // namespace
}  // namespace lumivane::test
