#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "conversion_state.h"
#include "drop_data.h"
#include "image_writers.h"
#include "memory_surface.h"
#include "process_runner.h"
#include "scripted_platform.h"
#include "temp_folder.h"
#include "workflows.h"
#include "xbm_writer.h"

namespace lumivane::test {
namespace {

const std::string kCli = LUMIVANE_CLI_PATH;
const std::string kNinja = LUMIVANE_NINJA;

using Files = std::map<std::string, std::string>;

ProcessResult RunCli(std::vector<std::string> arguments, const ProcessOptions& options = {}) {
  arguments.insert(arguments.begin(), kCli);
  return RunProcess(arguments, options);
}

// What the window's drop of these paths writes, by file name, and its report.
struct DropResult {
  Files written;
  std::string report;
};

DropResult DropDirectly(const std::vector<std::string>& paths) {
  ScriptedPlatform platform;
  ConversionState state;
  MemorySurface window;
  Workflows workflows(state, window, platform);
  workflows.Text1_OLEDragDrop(DropData::FileList(paths));
  DropResult result;
  for (const WriteRecord& write : platform.Writes()) {
    result.written[write.path.substr(write.path.rfind('/') + 1)] = write.content;
  }
  result.report = window.Text3();
  return result;
}

// Bitmaps with and without size defines, and files the drop skips.
void WriteSources(const TempFolder& folder, const std::string& under) {
  folder.Write(under + "logo.xbm",
               XbmText("logo", Concat({Run(30, 0x00), {0x3C, 0x7E}, Run(4, 0xFF)}), {16, 3}));
  folder.Write(under + "b.small.xbm", "static char b_bits[] = { 0x01, 0xff, 0x02, 0x00, 0x00 };\n");
  folder.Write(under + "Upper.XBM", XbmText("Upper", {0x00}));
  folder.Write(under + "notes.txt", "0x00");
}

// White, with a dark pixel on the diagonal of each row from `from` on.
GreyPicture Picture(int width, int height, int from) {
  GreyPicture picture{width, height, {}, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.grey.push_back(x == y && x >= from ? 0 : 255);
  }
  return picture;
}

// Images to import: a PNG each and a GIF of two frames.
void WriteImages(const TempFolder& folder) {
  folder.Write("img/logo.png", WritePng(Picture(16, 8, 0), PngKind::kGrey8));
  folder.Write("img/sun.png", WritePng(Picture(8, 8, 4), PngKind::kGrey8));
  folder.Write("img/spin.gif", WriteGif({Picture(16, 4, 0), Picture(16, 4, 2)}));
}

class CliOptions : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSources(folder_, "src/");
    WriteSources(direct_, "src/");
  }

  // The window's drop of the same sources, in a folder of its own.
  DropResult DropOfSources() const { return DropDirectly({direct_.PathOf("src/")}); }

  std::string Src(const std::string& name = "") const { return folder_.PathOf("src/" + name); }
  std::string Out(const std::string& name = "") const { return folder_.PathOf("out/new/" + name); }
  Files Sources() const { return FilesUnder("src/"); }
  Files Outputs() const { return FilesUnder("out/new/"); }
  Files FilesUnder(const std::string& folder) const {
    Files files;
    for (const auto& [path, content] : folder_.Snapshot()) {
      if (path.starts_with(folder)) files[path.substr(folder.size())] = content;
    }
    return files;
  }

  TempFolder folder_;
  TempFolder direct_;
};

TEST_F(CliOptions, OutputFolderTakesEveryOutputAndNothingLandsBesideTheSources) {
  const Files sources = Sources();
  struct Case {
    const char* name;
    // "": the folder itself.
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"folder", {""}},
      {"files", {"logo.xbm", "notes.txt", "b.small.xbm"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder_.PathOf("out"));
    std::vector<std::string> arguments = {"-o", Out()};
    std::vector<std::string> directPaths;
    for (const std::string& name : c.names) {
      arguments.push_back(Src(name));
      directPaths.push_back(direct_.PathOf("src/" + name));
    }
    const ProcessResult cli = RunCli(arguments);
    const DropResult drop = DropDirectly(directPaths);

    EXPECT_EQ(cli.exitCode, 0) << cli.err;
    EXPECT_EQ(cli.out, drop.report + "\n");
    EXPECT_EQ(Outputs(), drop.written);
    EXPECT_EQ(Outputs().count("allFiles.h"), c.names[0].empty() ? 1u : 0u);
    EXPECT_EQ(Sources(), sources);
  }
}

