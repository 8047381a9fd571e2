// A main window for the tests: the real widgets, with the error dialog and the calls into the
// prover and the engine observed instead of a modal dialog blocking the test.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include "ui/main_window.hpp"

namespace selko::ui::testing {

// What the window looked like when the search began, and what the search was given.
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

// What the engine was given in a run, and what it answered.
struct EngineCall {
  engine::Problem problem;
  engine::EngineOptions options;
  engine::EngineResult result;
};

class TestWindow : public MainWindow {
public:
  QStringList errors;             // messages of the error dialog, in order
  bool cursorBusyAtError = false; // the busy cursor was still shown when the dialog came
  // One entry per START. The window's part is written on the window's thread when the run
  // begins, the rest by the run's thread; read them once the run has ended.
  std::vector<DuringRun> runs;
  std::vector<EngineCall> engineCalls; // written by the run's thread, as `runs`
  // Answers in place of the engine when set (called on the run's thread).
  std::function<engine::EngineResult(const engine::Problem&, const engine::EngineOptions&)> engine;

  TestWindow() {
    connect(this, &MainWindow::RunStarted, this, [this] {
      DuringRun seen;
      seen.status = Find<QLabel>("Label4")->text();
      seen.resultVisible = Find<QPlainTextEdit>("Memo2")->isVisible();
      seen.resultText = Find<QPlainTextEdit>("Memo2")->toPlainText();
      seen.customizeVisible = Find<QPushButton>("Button7")->isVisible();
      seen.helpVisible = Find<QPlainTextEdit>("Memo4")->isVisible();
      seen.busyCursor = QApplication::overrideCursor() != nullptr &&
                        QApplication::overrideCursor()->shape() == Qt::WaitCursor;
      runs.push_back(seen);
    });
  }
  // The run's thread calls the overrides below: it must end before they go.
  ~TestWindow() override { EndRunNow(); }

  using MainWindow::SetStatus; // for texts that no run of the tests' systems ends with

  template <typename Control> Control* Find(const char* name) const {
    return findChild<Control*>(QString::fromLatin1(name));
  }

  // Spins the event loop until the run in progress has ended (at once when none is); false
  // when it has not ended after several minutes, which no test's run comes near.
  bool WaitForRunEnd() {
    return QTest::qWaitFor([this] { return !Running(); }, 300000);
  }

protected:
  void ShowError(const QString& message) override {
    errors.append(message);
    cursorBusyAtError = QApplication::overrideCursor() != nullptr;
  }

  RunResult RunProver(const std::vector<std::string>& lines, const RunOptions& options) override {
    DuringRun& seen = runs.back();
    seen.prover = &prover();
    seen.lines = lines;
    seen.options = options;
    seen.result = MainWindow::RunProver(lines, options);
    return seen.result;
  }

  engine::EngineResult RunEngine(const engine::Problem& problem,
                                 const engine::EngineOptions& options) override {
    EngineCall call{problem, options, {}};
    call.result = engine ? engine(problem, options) : MainWindow::RunEngine(problem, options);
    engineCalls.push_back(call);
    return call.result;
  }
};

} // namespace selko::ui::testing
