#include <string>
#include <vector>

#include "app_error.h"
#include "bitmap_samples.h"
#include "workflow_fixture.h"

namespace lumivane::test {
namespace {

// Window events that arrive during the message-loop pass of a running action.
class ReentrancyTest : public WorkflowTest {
 protected:
  void SetUp() override {
    folder.Write("first/A.xbm", kSmallBitmap);
    folder.Write("first/b.xbm", kRunsBitmap);
    folder.Write("second/z.xbm", kRunsBitmap);
  }

  // A drop and a Load, as the user would start them during the pass. The
  // fake has no dialog answers: a Load that is not ignored fails the test.
  void InterruptWithDropAndLoad() {
    window.OnPendingEvents([this] {
      runningDuringPass.push_back(workflows.IsRunning());
      refusedDuringPass.push_back(workflows.Text1_OLEDragDrop(DropOf({"second"})).kind ==
                                  ActionOutcome::Kind::kRefused);
      refusedDuringPass.push_back(workflows.mnuLoad_Click().kind == ActionOutcome::Kind::kRefused);
    });
  }

  std::vector<bool> runningDuringPass;
  std::vector<bool> refusedDuringPass;
};

TEST_F(ReentrancyTest, DropAndLoadDuringABatchAreIgnored) {
  InterruptWithDropAndLoad();
  EXPECT_EQ(workflows.Text1_OLEDragDrop(DropOf({"first"})).kind, ActionOutcome::Kind::kDone);

  EXPECT_EQ(runningDuringPass, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(refusedDuringPass, std::vector<bool>(6, true));
  EXPECT_FALSE(workflows.IsRunning());
  EXPECT_EQ(window.Text3(), SmallReport("A") + RunsReport("b") + "COMPLETE");
  EXPECT_EQ(folder.Read("first/A.h"), SmallListing("A") + "\r\n");
  EXPECT_EQ(folder.Read("first/b.h"), RunsListing("b") + "\r\n");
  EXPECT_EQ(folder.Read("first/allFiles.h"),
            SmallListing("A") + "\r\n" + RunsListing("b") + "\r\n\r\n");
  EXPECT_EQ(folder.Tree(),
            (std::vector<std::string>{"first/", "first/A.h", "first/A.xbm", "first/allFiles.h",
                                      "first/b.h", "first/b.xbm", "second/", "second/z.xbm"}));
  EXPECT_TRUE(platform.Dialogs().empty());
}

TEST_F(ReentrancyTest, DropAndLoadDuringALoadAreIgnored) {
  const std::string source = folder.PathOf("first/b.xbm");
  platform.AnswerWith(source);
  platform.AnswerWith(folder.PathOf("first/b.h"));
  InterruptWithDropAndLoad();
  workflows.mnuLoad_Click();

  EXPECT_EQ(runningDuringPass, std::vector<bool>{true});
  EXPECT_EQ(state.SourcePath, source);
  EXPECT_EQ(platform.Dialogs().back().settings.FileName, folder.PathOf("first/b.h"));
  EXPECT_EQ(folder.Read("first/b.h"), RunsListing("b") + "\r\n");
  EXPECT_FALSE(folder.Exists("second/z.h"));
  EXPECT_EQ(window.Text3(), RunsReport("b"));
}

// A closed window ends the Load before its save step and the batch before
// its first write, and releases each action for the next.
TEST_F(ReentrancyTest, ClosedWindowStopsTheActionAndReleasesIt) {
  window.OnPendingEvents([] { throw ActionAborted(); });
  platform.AnswerWith(folder.PathOf("first/b.xbm"));
  EXPECT_THROW(workflows.mnuLoad_Click(), ActionAborted);
  EXPECT_FALSE(workflows.IsRunning());
  EXPECT_EQ(platform.Dialogs().size(), 1u);
  EXPECT_THROW(workflows.Text1_OLEDragDrop(DropOf({"first"})), ActionAborted);

  EXPECT_FALSE(workflows.IsRunning());
  EXPECT_TRUE(platform.Boxes().empty());
  EXPECT_EQ(folder.Tree(), (std::vector<std::string>{"first/", "first/A.xbm", "first/b.xbm",
                                                     "second/", "second/z.xbm"}));

  window.OnPendingEvents(nullptr);
  workflows.Text1_OLEDragDrop(DropOf({"second"}));
  EXPECT_EQ(window.Text3(), RunsReport("z") + "COMPLETE");
}

}  // namespace
}  // namespace lumivane::test
