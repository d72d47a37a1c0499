#include "app_icon.h"

#include <QPixmap>

#include "icons/lumivane-16x16-16.xpm"
#include "icons/lumivane-32x32-16.xpm"
#include "icons/lumivane-32x32-2.xpm"

namespace lumivane::ui {

QIcon ApplicationIcon() {
  QIcon icon;
  // The colour image first: where two images share a size, the first one added is used.
  icon.addPixmap(QPixmap(lumivane_32x32_16));
  icon.addPixmap(QPixmap(lumivane_32x32_2));
  icon.addPixmap(QPixmap(lumivane_16x16_16));
  return icon;
}

}  // namespace lumivane::ui
