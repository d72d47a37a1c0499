#include "image_writers.h"

#include <gif_lib.h>
#include <spng.h>

#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace lumivane::test {
namespace {

void Check(int status, const char* what) {
  if (status != 0) throw std::runtime_error(std::string(what) + ": " + spng_strerror(status));
}

int AppendGif(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)
      ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
  return length;
}

}  // namespace

std::string Little(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
  return out;
}

std::string BmpFile(int width, int height, int depth, int compression, const std::string& palette,
                    const std::string& pixels) {
  const auto offset = static_cast<std::uint32_t>(54 + palette.size());
  return "BM" + Little(offset + static_cast<std::uint32_t>(pixels.size()), 4) + Little(0, 4) +
         Little(offset, 4) + Little(40, 4) + Little(static_cast<std::uint32_t>(width), 4) +
         Little(static_cast<std::uint32_t>(height), 4) + Little(1, 2) +
         Little(static_cast<std::uint32_t>(depth), 2) +
         Little(static_cast<std::uint32_t>(compression), 4) + std::string(20, '\0') + palette +
         pixels;
}

std::string WritePng(const GreyPicture& picture, PngKind kind) {
  spng_ctx* context = spng_ctx_new(SPNG_CTX_ENCODER);
  spng_set_option(context, SPNG_ENCODE_TO_BUFFER, 1);
  const int colourType = kind == PngKind::kGreyAlpha8 ? SPNG_COLOR_TYPE_GRAYSCALE_ALPHA
                         : kind == PngKind::kRgb8     ? SPNG_COLOR_TYPE_TRUECOLOR
                         : kind == PngKind::kPalette  ? SPNG_COLOR_TYPE_INDEXED
                                                      : SPNG_COLOR_TYPE_GRAYSCALE;
  spng_ihdr header{
      static_cast<std::uint32_t>(picture.width),
      static_cast<std::uint32_t>(picture.height),
      static_cast<std::uint8_t>(kind == PngKind::kGrey16 ? 16 : 8),
      static_cast<std::uint8_t>(colourType),
      0,
      0,
      static_cast<std::uint8_t>(kind == PngKind::kInterlaced ? SPNG_INTERLACE_ADAM7 : 0)};
  std::vector<std::uint8_t> data;
  for (std::size_t i = 0; i < picture.grey.size(); ++i) {
    const std::uint8_t grey = picture.grey[i];
    switch (kind) {
      case PngKind::kGreyAlpha8:
        data.push_back(grey);
        data.push_back(picture.alpha.empty() ? 255 : picture.alpha[i]);
        break;
      case PngKind::kRgb8:
        for (int c = 0; c < 3; ++c) {
          data.push_back(picture.rgb.empty() ? grey
                                             : picture.rgb[i * 3 + static_cast<std::size_t>(c)]);
        }
        break;
      case PngKind::kGrey16:
        // In host order (libspng's); the low byte differs from the high one,
        // so a decoder must scale, not copy.
        data.push_back(static_cast<std::uint8_t>(255 - grey));
        data.push_back(grey);
        break;
      default:
        data.push_back(grey);
    }
  }
  Check(spng_set_ihdr(context, &header), "ihdr");
  if (kind == PngKind::kPalette) {
    // Entry i is the grey 255 - i, so the indices are not the luminance.
    spng_plte palette{};
    palette.n_entries = 256;
    for (int i = 0; i < 256; ++i) {
      const auto grey = static_cast<std::uint8_t>(255 - i);
      palette.entries[i] = {grey, grey, grey, 0};
    }
    for (std::uint8_t& value : data) value = static_cast<std::uint8_t>(255 - value);
    Check(spng_set_plte(context, &palette), "plte");
  }
  if (!picture.alpha.empty() && (kind == PngKind::kRgb8 || kind == PngKind::kPalette)) {
    // Transparent pixels take the colour 1, 2, 3, or the index 254 (grey 1),
    // which tRNS names: dark, so they would show if it were not read.
    spng_trns transparency{0, 1, 2, 3, 255, {}};
    std::fill_n(transparency.type3_alpha, 254, 255);
    const std::size_t channels = kind == PngKind::kRgb8 ? 3 : 1;
    for (std::size_t i = 0; i < picture.alpha.size(); ++i) {
      if (picture.alpha[i] == 0) {
        std::copy_n(channels == 3 ? "\1\2\3" : "\xFE", channels, &data[i * channels]);
      }
    }
    Check(spng_set_trns(context, &transparency), "trns");
  }
  Check(spng_encode_image(context, data.data(), data.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE),
        "encode");
  std::size_t length = 0;
  int status = 0;
  void* buffer = spng_get_png_buffer(context, &length, &status);
  Check(status, "buffer");
  std::string png(static_cast<const char*>(buffer), length);
  std::free(buffer);
  spng_ctx_free(context);
  return png;
}

std::string WriteGif(const std::vector<GreyPicture>& frames, const std::vector<int>& delays) {
  std::vector<GifFrame> placed;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    placed.push_back({frames[i], 0, 0, 0, i < delays.size() ? delays[i] : 0});
  }
  return WriteGif(frames.front().width, frames.front().height, placed, false);
}

