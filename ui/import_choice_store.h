#pragma once

#include "image_import.h"

namespace lumivane::ui {

// The settings of the last import, kept between imports and between runs,
// so a series of pictures drawn alike is imported alike without setting
// every control again.
ImportChoice StoredImportChoice();
void StoreImportChoice(const ImportChoice& choice);

}  // namespace lumivane::ui
