// Writes an XBM bitmap's pixels in another byte layout, as the bytes of an
// XBM 8 pixels wide, so that the command line compresses them as they are:
//   layout_reference pages|rows-msb IN.xbm NAME > NAME.xbm
// The examples' headers in those layouts are made from its output.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

int Define(const std::string& text, const std::string& suffix) {
  std::smatch match;
  const std::regex define("#define\\s+\\w+" + suffix + "\\s+(\\d+)");
  return std::regex_search(text, match, define) ? std::stoi(match[1]) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: layout_reference pages|rows-msb IN.xbm NAME\n";
    return 2;
  }
  const std::string layout = argv[1];
  std::ifstream in(argv[2]);
  std::stringstream text;
  text << in.rdbuf();
  const std::string source = text.str();
  const int width = Define(source, "_width");
  const int height = Define(source, "_height");
  std::vector<unsigned char> xbm;
  const std::regex literal("0[xX][0-9a-fA-F]{1,2}");
  for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it) {
    xbm.push_back(static_cast<unsigned char>(std::stoi(it->str(), nullptr, 16)));
  }
  const int rowSize = (width + 7) / 8;
  if (width <= 0 || height <= 0 || xbm.size() != static_cast<std::size_t>(rowSize * height)) {
    std::cerr << argv[2] << ": not an XBM bitmap\n";
    return 1;
  }
  auto pixel = [&](int x, int y) { return (xbm[y * rowSize + x / 8] >> (x % 8)) & 1; };
  std::vector<unsigned char> out;
  if (layout == "rows-msb") {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < rowSize * 8; x += 8) {
        int byte = 0;
        for (int bit = 0; bit < 8 && x + bit < width; ++bit) byte |= pixel(x + bit, y) << (7 - bit);
        out.push_back(static_cast<unsigned char>(byte));
      }
    }
  } else if (layout == "pages") {
    for (int top = 0; top < height; top += 8) {
      for (int x = 0; x < width; ++x) {
        int byte = 0;
        for (int bit = 0; bit < 8 && top + bit < height; ++bit) byte |= pixel(x, top + bit) << bit;
        out.push_back(static_cast<unsigned char>(byte));
      }
    }
  } else {
    std::cerr << "unknown layout " << layout << "\n";
    return 2;
  }
  const std::string name = argv[3];
  std::printf("#define %s_width 8\n#define %s_height %zu\nstatic unsigned char %s_bits[] = {\n",
              name.c_str(), name.c_str(), out.size(), name.c_str());
  for (std::size_t i = 0; i < out.size(); ++i) {
    std::printf("%s0x%02x%s", i % 12 == 0 ? "   " : " ", out[i],
                i + 1 == out.size() ? "};\n" : (i % 12 == 11 ? ",\n" : ","));
  }
  return 0;
}