TEST_F(CliOptions, OneOutputFromTwoSourcesIsRefused) {
  const std::string other = folder_.Write("other/logo.xbm", XbmText("logo", {0x00}));
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string output;
  };
  const Case cases[] = {
      {"two folders", {"-o", Out(), Src("logo.xbm"), other}, Out("logo.h")},
      {"a collection named as a header",
       {"-o", Out(), "--collect", "logo.h", Src("b.small.xbm"), Src("logo.xbm")},
       Out("logo.h")},
      // Without -o, the collection goes beside the last source.
      {"a collection named as the last source's header",
       {"--collect", "logo.h", Src("b.small.xbm"), other},
       folder_.PathOf("other/logo.h")},
      {"a depfile named as a header",
       {"-o", Out(), "--depfile", Out("logo.h"), Src("logo.xbm")},
       Out("logo.h")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder_.PathOf("out"));
    const Files before = folder_.Snapshot();
    const ProcessResult cli = RunCli(c.arguments);
    EXPECT_EQ(cli.exitCode, 1);
    EXPECT_NE(cli.err.find("Err # 17 - File exists: " + c.output + "\n"), std::string::npos)
        << cli.err;
    EXPECT_EQ(folder_.Snapshot(), before);
  }
}

TEST_F(CliOptions, AnOutputThatIsASourceIsRefusedBeforeAnythingIsWritten) {
  WriteImages(folder_);
  folder_.Write("src/logo.d", "");
  const auto link = [this](const std::string& target, const std::string& at) {
    std::filesystem::create_directories(std::filesystem::path(folder_.PathOf(at)).parent_path());
    std::filesystem::create_symlink(folder_.PathOf(target), folder_.PathOf(at));
  };
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string output;
    // A link made before the run, and what it leads to.
    std::string linkAt = "";
    std::string linkTarget = "src/logo.xbm";
  };
  const std::string sun = folder_.PathOf("img/sun.png");
  const Case cases[] = {
      {"collection", {"--collect", "logo.xbm", Src("logo.xbm")}, Src("logo.xbm")},
      {"swapped depfile", {"--depfile", Src("logo.xbm"), Src("logo.d")}, Src("logo.xbm")},
      {"image as depfile", {"--import", "--depfile", sun, sun}, sun},
      {"allFiles.h", {Src()}, Src("allFiles.h"), "src/allFiles.h"},
      {"a header before its target is read", {Src()}, Src("b.small.h"), "src/b.small.h"},
      {"allFiles.h in -o", {"-o", Out(), Src()}, Out("allFiles.h"), "out/new/allFiles.h"},
      {"bitmap",
       {"--import", "--write-xbm", folder_.PathOf("img/logo.png"), sun},
       folder_.PathOf("img/sun.xbm"),
       "img/sun.xbm",
       "img/logo.png"},
      // Nothing is written, so nothing is refused.
      {"standard output", {"--stdout", "-q", Src()}, "", "src/allFiles.h"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.linkAt.empty()) link(c.linkTarget, c.linkAt);
    const Files before = folder_.Snapshot();
    const ProcessResult cli = RunCli(c.arguments);
    EXPECT_EQ(cli.exitCode, c.output.empty() ? 0 : 1);
    EXPECT_EQ(cli.out.empty(), !c.output.empty());
    EXPECT_EQ(cli.err,
              c.output.empty() ? "" : "Err # 22 - Output is its own source: " + c.output + "\n");
    EXPECT_EQ(folder_.Snapshot(), before);
    if (!c.linkAt.empty()) std::filesystem::remove(folder_.PathOf(c.linkAt));
  }
}