std::string WriteGif(int width, int height, const std::vector<GifFrame>& frames, bool interlaced) {
  std::string out;
  int status = 0;
  GifFileType* gif = EGifOpen(&out, AppendGif, &status);
  if (gif == nullptr) throw std::runtime_error("EGifOpen");
  EGifSetGifVersion(gif, true);
  // Greys, or the colours of the first frame in the order they come.
  const GreyPicture& first = frames.front().picture;
  std::vector<GifColorType> colours;
  if (first.rgb.empty()) {
    for (int i = 0; i < 256; ++i) {
      const auto grey = static_cast<GifByteType>(i);
      colours.push_back({grey, grey, grey});
    }
  } else {
    for (std::size_t i = 0; i < first.rgb.size(); i += 3) {
      const GifColorType colour{first.rgb[i], first.rgb[i + 1], first.rgb[i + 2]};
      if (std::none_of(colours.begin(), colours.end(), [&](const GifColorType& known) {
            return known.Red == colour.Red && known.Green == colour.Green &&
                   known.Blue == colour.Blue;
          })) {
        colours.push_back(colour);
      }
    }
    colours.resize(256, GifColorType{0, 0, 0});
  }
  const auto indexOf = [&](const GreyPicture& picture, std::size_t i) -> GifPixelType {
    if (!picture.alpha.empty() && picture.alpha[i] == 0) return 1;
    if (picture.rgb.empty()) return picture.grey[i] == 1 ? 0 : picture.grey[i];
    for (std::size_t c = 0;; ++c) {
      if (colours[c].Red == picture.rgb[i * 3] && colours[c].Green == picture.rgb[i * 3 + 1] &&
          colours[c].Blue == picture.rgb[i * 3 + 2]) {
        return static_cast<GifPixelType>(c);
      }
    }
  };
  ColorMapObject* palette = GifMakeMapObject(256, colours.data());
  // An interlaced file carries its colours with each frame, beside a black
  // screen table they must win over.
  const std::vector<GifColorType> black(256, GifColorType{0, 0, 0});
  ColorMapObject* screenPalette = interlaced ? GifMakeMapObject(256, black.data()) : palette;
  EGifPutScreenDesc(gif, width, height, 8, 0, screenPalette);
  for (const GifFrame& frame : frames) {
    const GreyPicture& picture = frame.picture;
    GraphicsControlBlock control{frame.disposal, false, frame.delay,
                                 picture.alpha.empty() ? NO_TRANSPARENT_COLOR : 1};
    GifByteType block[4];
    EGifGCBToExtension(&control, block);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block);
    EGifPutImageDesc(gif, frame.left, frame.top, picture.width, picture.height, interlaced,
                     interlaced ? palette : nullptr);
    // An interlaced frame is sent in GIF's four passes of rows.
    std::vector<int> rows;
    for (const auto& [firstRow, step] :
         interlaced ? std::vector<std::pair<int, int>>{{0, 8}, {4, 8}, {2, 4}, {1, 2}}
                    : std::vector<std::pair<int, int>>{{0, 1}}) {
      for (int y = firstRow; y < picture.height; y += step) rows.push_back(y);
    }
    for (const int y : rows) {
      std::vector<GifPixelType> row;
      for (int x = 0; x < picture.width; ++x) {
        row.push_back(indexOf(picture, static_cast<std::size_t>(y * picture.width + x)));
      }
      if (EGifPutLine(gif, row.data(), picture.width) == GIF_ERROR) {
        throw std::runtime_error("EGifPutLine");
      }
    }
  }
  if (screenPalette != palette) GifFreeMapObject(screenPalette);
  GifFreeMapObject(palette);
  EGifCloseFile(gif, &status);
  return out;
}

std::string WriteJpeg(const GreyPicture& picture, int quality, bool progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&info, &buffer, &length);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  const bool colour = !picture.rgb.empty();
  info.input_components =
      colour ? static_cast<int>(picture.rgb.size()) / (picture.width * picture.height) : 1;
  info.in_color_space = !colour ? JCS_GRAYSCALE : info.input_components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const auto rowSize = static_cast<std::size_t>(picture.width * info.input_components);
  std::vector<JSAMPLE> row(rowSize);
  while (info.next_scanline < info.image_height) {
    const auto start = (colour ? picture.rgb : picture.grey).begin() +
                       static_cast<std::ptrdiff_t>(info.next_scanline * rowSize);
    std::copy(start, start + static_cast<std::ptrdiff_t>(rowSize), row.begin());
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string jpeg(reinterpret_cast<const char*>(buffer), length);
  std::free(buffer);
  return jpeg;
}

std::string WriteBmp(const GreyPicture& picture, int depth) {
  const int pixelBytes = depth / 8;
  const int rowBytes = (picture.width * pixelBytes + 3) / 4 * 4;
  std::string out;
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const auto i = static_cast<std::size_t>(y * picture.width + x);
      for (int c = 2; c >= 0; --c) {
        out.push_back(static_cast<char>(picture.rgb.empty()
                                            ? picture.grey[i]
                                            : picture.rgb[i * 3 + static_cast<std::size_t>(c)]));
      }
      if (depth == 32)
        out.push_back(static_cast<char>(picture.alpha.empty() ? 255 : picture.alpha[i]));
    }
    out.append(static_cast<std::size_t>(rowBytes - picture.width * pixelBytes), '\0');
  }
  return BmpFile(picture.width, picture.height, depth, 0, "", out);
}

std::string WritePbm(const GreyPicture& picture) {
  std::string out = "P4\n# written by a test\n" + std::to_string(picture.width) + " " +
                    std::to_string(picture.height) + "\n";
  for (int y = 0; y < picture.height; ++y) {
    for (int x0 = 0; x0 < picture.width; x0 += 8) {
      unsigned byte = 0;
      for (int x = x0; x < x0 + 8 && x < picture.width; ++x) {
        if (picture.grey[static_cast<std::size_t>(y * picture.width + x)] < 128) {
          byte |= 0x80u >> (x - x0);
        }
      }
      out.push_back(static_cast<char>(byte));
    }
  }
  return out;
}

}  // namespace lumivane::test
