#include "import_choice_store.h"

#include <QSettings>
#include <algorithm>

namespace lumivane::ui {
namespace {

constexpr int kMostFitSide = 4096;

int Bounded(const QSettings& settings, const char* key, int fallback, int lowest, int highest) {
  return std::clamp(settings.value(QLatin1String(key), fallback).toInt(), lowest, highest);
}

}  // namespace

ImportChoice StoredImportChoice() {
  const QSettings stored;
  ImportChoice choice;
  imaging::ImportSettings& settings = choice.settings;
  // A value edited by hand, or left by another version, is kept in range
  // rather than trusted.
  settings.threshold =
      Bounded(stored, "import/threshold", settings.threshold, 0, imaging::kMaxThreshold);
  settings.dithering = static_cast<imaging::Dithering>(
      Bounded(stored, "import/dithering", 0, 0, static_cast<int>(imaging::Dithering::kBayer)));
  settings.invert = stored.value(QStringLiteral("import/invert"), false).toBool();
  settings.rotation = Bounded(stored, "import/rotation", 0, 0, 3) * 90;
  settings.flip = static_cast<imaging::Flip>(
      Bounded(stored, "import/flip", 0, 0, static_cast<int>(imaging::Flip::kVertical)));
  if (stored.value(QStringLiteral("import/fit"), false).toBool()) {
    settings.fit = imaging::Size{Bounded(stored, "import/fitWidth", 128, 1, kMostFitSide),
                                 Bounded(stored, "import/fitHeight", 64, 1, kMostFitSide)};
  }
  settings.backgroundSet = stored.value(QStringLiteral("import/backgroundSet"), false).toBool();
  choice.saveXbm = stored.value(QStringLiteral("import/saveXbm"), false).toBool();
  const int layout =
      Bounded(stored, "import/layout", 0, 0, static_cast<int>(kByteLayoutNames.size()) - 1);
  choice.conversion.layout = kByteLayoutNames[static_cast<std::size_t>(layout)].layout;
  choice.conversion.uncompressed =
      stored.value(QStringLiteral("import/uncompressed"), false).toBool();
  return choice;
}

void StoreImportChoice(const ImportChoice& choice) {
  QSettings stored;
  const imaging::ImportSettings& settings = choice.settings;
  stored.setValue(QStringLiteral("import/threshold"), settings.threshold);
  stored.setValue(QStringLiteral("import/dithering"), static_cast<int>(settings.dithering));
  stored.setValue(QStringLiteral("import/invert"), settings.invert);
  stored.setValue(QStringLiteral("import/rotation"), settings.rotation / 90);
  stored.setValue(QStringLiteral("import/flip"), static_cast<int>(settings.flip));
  stored.setValue(QStringLiteral("import/fit"), settings.fit.has_value());
  if (settings.fit) {
    stored.setValue(QStringLiteral("import/fitWidth"), settings.fit->width);
    stored.setValue(QStringLiteral("import/fitHeight"), settings.fit->height);
  }
  stored.setValue(QStringLiteral("import/backgroundSet"), settings.backgroundSet);
  stored.setValue(QStringLiteral("import/saveXbm"), choice.saveXbm);
  const auto named =
      std::find_if(kByteLayoutNames.begin(), kByteLayoutNames.end(),
                   [&](const auto& entry) { return entry.layout == choice.conversion.layout; });
  stored.setValue(QStringLiteral("import/layout"),
                  static_cast<int>(named - kByteLayoutNames.begin()));
  stored.setValue(QStringLiteral("import/uncompressed"), choice.conversion.uncompressed);
}

}  // namespace lumivane::ui
