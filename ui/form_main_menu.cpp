#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "form_main.h"

namespace lumivane::ui {
namespace {

// Each caption marks its Alt+letter key with "&".
QAction* AddEntry(QMenu& menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut = {}) {
  QAction* entry = menu.addAction(caption);
  entry->setObjectName(QLatin1String(name));
  entry->setShortcut(shortcut);
  return entry;
}

}  // namespace

void FormMain::CreateMenus() {
  // The trailing spaces push the Info menu far to the right.
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File") + QString(40, QLatin1Char(' ')));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* load = AddEntry(*file, "mnuLoad", QStringLiteral("&Load"), Qt::CTRL | Qt::Key_L);
  QAction* import =
      AddEntry(*file, "mnuImport", QStringLiteral("&Import Image\u2026"), Qt::CTRL | Qt::Key_I);
  file->addSeparator()->setObjectName(QStringLiteral("seperator2"));
  QAction* quit = AddEntry(*file, "mnuQuit", QStringLiteral("&Quit"), Qt::CTRL | Qt::Key_Q);

  QMenu* info = menuBar()->addMenu(QStringLiteral("&Info"));
  info->setObjectName(QStringLiteral("mnuHelp"));
  QAction* about = AddEntry(*info, "mnuAbout", QStringLiteral("&About"));

  // F10 opens the first menu, as on the desktops users come from.
  auto* menuKey = new QAction(this);
  menuKey->setShortcut(Qt::Key_F10);
  addAction(menuKey);
  connect(menuKey, &QAction::triggered, this,
          [this, file] { menuBar()->setActiveAction(file->menuAction()); });

  connect(load, &QAction::triggered, this, &FormMain::mnuLoad_Click);
  connect(import, &QAction::triggered, this, &FormMain::mnuImport_Click);
  connect(quit, &QAction::triggered, this, &FormMain::mnuQuit_Click);
  connect(about, &QAction::triggered, this, &FormMain::mnuAbout_Click);
}

}  // namespace lumivane::ui
