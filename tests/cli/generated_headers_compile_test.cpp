#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "image_writers.h"
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
const std::string kArduinoStandIns = LUMIVANE_ARDUINO_STAND_INS;
const std::filesystem::path kX11Bitmaps = "/usr/include/X11/bitmaps";

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
  int width = 8;
  int height = 0;
};

// X11's own bitmaps (Debian: xbitmaps) as x11_NAME.xbm, each with its bytes
// and size read here by the plain rule, and an X10 bitmap whose 16-bit
// literals are two bytes each, low first, a 20-pixel row's last high byte
// dropped.
std::vector<Source> X11Sources(TempFolder& folder) {
  folder.MakeFolder("x11");
  std::vector<Source> sources{{"x10", {0xFF, 0x00, 0x34, 0xCD, 0xAB, 0x78}, 20, 2}};
  folder.Write("x11/x10.xbm",
               "#define x10_width 20\n#define x10_height 2\nstatic short x10_bits[] = {\n"
               "   0x00ff, 0x1234, 0xabcd, 0x5678};\n");
  if (!std::filesystem::is_directory(kX11Bitmaps)) return sources;
  for (const auto& entry : std::filesystem::directory_iterator(kX11Bitmaps)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Source source{"x11_" + entry.path().filename().string(), {}, 0, 0};
    source.width = std::stoi(text.substr(text.find("_width ") + 7));
    source.height = std::stoi(text.substr(text.find("_height ") + 8));
    for (std::size_t at = text.find("0x", text.find('{')); at != std::string::npos;
         at = text.find("0x", at + 2)) {
      source.bytes.push_back(
          static_cast<unsigned char>(std::stoi(text.substr(at + 2, 2), nullptr, 16)));
    }
    folder.Write("x11/" + source.stem + ".xbm", text);
    sources.push_back(std::move(source));
  }
  return sources;
}

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
    x11_ = X11Sources(*folder_);
    const ProcessResult x11 = RunProcess({kCli, folder_->PathOf("x11")});
    ASSERT_EQ(x11.exitCode, 0) << x11.err;
  }
  static void TearDownTestSuite() { folder_.reset(); }

  // Writes `program`, builds it with the compiler and returns the result.
  static ProcessResult Build(const Compiler& compiler, const std::string& name,
                             const std::string& program, bool link) {
    const std::string source = folder_->PathOf(name + ".src");
    std::ofstream(source, std::ios::binary) << program;
    std::vector<std::string> argv = {compiler.path};
    argv.insert(argv.end(), compiler.flags.begin(), compiler.flags.end());
    argv.insert(argv.end(), {"-I", kDecoderDir, "-I", kArduinoStandIns, "-I", folder_->Path(), "-I",
                             folder_->PathOf("x11"), source});
    argv.insert(argv.end(), link ? std::initializer_list<std::string>{"-o", folder_->PathOf(name)}
                                 : std::initializer_list<std::string>{"-c", "-o", "/dev/null"});
    return RunProcess(argv);
  }

  // Builds one program that decodes each header's array to standard output,
  // runs it and compares the bytes with the sources'.
  static void ExpectDecodeToSources(const Compiler& compiler, const std::vector<Source>& sources) {
    SCOPED_TRACE(compiler.name + (" " + sources.front().stem));
    std::string program =
        "#include <stdio.h>\n#define U8X8_PROGMEM\n#include \"lumivane_decode.h\"\n";
    std::string calls;
    std::string expected;
    std::size_t largest = 0;
    for (const Source& source : sources) {
      program += "#include \"" + source.stem + ".h\"\n";
      calls +=
          "  n = lumivane_decode(" + source.stem + ", sizeof " + source.stem +
          ", out, sizeof out);\n  if (n < 0) return 1;\n  fwrite(out, 1, (size_t)n, stdout);\n";
      expected.append(source.bytes.begin(), source.bytes.end());
      largest = std::max(largest, source.bytes.size());
    }
    program += "static unsigned char out[" + std::to_string(largest + 1) +
               "];\nint main(void) {\n  long n;\n" + calls + "  return 0;\n}\n";
    const std::string name = sources.front().stem + "_" + compiler.name;
    const ProcessResult build = Build(compiler, name, program, true);
    ASSERT_EQ(build.exitCode, 0) << build.err;
    const ProcessResult run = RunProcess({folder_->PathOf(name)});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, expected);
  }

  static void ExpectEveryHeaderBuilds(const Compiler& compiler) {
    for (const Source& source : Sources()) ExpectDecodeToSources(compiler, {source});
    ExpectDecodeToSources(compiler, {{"empty", {}}});
    // Nothing to compress: its bytes are their own encoding.
    ExpectDecodeToSources(compiler, {{"refused", {0x01, 0x7E}}});
    ExpectDecodeToSources(compiler, x11_);
    const ProcessResult allFiles = Build(
        compiler, "include_only",
        "#define U8X8_PROGMEM\n#include \"allFiles.h\"\nint main(void) { return 0; }\n", false);
    EXPECT_EQ(allFiles.exitCode, 0) << allFiles.err;
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
  static inline std::vector<Source> x11_;
};

