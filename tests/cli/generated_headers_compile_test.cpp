#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "process_runner.h"
#include "temp_folder.h"
#include "xbm_writer.h"

// The headers the converter writes are built by real compilers: gcc as C99,
// g++ as C++17 (Arduino sketches are C++), both with -Wall -Werror, and
// avr-gcc for an ATmega328P with the data in flash. Each program decodes its
// array with the display-side decoder and is checked against the source bytes.

namespace lumivane::test {
namespace {

const std::string kCli = LUMIVANE_CLI_PATH;
const std::string kDecoderDir = LUMIVANE_DECODER_DIR;

struct Compiler {
  const char* name;
  std::string path;
  std::vector<std::string> flags;
};

const Compiler kC99{"gcc", LUMIVANE_GCC, {"-x", "c", "-std=c99", "-Wall", "-Werror"}};
const Compiler kCpp17{"g++", LUMIVANE_GXX, {"-x", "c++", "-std=c++17", "-Wall", "-Werror"}};
const Compiler kAvrC{
    "avr-gcc", LUMIVANE_AVR_GCC, {"-x", "c", "-mmcu=atmega328p", "-Os", "-Wall", "-Werror"}};
const Compiler kAvrCpp{
    "avr-g++",
    LUMIVANE_AVR_GXX,
    {"-x", "c++", "-std=gnu++11", "-mmcu=atmega328p", "-Os", "-Wall", "-Werror"}};

bool IsMissing(const Compiler& compiler) {
  return compiler.path.empty() || compiler.path.ends_with("-NOTFOUND");
}

#define SKIP_IF_MISSING(compiler)                                                 \
  if (IsMissing(compiler)) {                                                      \
    GTEST_SKIP() << (compiler).name << " was not found: the build check with it " \
                 << "is skipped (Debian: gcc, g++, gcc-avr and avr-libc)";        \
  }

struct Source {
  std::string stem;
  Bytes bytes;
};

std::vector<Source> Sources() {
  std::mt19937 random(153);
  std::uniform_int_distribution<int> byte(0, 255);
  Bytes noise(1000);
  for (unsigned char& b : noise) b = static_cast<unsigned char>(byte(random));

  // A 128x64 display frame: blank, a solid bar, a pattern.
  Bytes screen = Concat({Run(400, 0x00), Run(128, 0xFF), Run(200, 0x00)});
  for (int i = 0; i < 296; ++i) screen.push_back(static_cast<unsigned char>(0x18 + i % 3));

  return {
      {"noise", noise},
      {"screen", screen},
      {"runs", Concat({Run(1, 0x00),
                       {0x42},
                       Run(255, 0xFF),
                       {0x42},
                       Run(256, 0x00),
                       {0x42},
                       Run(257, 0xFF),
                       {0x42},
                       Run(512, 0x00),
                       Run(512, 0xFF)})},
      {"blank", Run(32766, 0x00)},
      {"lone", {0xFF}},
  };
}

class GeneratedHeaders : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<TempFolder>();
    for (const Source& source : Sources()) {
      folder_->Write(source.stem + ".xbm", XbmText(source.stem, source.bytes));
    }
    // Its only "00" is in a number: no byte at all, an empty array.
    folder_->Write("empty.xbm", "#define empty_width 100\n");
    folder_->Write("refused.xbm", "static char refused_bits[] = { 0x01, 0x7e };\n");
    const ProcessResult cli = RunProcess({kCli, folder_->Path()});
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
  }
  static void TearDownTestSuite() { folder_.reset(); }

  // Writes `program`, builds it with the compiler and returns the result.
  static ProcessResult Build(const Compiler& compiler, const std::string& name,
                             const std::string& program, bool link) {
    const std::string source = folder_->PathOf(name + ".src");
    std::ofstream(source, std::ios::binary) << program;
    std::vector<std::string> argv = {compiler.path};
    argv.insert(argv.end(), compiler.flags.begin(), compiler.flags.end());
    argv.insert(argv.end(), {"-I", kDecoderDir, "-I", folder_->Path(), source});
    argv.insert(argv.end(), link ? std::initializer_list<std::string>{"-o", folder_->PathOf(name)}
                                 : std::initializer_list<std::string>{"-c", "-o", "/dev/null"});
    return RunProcess(argv);
  }

