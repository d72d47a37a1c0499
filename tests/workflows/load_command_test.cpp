#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "bitmap_samples.h"
#include "workflow_fixture.h"

namespace lumivane::test {
namespace {

auto Fields(const FileDialogSettings& s) {
  return std::make_tuple(s.DialogTitle, s.Filter, s.InitDir, s.FileName, s.Flags);
}

const std::string kOpenTitle = "Load a Bitmap.xbm File";
const std::string kOpenFilter = "Hex Files(*.xbm)|*.xbm|All Files(*.*)|*.*";
const std::string kSaveTitle = "Save as bitmap.h File";
const std::string kSaveFilter = "Compressed Hex Files(*.h)|*.h|All Files(*.*)|*.*";

// Every Load here follows an earlier one from "earlier/", so that what a
// Load keeps can be told from what it changes.
class LoadCommandTest : public WorkflowTest {
 protected:
  void SetUp() override {
    state.LastDirectory = folder.MakeFolder("program");
    folder.MakeFolder("earlier");
    folder.MakeFolder("img");
    earlierPath = folder.Write("earlier/first.xbm", kSmallBitmap);
    platform.AnswerWith(earlierPath);
    platform.AnswerWith(folder.PathOf("earlier/first.h"));
    workflows.mnuLoad_Click();
    ASSERT_EQ(window.Text3(), SmallReport("first"));
    earlierScreen = CurrentScreen();
    platform.ClearRecords();
  }

  void ExpectProgressEmptied() {
    EXPECT_EQ(window.Text3(), "");
    EXPECT_EQ(window.List1().Count(), 0);
    EXPECT_EQ(state.CompressedText, "");
  }

  std::string earlierPath;
  Screen earlierScreen;
};

TEST_F(LoadCommandTest, CancelledOpenDialogEmptiesProgressAndKeepsListings) {
  const auto filesBefore = folder.Tree();
  platform.AnswerCancel();
  EXPECT_EQ(workflows.mnuLoad_Click().kind, ActionOutcome::Kind::kEnded);

  ExpectProgressEmptied();
  EXPECT_EQ(state.SourcePath, earlierPath);
  EXPECT_EQ(state.SourceFileName, "first.xbm");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("earlier"));
  EXPECT_EQ(CurrentScreen(), earlierScreen);
  EXPECT_EQ(platform.Dialogs().size(), 1u);
  EXPECT_TRUE(platform.Boxes().empty());
  EXPECT_EQ(folder.Tree(), filesBefore);
}

struct WrongExtension {
  const char* name;
  const char* prompt;
};

class WrongExtensionTest : public LoadCommandTest,
                           public ::testing::WithParamInterface<WrongExtension> {};

TEST_P(WrongExtensionTest, RefusedWithoutReadingAndOnlySourcePathChanges) {
  const std::string path = folder.Write(std::string("img/") + GetParam().name, kRunsBitmap);
  platform.AnswerWith(path);
  workflows.mnuLoad_Click();

  EXPECT_EQ(platform.Boxes(), (std::vector<BoxRecord>{{GetParam().prompt, 0, "mnuLoad"}}));
  EXPECT_EQ(platform.Calls(FileCall::ReadTextFile), 0);
  EXPECT_EQ(platform.Dialogs().size(), 1u);
  ExpectProgressEmptied();
  EXPECT_EQ(state.SourcePath, path);
  EXPECT_EQ(state.SourceFileName, "first.xbm");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("earlier"));
  EXPECT_EQ(CurrentScreen(), earlierScreen);
  EXPECT_TRUE(NoTemporaryFiles());
}

constexpr const char* kRefused = "NOTHING TO COMPRESS";
constexpr const char* kImageRefused =
    "NOTHING TO COMPRESS\r\n\r\nImages are imported with File > Import Image.";

