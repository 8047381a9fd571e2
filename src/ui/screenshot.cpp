// selko_screenshot: renders the window, after START on a system, into a PNG file, with the
// options uncovered. Meant for the offscreen platform (QT_QPA_PLATFORM=offscreen); used by
// scripts/screenshot. With --extended the "extended" box is on, and the default system is one
// beyond the fixed-capacity phases.
//   selko_screenshot [--extended] OUTPUT.png [SYSTEM.srs]
// Exits with 0 when the result pane shows a proof, 1 otherwise.
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/main_window.hpp"
#include "ui/text_files.hpp"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const bool extended = argc > 1 && std::strcmp(argv[1], "--extended") == 0;
  const int first = extended ? 2 : 1;
  if (argc - first < 1 || argc - first > 2) {
    std::fprintf(stderr, "usage: selko_screenshot [--extended] OUTPUT.png [SYSTEM.srs]\n");
    return 2;
  }
  QStringList input = extended
                          ? QStringList{QStringLiteral("aab->baaa"), QStringLiteral("baba->abb")}
                          : QStringList{QStringLiteral("aab->bba"), QStringLiteral("bc->ca"),
                                        QStringLiteral("ca->ac")};
  if (argc - first == 2) {
    QString error;
    if (!selko::ui::LoadLines(QString::fromLocal8Bit(argv[first + 1]), input, error)) {
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

  const auto find = [&window](const char* name) {
    return window.findChild<QWidget*>(QString::fromLatin1(name));
  };
  qobject_cast<QPlainTextEdit*>(find("Memo1"))->setPlainText(input.join(QLatin1Char('\n')));
  if (extended) {
    qobject_cast<QPushButton*>(find("Button7"))->click();
    qobject_cast<QCheckBox*>(find("CheckBox5"))->setChecked(true);
  }
  qobject_cast<QPushButton*>(find("Button4"))->click();
  while (window.Running())
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
  qobject_cast<QPushButton*>(find("Button7"))->click(); // START covered the options again
  QApplication::processEvents();

  const QString status = qobject_cast<QLabel*>(find("Label4"))->text();
  if (!window.grab().save(QString::fromLocal8Bit(argv[first]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[first]);
    return 1;
  }
  std::printf("status: \"%s\"\n", qPrintable(status));
  return find("Memo2")->isVisible() ? 0 : 1;
}
