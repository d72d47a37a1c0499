#pragma once

#include <QFileDialog>
#include <QStringList>
#include <string_view>

#include "platform.h"

namespace lumivane::ui {

// "label|pattern|label|pattern" as Qt name filters. The label is kept as it
// is (it may already name its patterns) and is the only part shown; patterns
// separated by ";" are matched as alternatives, and "*.*" matches every
// file, names without a dot included.
QStringList NameFiltersFromFilter(std::string_view filter);

// Puts every setting of the workflow into the dialog: title, filters with the
// first one selected, initial folder, preset name (whose own folder wins over
// the initial one) and the overwrite prompt of flag 2.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogSettings& settings,
                         QFileDialog::AcceptMode mode);

}  // namespace lumivane::ui