INSTANTIATE_TEST_SUITE_P(
    NotExactlyXbm, WrongExtensionTest,
    ::testing::Values(WrongExtension{"Logo.XBM", kRefused}, WrongExtension{"logo.Xbm", kRefused},
                      WrongExtension{"logo.h", kRefused}, WrongExtension{"logo", kRefused},
                      WrongExtension{"logo.xbm.txt", kRefused}, WrongExtension{"logo.", kRefused},
                      WrongExtension{"logo.png", kImageRefused},
                      WrongExtension{"photo.JPG", kImageRefused},
                      WrongExtension{"scan.pgm", kImageRefused},
                      WrongExtension{"logo.png.txt", kRefused}));

TEST_F(LoadCommandTest, ReadFailureShowsLoadErrorAndNoSaveDialog) {
  const std::string missing = folder.PathOf("img/typed name.xbm");
  platform.AnswerWith(missing);
  const ActionOutcome outcome = workflows.mnuLoad_Click();

  EXPECT_EQ(outcome.kind, ActionOutcome::Kind::kFailed);
  ASSERT_TRUE(outcome.error.has_value());
  EXPECT_EQ(outcome.error->Number(), 2);
  EXPECT_EQ(
      platform.Boxes(),
      (std::vector<BoxRecord>{ErrorBox(2, "No such file or directory: " + missing, "Load Error")}));
  EXPECT_EQ(platform.Dialogs().size(), 1u);
  ExpectProgressEmptied();
  EXPECT_EQ(state.SourcePath, missing);
  EXPECT_EQ(state.SourceFileName, "typed name.xbm");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("earlier"));
  EXPECT_EQ(CurrentScreen(), earlierScreen);
}

TEST_F(LoadCommandTest, ConversionFailureShowsLoadErrorWithEmptyProgress) {
  std::string tooManyBytes;
  for (int i = 0; i < 32767; ++i) tooManyBytes += "0x00,";
  platform.AnswerWith(folder.Write("img/huge.xbm", tooManyBytes));
  workflows.mnuLoad_Click();

  EXPECT_EQ(platform.Boxes(), (std::vector<BoxRecord>{ErrorBox(6, "Overflow", "Load Error")}));
  EXPECT_EQ(platform.Dialogs().size(), 1u);
  EXPECT_EQ(window.Text3(), "");
  EXPECT_FALSE(folder.Exists("img/huge.h"));
}

TEST_F(LoadCommandTest, NothingToCompressStillOffersSaveAndWritesTheBytes) {
  const std::string path = folder.Write("img/plain.xbm", kPlainBitmap);
  platform.AnswerWith(path);
  platform.AnswerWith(folder.PathOf("img/plain.h"));
  workflows.mnuLoad_Click();

  EXPECT_EQ(window.Text3(), kNothingToCompressLine);
  EXPECT_EQ(window.List1().Count(), 3);
  EXPECT_EQ(state.CompressedText, PlainListing("plain"));
  EXPECT_EQ(state.SourcePath, path);
  EXPECT_EQ(state.SourceFileName, "plain.xbm");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("img"));
  EXPECT_EQ(window.Text1(), PlainListing("plain"));
  EXPECT_EQ(window.Text2(), PlainListing("plain"));
  EXPECT_EQ(folder.Read("img/plain.h"), PlainListing("plain") + "\r\n");
  EXPECT_TRUE(platform.Boxes().empty());
}

TEST_F(LoadCommandTest, ConvertedButSaveCancelledWritesNothing) {
  const std::string path = folder.Write("img/logo.xbm", kRunsBitmap);
  platform.AnswerWith(path);
  platform.AnswerCancel();
  EXPECT_EQ(workflows.mnuLoad_Click().kind, ActionOutcome::Kind::kEnded);

  EXPECT_EQ(window.Text3(), RunsReport("logo"));
  EXPECT_EQ(window.List1().Count(), 19);
  EXPECT_EQ(state.CompressedText, RunsListing("logo"));
  EXPECT_EQ(window.Text1(), RunsUncompressedListing("logo"));
  EXPECT_EQ(window.Text2(), RunsListing("logo"));
  EXPECT_EQ(state.SourceFileName, "logo.xbm");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("img"));
  EXPECT_FALSE(folder.Exists("img/logo.h"));
  EXPECT_TRUE(platform.Boxes().empty());
  EXPECT_TRUE(NoTemporaryFiles());
}

