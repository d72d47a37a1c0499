#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bitmap_samples.h"
#include "workflow_fixture.h"

namespace lumivane::test {
namespace {

class DropBatchTest : public WorkflowTest {
 protected:
  void SetUp() override { state.LastDirectory = folder.MakeFolder("program"); }
};

// A folder whose listing order depends on the collation: bytewise it would
// be A, C, b.
class FolderModeTest : public DropBatchTest {
 protected:
  void SetUp() override {
    DropBatchTest::SetUp();
    folder.MakeFolder("drop/sub.xbm");
    folder.Write("drop/b.xbm", kRunsBitmap);
    folder.Write("drop/A.xbm", kSmallBitmap);
    folder.Write("drop/C.xbm", kPlainBitmap);
    folder.Write("drop/a.XBM", kRunsBitmap);
    folder.Write("drop/.hidden.xbm", kRunsBitmap);
    folder.Write("drop/notes.txt", kRunsBitmap);
    folder.Write("drop/old.h", "from an earlier run");
    folder.Write("drop/C.h", "from an earlier run");
    folder.Write("drop/allFiles.h", "from an earlier run");
    folder.Write("other.xbm", kRunsBitmap);
  }

  void ExpectFolderConverted() {
    EXPECT_EQ(window.Text3(), SmallReport("A") + RunsReport("b") +
                                  std::string(kNothingToCompressLine) + "COMPLETE");
    EXPECT_EQ(folder.Read("drop/A.h"), SmallListing("A") + "\r\n");
    EXPECT_EQ(folder.Read("drop/b.h"), RunsListing("b") + "\r\n");
    EXPECT_EQ(folder.Read("drop/C.h"), PlainListing("C") + "\r\n");
    EXPECT_EQ(folder.Read("drop/allFiles.h"), SmallListing("A") + "\r\n" + RunsListing("b") +
                                                  "\r\n" + PlainListing("C") + "\r\n" + "\r\n");
    EXPECT_EQ(folder.Read("drop/old.h"), "from an earlier run");
    // No a.h, .hidden.h, sub.h nor other.h.
    const std::vector<std::string> expectedTree{
        "drop/",          "drop/.hidden.xbm", "drop/A.h",        "drop/A.xbm", "drop/C.h",
        "drop/C.xbm",     "drop/a.XBM",       "drop/allFiles.h", "drop/b.h",   "drop/b.xbm",
        "drop/notes.txt", "drop/old.h",       "drop/sub.xbm/",   "other.xbm",  "program/",
    };
    EXPECT_EQ(folder.Tree(), expectedTree);
    EXPECT_TRUE(platform.Boxes().empty());
  }
};

// A second drop, of the folder with trailing separators, starts a fresh
// progress view and batch and changes nothing.
TEST_F(FolderModeTest, ConvertsTheSortedXbmFilesAndCollectsThemInAllFiles) {
  workflows.Text1_OLEDragDrop(DropOf({"drop", "other.xbm"}));

  ExpectFolderConverted();
  EXPECT_EQ(window.Text1(), PlainListing("C"));
  EXPECT_EQ(window.Text2(), PlainListing("C"));
  EXPECT_EQ(state.SourcePath, folder.PathOf("drop/C.xbm"));
  EXPECT_EQ(state.SourceFileName, "C.xbm");
  EXPECT_EQ(state.CompressedText, PlainListing("C"));
  EXPECT_EQ(state.BatchText,
            SmallListing("A") + "\r\n" + RunsListing("b") + "\r\n" + PlainListing("C") + "\r\n");
  EXPECT_EQ(state.LastDirectory, folder.PathOf("program"));
  EXPECT_EQ(window.EventPasses(), 3);

  workflows.Text1_OLEDragDrop(DropOf({"drop//"}));
  ExpectFolderConverted();
}

TEST_F(DropBatchTest, FolderWithoutBitmapsWritesALineEndOnly) {
  folder.Write("empty/readme.txt", "");
  workflows.Text1_OLEDragDrop(DropOf({"empty"}));

  EXPECT_EQ(window.Text3(), "COMPLETE");
  EXPECT_EQ(folder.Read("empty/allFiles.h"), "\r\n");
  EXPECT_EQ(window.EventPasses(), 1);
}

TEST_F(DropBatchTest, FolderNamesWithSpacesAndBytesOutsideUtf8) {
  folder.MakeFolder("my pics \xff");
  folder.Write("my pics \xff/\xe9t\xe9.xbm", kSmallBitmap);
  folder.Write("my pics \xff/my logo.xbm", kRunsBitmap);
  workflows.Text1_OLEDragDrop(DropOf({"my pics \xff"}));

  EXPECT_EQ(window.Text3(), RunsReport("my logo") + SmallReport("\xe9t\xe9") + "COMPLETE");
  EXPECT_EQ(folder.Read("my pics \xff/my logo.h"), RunsListing("my logo") + "\r\n");
  EXPECT_EQ(folder.Read("my pics \xff/\xe9t\xe9.h"), SmallListing("\xe9t\xe9") + "\r\n");
}

TEST_F(DropBatchTest, FilesModeConvertsEachBitmapBesideItsSource) {
  folder.MakeFolder("pics");
  folder.Write("one/f1.xbm", kRunsBitmap);
  folder.Write("one/notes.txt", kRunsBitmap);
  folder.Write("two/a.b.xbm", kSmallBitmap);
  folder.Write("two/Upper.XBM", kRunsBitmap);
  workflows.Text1_OLEDragDrop(
      DropOf({"one/f1.xbm", "pics", "one/notes.txt", "two/a.b.xbm", "two/Upper.XBM"}));

  EXPECT_EQ(window.Text3(), RunsReport("f1") + SmallReport("a") + "COMPLETE");
  EXPECT_EQ(folder.Read("one/f1.h"), RunsListing("f1") + "\r\n");
  EXPECT_EQ(folder.Read("two/a.b.h"), SmallListing("a") + "\r\n");
  EXPECT_FALSE(folder.Exists("two/Upper.h"));
  EXPECT_FALSE(folder.Exists("one/allFiles.h"));
  EXPECT_FALSE(folder.Exists("two/allFiles.h"));
  EXPECT_EQ(state.LastDirectory, folder.PathOf("two"));
  EXPECT_EQ(state.SourceFileName, "a.b.xbm");
  EXPECT_EQ(state.BatchText, "");
  EXPECT_EQ(window.EventPasses(), 2);
  EXPECT_TRUE(platform.Boxes().empty());
}

// A text without a single literal (e.xbm) has an empty header, not the one before it.
TEST_F(DropBatchTest, NothingToCompressWritesTheBytesAsTheyAreAndTheBatchGoesOn) {
  folder.Write("r.xbm", kRunsBitmap);
  folder.Write("e.xbm", "#define e_width 8\n");
  folder.Write("n.xbm", kPlainBitmap);
  folder.Write("n.h", "from an earlier run");
  folder.Write("s.xbm", kSmallBitmap);
  workflows.Text1_OLEDragDrop(DropOf({"r.xbm", "e.xbm", "n.xbm", "s.xbm"}));

  const std::string refused(kNothingToCompressLine);
  EXPECT_EQ(window.Text3(), RunsReport("r") + refused + refused + SmallReport("s") + "COMPLETE");
  EXPECT_EQ(folder.Read("e.h"), "\r\n");
  EXPECT_EQ(folder.Read("n.h"), PlainListing("n") + "\r\n");
  EXPECT_EQ(folder.Read("s.h"), SmallListing("s") + "\r\n");
}

TEST_F(DropBatchTest, FolderItemNamedLikeABitmapEndsFilesModeWithTheBox) {
  folder.Write("f1.xbm", kRunsBitmap);
  folder.MakeFolder("pics.xbm");
  folder.Write("f2.xbm", kSmallBitmap);
  workflows.Text1_OLEDragDrop(DropOf({"f1.xbm", "pics.xbm", "f2.xbm"}));

  EXPECT_EQ(platform.Boxes(), SaveErrorAt(21, "Is a directory", "pics.xbm"));
  EXPECT_EQ(window.Text3(), RunsReport("f1"));
  EXPECT_EQ(folder.Read("f1.h"), RunsListing("f1") + "\r\n");
  EXPECT_FALSE(folder.Exists("f2.h"));
}

TEST_F(DropBatchTest, DropWithoutFileListKeepsTheProgressView) {
  window.SetText3("earlier progress");
  workflows.Text1_OLEDragDrop(DropData::WithoutFileList());

  EXPECT_EQ(platform.Boxes(), (std::vector<BoxRecord>{ErrorBox(
                                  461, "The dropped data holds no list of files", "Save Error")}));
  EXPECT_EQ(window.Text3(), "earlier progress");
}

TEST_F(DropBatchTest, MissingFirstItemKeepsTheProgressView) {
  window.SetText3("earlier progress");
  workflows.Text1_OLEDragDrop(DropOf({"gone"}));

  EXPECT_EQ(platform.Boxes(), SaveErrorAt(2, "No such file or directory", "gone"));
  EXPECT_EQ(window.Text3(), "earlier progress");
  EXPECT_EQ(folder.Tree(), std::vector<std::string>{"program/"});
}

}  // namespace
}  // namespace lumivane::test