  // Builds a program that decodes the header's array to standard output,
  // runs it and compares the bytes with the source.
  static void ExpectDecodesToSource(const Compiler& compiler, const Source& source) {
    SCOPED_TRACE(compiler.name + (" " + source.stem));
    const std::string array = source.stem;
    const std::string program =
        "#include <stdio.h>\n"
        "#define U8X8_PROGMEM\n"
        "#include \"lumivane_decode.h\"\n"
        "#include \"" +
        source.stem +
        ".h\"\n"
        "static unsigned char out[" +
        std::to_string(source.bytes.size() + 1) +
        "];\n"
        "int main(void) {\n"
        "  long n = lumivane_decode(" +
        array + ", sizeof " + array +
        ", out, sizeof out);\n"
        "  if (n < 0) return 1;\n"
        "  fwrite(out, 1, (size_t)n, stdout);\n"
        "  return 0;\n"
        "}\n";
    const std::string name = source.stem + "_" + compiler.name;
    const ProcessResult build = Build(compiler, name, program, true);
    ASSERT_EQ(build.exitCode, 0) << build.err;
    const ProcessResult run = RunProcess({folder_->PathOf(name)});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, std::string(source.bytes.begin(), source.bytes.end()));
  }

  static void ExpectCompiles(const Compiler& compiler, const std::string& header) {
    SCOPED_TRACE(compiler.name + (" " + header));
    const std::string program =
        "#define U8X8_PROGMEM\n#include \"" + header + "\"\nint main(void) { return 0; }\n";
    const ProcessResult build = Build(compiler, "include_only", program, false);
    EXPECT_EQ(build.exitCode, 0) << build.err;
  }

  static void ExpectEveryHeaderBuilds(const Compiler& compiler) {
    for (const Source& source : Sources()) ExpectDecodesToSource(compiler, source);
    ExpectDecodesToSource(compiler, {"empty", {}});
    for (const char* header : {"refused.h", "allFiles.h"}) ExpectCompiles(compiler, header);
  }

  // A u8g2-style sketch: the frame decoded from flash into RAM.
  static void ExpectBuildsForAvr(const Compiler& compiler) {
    const std::string program =
        "#include <avr/pgmspace.h>\n"
        "#define U8X8_PROGMEM PROGMEM\n"
        "#include \"lumivane_decode.h\"\n"
        "#include \"screen.h\"\n"
        "static unsigned char frame[1024];\n"
        "volatile long decoded;\n"
        "int main(void) {\n"
        "  decoded = lumivane_decode_with(lumivane_read_progmem, screen, sizeof screen,\n"
        "                                 frame, sizeof frame);\n"
        "  return frame[decoded > 0 ? decoded - 1 : 0];\n"
        "}\n";
    const ProcessResult build =
        Build(compiler, std::string("screen_") + compiler.name, program, true);
    EXPECT_EQ(build.exitCode, 0) << build.err;
  }

  static inline std::unique_ptr<TempFolder> folder_;
};

TEST_F(GeneratedHeaders, BuildAsC99AndDecodeToTheirSource) {
  SKIP_IF_MISSING(kC99);
  ExpectEveryHeaderBuilds(kC99);
}

TEST_F(GeneratedHeaders, BuildAsCpp17AndDecodeToTheirSource) {
  SKIP_IF_MISSING(kCpp17);
  ExpectEveryHeaderBuilds(kCpp17);
}

TEST_F(GeneratedHeaders, BuildForAvrWithTheDataInFlash) {
  SKIP_IF_MISSING(kAvrC);
  ExpectBuildsForAvr(kAvrC);
}

TEST_F(GeneratedHeaders, BuildForAvrAsArduinoCpp) {
  SKIP_IF_MISSING(kAvrCpp);
  ExpectBuildsForAvr(kAvrCpp);
}

}  // namespace
}  // namespace lumivane::test