TEST_F(CliOptions, CheckTellsCurrentFromStaleAndWritesNothing) {
  // Its header is replaced by the folder's allFiles.h, in the check too.
  folder_.Write("src/allFiles.xbm", XbmText("allFiles", {0x00}));
  ASSERT_EQ(RunCli({"-q", "-o", Out(), Src()}).exitCode, 0);
  const auto stale = [](std::initializer_list<std::string> lines) {
    std::string err;
    for (const std::string& line : lines) err.append("lumivane-cli: " + line + "\n");
    return err;
  };
  const std::string bothDiffer =
      stale({"differs: " + Out("allFiles.h"), "differs: " + Out("logo.h")});
  // Stale outputs (exit code 1) or none; `change` is written anew first.
  struct Case {
    const char* name;
    std::vector<std::string> options;
    std::string err;
    std::string change = "";
  };
  const Case cases[] = {
      {"current", {"-o", Out()}, ""},
      {"current, quiet", {"-q", "-o", Out()}, ""},
      {"sizes asked for", {"--with-size", "-o", Out()}, bothDiffer},
      {"beside the sources",
       {},
       stale({"missing: " + Src("allFiles.h"), "missing: " + Src("b.small.h"),
              "missing: " + Src("logo.h")})},
      {"source changed", {"-o", Out()}, bothDiffer, "src/logo.xbm"},
      {"one output stale",
       {"-o", Out(), Src("b.small.xbm")},
       stale({"differs: " + Out("b.small.h")}),
       "out/new/b.small.h"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.change.empty()) folder_.Write(c.change, XbmText("logo", {0x00, 0x01}));
    const Files before = folder_.Snapshot();
    std::vector<std::string> arguments = c.options;
    arguments.insert(arguments.begin(), "--check");
    arguments.push_back(Src());
    const ProcessResult cli = RunCli(arguments);

    EXPECT_EQ(cli.exitCode, c.err.empty() ? 0 : 1);
    EXPECT_EQ(cli.err, c.err);
    EXPECT_EQ(folder_.Snapshot(), before);
  }
  // An output that cannot be read is a failure, not a verdict.
  std::filesystem::remove(folder_.PathOf("out/new/b.small.h"));
  std::filesystem::create_directory(folder_.PathOf("out/new/b.small.h"));
  const ProcessResult unreadable = RunCli({"--check", "-q", "-o", Out(), Src("b.small.xbm")});
  EXPECT_EQ(unreadable.exitCode, 1);
  EXPECT_EQ(unreadable.err, "Err # 21 - Is a directory: " + Out("b.small.h") + "\n");
}

// A collection of 180 bitmaps of 1,024 literals holds more than any one
// source may: the check reads it whole, not as a source.
TEST_F(CliOptions, CheckComparesACollectionOfMoreLiteralsThanASourceHolds) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 1024; ++i) bytes.push_back(static_cast<std::uint8_t>(1 + i % 254));
  for (int i = 0; i < 180; ++i) {
    folder_.Write("big/b" + std::to_string(i) + ".xbm", XbmText("b", bytes));
  }
  ASSERT_EQ(RunCli({"-q", folder_.PathOf("big")}).exitCode, 0);
  const ProcessResult check = RunCli({"--check", folder_.PathOf("big")});
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.err, "");
}

