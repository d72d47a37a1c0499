// The window's tests run in one program with one QApplication, class after
// class. Given a class's name first (FormMainTest, say), only that class
// runs, and the arguments after it are Qt Test's own.
#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <cstring>
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
  // The window keeps its last folder and import settings; never in the user's settings here.
  QStandardPaths::setTestModeEnabled(true);

  const struct {
    const char* name;
    std::unique_ptr<QObject> (*make)();
  } classes[] = {{"FormMainTest", NewFormMainTest},
                 {"FormSplashTest", NewFormSplashTest},
                 {"ImageImportTest", NewImageImportTest},
                 {"QtPlatformTest", NewQtPlatformTest}};
  const bool chosen = argc > 1 && argv[1][0] != '-';
  int failed = 0;
  for (const auto& test : classes) {
    if (chosen && std::strcmp(argv[1], test.name) != 0) continue;
    const std::unique_ptr<QObject> object = test.make();
    failed += QTest::qExec(object.get(), chosen ? argc - 1 : argc, chosen ? argv + 1 : argv) != 0;
  }
  return failed == 0 ? 0 : 1;
}
