// A main window for the tests: the real widgets, with the error dialog and the call into the
// core observed instead of a modal dialog blocking the test.
#pragma once

#include <string>
#include <vector>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "ui/main_window.hpp"

namespace selko::ui::testing {

// What the window looked like while the core was searching.
struct DuringRun {
  QString status;
  bool resultVisible = true;
  QString resultText;
  bool customizeVisible = false;
  bool helpVisible = true;
  bool busyCursor = false;
  const Prover* prover = nullptr;
  std::vector<std::string> lines;
  RunOptions options;
  RunResult result;
};

class TestWindow : public MainWindow {
public:
  QStringList errors;             // messages of the error dialog, in order
  bool cursorBusyAtError = false; // the busy cursor was still shown when the dialog came
  std::vector<DuringRun> runs;    // one entry per START

  using MainWindow::SetStatus; // for texts that no run of the tests' systems ends with

  template <typename Control> Control* Find(const char* name) const {
    return findChild<Control*>(QString::fromLatin1(name));
  }

protected:
  void ShowError(const QString& message) override {
    errors.append(message);
    cursorBusyAtError = QApplication::overrideCursor() != nullptr;
  }

  RunResult RunProver(const std::vector<std::string>& lines, const RunOptions& options) override {
    DuringRun seen;
    seen.status = Find<QLabel>("Label4")->text();
    seen.resultVisible = Find<QPlainTextEdit>("Memo2")->isVisible();
    seen.resultText = Find<QPlainTextEdit>("Memo2")->toPlainText();
    seen.customizeVisible = Find<QPushButton>("Button7")->isVisible();
    seen.helpVisible = Find<QPlainTextEdit>("Memo4")->isVisible();
    seen.busyCursor = QApplication::overrideCursor() != nullptr &&
                      QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    seen.prover = &prover();
    seen.lines = lines;
    seen.options = options;
    seen.result = MainWindow::RunProver(lines, options);
    runs.push_back(seen);
    return seen.result;
  }
};

} // namespace selko::ui::testing
