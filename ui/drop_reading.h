#pragma once

#include "drop_data.h"

class QMimeData;

namespace lumivane::ui {

// The local files a drop carries, in the order the drop source gave them, or
// "no file list" when it carries none (dragged text, a web link).
DropData DropDataFromMime(const QMimeData& mime);

}  // namespace lumivane::ui
