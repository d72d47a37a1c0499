#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_samples.h"
#include "native_files.h"
#include "system_call_faults.h"
#include "system_calls.h"
#include "unusual_files.h"
#include "workflow_fixture.h"

namespace lumivane::test {
namespace {

namespace fs = std::filesystem;

// One obstacle put in the way of a file the action reads or writes.
struct Obstacle {
  const char* name;
  // Turns the (existing) file at the path into the obstacle; false when the
  // machine does not allow it.
  std::function<bool(const std::string&)> make;
  int number;
  const char* description;
  // When set, writes into any file stop at this size, as on a full disk.
  rlim_t sizeLimit = 0;
};

void PrintTo(const Obstacle& obstacle, std::ostream* out) {
  *out << obstacle.name;
}

bool Remove(const std::string& path) {
  return fs::remove(path);
}

// An obstacle that is a system call going wrong for the file.
std::function<bool(const std::string&)> Failing(FailingCall call) {
  return [call](const std::string& path) {
    FailSystemCall(call, path);
    return true;
  };
}

// The source a header is made from: logo.xbm for logo.h.
std::string SourceOf(const std::string& header) {
  return header.substr(0, header.size() - 2) + ".xbm";
}

const std::vector<Obstacle> kSourceObstacles = {
    {"Missing", Remove, 2, "No such file or directory"},
    {"Folder", [](const std::string& p) { return Remove(p) && fs::create_directory(p); }, 21,
     "Is a directory"},
    {"Fifo", [](const std::string& p) { return Remove(p) && MakeFifo(p); }, 22,
     "Not an ordinary file"},
    {"EndlessDevice", [](const std::string& p) { return Remove(p) && MakeEndlessDevice(p); }, 22,
     "Not an ordinary file"},
    {"ReadFails", Failing(FailingCall::kRead), 5, "Input/output error"},
    {"LargerThan64MiB",
     [](const std::string& p) { return ::truncate(p.c_str(), (64 << 20) + 1) == 0; }, 27,
     "File too large"},
};

// The runs listing is 100 bytes with its line end, the small one 64.
constexpr rlim_t kBetweenTheListingSizes = 80;

const std::vector<Obstacle> kOutputObstacles = {
    {"ReadOnly", [](const std::string& p) { return ::chmod(p.c_str(), 0444) == 0; }, 13,
     "Permission denied"},
    // Another user's: root too may write only a file that someone may write.
    {"ReadOnlyOfAnotherUser",
     [](const std::string& p) {
       return ::chown(p.c_str(), 65534, 65534) == 0 && ::chmod(p.c_str(), 0444) == 0;
     },
     13, "Permission denied"},
    {"Folder", [](const std::string& p) { return Remove(p) && fs::create_directory(p); }, 21,
     "Is a directory"},
    {"Fifo", [](const std::string& p) { return Remove(p) && MakeFifo(p); }, 22,
     "Not an ordinary file"},
    {"StoppedPartWay", [](const std::string&) { return true; }, 27, "File too large",
     kBetweenTheListingSizes},
    {"ModeNotCopied",
     [](const std::string& p) {
       return ::chmod(p.c_str(), 0640) == 0 && Failing(FailingCall::kFchmod)(p);
     },
     1, "Operation not permitted"},
    {"LinkToItsSource",
     [](const std::string& p) {
       return Remove(p) && ::symlink(SourceOf(p).c_str(), p.c_str()) == 0;
     },
     22, "Output is its own source"},
    {"HardLinkToItsSource",
     [](const std::string& p) { return Remove(p) && ::link(SourceOf(p).c_str(), p.c_str()) == 0; },
     22, "Output is its own source"},
    {"WriteCutShortByFullDisk", Failing(FailingCall::kShortWrite), 28, "No space left on device"},
    {"WriteTakesNothing", Failing(FailingCall::kZeroWrite), 5, "Input/output error"},
    {"CloseFails", Failing(FailingCall::kClose), 5, "Input/output error"},
    {"RenameFails", Failing(FailingCall::kRename), 18, "Invalid cross-device link"},
    {"LinkToItself",
     [](const std::string& p) { return Remove(p) && ::symlink(p.c_str(), p.c_str()) == 0; }, 40,
     "Too many levels of symbolic links"},
    {"NewInAFolderTakingNoFile",
     [](const std::string& p) { return Remove(p) && Failing(FailingCall::kCreateTemporary)(p); },
     13, "Permission denied"},
};

constexpr std::string_view kOldOutput = "an output from an earlier run";

struct FileState {
  fs::file_type type;
  fs::perms permissions;
  std::optional<std::string> bytes;
  bool operator==(const FileState&) const = default;
};

FileState StateOf(const TempFolder& folder, std::string_view relative) {
  const auto status = fs::symlink_status(folder.PathOf(relative));
  std::optional<std::string> bytes;
  if (status.type() == fs::file_type::regular) bytes = folder.Read(relative);
  return {status.type(), status.permissions(), bytes};
}

std::string RowName(const ::testing::TestParamInfo<Obstacle>& info) {
  return info.param.name;
}

// Every fault must leave what was there before it untouched and nothing half-written.
class FaultTest : public WorkflowTest, public ::testing::WithParamInterface<Obstacle> {
 protected:
  void TearDown() override { RestoreSystemCalls(); }

