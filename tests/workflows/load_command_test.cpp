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

// A Load that ends before converting: a cancelled dialog, a name that is not
// exactly NAME.xbm (refused without reading), a file that cannot be read.
// Only the source path may change; the listings stay, the progress empties.
struct EarlyEnd {
  // In img/; empty for a cancelled dialog.
  std::string leaf;
  bool exists;
  // The box's prompt; empty for a read failure's error box.
  const char* prompt;
};

void PrintTo(const EarlyEnd& row, std::ostream* out) {
  *out << ::testing::PrintToString(row.leaf);
}

class EarlyEndTest : public LoadCommandTest, public ::testing::WithParamInterface<EarlyEnd> {};

constexpr const char* kRefused = "NOTHING TO COMPRESS";
constexpr const char* kImageRefused =
    "NOTHING TO COMPRESS\r\n\r\nImages are imported with File > Import Image.";

TEST_P(EarlyEndTest, KeepsTheListingsAndEmptiesTheProgress) {
  const EarlyEnd& row = GetParam();
  const std::string path = folder.PathOf("img/" + row.leaf);
  if (row.exists) folder.Write("img/" + row.leaf, kRunsBitmap);
  if (row.leaf.empty()) {
    platform.AnswerCancel();
  } else {
    platform.AnswerWith(path);
  }
  const auto filesBefore = folder.Tree();
  const ActionOutcome outcome = workflows.mnuLoad_Click();

  const bool readFails = row.prompt == nullptr;
  std::vector<BoxRecord> boxes;
  if (readFails) boxes.push_back(ErrorBox(2, "No such file or directory: " + path, "Load Error"));
  if (!readFails && !row.leaf.empty()) boxes.push_back({row.prompt, 0, "mnuLoad"});
  EXPECT_EQ(platform.Boxes(), boxes);
  EXPECT_EQ(outcome.kind, readFails ? ActionOutcome::Kind::kFailed : ActionOutcome::Kind::kEnded);
  EXPECT_EQ(outcome.error ? outcome.error->Number() : 0, readFails ? 2 : 0);
  EXPECT_EQ(platform.Calls(FileCall::ReadTextFile), readFails ? 1 : 0);
  EXPECT_EQ(platform.Dialogs().size(), 1u);
  ExpectProgressEmptied();
  EXPECT_EQ(state.SourcePath, row.leaf.empty() ? earlierPath : path);
  EXPECT_EQ(state.SourceFileName, readFails ? row.leaf : "first.xbm");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("earlier"));
  EXPECT_EQ(CurrentScreen(), earlierScreen);
  EXPECT_EQ(folder.Tree(), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Loads, EarlyEndTest,
    ::testing::Values(EarlyEnd{"", false, ""}, EarlyEnd{"Logo.XBM", true, kRefused},
                      EarlyEnd{"logo.Xbm", true, kRefused}, EarlyEnd{"logo.h", true, kRefused},
                      EarlyEnd{"logo", true, kRefused}, EarlyEnd{"logo.xbm.txt", true, kRefused},
                      EarlyEnd{"logo.", true, kRefused}, EarlyEnd{"logo.png", true, kImageRefused},
                      EarlyEnd{"photo.JPG", true, kImageRefused},
                      EarlyEnd{"scan.pgm", true, kImageRefused},
                      EarlyEnd{"logo.png.txt", true, kRefused},
                      EarlyEnd{"typed name.xbm", false, nullptr}));

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

// A Load that converts, then saves where the user says, or nothing when the
// save dialog is cancelled. The save dialog proposes DIR/NAME.h.
struct Converted {
  std::string dir, stem;
  std::string_view bitmap;
  // Relative; empty for a cancelled save dialog.
  std::string saveAs;
  // The proposed header held an older listing.
  bool headerExisted;
  std::string report, uncompressed, compressed;
  int listed;
};

void PrintTo(const Converted& row, std::ostream* out) {
  *out << ::testing::PrintToString(row.dir + "/" + row.stem) << " to "
       << ::testing::PrintToString(row.saveAs);
}

class ConvertedTest : public LoadCommandTest, public ::testing::WithParamInterface<Converted> {};

TEST_P(ConvertedTest, ListsReportsAndSavesWhereTheUserSays) {
  const Converted& row = GetParam();
  const std::string proposed = row.dir + "/" + row.stem + ".h";
  const std::string olderListing = "an older listing";
  folder.MakeFolder("elsewhere");
  if (row.headerExisted) folder.Write(proposed, olderListing);
  const std::string source = folder.Write(row.dir + "/" + row.stem + ".xbm", row.bitmap);
  platform.AnswerWith(source);
  if (row.saveAs.empty()) {
    platform.AnswerCancel();
  } else {
    platform.AnswerWith(folder.PathOf(row.saveAs));
  }
  const ActionOutcome outcome = workflows.mnuLoad_Click();

  EXPECT_EQ(outcome.kind,
            row.saveAs.empty() ? ActionOutcome::Kind::kEnded : ActionOutcome::Kind::kDone);
  EXPECT_EQ(window.Text3(), row.report);
  EXPECT_EQ(window.List1().Count(), row.listed);
  EXPECT_EQ(state.CompressedText, row.compressed);
  EXPECT_EQ(window.Text1(), row.uncompressed);
  EXPECT_EQ(window.Text2(), row.compressed);
  EXPECT_EQ(state.SourcePath, source);
  EXPECT_EQ(state.SourceFileName, row.stem + ".xbm");
  EXPECT_EQ(state.LastDirectory, folder.PathOf(row.dir));
  EXPECT_EQ(platform.Dialogs().back().settings.FileName, folder.PathOf(proposed));
  if (!row.saveAs.empty()) {
    EXPECT_EQ(folder.Read(row.saveAs), row.compressed + "\r\n");
  }
  if (row.saveAs != proposed) {
    EXPECT_EQ(folder.Exists(proposed) ? folder.Read(proposed) : "",
              row.headerExisted ? olderListing : "");
  }
  EXPECT_TRUE(platform.Boxes().empty());
  EXPECT_TRUE(NoTemporaryFiles());
}

INSTANTIATE_TEST_SUITE_P(
    Loads, ConvertedTest,
    ::testing::Values(
        // Nothing to compress: the bytes are still listed, offered and written.
        Converted{"img", "plain", kPlainBitmap, "img/plain.h", false,
                  std::string(kNothingToCompressLine), PlainListing("plain"), PlainListing("plain"),
                  3},
        Converted{"img", "logo", kRunsBitmap, "", true, RunsReport("logo"),
                  RunsUncompressedListing("logo"), RunsListing("logo"), 19},
        Converted{"img", "logo", kRunsBitmap, "img/logo.h", true, RunsReport("logo"),
                  RunsUncompressedListing("logo"), RunsListing("logo"), 19},
        // Another name in another folder leaves LastDirectory at the source.
        Converted{"img", "logo", kRunsBitmap, "elsewhere/other.h", false, RunsReport("logo"),
                  RunsUncompressedListing("logo"), RunsListing("logo"), 19},
        // Spaces and bytes outside UTF-8.
        Converted{"d\xfcr x", "my logo \xe9", kRunsBitmap, "d\xfcr x/my logo \xe9.h", false,
                  RunsReport("my logo \xe9"), RunsUncompressedListing("my logo \xe9"),
                  RunsListing("my logo \xe9"), 19}));

class LoadDialogs : public WorkflowTest {};

TEST_F(LoadDialogs, SettingsFollowLastDirectoryAndTheLastDotOfTheSource) {
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

}  // namespace
}  // namespace lumivane::test