TEST_F(LoadCommandTest, ConvertedAndSavedUnderTheProposedName) {
  folder.Write("img/logo.h", "an older listing");
  platform.AnswerWith(folder.Write("img/logo.xbm", kRunsBitmap));
  platform.AnswerWith(folder.PathOf("img/logo.h"));
  EXPECT_EQ(workflows.mnuLoad_Click().kind, ActionOutcome::Kind::kDone);

  EXPECT_EQ(folder.Read("img/logo.h"), RunsListing("logo") + "\r\n");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("img"));
  EXPECT_TRUE(platform.Boxes().empty());
  EXPECT_TRUE(NoTemporaryFiles());
}

TEST_F(LoadCommandTest, AnotherNameInAnotherFolderLeavesLastDirectoryAtTheSource) {
  folder.MakeFolder("elsewhere");
  platform.AnswerWith(folder.Write("img/logo.xbm", kRunsBitmap));
  platform.AnswerWith(folder.PathOf("elsewhere/other.h"));
  workflows.mnuLoad_Click();

  EXPECT_EQ(folder.Read("elsewhere/other.h"), RunsListing("logo") + "\r\n");
  EXPECT_FALSE(folder.Exists("img/logo.h"));
  EXPECT_EQ(state.LastDirectory, folder.PathOf("img"));
}

TEST(LoadDialogs, SettingsFollowLastDirectoryAndTheLastDotOfTheSource) {
  TempFolder folder;
  ConversionState state;
  MemorySurface window;
  ScriptedPlatform platform;
  Workflows workflows(state, window, platform);
  state.LastDirectory = folder.MakeFolder("program");
  folder.MakeFolder("img");
  const std::string source = folder.Write("img/logo.small.xbm", kRunsBitmap);
  platform.AnswerWith(source);
  platform.AnswerCancel();
  platform.AnswerCancel();
  workflows.mnuLoad_Click();
  workflows.mnuLoad_Click();

  const auto& dialogs = platform.Dialogs();
  ASSERT_EQ(dialogs.size(), 3u);
  EXPECT_EQ(dialogs[0].kind, DialogKind::Open);
  EXPECT_EQ(Fields(dialogs[0].settings),
            Fields({kOpenTitle, kOpenFilter, folder.PathOf("program"), "", 4}));
  EXPECT_EQ(dialogs[1].kind, DialogKind::Save);
  EXPECT_EQ(Fields(dialogs[1].settings), Fields({kSaveTitle, kSaveFilter, folder.PathOf("img"),
                                                 folder.PathOf("img/logo.small.h"), 2050}));
  EXPECT_EQ(Fields(dialogs[2].settings),
            Fields({kOpenTitle, kOpenFilter, folder.PathOf("img"), "", 4}));
  EXPECT_EQ(window.Text3(), "");
}

TEST_F(LoadCommandTest, NamesWithSpacesAndBytesOutsideUtf8) {
  folder.MakeFolder("d\xfcr x");
  platform.AnswerWith(folder.Write("d\xfcr x/my logo \xe9.xbm", kRunsBitmap));
  platform.AnswerWith(folder.PathOf("d\xfcr x/my logo \xe9.h"));
  workflows.mnuLoad_Click();

  EXPECT_EQ(window.Text3(), RunsReport("my logo \xe9"));
  EXPECT_EQ(folder.Read("d\xfcr x/my logo \xe9.h"), RunsListing("my logo \xe9") + "\r\n");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("d\xfcr x"));
  EXPECT_EQ(platform.Dialogs().back().settings.FileName, folder.PathOf("d\xfcr x/my logo \xe9.h"));
}

}  // namespace
}  // namespace lumivane::test
