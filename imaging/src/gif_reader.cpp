#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "image_reader.h"
#include "import_errors.h"
#include "import_limits.h"
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

[[noreturn]] void Fail(const GifFile& gif) {
  throw DamagedImageError(GifErrorText(gif->Error));
}

// Composes the frames on the logical screen as a viewer shows them, honouring
// transparency and each frame's disposal, and keeps a copy of every frame.
// A frame reaching past the screen is clipped to it, as browsers do.
class GifReader : public ImageReader {
 public:
  explicit GifReader(std::string_view bytes) : reader_{bytes} {
    int status = 0;
    gif_.reset(DGifOpen(&reader_, ReadBytes, &status));
    if (!gif_) throw DamagedImageError(GifErrorText(status));
  }

  Size DeclaredSize() const override { return {gif_->SWidth, gif_->SHeight}; }

  std::vector<GrayFrame> Decode() override {
    const Size size = DeclaredSize();
    const auto pixels =
        static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
    screen_ = {{size.width, size.height, std::vector<std::uint8_t>(pixels, 0)},
               Plane{size.width, size.height, std::vector<std::uint8_t>(pixels, 0)}};
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    for (;;) {
      GifRecordType record = UNDEFINED_RECORD_TYPE;
      if (DGifGetRecordType(gif_.get(), &record) == GIF_ERROR) Fail(gif_);
      if (record == TERMINATE_RECORD_TYPE) break;
      if (record == EXTENSION_RECORD_TYPE) {
        ReadExtension(control);
      } else if (record == IMAGE_DESC_RECORD_TYPE) {
        AddFrame(control);
        control = {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
      }
    }
    if (frames_.empty()) throw DamagedImageError("no frame");
    return std::move(frames_);
  }

 private:
  void ReadExtension(GraphicsControlBlock& control) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif_.get(), &code, &block) == GIF_ERROR) Fail(gif_);
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] == 4) {
      DGifExtensionToGCB(block[0], block + 1, &control);
    }
    while (block != nullptr) {
      if (DGifGetExtensionNext(gif_.get(), &block) == GIF_ERROR) Fail(gif_);
    }
  }

  void CheckFrameBudget() const {
    const auto count = static_cast<std::int64_t>(frames_.size()) + 1;
    if (count > kMaxFrames) {
      throw ImageTooLargeError("more than " + std::to_string(kMaxFrames) + " frames");
    }
    const Plane& screen = screen_.luminance;
    if (count * screen.width * screen.height > kMaxPixels) {
      throw ImageTooLargeError(std::to_string(count) + " frames of " +
                               std::to_string(screen.width) + " x " +
                               std::to_string(screen.height) + ", over 16 megapixels together");
    }
  }

  void AddFrame(const GraphicsControlBlock& control) {
    if (DGifGetImageDesc(gif_.get()) == GIF_ERROR) Fail(gif_);
    const GifImageDesc& desc = gif_->Image;
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Left < 0 || desc.Top < 0) {
      throw DamagedImageError("a frame of no size");
    }
    CheckFrameBudget();
    const ColorMapObject* colours = desc.ColorMap != nullptr ? desc.ColorMap : gif_->SColorMap;
    if (colours == nullptr) throw DamagedImageError("no colour table");

    const GrayFrame before = control.DisposalMode == DISPOSE_PREVIOUS ? screen_ : GrayFrame{};
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    const int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
      const int first = desc.Interlace ? kInterlaceFirstRow[static_cast<std::size_t>(pass)] : 0;
      const int step = desc.Interlace ? kInterlaceRowStep[static_cast<std::size_t>(pass)] : 1;
      for (int row = first; row < desc.Height; row += step) {
        if (DGifGetLine(gif_.get(), line.data(), desc.Width) == GIF_ERROR) Fail(gif_);
        Paint(desc.Left, desc.Top + row, line, *colours, control.TransparentColor);
      }
    }
    frames_.push_back(screen_);
    frames_.back().delayMs = control.DelayTime * 10;

    if (control.DisposalMode == DISPOSE_BACKGROUND) {
      Plane& alpha = *screen_.alpha;
      const int right = std::min(desc.Left + desc.Width, alpha.width);
      for (int y = desc.Top; y < std::min(desc.Top + desc.Height, alpha.height); ++y) {
        for (int x = desc.Left; x < right; ++x) alpha.At(x, y) = 0;
      }
    } else if (control.DisposalMode == DISPOSE_PREVIOUS) {
      screen_ = before;
    }
  }

  void Paint(int left, int y, const std::vector<GifPixelType>& line, const ColorMapObject& colours,
             int transparent) {
    if (y >= screen_.luminance.height) return;
    const int count = std::min(static_cast<int>(line.size()), screen_.luminance.width - left);
    for (int x = 0; x < count; ++x) {
      const int index = line[static_cast<std::size_t>(x)];
      if (index == transparent) continue;
      // An index past the table's end is drawn black, as most viewers do.
      const GifColorType colour =
          index < colours.ColorCount ? colours.Colors[index] : GifColorType{0, 0, 0};
      screen_.luminance.At(left + x, y) = Luminance(colour.Red, colour.Green, colour.Blue);
      screen_.alpha->At(left + x, y) = 255;
    }
  }

  Reader reader_;
  GifFile gif_;
  GrayFrame screen_;
  std::vector<GrayFrame> frames_;
};

}  // namespace

std::unique_ptr<ImageReader> OpenGif(std::string_view bytes) {
  return std::make_unique<GifReader>(bytes);
}

}  // namespace lumivane::imaging
