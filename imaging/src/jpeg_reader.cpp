#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <string>

#include "exif_orientation.h"
#include "image_reader.h"
#include "import_errors.h"
#include "luminance.h"
#include "shaping.h"

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
  // A progressive picture larger than the working memory needs a backing
  // store, which libjpeg has not: a limit of ours, not damage.
  bool tooLarge;
};

void ExitWithError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, manager->message);
  manager->tooLarge = info->err->msg_code == JERR_NO_BACKING_STORE;
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

// The first EXIF segment's orientation, 1 when there is none.
int OrientationOf(const jpeg_saved_marker_ptr markers) {
  for (jpeg_saved_marker_ptr marker = markers; marker != nullptr; marker = marker->next) {
    if (marker->marker != JPEG_APP0 + 1) continue;
    const int orientation = ExifOrientation(
        std::string_view(reinterpret_cast<const char*>(marker->data), marker->data_length));
    if (orientation != 0) return orientation;
  }
  return 1;
}

// Plain data in and out, so that the jump crosses no C++ object's lifetime.
struct Job {
  const unsigned char* data;
  unsigned long size;
  Size size_out = {};
  int orientation = 1;
  Plane* plane = nullptr;
  JSAMPLE* row = nullptr;
  std::size_t rowCapacity = 0;
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

// Reads the header, and the pixels when the job has a plane for them.
// Returns false with manager.message set when libjpeg gave up.
bool RunJob(Job& job, ErrorManager& manager) {
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
  jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&info, TRUE);
  job.size_out = {static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
  job.orientation = OrientationOf(info.marker_list);
  if (job.plane == nullptr) {
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
  if (width != job.plane->width || static_cast<int>(info.output_height) != job.plane->height ||
      static_cast<std::size_t>(width) * info.output_components > job.rowCapacity) {
    std::snprintf(manager.message, sizeof manager.message, "size changed while decoding");
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    const auto y = info.output_scanline;
    JSAMPROW rows[1] = {job.row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    StoreRow(job.row, info.output_components, cmyk,
             job.plane->values.data() + static_cast<std::size_t>(y) * width, width);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

class JpegReader : public ImageReader {
 public:
  explicit JpegReader(std::string_view bytes)
      : job_{reinterpret_cast<const unsigned char*>(bytes.data()),
             static_cast<unsigned long>(bytes.size())} {
    Run();
  }

  Size DeclaredSize() const override {
    const Size stored = job_.size_out;
    return TurnOf(job_.orientation).rotation % 180 == 0 ? stored
                                                        : Size{stored.height, stored.width};
  }

  std::vector<GrayFrame> Decode() override {
    const Size stored = job_.size_out;
    Plane plane{stored.width, stored.height,
                std::vector<std::uint8_t>(static_cast<std::size_t>(stored.width) * stored.height)};
    std::vector<JSAMPLE> row(static_cast<std::size_t>(stored.width) * 4);
    job_.plane = &plane;
    job_.row = row.data();
    job_.rowCapacity = row.size();
    Run();
    const Turn turn = TurnOf(job_.orientation);
    if (turn.rotation != 0 || turn.flip != Flip::kNone) {
      plane = Orient(plane, turn.rotation, turn.flip);
    }
    return {GrayFrame{std::move(plane), std::nullopt}};
  }

 private:
  void Run() {
    ErrorManager manager{};
    if (!RunJob(job_, manager)) {
      if (manager.tooLarge) throw ImageTooLargeError("progressive, needs over 64 MiB to decode");
      throw DamagedImageError(manager.message);
    }
    if (manager.truncated) throw DamagedImageError("file ends early");
  }

  Job job_;
};

}  // namespace

std::unique_ptr<ImageReader> OpenJpeg(std::string_view bytes) {
  return std::make_unique<JpegReader>(bytes);
}

}  // namespace lumivane::imaging
