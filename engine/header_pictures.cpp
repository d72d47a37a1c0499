#include "header_pictures.h"

#include <charconv>

#include "app_error.h"
#include "stem_name.h"
#include "work_list.h"

namespace lumivane {
namespace {

constexpr std::string_view kArrayType = "unsigned char ";
// The most bytes a conversion lists (pages of a one-row bitmap take 8 times
// its XBM bytes).
constexpr std::int64_t kMostBytes = std::int64_t{8} * (WorkList::kMaxItems - 1);

AppError Refused(std::string_view file, std::string_view array, const std::string& why) {
  return AppError(error::kInvalidArgument,
                  "Invalid procedure call or argument: " + std::string(file) + ": " +
                      std::string(array) + " " + why);
}

struct RawArray {
  std::string name;
  std::vector<std::uint8_t> items;
};

std::vector<RawArray> RawArrays(std::string_view header, std::string_view file) {
  std::vector<RawArray> arrays;
  for (std::size_t at = header.find(kArrayType); at != std::string_view::npos;
       at = header.find(kArrayType, at + 1)) {
    std::size_t end = at + kArrayType.size();
    while (end < header.size() && IsNameCharacter(header[end])) ++end;
    RawArray array{std::string(header.substr(at + kArrayType.size(), end - at - kArrayType.size())),
                   {}};
    const std::size_t open = header.find('{', end);
    const std::size_t close = header.find('}', open);
    if (array.name.empty() || header.substr(end, 1) != "[" || close == std::string_view::npos) {
      continue;
    }
    const std::string_view body = header.substr(open + 1, close - open - 1);
    for (std::size_t i = body.find("0x"); i != std::string_view::npos; i = body.find("0x", i)) {
      unsigned value = 0;
      const auto [stop, status] =
          std::from_chars(body.data() + i + 2, body.data() + body.size(), value, 16);
      if (status != std::errc() || value > 0xFF) {
        throw Refused(file, array.name, "holds a literal that is not a byte");
      }
      array.items.push_back(static_cast<std::uint8_t>(value));
      i = static_cast<std::size_t>(stop - body.data());
    }
    arrays.push_back(std::move(array));
    at = close;
  }
  return arrays;
}

// As the display's decoder reads them: 0x00 or 0xFF, then its extra repeats.
// Expanding stops past `most` bytes, so a hostile header cannot grow its
// runs into gigabytes.
std::vector<std::uint8_t> ExpandedRuns(const RawArray& array, std::string_view file,
                                       std::size_t most) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < array.items.size() && bytes.size() <= most; ++i) {
    const std::uint8_t value = array.items[i];
    bytes.push_back(value);
    if (value != 0x00 && value != 0xFF) continue;
    if (++i == array.items.size()) throw Refused(file, array.name, "ends inside a run");
    bytes.insert(bytes.end(), array.items[i], value);
  }
  return bytes;
}

// The number of "#define <define> N", this exact name.
std::optional<int> DefinedFor(std::string_view header, const std::string& define) {
  const std::string line = "#define " + define;
  for (std::size_t at = header.find(line); at != std::string_view::npos;
       at = header.find(line, at + 1)) {
    std::size_t i = at + line.size();
    if (i >= header.size() || (header[i] != ' ' && header[i] != '\t')) continue;
    while (i < header.size() && (header[i] == ' ' || header[i] == '\t')) ++i;
    unsigned value = 0;
    const auto [stop, status] =
        std::from_chars(header.data() + i, header.data() + header.size(), value);
    if (status == std::errc() && value <= 0xFFFF) return static_cast<int>(value);
  }
  return std::nullopt;
}

}  // namespace

std::vector<HeaderPicture> HeaderPictures(std::string_view header, std::string_view file,
                                          ConversionChoice choice, std::optional<BitmapSize> size) {
  std::vector<HeaderPicture> pictures;
  for (const RawArray& array : RawArrays(header, file)) {
    HeaderPicture picture{array.name, 0, 0, {}};
    const std::optional<int> width = DefinedFor(header, array.name + "_width");
    const std::optional<int> height = DefinedFor(header, array.name + "_height");
    if (width && height) {
      picture.width = *width;
      picture.height = *height;
    } else if (size) {
      picture.width = size->width;
      picture.height = size->height;
    } else {
      throw Refused(file, array.name, "has no size: give --size WxH, or convert --with-size");
    }
    const std::int64_t needed = ArrangedSize(choice.layout, picture.width, picture.height);
    if (needed > kMostBytes) {
      throw Refused(file, array.name,
                    "is " + std::to_string(picture.width) + " x " + std::to_string(picture.height) +
                        " pixels, more than a header holds");
    }
    const std::vector<std::uint8_t> bytes =
        choice.uncompressed ? array.items
                            : ExpandedRuns(array, file, static_cast<std::size_t>(needed));
    if (static_cast<std::int64_t>(bytes.size()) != needed) {
      const std::string held = static_cast<std::int64_t>(bytes.size()) > needed
                                   ? "more than " + std::to_string(needed)
                                   : std::to_string(bytes.size());
      throw Refused(file, array.name,
                    "holds " + held + " bytes where " + std::to_string(picture.width) + " x " +
                        std::to_string(picture.height) + " pixels in the " +
                        std::string(NameOf(choice.layout)) + " layout take " +
                        std::to_string(needed));
    }
    picture.xbm = XbmBytesOf(bytes, picture.width, picture.height, choice.layout);
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

}  // namespace lumivane
