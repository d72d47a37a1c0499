// The window's tests, class after class, in one program with one
// QApplication. A class's name first (FormMainTest, say) runs it alone, with
// Qt Test's own arguments after it.
#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <memory>

namespace lumivane::test {
std::unique_ptr<QObject> NewFormMainTest();
std::unique_ptr<QObject> NewFormSplashTest();
std::unique_ptr<QObject> NewImageImportTest();
std::unique_ptr<QObject> NewQtPlatformTest();
}  // namespace lumivane::test

int main(int argc, char* argv[]) {
  using namespace lumivane::test;
  QApplication application(argc, argv);
  // As Qt Test's own main sets it: fonts measure the same on every screen.
  QApplication::setAttribute(Qt::AA_Use96Dpi, true);
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication::setQuitOnLastWindowClosed(false);
  QLocale::setDefault(QLocale::c());
  // The window keeps its last folder and import settings: never in the user's settings here.
  QStandardPaths::setTestModeEnabled(true);
  const bool one = argc > 1 && argv[1][0] != '-';
  int failed = 0;
  for (const auto make :
       {NewFormMainTest, NewFormSplashTest, NewImageImportTest, NewQtPlatformTest}) {
    const std::unique_ptr<QObject> test = make();
    if (one && !QByteArray(test->metaObject()->className()).endsWith(QByteArray("::") + argv[1])) {
      continue;
    }
    failed += QTest::qExec(test.get(), one ? argc - 1 : argc, one ? argv + 1 : argv) != 0;
  }
  return failed == 0 ? 0 : 1;
}
