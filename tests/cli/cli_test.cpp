#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "conversion_state.h"
#include "drop_data.h"
#include "lumivane_version.h"
#include "memory_surface.h"
#include "process_runner.h"
#include "scripted_platform.h"
#include "temp_folder.h"
#include "workflows.h"
#include "xbm_writer.h"

namespace lumivane::test {
namespace {

const std::string kCli = LUMIVANE_CLI_PATH;
constexpr std::string_view kBoxHead = "The following error has occurred:\r\n";

struct DirectDrop {
  std::string text3;
  ScriptedPlatform platform;
};

// The drop the window would make with these paths, run in this process.
void DropDirectly(const std::vector<std::string>& paths, DirectDrop& drop) {
  ConversionState state;
  MemorySurface window;
  Workflows workflows(state, window, drop.platform);
  workflows.Text1_OLEDragDrop(DropData::FileList(paths));
  drop.text3 = window.Text3();
}

// The headers' contents in the order the drop wrote them, as --stdout prints
// them: the folder's "allFiles.h" left out.
std::string ListingsInOrder(const DirectDrop& drop) {
  std::string listings;
  for (const WriteRecord& write : drop.platform.Writes()) {
    if (write.kind == WriteKind::kHeader) listings.append(write.content);
  }
  return listings;
}

std::vector<std::string> Paths(const TempFolder& folder, const std::vector<std::string>& names) {
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back(folder.PathOf(name));
  return paths;
}

ProcessResult RunCli(std::vector<std::string> arguments, const ProcessOptions& options = {}) {
  arguments.insert(arguments.begin(), kCli);
  return RunProcess(arguments, options);
}

// Sources that take every path of a drop: runs, a refused text, names with
// two dots, a name the batch file shares, and files the drop skips.
void WriteSources(const TempFolder& folder) {
  folder.Write("logo.xbm",
               XbmText("logo", Concat({Run(300, 0x00), {0x3C, 0x7E}, Run(40, 0xFF), {0x00}})));
  folder.Write("b.small.xbm", XbmText("b", {0x01, 0xff, 0x02, 0x00, 0x00}));
  folder.Write("refused.xbm", "static char refused_bits[] = { 0x01, 0x7e };\n");
  folder.Write("allFiles.xbm", XbmText("allFiles", Run(17, 0x00)));
  folder.Write("Upper.XBM", XbmText("Upper", {0x00}));
  folder.Write("notes.txt", "0x00");
  folder.Write("sub/inner.xbm", XbmText("inner", {0x00}));
}

// Bare names and names after "--" are files of the working folder.
TEST(CliConvert, WritesOrPrintsWhatTheDropWrites) {
  TempFolder viaCli, direct;
  WriteSources(viaCli);
  viaCli.Write("-dash.xbm", XbmText("dash", {0x00, 0x00, 0x3C}));
  viaCli.CopyInto(direct);
  struct Case {
    const char* name;
    std::vector<std::string> options;
    // No names: the folder itself.
    std::vector<std::string> names;
    bool bare = false;
  };
  // Files before the folder, which alone makes allFiles.h; the headers go to
  // standard output last, as only the window's drop writes them then.
  const Case cases[] = {
      {"files", {}, {"refused.xbm", "logo.xbm", "notes.txt", "Upper.XBM", "sub", "b.small.xbm"}},
      {"bare names", {"--"}, {"-dash.xbm", "logo.xbm"}, true},
      {"folder", {}, {}},
      {"folder to stdout", {"--stdout"}, {""}},
      {"files to stdout", {"--stdout"}, {"b.small.xbm", "refused.xbm", "allFiles.xbm", "logo.xbm"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto before = viaCli.Snapshot();
    std::vector<std::string> arguments = c.bare            ? c.names
                                         : c.names.empty() ? std::vector{viaCli.Path()}
                                                           : Paths(viaCli, c.names);
    arguments.insert(arguments.begin(), c.options.begin(), c.options.end());
    const ProcessResult cli = RunCli(arguments, InFolder(viaCli.Path()));
    DirectDrop drop;
    DropDirectly(c.names.empty() ? std::vector{direct.Path()} : Paths(direct, c.names), drop);

    EXPECT_EQ(cli.exitCode, 0);
    if (c.options == std::vector<std::string>{"--stdout"}) {
      EXPECT_EQ(cli.out, ListingsInOrder(drop));
      EXPECT_EQ(cli.err, drop.text3 + "\n");
      EXPECT_EQ(viaCli.Snapshot(), before);
      continue;
    }
    EXPECT_EQ(cli.out, drop.text3 + "\n");
    EXPECT_EQ(cli.err, "");
    EXPECT_EQ(viaCli.Snapshot(), direct.Snapshot());
    // Only a folder makes the collection file.
    EXPECT_EQ(viaCli.Snapshot().count("allFiles.h"), c.names.empty() ? 1u : 0u);
  }
}

TEST(CliUsage, WrongArgumentsExitTwoAndTouchNothing) {
  TempFolder folder;
  WriteSources(folder);
  const auto before = folder.Snapshot();
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--stdout"},
      {"--"},
      {"--bogus", folder.Path()},
      {folder.Path(), "-x"},
      {"-stdout"},
      // An unset variable in a build script, never the working folder.
      {""},
      {"logo.xbm", ""},
      {"-o"},
      {"-o", "", "logo.xbm"},
      {"--collect", "sub/all.h", "logo.xbm"},
      {"--stdout", "--check", "logo.xbm"},
      {"--stdout", "-o", "out", "logo.xbm"},
      {"--stdout", "--collect", "all.h", "logo.xbm"},
      {"--depfile", "", "logo.xbm"},
      {"--check", "--depfile", "d.d", "logo.xbm"},
      // Reading headers back converts and writes nothing else.
      {"--show", "--stdout", "a.h"},
      {"--show", "--check", "a.h"},
      {"--to-png", "png", "-o", "out", "a.h"},
      {"--to-png", "png", "--depfile", "d.d", "a.h"},
      {"--show", "--collect", "all.h", "a.h"},
      {"--show", "--with-size", "a.h"},
      {"--show", "--size", "0x8", "a.h"}};
  for (const auto& arguments : cases) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    const ProcessResult cli = RunCli(arguments, InFolder(folder.Path()));
    EXPECT_EQ(cli.exitCode, 2);
    EXPECT_EQ(cli.out, "");
    EXPECT_NE(cli.err.find("Usage: lumivane-cli"), std::string::npos) << cli.err;
  }
  EXPECT_EQ(folder.Snapshot(), before);
}

TEST(CliUsage, HelpAndVersionExitZero) {
  const ProcessResult help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--stdout"), std::string::npos);
  EXPECT_EQ(help.err, "");

  const ProcessResult version = RunCli({"some.xbm", "--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, std::string("lumivane-cli ") + version::kFull + "\n");
  EXPECT_EQ(std::string(version::kFull), "1.0.0.153");
}

TEST(CliFailure, StopsAtAFailingWriteAndKeepsWhatWasWritten) {
  TempFolder viaCli, direct;
  for (const char* name : {"a.xbm", "b.xbm", "c.xbm"}) viaCli.Write(name, XbmText("x", {0x00}));
  viaCli.Write("b.h", "old header");
  viaCli.Write("allFiles.h", "old batch");
  ASSERT_EQ(::chmod(viaCli.PathOf("b.h").c_str(), 0444), 0);
  viaCli.CopyInto(direct);

  const ProcessResult cli = RunCli({viaCli.Path()});
  DirectDrop drop;
  DropDirectly({direct.Path()}, drop);

  EXPECT_EQ(cli.exitCode, 1);
  ASSERT_EQ(drop.platform.Boxes().size(), 1u);
  EXPECT_EQ(cli.err, "Err # 13 - Permission denied: " + viaCli.PathOf("b.h") + "\n");
  EXPECT_EQ(std::string(kBoxHead) + "Err # 13 - Permission denied: " + direct.PathOf("b.h"),
            drop.platform.Boxes()[0].prompt);
  EXPECT_EQ(cli.out, drop.text3);
  EXPECT_EQ(cli.out.find("COMPLETE"), std::string::npos);

  const auto files = viaCli.Snapshot();
  EXPECT_EQ(files, direct.Snapshot());
  EXPECT_EQ(files.count("a.h"), 1u);
  EXPECT_EQ(files.at("b.h"), "old header");
  EXPECT_EQ(files.count("c.h"), 0u);
  EXPECT_EQ(files.at("allFiles.h"), "old batch");
}

TEST(CliFailure, PrintsTheErrorAndExitsOne) {
  TempFolder folder;
  std::string tooManyLiterals;
  for (int i = 0; i < 32767; ++i) tooManyLiterals.append("0x00,");
  folder.Write("big.xbm", tooManyLiterals);
  folder.Write("fine.xbm", XbmText("fine", {0x00}));
  folder.Write("locked/fine.xbm", XbmText("fine", {0x00}));
  folder.Write("locked/allFiles.h", "old batch");
  ASSERT_EQ(::chmod(folder.PathOf("locked/allFiles.h").c_str(), 0444), 0);
  ASSERT_EQ(::symlink("gone", folder.PathOf("dangling").c_str()), 0);

  const std::string kFineReport =
      "fine              1 uncompressed bytes, \t-1 bytes economized, \tcompression rate = "
      "-100%\r\n";
  const auto at = [&](const std::string& name) { return folder.PathOf(name); };
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string err;
    std::string out = "";
    enum { kCaptured, kFull, kClosedPipe, kErrToOut } to = kCaptured;
  };
  const Case cases[] = {
      {"missing path",
       {at("none.xbm")},
       "Err # 2 - No such file or directory: " + at("none.xbm") + "\n"},
      {"too many literals", {at("fine.xbm"), at("big.xbm")}, "Err # 6 - Overflow\n", kFineReport},
      {"read-only allFiles.h after every file is reported",
       {at("locked")},
       "Err # 13 - Permission denied: " + at("locked/allFiles.h") + "\n",
       kFineReport + "COMPLETE\n"},
      {"output folder at a link to nowhere",
       {"-q", "-o", at("dangling"), at("fine.xbm")},
       "Err # 2 - No such file or directory: " + at("dangling") + "\n"},
      {"depfile that cannot name the collection",
       {"--collect", "a%.h", "--depfile", at("fine.d"), at("fine.xbm")},
       "Err # 22 - A dependency file cannot name " + at("a%.h") + "\n"},
      {"depfile that cannot name a header",
       {"-o", at("o%"), "--depfile", at("fine.d"), at("fine.xbm")},
       "Err # 22 - A dependency file cannot name " + at("o%/fine.h") + "\n"},
      {"full standard output",
       {"--stdout", at("fine.xbm")},
       kFineReport + "Err # 28 - No space left on device: standard output\n",
       "",
       Case::kFull},
      {"report to a full standard output",
       {at("fine.xbm")},
       "lumivane-cli: cannot write standard output\n",
       "",
       Case::kFull},
      {"closed pipe",
       {"--stdout", at("fine.xbm")},
       kFineReport + "Err # 32 - Broken pipe: standard output\n",
       "",
       Case::kClosedPipe},
      {"report to a closed pipe",
       {at("fine.xbm")},
       "lumivane-cli: cannot write standard output\n",
       "",
       Case::kClosedPipe},
      // A lone "-" names a file of the working folder, as in most tools that
      // do not read standard input.
      {"lone dash", {"-"}, "Err # 2 - No such file or directory: ./-\n"},
      // The report, the second line still buffered, comes before the error.
      {"error after the report",
       {at("fine.xbm"), at("locked/fine.xbm"), at("none.xbm")},
       "",
       kFineReport + kFineReport + "Err # 2 - No such file or directory: " + at("none.xbm") + "\n",
       Case::kErrToOut},
      {"relative path", {"sub/none.xbm"}, "Err # 2 - No such file or directory: sub/none.xbm\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProcessOptions options = InFolder(folder.Path());
    if (c.to == Case::kFull) options.stdoutPath = "/dev/full";
    options.closedPipe = c.to == Case::kClosedPipe;
    options.errToOut = c.to == Case::kErrToOut;
    const ProcessResult cli = RunCli(c.arguments, options);
    EXPECT_EQ(cli.exitCode, 1);
    EXPECT_EQ(cli.err, c.err);
    EXPECT_EQ(cli.out, c.out);
  }
}

TEST(CliTerminal, NamesControlBytesAreEscapedOnATerminalAndKeptInAPipe) {
  TempFolder folder;
  const std::string name = "a\x1b[31mb\rc.xbm";
  folder.Write(name, XbmText("x", {0x00}));
  DirectDrop drop;
  DropDirectly({folder.PathOf(name)}, drop);
  const std::string shownName = "a\\033[31mb\\rc";

  const ProcessResult piped = RunCli({name}, InFolder(folder.Path()));
  EXPECT_EQ(piped.out, drop.text3 + "\n");

  ProcessOptions onTerminal = InFolder(folder.Path());
  onTerminal.terminal = true;
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string shown;
  };
  const Case cases[] = {
      {"report", {name}, shownName + "         1 uncompressed bytes, \t-1 bytes"},
      {"error", {"none\x1b[0m.xbm"}, "Err # 2 - No such file or directory: ./none\\033[0m.xbm"},
      {"usage", {"--x\x1b[0m"}, "unknown option '--x\\033[0m'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult cli = RunCli(c.arguments, onTerminal);
    EXPECT_NE(cli.out.find(c.shown), std::string::npos) << cli.out;
    EXPECT_EQ(cli.out.find('\x1b'), std::string::npos);
  }
}

}  // namespace
}  // namespace lumivane::test
