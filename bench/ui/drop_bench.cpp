// How a folder drop on the real window grows with the folder, and what the
// window costs over the same batch without one. A 5,000-file folder must take
// at most 5.5 times a 1,000-file one (the progress view grows linearly) and
// at most 10 times the headless batch of the same folder.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bitmap_folder.h"
#include "bitmap_text.h"
#include "form_main.h"
#include "memory_surface.h"
#include "scripted_platform.h"
#include "workflows.h"

namespace lumivane::ui::bench {
namespace {

using lumivane::bench::BitmapFolder;
using lumivane::bench::ScreenText;
using lumivane::bench::Storage;
using lumivane::test::ScriptedPlatform;

constexpr int kRepeats = 5;
constexpr double kGrowthLimit = 5.5;
constexpr double kWindowLimit = 10.0;

// Drops the folder on Text1 as a file manager would and waits for the batch.
double WindowSeconds(const std::string& folder) {
  ScriptedPlatform platform;
  FormMain window(platform);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) qFatal("window not shown");
  QWidget* target = window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->viewport();
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder))});

  QElapsedTimer timer;
  timer.start();
  const QPoint point = target->rect().center();
  QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(point, Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  if (!enter.isAccepted() || !drop.isAccepted()) qFatal("the drop was refused");
  while (!window.Text3().ends_with("COMPLETE")) {
    QCoreApplication::processEvents();
    if (!platform.Boxes().empty()) qFatal("unexpected box: %s", platform.Boxes()[0].prompt.c_str());
  }
  return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double HeadlessSeconds(const std::string& folder) {
  ScriptedPlatform platform;
  MemorySurface surface;
  ConversionState state;
  Workflows workflows(state, surface, platform);
  QElapsedTimer timer;
  timer.start();
  workflows.Text1_OLEDragDrop(DropData::FileList({folder}));
  return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// The fastest run is the one least disturbed by whatever else the machine does.
template <typename Measure>
double Fastest(Measure measure, const std::string& folder, const char* what) {
  std::vector<double> runs;
  std::printf("  runs, %s:", what);
  for (int i = 0; i < kRepeats; ++i) {
    runs.push_back(measure(folder));
    std::printf(" %.3f", runs.back());
  }
  std::printf("\n");
  return *std::min_element(runs.begin(), runs.end());
}

}  // namespace
}  // namespace lumivane::ui::bench

int main(int argc, char* argv[]) {
  using namespace lumivane::ui::bench;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  // Other sizes may be given for a quick look: ui_drop_bench SMALL LARGE.
  const int smallCount = argc == 3 ? std::atoi(argv[1]) : 1000;
  const int largeCount = argc == 3 ? std::atoi(argv[2]) : 5000;
  // Whole OLED screens, in memory so that every run meets the same file system.
  const BitmapFolder small(smallCount, ScreenText, Storage::kMemory);
  const BitmapFolder large(largeCount, ScreenText, Storage::kMemory);
  HeadlessSeconds(large.Path());  // warms the file cache

  const double windowSmall = Fastest(WindowSeconds, small.Path(), "window, small folder");
  const double windowLarge = Fastest(WindowSeconds, large.Path(), "window, large folder");
  const double headlessSmall = Fastest(HeadlessSeconds, small.Path(), "headless, small folder");
  const double headlessLarge = Fastest(HeadlessSeconds, large.Path(), "headless, large folder");
  const double growth = windowLarge / windowSmall;
  const double overhead = windowLarge / headlessLarge;

  std::printf("folder drop, 128x64 bitmaps, fastest of %d runs\n", kRepeats);
  std::printf("  window,   %5d files: %8.3f s\n", smallCount, windowSmall);
  std::printf("  window,   %5d files: %8.3f s\n", largeCount, windowLarge);
  std::printf("  headless, %5d files: %8.3f s\n", smallCount, headlessSmall);
  std::printf("  headless, %5d files: %8.3f s\n", largeCount, headlessLarge);
  std::printf("  large / small folder:  %8.2f x (limit %.1f)\n", growth, kGrowthLimit);
  std::printf("  window / headless:     %8.2f x (limit %.1f)\n", overhead, kWindowLimit);
  return growth <= kGrowthLimit && overhead <= kWindowLimit ? 0 : 1;
}
