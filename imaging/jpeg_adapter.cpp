#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <string>

#include "format_adapters.h"
#include "image_limits.h"
#include "import_errors.h"
#include "luminance.h"

namespace lumivane::imaging {
namespace {

// A progressive file may hold any number of scans over the same pixels;
// real ones hold about ten. Beyond this, a few kilobytes could keep the
// decoder busy for minutes.
constexpr int kMaxScans = 256;
constexpr long kMaxWorkingMemory = 64L << 20;

// libjpeg reports a failure by calling error_exit, which must not return:
// it jumps back to the one setjmp below, past nothing that needs a destructor.
struct ErrorManager {
  jpeg_error_mgr library;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool truncated;
};

void ExitWithError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings are tolerated (real files carry stray bytes), except the one for
// a file that ends early: its missing part would show as grey.
void NoteWarning(j_common_ptr info, int level) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) manager->truncated = true;
}

void LimitScans(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::snprintf(manager->message, sizeof manager->message, "more than %d scans", kMaxScans);
    std::longjmp(manager->jump, 1);
  }
}

// Plain data in and out, so that the jump crosses no C++ object's lifetime.
struct Job {
  const unsigned char* data;
  unsigned long size;
  bool headerOnly;
  ImageSize size_out;
  GrayFrame* frame;
};

// Adobe's CMYK files store the inks inverted, so a plain multiply gives RGB.
void StoreRow(const JSAMPLE* row, int components, bool cmyk, std::uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) {
    const JSAMPLE* pixel = row + static_cast<std::ptrdiff_t>(x) * components;
    if (components == 1) {
      out[x] = pixel[0];
    } else if (cmyk) {
      const unsigned black = pixel[3];
      out[x] = Luminance(static_cast<std::uint8_t>(pixel[0] * black / 255),
                         static_cast<std::uint8_t>(pixel[1] * black / 255),
                         static_cast<std::uint8_t>(pixel[2] * black / 255));
    } else {
      out[x] = Luminance(pixel[0], pixel[1], pixel[2]);
    }
  }
}

// Returns false with manager.message set when libjpeg gave up.
bool RunJob(Job& job, ErrorManager& manager, JSAMPLE* row, std::size_t rowCapacity) {
  jpeg_decompress_struct info{};
  jpeg_progress_mgr progress{};
  info.err = jpeg_std_error(&manager.library);
  manager.library.error_exit = ExitWithError;
  manager.library.emit_message = NoteWarning;
  if (setjmp(manager.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kMaxWorkingMemory;
  progress.progress_monitor = LimitScans;
  info.progress = &progress;
  jpeg_mem_src(&info, job.data, job.size);
  jpeg_read_header(&info, TRUE);
  job.size_out = {info.image_width, info.image_height};
  if (job.headerOnly || row == nullptr) {
    jpeg_destroy_decompress(&info);
    return true;
  }

  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  if (cmyk) {
    info.out_color_space = JCS_CMYK;
  } else if (info.jpeg_color_space != JCS_GRAYSCALE) {
    info.out_color_space = JCS_RGB;
  }
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  if (info.output_width != job.size_out.width || info.output_height != job.size_out.height ||
      static_cast<std::size_t>(width) * info.output_components > rowCapacity) {
    std::snprintf(manager.message, sizeof manager.message, "size changed while decoding");
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    const auto y = info.output_scanline;
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    StoreRow(row, info.output_components, cmyk,
             job.frame->luminance.data() + static_cast<std::size_t>(y) * width, width);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

ImageSize RunHeaderJob(std::string_view bytes, std::string_view fileName) {
  ErrorManager manager{};
  Job job{reinterpret_cast<const unsigned char*>(bytes.data()),
          static_cast<unsigned long>(bytes.size()),
          true,
          {},
          nullptr};
  if (!RunJob(job, manager, nullptr, 0)) throw DamagedImageError(manager.message, fileName);
  return job.size_out;
}

}  // namespace

ImageSize JpegSize(std::string_view bytes, std::string_view fileName) {
  return RunHeaderJob(bytes, fileName);
}

std::vector<GrayFrame> DecodeJpeg(std::string_view bytes, std::string_view fileName) {
  const ImageSize size = RunHeaderJob(bytes, fileName);
  CheckDecodable(size, fileName);

  GrayFrame frame;
  frame.width = static_cast<int>(size.width);
  frame.height = static_cast<int>(size.height);
  frame.luminance.resize(static_cast<std::size_t>(size.width) * size.height);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(size.width) * 4);

  ErrorManager manager{};
  Job job{reinterpret_cast<const unsigned char*>(bytes.data()),
          static_cast<unsigned long>(bytes.size()),
          false,
          {},
          &frame};
  if (!RunJob(job, manager, row.data(), row.size())) {
    throw DamagedImageError(manager.message, fileName);
  }
  if (manager.truncated) throw DamagedImageError("file ends early", fileName);
  return {std::move(frame)};
}

}  // namespace lumivane::imaging