  bool Arrange(const std::string& relative) { return GetParam().make(folder.PathOf(relative)); }

  // Runs the action with the row's size limit in force, and never for ever.
  void Run(const std::function<void()>& action) {
    HangGuard guard;
    std::optional<FileSizeLimit> limit;
    if (GetParam().sizeLimit != 0) limit.emplace(GetParam().sizeLimit);
    action();
  }

  BoxRecord ExpectedBox(const std::string& relative, std::string_view title) const {
    return ErrorBox(GetParam().number,
                    std::string(GetParam().description) + ": " + folder.PathOf(relative), title);
  }

  void ExpectUntouched(const std::vector<std::string>& relatives) {
    for (const auto& relative : relatives) {
      EXPECT_EQ(StateOf(folder, relative), before_.at(relative)) << relative;
    }
    EXPECT_TRUE(NoTemporaryFiles());
    EXPECT_FALSE(workflows.IsRunning());
  }

  void Remember(const std::vector<std::string>& relatives) {
    for (const auto& relative : relatives) before_[relative] = StateOf(folder, relative);
  }

 private:
  std::map<std::string, FileState> before_;
};

// A, b and c, where b's source or b's output meets the obstacle: dropped as
// files when `dir` is empty, else as the folder `dir` (which also writes allFiles.h).
class BatchFault : public FaultTest {
 protected:
  // The batch must stop at b with a Save Error naming `faulty`, keep A's new
  // output and leave b's and c's earlier ones; `reports` is the progress by then.
  // An output that is a source is refused before anything, A's output too.
  void ExpectStopAtB(const std::string& dir, const std::string& faulty,
                     const std::string& reports) {
    folder.Write(dir + "A.xbm", kSmallBitmap);
    folder.Write(dir + "b.xbm", kRunsBitmap);
    folder.Write(dir + "c.xbm", kSmallBitmap);
    folder.Write(dir + "b.h", kOldOutput);
    folder.Write(dir + "c.h", kOldOutput);
    if (!Arrange(dir + faulty)) GTEST_SKIP() << "not allowed on this machine";
    const std::vector<std::string> kept{dir + "b.xbm", dir + "b.h", dir + "c.h",
                                        dir + "allFiles.h"};
    Remember(kept);
    platform.ClearRecords();
    Run([&] {
      workflows.Text1_OLEDragDrop(dir.empty() ? DropOf({"A.xbm", "b.xbm", "c.xbm"})
                                              : DropOf({dir}));
    });

    EXPECT_EQ(platform.Boxes(), (std::vector<BoxRecord>{ExpectedBox(dir + faulty, "Save Error")}));
    EXPECT_EQ(folder.Exists(dir + "A.h") ? folder.Read(dir + "A.h") : "",
              reports.empty() ? "" : SmallListing("A") + "\r\n");
    EXPECT_EQ(window.Text3(), reports);
    ExpectUntouched(kept);
    RestoreSystemCalls();
  }
};
class BatchSourceFault : public BatchFault {};
class BatchOutputFault : public BatchFault {};

TEST_P(BatchSourceFault, StopsTheBatchWithSaveErrorKeepingEarlierOutputs) {
  ExpectStopAtB("", "b.xbm", SmallReport("A"));
}

TEST_P(BatchOutputFault, StopsTheBatchWithSaveErrorKeepingEarlierOutputs) {
  const bool refusedFirst = GetParam().number == 22 && GetParam().description[0] == 'O';
  const std::string reports = refusedFirst ? "" : SmallReport("A") + RunsReport("b");
  ExpectStopAtB("", "b.h", reports);
  if (!IsSkipped()) ExpectStopAtB("d/", "b.h", reports);
}

INSTANTIATE_TEST_SUITE_P(Files, BatchSourceFault, ::testing::ValuesIn(kSourceObstacles), RowName);
INSTANTIATE_TEST_SUITE_P(Files, BatchOutputFault, ::testing::ValuesIn(kOutputObstacles), RowName);

// File > Load of logo.xbm, saving over an existing logo.h.
class LoadSourceFault : public FaultTest {};
class SaveOutputFault : public FaultTest {};

TEST_P(LoadSourceFault, ShowsLoadErrorWithoutSaveDialog) {
  folder.Write("logo.xbm", kRunsBitmap);
  folder.Write("logo.h", kOldOutput);
  if (!Arrange("logo.xbm")) GTEST_SKIP() << "not allowed on this machine";
  Remember({"logo.xbm", "logo.h"});
  platform.AnswerWith(folder.PathOf("logo.xbm"));
  Run([this] { workflows.mnuLoad_Click(); });

  EXPECT_EQ(platform.Boxes(), (std::vector<BoxRecord>{ExpectedBox("logo.xbm", "Load Error")}));
  EXPECT_EQ(platform.Dialogs().size(), 1u);
  ExpectUntouched({"logo.xbm", "logo.h"});
}

TEST_P(SaveOutputFault, ShowsSaveErrorAndKeepsTheOutput) {
  folder.Write("logo.xbm", kRunsBitmap);
  folder.Write("logo.h", kOldOutput);
  if (!Arrange("logo.h")) GTEST_SKIP() << "not allowed on this machine";
  Remember({"logo.xbm", "logo.h"});
  platform.AnswerWith(folder.PathOf("logo.xbm"));
  platform.AnswerWith(folder.PathOf("logo.h"));
  Run([this] { workflows.mnuLoad_Click(); });

  EXPECT_EQ(platform.Boxes(), (std::vector<BoxRecord>{ExpectedBox("logo.h", "Save Error")}));
  EXPECT_EQ(window.Text3(), RunsReport("logo"));
  EXPECT_EQ(state.CompressedText, RunsListing("logo"));
  ExpectUntouched({"logo.xbm", "logo.h"});
}

INSTANTIATE_TEST_SUITE_P(Load, LoadSourceFault, ::testing::ValuesIn(kSourceObstacles), RowName);
INSTANTIATE_TEST_SUITE_P(Load, SaveOutputFault, ::testing::ValuesIn(kOutputObstacles), RowName);

class FolderFaultTest : public WorkflowTest {
 protected:
  void SetUp() override {
    folder.Write("drop/A.xbm", kSmallBitmap);
    folder.Write("drop/b.xbm", kRunsBitmap);
    folder.Write("drop/c.xbm", kSmallBitmap);
    folder.Write("drop/allFiles.h", kOldOutput);
  }
  void TearDown() override { RestoreSystemCalls(); }
};

TEST_F(FolderFaultTest, FileRemovedBetweenListingAndReading) {
  platform.Before(FileCall::ReadTextFile, 2, [](const std::string& path) { fs::remove(path); });
  workflows.Text1_OLEDragDrop(DropOf({"drop"}));

  EXPECT_EQ(platform.Boxes(), SaveErrorAt(2, "No such file or directory", "drop/b.xbm"));
  EXPECT_EQ(folder.Read("drop/A.h"), SmallListing("A") + "\r\n");
  EXPECT_EQ(folder.Read("drop/allFiles.h"), kOldOutput);
  EXPECT_FALSE(folder.Exists("drop/c.h"));
  EXPECT_EQ(window.Text3(), SmallReport("A"));
  EXPECT_EQ(state.BatchText, SmallListing("A") + "\r\n");
  EXPECT_EQ(state.CompressedText, "");
}

TEST_F(FolderFaultTest, WriteStoppedPartWayKeepsEveryEarlierFile) {
  folder.Write("drop/b.h", kOldOutput);
  {
    FileSizeLimit limit(kBetweenTheListingSizes);
    workflows.Text1_OLEDragDrop(DropOf({"drop"}));
  }

  EXPECT_EQ(platform.Boxes(), SaveErrorAt(27, "File too large", "drop/b.h"));
  EXPECT_EQ(folder.Read("drop/A.h"), SmallListing("A") + "\r\n");
  EXPECT_EQ(folder.Read("drop/b.h"), kOldOutput);
  EXPECT_EQ(folder.Read("drop/allFiles.h"), kOldOutput);
  EXPECT_EQ(window.Text3(), SmallReport("A") + RunsReport("b"));
  EXPECT_EQ(state.BatchText, SmallListing("A") + "\r\n" + RunsListing("b") + "\r\n");
  EXPECT_TRUE(NoTemporaryFiles());
}

TEST_F(FolderFaultTest, InterruptedReadsAndWritesGoOnToTheEnd) {
  folder.Write("drop/b.h", kOldOutput);
  for (const auto& [call, file] : {std::pair{FailingCall::kInterruptedWrite, "drop/b.h"},
                                   std::pair{FailingCall::kInterruptedRead, "drop/b.xbm"}}) {
    FailSystemCall(call, folder.PathOf(file));
    workflows.Text1_OLEDragDrop(DropOf({"drop"}));

    EXPECT_TRUE(platform.Boxes().empty()) << file;
    EXPECT_EQ(folder.Read("drop/b.h"), RunsListing("b") + "\r\n");
    EXPECT_EQ(window.Text3(), SmallReport("A") + RunsReport("b") + SmallReport("c") + "COMPLETE");
    EXPECT_TRUE(NoTemporaryFiles());
  }
}

TEST_F(FolderFaultTest, ReadOnlyCollectionFailsAfterComplete) {
  ::chmod(folder.PathOf("drop/allFiles.h").c_str(), 0444);
  workflows.Text1_OLEDragDrop(DropOf({"drop"}));

  EXPECT_EQ(platform.Boxes(), SaveErrorAt(13, "Permission denied", "drop/allFiles.h"));
  EXPECT_EQ(folder.Read("drop/c.h"), SmallListing("c") + "\r\n");
  EXPECT_EQ(folder.Read("drop/allFiles.h"), kOldOutput);
  EXPECT_EQ(window.Text3(), SmallReport("A") + RunsReport("b") + SmallReport("c") + "COMPLETE");
  EXPECT_TRUE(NoTemporaryFiles());
}

// A link is listed as what it leads to: a bitmap, nothing, or a folder.
TEST_F(FolderFaultTest, SpecialFilesInTheFolderAreNotListed) {
  const bool fifo = MakeFifo(folder.PathOf("drop/pipe.xbm"));
  const bool device = MakeEndlessDevice(folder.PathOf("drop/zero.xbm"));
  ASSERT_TRUE(fifo || device);
  fs::create_symlink("c.xbm", folder.PathOf("drop/d.xbm"));
  fs::create_symlink("gone.xbm", folder.PathOf("drop/e.xbm"));
  fs::create_symlink(".", folder.PathOf("drop/f.xbm"));
  {
    HangGuard guard;
    workflows.Text1_OLEDragDrop(DropOf({"drop"}));
  }

  EXPECT_TRUE(platform.Boxes().empty());
  EXPECT_EQ(window.Text3(),
            SmallReport("A") + RunsReport("b") + SmallReport("c") + SmallReport("d") + "COMPLETE");
  EXPECT_EQ(folder.Read("drop/d.h"), SmallListing("d") + "\r\n");
  for (const char* unlisted : {"drop/pipe.h", "drop/zero.h", "drop/e.h", "drop/f.h"}) {
    EXPECT_FALSE(folder.Exists(unlisted)) << unlisted;
  }
}

TEST_F(FolderFaultTest, SourceLargerThan64MiBIsRefusedByName) {
  ASSERT_EQ(::truncate(folder.PathOf("drop/b.xbm").c_str(), 64 << 20), 0);
  EXPECT_EQ(ReadSourceFile(folder.PathOf("drop/b.xbm"), std::nullopt).text.size(), 64u << 20);
  ASSERT_EQ(::truncate(folder.PathOf("drop/b.xbm").c_str(), (64 << 20) + 1), 0);
  workflows.Text1_OLEDragDrop(DropOf({"drop"}));

  EXPECT_EQ(platform.Boxes(), SaveErrorAt(27, "File too large", "drop/b.xbm"));
  EXPECT_EQ(window.Text3(), SmallReport("A"));
  EXPECT_FALSE(folder.Exists("drop/b.h"));
}

// A collection that is one of the folder's sources, through a link or as a
// second name, is refused before anything is written.
TEST_F(FolderFaultTest, CollectionThatIsASourceIsRefusedFirst) {
  for (const bool hardLink : {false, true}) {
    const std::string collection = folder.PathOf("drop/allFiles.h");
    fs::remove(collection);
    hardLink ? fs::create_hard_link(folder.PathOf("drop/A.xbm"), collection)
             : fs::create_symlink("A.xbm", collection);
    platform.ClearRecords();
    workflows.Text1_OLEDragDrop(DropOf({"drop"}));

    EXPECT_EQ(platform.Boxes(), SaveErrorAt(22, "Output is its own source", "drop/allFiles.h"));
    EXPECT_EQ(folder.Read("drop/A.xbm"), kSmallBitmap);
    EXPECT_FALSE(folder.Exists("drop/A.h"));
    EXPECT_EQ(window.Text3(), "");
  }
}

TEST_F(FolderFaultTest, MoreFilesThanTheListingCountsNamesTheFolder) {
  // The listing as a folder of that many files would give it, without the
  // files: the listing counts 32,767, and the first missing file fails.
  const struct {
    std::size_t files;
    BoxRecord box;
  } rows[] = {
      {32768,
       ErrorBox(6,
                "Overflow: the folder " + folder.PathOf("drop") + " holds more than 32,767 files",
                "Save Error")},
      {32767,
       ErrorBox(2, "No such file or directory: " + folder.PathOf("drop/0.xbm"), "Save Error")},
  };
  struct CrowdedFolder : ScriptedPlatform {
    std::size_t files = 0;
    std::vector<std::string> ListFolder(const std::string&) override {
      std::vector<std::string> names(files);
      for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::to_string(i) + ".xbm";
      return names;
    }
  };
  for (const auto& row : rows) {
    CrowdedFolder crowded;
    crowded.files = row.files;
    Workflows crowdedWorkflows{state, window, crowded};
    crowdedWorkflows.Text1_OLEDragDrop(DropOf({"drop"}));

    EXPECT_EQ(crowded.Boxes(), std::vector<BoxRecord>{row.box}) << row.files;
    EXPECT_EQ(folder.Read("drop/allFiles.h"), kOldOutput);
  }
}

std::size_t bytesRead = 0;

ssize_t CountingRead(int fd, void* buffer, size_t size) {
  const ssize_t got = RealSystemCalls().read(fd, buffer, size);
  if (got > 0) bytesRead += static_cast<std::size_t>(got);
  return got;
}

TEST_F(FolderFaultTest, ReadingStopsOnceTheSourceIsCertainToOverflow) {
  // 1.6 million literals in 8 MiB: the verdict is certain in the first 200 KB.
  std::string tooManyLiterals;
  for (int i = 0; i < (8 << 20) / 5; ++i) tooManyLiterals += "0x00,";
  folder.Write("drop/b.xbm", tooManyLiterals);
  bytesRead = 0;
  Syscalls().read = CountingRead;
  workflows.Text1_OLEDragDrop(DropOf({"drop"}));

  EXPECT_EQ(platform.Boxes(), (std::vector<BoxRecord>{ErrorBox(6, "Overflow", "Save Error")}));
  EXPECT_EQ(window.Text3(), SmallReport("A"));
  EXPECT_LE(bytesRead, std::size_t{2} << 20);
}

// Calls through the seam during a run, by kind.
std::map<std::string, int> calls;

TEST_F(FolderFaultTest, ARerunAsksNothingTheListingTold) {
  workflows.Text1_OLEDragDrop(DropOf({"drop"}));
  calls.clear();
  SystemCalls& seam = Syscalls();
  seam.open = [](const char* p, int f, mode_t m) {
    return ++calls["open"], RealSystemCalls().open(p, f, m);
  };
  seam.fstat = [](int fd, struct stat* i) {
    return ++calls["fstat"], RealSystemCalls().fstat(fd, i);
  };
  seam.fchmod = [](int fd, mode_t m) { return ++calls["fchmod"], RealSystemCalls().fchmod(fd, m); };
  seam.fchown = [](int fd, uid_t u, gid_t g) {
    return ++calls["fchown"], RealSystemCalls().fchown(fd, u, g);
  };
  workflows.Text1_OLEDragDrop(DropOf({"drop"}));

  // Each of the three sources and its header, then the temporary for allFiles.h.
  EXPECT_EQ(calls, (std::map<std::string, int>{{"open", 7}}));
  EXPECT_TRUE(platform.Boxes().empty());
}

// A source replaced after it was read, as an editor saves it, is still the
// source: a link or a second name that leads to it by the time the header is
// written is refused as the output.
class SourceReplacedTest : public WorkflowTest {};

TEST_F(SourceReplacedTest, ALinkOrSecondNameLeadingToItIsRefused) {
  for (const bool hardLink : {false, true}) {
    const std::string dir = hardLink ? "hard/" : "soft/";
    const std::string source = folder.Write(dir + "logo.xbm", kRunsBitmap);
    const std::string header = folder.PathOf(dir + "logo.h");
    platform.BeforeEach(FileCall::WriteTextFile, [&](const std::string&) {
      // Made beside it first, so the new file cannot reuse the old one's number.
      fs::rename(folder.Write(dir + "new.xbm", "replaced"), source);
      hardLink ? fs::create_hard_link(source, header) : fs::create_symlink("logo.xbm", header);
    });
    platform.ClearRecords();
    platform.AnswerWith(source);
    platform.AnswerWith(header);
    workflows.mnuLoad_Click();

    EXPECT_EQ(platform.Boxes(), SaveErrorAt(22, "Output is its own source", dir + "logo.h")) << dir;
    EXPECT_EQ(folder.Read(dir + "logo.xbm"), "replaced") << dir;
  }
}

// Where the temporary cannot take the old file's place, the old file is
// rewritten in place: it keeps its owner, and nothing is left beside it.
struct InPlaceCase {
  const char* name;
  FailingCall call;
  // The owner the existing header has; changing it needs root.
  std::optional<uid_t> owner;
};

void PrintTo(const InPlaceCase& row, std::ostream* out) {
  *out << row.name;
}

class InPlaceTest : public WorkflowTest, public ::testing::WithParamInterface<InPlaceCase> {
 protected:
  void TearDown() override { RestoreSystemCalls(); }
};

TEST_P(InPlaceTest, WritesTheExistingHeaderItself) {
  // Longer than the new header: writing in place must not leave its tail.
  const std::string header = folder.Write("b.h", std::string(300, '#'));
  folder.Write("b.xbm", kRunsBitmap);
  if (GetParam().owner && ::chown(header.c_str(), *GetParam().owner, *GetParam().owner) != 0) {
    GTEST_SKIP() << "needs root to give the header away";
  }
  struct stat before {};
  ::stat(header.c_str(), &before);
  FailSystemCall(GetParam().call, header);
  workflows.Text1_OLEDragDrop(DropOf({"b.xbm"}));

  EXPECT_TRUE(platform.Boxes().empty());
  EXPECT_EQ(folder.Read("b.h"), RunsListing("b") + "\r\n");
  struct stat after {};
  ::stat(header.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_TRUE(NoTemporaryFiles());
}

INSTANTIATE_TEST_SUITE_P(
    Files, InPlaceTest,
    ::testing::Values(InPlaceCase{"OwnerCannotBeGivenBack", FailingCall::kFchown, 65534},
                      InPlaceCase{"FolderTakesNoNewFile", FailingCall::kCreateTemporary, {}},
                      InPlaceCase{"ImmutableFolder", FailingCall::kCreateImmutable, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumivane::test
