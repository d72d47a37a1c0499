#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "format_adapters.h"
#include "image_limits.h"
#include "import_errors.h"
#include "luminance.h"

namespace lumivane::imaging {
namespace {

// Each frame becomes a header of its own; an animation of more frames than
// this is not a display's.
constexpr int kMaxFrames = 1024;

// An interlaced frame sends every 8th row from 0, every 8th from 4, every
// 4th from 2, then every 2nd from 1.
constexpr std::array<int, 4> kInterlaceFirstRow{0, 4, 2, 1};
constexpr std::array<int, 4> kInterlaceRowStep{8, 8, 4, 2};

struct Reader {
  std::string_view bytes;
  std::size_t offset = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* buffer, int wanted) {
  auto* reader = static_cast<Reader*>(gif->UserData);
  const std::size_t count = std::min(static_cast<std::size_t>(std::max(wanted, 0)),
                                     reader->bytes.size() - reader->offset);
  std::memcpy(buffer, reader->bytes.data() + reader->offset, count);
  reader->offset += count;
  return static_cast<int>(count);
}

// giflib has no text for some of its error codes (none for 0, when a call
// failed without setting one).
std::string GifErrorText(int code) {
  const char* text = GifErrorString(code);
  return text != nullptr ? text : "GIF error " + std::to_string(code);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    DGifCloseFile(gif, &ignored);
  }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

GifFile OpenGif(Reader& reader, std::string_view fileName) {
  int status = 0;
  GifFile gif(DGifOpen(&reader, ReadBytes, &status));
  if (!gif) throw DamagedImageError(GifErrorText(status), fileName);
  return gif;
}

[[noreturn]] void Fail(const GifFile& gif, std::string_view fileName) {
  throw DamagedImageError(GifErrorText(gif->Error), fileName);
}

// Composes the frames on the logical screen as a viewer shows them, honouring
// transparency and each frame's disposal, and keeps a copy of every frame.
class Animation {
 public:
  Animation(GifFile gif, std::string_view fileName) : gif_(std::move(gif)), file_name_(fileName) {
    screen_.width = gif_->SWidth;
    screen_.height = gif_->SHeight;
    const auto pixels = static_cast<std::size_t>(screen_.width) * screen_.height;
    screen_.luminance.assign(pixels, 0);
    screen_.alpha.assign(pixels, 0);
  }

  std::vector<GrayFrame> Decode() {
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    for (;;) {
      GifRecordType record = UNDEFINED_RECORD_TYPE;
      if (DGifGetRecordType(gif_.get(), &record) == GIF_ERROR) Fail(gif_, file_name_);
      if (record == TERMINATE_RECORD_TYPE) break;
      if (record == EXTENSION_RECORD_TYPE) {
        ReadExtension(control);
      } else if (record == IMAGE_DESC_RECORD_TYPE) {
        AddFrame(control);
        control = {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
      }
    }
    if (frames_.empty()) throw DamagedImageError("no frame", file_name_);
    return std::move(frames_);
  }

 private:
  void ReadExtension(GraphicsControlBlock& control) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif_.get(), &code, &block) == GIF_ERROR) Fail(gif_, file_name_);
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] == 4) {
      DGifExtensionToGCB(block[0], block + 1, &control);
    }
    while (block != nullptr) {
      if (DGifGetExtensionNext(gif_.get(), &block) == GIF_ERROR) Fail(gif_, file_name_);
    }
  }

  void AddFrame(const GraphicsControlBlock& control) {
    if (DGifGetImageDesc(gif_.get()) == GIF_ERROR) Fail(gif_, file_name_);
    const GifImageDesc& desc = gif_->Image;
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Left < 0 || desc.Top < 0 ||
        desc.Left + desc.Width > screen_.width || desc.Top + desc.Height > screen_.height) {
      throw DamagedImageError("a frame outside the screen", file_name_);
    }
    if (static_cast<int>(frames_.size()) == kMaxFrames ||
        static_cast<std::int64_t>(frames_.size() + 1) * screen_.width * screen_.height >
            kMaxPixels) {
      throw ImageTooLargeError("more frames than 16 megapixels hold", file_name_);
    }
    const ColorMapObject* colours = desc.ColorMap != nullptr ? desc.ColorMap : gif_->SColorMap;
    if (colours == nullptr) throw DamagedImageError("no colour table", file_name_);

    const GrayFrame before = control.DisposalMode == DISPOSE_PREVIOUS ? screen_ : GrayFrame{};
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    const int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
      const int first = desc.Interlace ? kInterlaceFirstRow[static_cast<std::size_t>(pass)] : 0;
      const int step = desc.Interlace ? kInterlaceRowStep[static_cast<std::size_t>(pass)] : 1;
      for (int row = first; row < desc.Height; row += step) {
        if (DGifGetLine(gif_.get(), line.data(), desc.Width) == GIF_ERROR) Fail(gif_, file_name_);
        Paint(desc.Left, desc.Top + row, line, *colours, control.TransparentColor);
      }
    }
    frames_.push_back(screen_);
    frames_.back().delayMs = control.DelayTime * 10;

    if (control.DisposalMode == DISPOSE_BACKGROUND) {
      for (int row = desc.Top; row < desc.Top + desc.Height; ++row) {
        const auto start = static_cast<std::size_t>(row) * screen_.width + desc.Left;
        std::fill_n(screen_.alpha.begin() + static_cast<std::ptrdiff_t>(start), desc.Width, 0);
      }
    } else if (control.DisposalMode == DISPOSE_PREVIOUS) {
      screen_ = before;
    }
  }

  void Paint(int left, int y, const std::vector<GifPixelType>& line, const ColorMapObject& colours,
             int transparent) {
    const auto start = static_cast<std::size_t>(y) * screen_.width + left;
    for (std::size_t x = 0; x < line.size(); ++x) {
      const int index = line[x];
      if (index == transparent) continue;
      // An index past the table's end is drawn black, as most viewers do.
      const GifColorType colour =
          index < colours.ColorCount ? colours.Colors[index] : GifColorType{0, 0, 0};
      screen_.luminance[start + x] = Luminance(colour.Red, colour.Green, colour.Blue);
      screen_.alpha[start + x] = 255;
    }
  }

  GifFile gif_;
  std::string_view file_name_;
  GrayFrame screen_;
  std::vector<GrayFrame> frames_;
};

}  // namespace

ImageSize GifSize(std::string_view bytes, std::string_view fileName) {
  Reader reader{bytes};
  const GifFile gif = OpenGif(reader, fileName);
  return {static_cast<std::uint32_t>(std::max(gif->SWidth, 0)),
          static_cast<std::uint32_t>(std::max(gif->SHeight, 0))};
}

std::vector<GrayFrame> DecodeGif(std::string_view bytes, std::string_view fileName) {
  Reader reader{bytes};
  GifFile gif = OpenGif(reader, fileName);
  CheckDecodable({static_cast<std::uint32_t>(std::max(gif->SWidth, 0)),
                  static_cast<std::uint32_t>(std::max(gif->SHeight, 0))},
                 fileName);
  return Animation(std::move(gif), fileName).Decode();
}

}  // namespace lumivane::imaging