// Sizes first in each header; allFiles.h and a collection repeat the headers.
TEST_F(CliOptions, WithSizeAndCollectGatherTheHeadersAsAFolderWould) {
  const DropResult plain = DropOfSources();
  ASSERT_EQ(RunCli({"-q", "--with-size", "-o", Out(), Src()}).exitCode, 0);
  const Files sized = Outputs();
  EXPECT_EQ(sized.at("logo.h"),
            "#define logo_width 16\r\n#define logo_height 3\r\n" + plain.written.at("logo.h"));
  // Its source has no defines.
  EXPECT_EQ(sized.at("b.small.h"), plain.written.at("b.small.h"));
  EXPECT_EQ(sized.at("allFiles.h"), sized.at("b.small.h") + sized.at("logo.h") + "\r\n");

  const ProcessResult collected = RunCli({"-q", "--collect", "all.h", "-o", Out(),
                                          Src("b.small.xbm"), Src("Upper.XBM"), Src("logo.xbm")});
  ASSERT_EQ(collected.exitCode, 0) << collected.err;
  EXPECT_EQ(Outputs().at("all.h"), plain.written.at("allFiles.h"));
  // Without an output folder, beside the headers.
  ASSERT_EQ(RunCli({"-q", "--collect", "all.h", Src("logo.xbm")}).exitCode, 0);
  EXPECT_EQ(folder_.Read("src/all.h"), folder_.Read("src/logo.h") + "\r\n");
  // Nothing converted: an empty collection in the current folder, and no error.
  ProcessOptions inFolder;
  inFolder.workingFolder = folder_.Path();
  const ProcessResult empty = RunCli({"--collect", "all.h", folder_.MakeFolder("empty")}, inFolder);
  EXPECT_EQ(std::tie(empty.exitCode, empty.out, empty.err), std::tuple(0, "COMPLETE\n", ""));
  EXPECT_EQ(folder_.Read("all.h"), "\r\n");
}

TEST_F(CliOptions, DepfileNamesEveryOutputWithItsSourcesEscaped) {
  // '%' is a pattern only in an output.
  folder_.Write("my %src/a b.xbm", XbmText("a", {0x00, 0x00}));
  WriteImages(folder_);
  const std::string root = folder_.Path();
  const std::string spaced = root + "/my\\ %src/a\\ b.xbm";
  const std::string png = folder_.PathOf("img/logo.png");
  const std::string gif = folder_.PathOf("img/spin.gif");
  const std::string out = root + "/out\\ $$1/";
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string rules;
  };
  const Case cases[] = {
      {"bitmaps",
       {folder_.PathOf("my %src/a b.xbm"), Src("logo.xbm")},
       out + "all\\#.h: \\\n " + spaced + " \\\n " + Src("logo.xbm") + "\n" +  //
           out + "a\\ b.h: \\\n " + spaced + "\n" +                            //
           out + "logo.h: \\\n " + Src("logo.xbm") + "\n"},
      // The headers are made from the images, never from a NAME.xbm that is not written.
      {"images",
       {"--import", png, gif},
       out + "all\\#.h: \\\n " + png + " \\\n " + gif + "\n" +  //
           out + "logo.h: \\\n " + png + "\n" +                 //
           out + "spin_0.h: \\\n " + gif + "\n" +               //
           out + "spin_1.h: \\\n " + gif + "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> arguments = {
        "-q",        "-o",    folder_.PathOf("out $1"), "--depfile", folder_.PathOf("deps.d"),
        "--collect", "all#.h"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const ProcessResult cli = RunCli(arguments);
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    EXPECT_EQ(folder_.Read("deps.d"), c.rules);
  }
}

