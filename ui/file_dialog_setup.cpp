#include "file_dialog_setup.h"

#include "native_text.h"
#include "screen_fit.h"

namespace lumivane::ui {
namespace {

QString QtPatterns(const QString& patterns) {
  QStringList alternatives = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& pattern : alternatives) {
    pattern = pattern.trimmed();
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  }
  return alternatives.join(QLatin1Char(' '));
}

}  // namespace

QStringList NameFiltersFromFilter(std::string_view filter) {
  const QStringList parts = FromNative(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    // Qt reads the patterns from the last parentheses and, with
    // HideNameFilterDetails, shows only what stands before them.
    filters.append(parts[i] + QStringLiteral(" (") + QtPatterns(parts[i + 1]) + QLatin1Char(')'));
  }
  return filters;
}

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogSettings& settings,
                         QFileDialog::AcceptMode mode) {
  dialog.setWindowTitle(FromNative(settings.DialogTitle));
  dialog.setAcceptMode(mode);
  // Neither dialog insists on an existing file: a typed name is taken as it is.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontConfirmOverwrite,
                   (settings.Flags & dialog_flags::kOverwritePrompt) == 0);

  const QStringList filters = NameFiltersFromFilter(settings.Filter);
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());

  // Wide enough for the name, size, type and date columns side by side,
  // where the screen has room for it.
  dialog.setViewMode(QFileDialog::Detail);
  dialog.resize(SizeOnScreen(dialog, QSize(900, 560)));

  if (!settings.InitDir.empty()) dialog.setDirectory(FromNative(settings.InitDir));
  if (!settings.FileName.empty()) dialog.selectFile(FromNative(settings.FileName));
}

}  // namespace lumivane::ui
