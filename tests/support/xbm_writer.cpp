#include "xbm_writer.h"

#include <cstdio>

namespace lumivane::test {

XbmWriter::XbmWriter(std::string_view name, XbmSize size) {
  const std::string stem(name);
  text_ = "#define " + stem + "_width " + std::to_string(size.width) + "\n#define " + stem +
          "_height " + std::to_string(size.height) + "\nstatic unsigned char " + stem +
          "_bits[] = {";
}

void XbmWriter::Add(std::uint8_t byte) {
  char literal[8];
  std::snprintf(literal, sizeof literal, "0x%02x", byte);
  text_.append(count_ == 0 ? "\n   " : count_ % 12 == 0 ? ",\n   " : ", ").append(literal);
  ++count_;
}

std::string XbmWriter::Finish(std::size_t blanks) const {
  if (count_ == 0) return text_ + "\n};\n";
  return text_ + std::string(blanks, ' ') + " };\n";
}

std::string XbmText(std::string_view name, const Bytes& bytes) {
  return XbmText(name, bytes, {8, bytes.size()});
}

std::string XbmText(std::string_view name, const Bytes& bytes, XbmSize size) {
  XbmWriter writer(name, size);
  for (const std::uint8_t byte : bytes) writer.Add(byte);
  return writer.Finish();
}

Bytes Run(std::size_t count, std::uint8_t value) {
  return Bytes(count, value);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace lumivane::test