TEST_F(GeneratedHeaders, BuildAsC99AndDecodeToTheirSource) {
  SKIP_IF_MISSING(kC99);
  ExpectEveryHeaderBuilds(kC99);
}

TEST_F(GeneratedHeaders, BuildAsCpp17AndDecodeToTheirSource) {
  SKIP_IF_MISSING(kCpp17);
  ExpectEveryHeaderBuilds(kCpp17);
}

// A GIF's three 9 x 2 frames (a pixel moving right in each row) in one
// header, read back frame by frame through its table.
TEST_F(GeneratedHeaders, AnimationTableReadsBackFrameByFrame) {
  SKIP_IF_MISSING(kCpp17);
  std::vector<GreyPicture> frames;
  for (int f = 0; f < 3; ++f) {
    GreyPicture frame{9, 2, std::vector<std::uint8_t>(18, 255), {}};
    frame.grey[static_cast<std::size_t>(f)] = frame.grey[static_cast<std::size_t>(9 + f + 1)] = 0;
    frames.push_back(frame);
  }
  folder_->Write("spin.gif", WriteGif(frames, {10, 0, 25}));
  const ProcessResult cli =
      RunProcess({kCli, "--import", "--animation", folder_->PathOf("spin.gif")});
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  const std::string program =
      "#include <stdio.h>\n#include \"lumivane_decode.h\"\n#include \"spin.h\"\n"
      "int main(void) {\n"
      "  for (unsigned i = 0; i < spin_frame_count; ++i) {\n"
      "    unsigned char out[4];\n"
      "    if (lumivane_decode(spin_frames[i], spin_frame_sizes[i], out, 4) != 4) return 1;\n"
      "    printf(\"%02X %02X %02X %02X %lu\\n\", out[0], out[1], out[2], out[3],\n"
      "           spin_frame_delay_ms[i]);\n"
      "  }\n"
      "  return 0;\n"
      "}\n";
  const ProcessResult build = Build(kCpp17, "spin", program, true);
  ASSERT_EQ(build.exitCode, 0) << build.err;
  const ProcessResult run = RunProcess({folder_->PathOf("spin")});
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "01 00 02 00 100\n02 00 04 00 0\n04 00 08 00 250\n");
  EXPECT_FALSE(folder_->Exists("spin_0.h"));
}

TEST_F(GeneratedHeaders, BuildForAvrWithTheDataInFlash) {
  SKIP_IF_MISSING(kAvrC);
  ExpectBuildsForAvr(kAvrC);
}

TEST_F(GeneratedHeaders, BuildForAvrAsArduinoCpp) {
  SKIP_IF_MISSING(kAvrCpp);
  ExpectBuildsForAvr(kAvrCpp);
  // A sketch drawing every X11 bitmap with u8g2's drawXBM, decoded from flash.
  std::string sketch =
      "#include <Arduino.h>\n#include <U8g2lib.h>\n#include \"lumivane_decode.h\"\n";
  std::string draws;
  for (const Source& source : x11_) {
    sketch += "#include \"" + source.stem + ".h\"\n";
    draws += "  Draw(" + source.stem + ", sizeof " + source.stem + ", " +
             std::to_string(source.width) + ", " + std::to_string(source.height) + ");\n";
  }
  sketch +=
      "U8G2_SSD1306_128X64_NONAME_1_HW_I2C u8g2(U8G2_R0, U8X8_PIN_NONE);\n"
      "static unsigned char frame[13300];\n"
      "static void Draw(const unsigned char* a, unsigned size, int w, int h) {\n"
      "  if (lumivane_decode_with(lumivane_read_progmem, a, size, frame, sizeof frame) > 0)\n"
      "    u8g2.drawXBM(0, 0, w, h, frame);\n"
      "}\n"
      "void loop() {\n" +
      draws + "}\n";
  const ProcessResult build = Build(kAvrCpp, "x11_sketch", sketch, false);
  EXPECT_EQ(build.exitCode, 0) << build.err;
}

}  // namespace
}  // namespace lumivane::test
