#pragma once

// Image import: an image file becomes the text of an ordinary XBM bitmap,
// which the window and the command line then convert as if that .xbm had
// been read, so every header, report line and refusal comes from one path.
//
//   file bytes --decode--------> frames as a viewer shows them: luminance
//                                (Rec. 709) and, only for an image with
//                                transparency, opacity; one frame a GIF frame,
//                                composed on its screen; a JPEG turned as its
//                                EXIF orientation says
//              --composite-----> transparent pixels blended onto the background
//              --orient--------> turned clockwise, then flipped
//              --fit-----------> scaled into the box, each pixel the average of
//                                the area it covers, centred on the background
//              --reduce--------> one flag a pixel: the threshold, or dithered
//              --pack----------> Bitmap, in XBM bit order
//              --XBM text------> "#define NAME_width ..." with CR LF line ends
//
// The size an image's header declares is checked against the limits before
// any pixel is decoded, and the bitmap's against what the conversion takes
// before any text is made. Every failure is an AppError (1001 format unknown,
// 1002 damaged, 1003 too large) whose description ends with the file's path.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "byte_layout.h"

namespace lumivane::imaging {

struct Size {
  int width = 0;
  int height = 0;
};

// One byte a pixel, row by row.
struct Plane {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> values;

  std::uint8_t& At(int x, int y) { return values[Index(x, y)]; }
  std::uint8_t At(int x, int y) const { return values[Index(x, y)]; }
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
  }
};

// One decoded picture. Opaque images carry no opacity plane.
struct GrayFrame {
  Plane luminance;
  std::optional<Plane> alpha;
  // How long an animation shows the frame (a GIF's delay), 0 where unsaid.
  int delayMs = 0;
};

// A one-bit picture in XBM order: rows top to bottom, each row padded to
// whole bytes, the least significant bit the leftmost pixel.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;

  static int RowBytes(int width) { return (width + 7) / 8; }
  bool Pixel(int x, int y) const {
    return (bits[static_cast<std::size_t>(y * RowBytes(width) + x / 8)] >> (x % 8)) & 1;
  }
};

enum class Dithering { kNone, kFloydSteinberg, kAtkinson, kBayer };
enum class Flip { kNone, kHorizontal, kVertical };

// How a picture becomes one bit a pixel. By default a pixel darker than the
// threshold becomes a set bit, as image editors export XBM; `invert` suits
// light-on-dark art.
struct ImportSettings {
  int threshold = 128;
  Dithering dithering = Dithering::kNone;
  bool invert = false;
  int rotation = 0;
  Flip flip = Flip::kNone;
  std::optional<Size> fit;
  // Transparent pixels and the margins of a fit are background: unset bits,
  // or set bits when this is on.
  bool backgroundSet = false;
  // How the conversion arranges and codes the bytes, for its limits.
  ConversionChoice conversion;
};

inline constexpr int kMaxThreshold = 255;
// The conversion takes at most this many byte literals, and at most this
// many items once the bytes are arranged and runs of 00 and FF coded (a lone
// 00 or FF takes two).
inline constexpr std::int64_t kMaxBitmapBytes = 32766;

// The names the command line and the window use; nullopt for an unknown one.
std::optional<Dithering> DitheringNamed(std::string_view name);
std::string_view DitheringName(Dithering dithering);
bool IsRotation(int degrees);

// One bitmap made of an image: the C identifier its XBM text declares (and
// the ".xbm" it stands for), the text, and the bits it holds.
struct ImportedBitmap {
  std::string name;
  std::string xbmText;
  Bitmap bitmap;
  // How long an animation shows it, 0 where the image does not say.
  int delayMs = 0;
};

// The array name of an image: its file name without folder, up to the first
// dot after any leading ones, made a C identifier (every other character
// becomes "_", and "_" goes before a leading digit or an empty name).
std::string ArrayNameOf(std::string_view path);

// Whether the bytes start as an image of a format the import reads (told by
// the content, never the name).
bool IsImage(std::string_view bytes);

// The checks ImportImage makes before anything is decoded: the format, the
// size the header declares, and the bitmap's under the settings.
void CheckImportable(std::string_view bytes, std::string_view path, const ImportSettings& settings);

// Every frame of an image file's bytes (several only for an animated GIF).
std::vector<GrayFrame> DecodeImage(std::string_view bytes, std::string_view path);

// The bitmaps of an image file: one, or one a frame of an animated GIF,
// named NAME_0, NAME_1 and so on.
std::vector<ImportedBitmap> ImportImage(std::string_view bytes, std::string_view path,
                                        const ImportSettings& settings);

// The same for frames decoded before: the window keeps them while the
// settings change, the web page has the browser decode them.
std::vector<ImportedBitmap> ImportFrames(const std::vector<GrayFrame>& frames,
                                         std::string_view path, const ImportSettings& settings);

// A frame of 8-bit RGBA pixels, row by row, as the decoders make it.
GrayFrame FrameFromRgba(int width, int height, std::span<const std::uint8_t> rgba);

// The steps one at a time, for a preview: the frame on a background
// luminance, and the bitmap the settings make of it (raising as ImportFrames
// does, without a file name).
Plane Composite(const GrayFrame& frame, std::uint8_t background);
Bitmap ToBitmap(const GrayFrame& frame, const ImportSettings& settings);

// The XBM text of a bitmap, as an image editor writes it but with CR LF line
// ends: the width and height defines, then "static unsigned char NAME_bits[] = {"
// and the bytes as lower-case "0x.." literals, twelve a line.
std::string XbmText(const Bitmap& bitmap, std::string_view name);

}  // namespace lumivane::imaging