TEST_F(CliOptions, NinjaRebuildsFromTheDepfileExactlyWhatASourceChanges) {
  if (kNinja.empty()) GTEST_SKIP() << "ninja is not installed";
  WriteImages(folder_);
  WriteSources(folder_, "plain/");
  struct Case {
    const char* name;
    // The build's edges; each names its sources only through the depfile.
    std::string edges;
    std::vector<std::string> sources;
    std::string touched;
    // The edge that touching the source makes Ninja run again.
    std::string rebuilt;
  };
  // A rule whose command names its sources only through the depfile.
  const auto rule = [](const std::string& name, const std::string& arguments,
                       const std::string& depfile, bool gccDeps) {
    return "rule " + name + "\n  command = " + kCli + " -q " + arguments +
           "\n  depfile = " + depfile + (gccDeps ? "\n  deps = gcc" : "") +
           "\n  description = $out\n";
  };
  const Case cases[] = {
      {"folder",
       rule("convert", "-o out --depfile out.d ../src", "out.d", true) +
           "build out/logo.h out/b.small.h out/allFiles.h: convert\n",
       {"src/logo.xbm", "src/b.small.xbm"},
       "src/b.small.xbm",
       "out/logo.h out/b.small.h out/allFiles.h"},
      // Without deps = gcc Ninja checks that the depfile names the edge's output first.
      {"folder, plain depfile",
       rule("convert", "-o out --depfile out.d ../plain", "out.d", false) +
           "build out/allFiles.h out/b.small.h out/logo.h: convert\n",
       {},
       "plain/logo.xbm",
       "out/allFiles.h out/b.small.h out/logo.h"},
      {"imported images",
       rule("import", "--import -o out --depfile $out.d $image", "$out.d", true) +
           "build out/logo.h: import\n  image = ../img/logo.png\n"
           "build out/sun.h: import\n  image = ../img/sun.png\n",
       {"img/logo.png", "img/sun.png"},
       "img/logo.png",
       "out/logo.h"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder_.Write(std::string(c.name) + "/build.ninja", c.edges);
    const auto ninja = [&](std::vector<std::string> arguments) {
      arguments.insert(arguments.begin(), {kNinja, "-C", folder_.PathOf(c.name)});
      return RunProcess(arguments);
    };
    ASSERT_EQ(ninja({}).exitCode, 0);
    const ProcessResult deps = ninja({"-t", "deps"});
    for (const std::string& source : c.sources) {
      EXPECT_NE(deps.out.find("../" + source), std::string::npos) << deps.out;
    }
    EXPECT_NE(ninja({}).out.find("no work to do"), std::string::npos);

    // A second later than anything built, as Ninja compares times.
    struct stat built {};
    ASSERT_EQ(::stat(folder_.PathOf(std::string(c.name) + "/.ninja_log").c_str(), &built), 0);
    const timespec times[2] = {{built.st_mtime + 1, 0}, {built.st_mtime + 1, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, folder_.PathOf(c.touched).c_str(), times, 0), 0);
    const ProcessResult dryRun = ninja({"-n"});
    EXPECT_NE(dryRun.out.find("[1/1] " + c.rebuilt + "\n"), std::string::npos) << dryRun.out;
  }
}

TEST_F(CliOptions, QuietAndVerboseChangeOnlyWhatIsPrinted) {
  const ProcessResult plain = RunCli({Src("logo.xbm"), Src("Upper.XBM"), Src("notes.txt")});
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string out;
    std::string err;
    int exitCode = 0;
  };
  const Case cases[] = {
      {"quiet", {"-q", Src("logo.xbm"), Src("Upper.XBM"), Src("notes.txt")}, "", ""},
      {"verbose files",
       {"--verbose", Src("Upper.XBM"), Src("logo.xbm"), Src("notes.txt"), Src("b.Xbm")},
       plain.out,
       "lumivane-cli: skipped " + Src("Upper.XBM") +
           ": the extension must be .xbm in lower case\n"
           "lumivane-cli: skipped " +
           Src("notes.txt") + ": not a .xbm file\nlumivane-cli: skipped " + Src("b.Xbm") +
           ": the extension must be .xbm in lower case\n"},
      {"verbose after a folder",
       {"-v", "-q", "-o", folder_.PathOf("out"), Src(), Src("logo.xbm")},
       "",
       "lumivane-cli: skipped " + Src("logo.xbm") + ": only the first folder is converted\n"},
      {"an upper-case .XBM among images", {"--import", Src("Upper.XBM")}, "COMPLETE\n", ""},
      {"quiet failure",
       {"-q", "-v", Src("logo.xbm"), Src("none.xbm")},
       "",
       "Err # 2 - No such file or directory: " + Src("none.xbm") + "\n",
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult cli = RunCli(c.arguments);
    EXPECT_EQ(cli.exitCode, c.exitCode);
    EXPECT_EQ(cli.out, c.out);
    EXPECT_EQ(cli.err, c.err);
  }
}

}  // namespace
}  // namespace lumivane::test
