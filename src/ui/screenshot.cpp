// selko_screenshot: renders the window, after START on a system, into a PNG file. Meant for the
// offscreen platform (QT_QPA_PLATFORM=offscreen); used by scripts/screenshot.
//   selko_screenshot OUTPUT.png [SYSTEM.srs]
#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/main_window.hpp"
#include "ui/text_files.hpp"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: selko_screenshot OUTPUT.png [SYSTEM.srs]\n");
    return 2;
  }
  QStringList input{QStringLiteral("aab->bba"), QStringLiteral("bc->ca"), QStringLiteral("ca->ac")};
  if (argc == 3) {
    QString error;
    if (!selko::ui::LoadLines(QString::fromLocal8Bit(argv[2]), input, error)) {
      std::fprintf(stderr, "%s\n", qPrintable(error));
      return 1;
    }
  }

  selko::ui::MainWindow window;
  window.show();
  window.activateWindow();
  QElapsedTimer waited;
  waited.start();
  while (!window.isActiveWindow() && waited.elapsed() < 2000)
    QApplication::processEvents();
  window.FormActivate(); // as at the first activation, should the platform not activate it

  window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
      ->setPlainText(input.join(QLatin1Char('\n')));
  window.findChild<QPushButton*>(QStringLiteral("Button4"))->click();
  QApplication::processEvents();

  const QString status = window.findChild<QLabel*>(QStringLiteral("Label4"))->text();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("status: \"%s\"\n", qPrintable(status));
  return window.findChild<QPlainTextEdit*>(QStringLiteral("Memo2"))->isVisible() ? 0 : 1;
}
