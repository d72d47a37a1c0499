#include "drop_reading.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>
#include <string>
#include <utility>
#include <vector>

#include "native_text.h"

namespace lumivane::ui {

DropData DropDataFromMime(const QMimeData& mime) {
  std::vector<std::string> paths;
  if (mime.hasUrls()) {
    for (const QUrl& url : mime.urls()) {
      if (url.isLocalFile()) paths.push_back(ToNative(QDir::toNativeSeparators(url.toLocalFile())));
    }
  }
  if (paths.empty()) return DropData::WithoutFileList();
  return DropData::FileList(std::move(paths));
}

}  // namespace lumivane::ui
