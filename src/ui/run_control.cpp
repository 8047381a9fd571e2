// START and STOP: a run is carried out off the window's thread, so that the window repaints,
// moves and resizes meanwhile. START reads the window into a StartRequest and hands it to a
// worker thread; while the run is in progress START reads "STOP", and the input and the options
// are disabled. When the worker has ended, the window shows the outcome as a run on the window's
// thread would have.
#include <algorithm>
#include <cmath>
#include <exception>
#include <thread>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "ui/engine_input.hpp"
#include "ui/file_list_box.hpp"
#include "ui/main_window.hpp"

namespace selko::ui {

namespace {

constexpr int kMaxEngineWorkers = 4;

// "time (s):" as a number of seconds: a positive number, cut to kMaxEngineSeconds; false for
// anything else.
bool EngineSeconds(const QString& text, double& seconds) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value) || value <= 0) return false;
  seconds = std::min(value, MainWindow::kMaxEngineSeconds);
  return true;
}

int EngineWorkers() {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(cores, 1, kMaxEngineWorkers);
}

} // namespace

void MainWindow::Button4Click() {
  if (Running()) {
    StopRun();
  } else {
    StartRun();
  }
}

void MainWindow::StartRun() {
  CoverOptions(true);
  Memo4->hide();
  SetStatus(QStringLiteral(" busy "));
  Memo2->clear();
  Memo2->hide();

  StartRequest request;
  request.options.remLabels = CheckBox1->isChecked();
  request.options.matchBound = CheckBox3->isChecked();
  request.options.tpdbFormat = CheckBox4->isChecked();
  request.options.attemptsText = Edit3->text().toStdString();
  request.options.stop = &stop_;
  for (const QString& line : Lines(Memo1))
    request.lines.push_back(line.toStdString());
  request.extended = CheckBox5->isChecked();
  if (request.extended && !EngineSeconds(Edit4->text(), request.engineSeconds)) {
    ShowError(QStringLiteral("'%1' is not a valid time in seconds").arg(Edit4->text()));
    SetStatus(QString());
    return;
  }
  // The run of the fixed-capacity prover alone shows the busy cursor throughout; an extended
  // run, which may take minutes, counts its seconds in the status instead.
  request.busyCursor = !request.extended;

  request_ = std::move(request);
  stop_ = false;
  outcome_ = StartOutcome{};
  if (request_.busyCursor) QApplication::setOverrideCursor(Qt::WaitCursor);
  SetRunning(true);
  elapsed_.start();
  if (request_.extended) elapsedTimer_->start();
  repaint();
  emit RunStarted();

  worker_.reset(QThread::create([this] {
    try {
      outcome_ = CarryOut(request_);
    } catch (const std::exception& e) {
      outcome_ = StartOutcome{};
      outcome_.result.status = Status::Error;
      outcome_.result.error = std::string("internal error: ") + e.what();
    }
  }));
  const quint64 run = ++runNumber_;
  connect(worker_.get(), &QThread::finished, this, [this, run] {
    if (run == runNumber_) RunEnded();
  });
  worker_->start();
}

void MainWindow::StopRun() {
  stop_ = true;
  Button4->setEnabled(false); // pressed once is enough; the run ends at its next safe point
}

void MainWindow::RunEnded() {
  if (!worker_) return;
  worker_->wait();
  worker_.reset();
  elapsedTimer_->stop();
  if (request_.busyCursor) QApplication::restoreOverrideCursor();
  SetRunning(false);
  if (closeAfterRun_) {
    close();
    return;
  }

  const RunResult& result = outcome_.result;
  if (result.status == Status::Error) {
    ShowError(QString::fromStdString(result.error));
    SetStatus(QString());
  } else if (outcome_.stopped) {
    SetStatus(QStringLiteral(" stopped "));
  } else {
    if (result.status == Status::Terminating || result.status == Status::LoopFound) {
      QStringList shown;
      for (const std::string& line : result.proof)
        shown.append(QString::fromStdString(line));
      Memo2->setPlainText(shown.join(QLatin1Char('\n')));
      Memo2->show();
    }
    SetStatus(QString::fromLatin1(StatusWord(result.status)));
  }
  emit RunFinished();
}

void MainWindow::ShowElapsed() {
  SetStatus(QStringLiteral(" busy %1 s").arg(elapsed_.elapsed() / 1000));
}

void MainWindow::SetRunning(bool running) {
  Button4->setText(running ? QStringLiteral("STOP") : QStringLiteral("START"));
  Button4->setEnabled(true);
  for (QWidget* control :
       std::initializer_list<QWidget*>{Memo1, FileListBox1, Edit3, Edit4, CheckBox1, CheckBox2,
                                       CheckBox3, CheckBox4, CheckBox5})
    control->setEnabled(!running);
}

void MainWindow::EndRunNow() {
  if (!worker_) return;
  stop_ = true;
  worker_->wait();
  worker_.reset();
  elapsedTimer_->stop();
  if (request_.busyCursor) QApplication::restoreOverrideCursor();
  SetRunning(false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (Running()) {
    closeAfterRun_ = true;
    StopRun();
    event->ignore();
    return;
  }
  closeAfterRun_ = false;
  QWidget::closeEvent(event);
}

// ---- off the window's thread ------------------------------------------------------------------

RunResult MainWindow::RunProver(const std::vector<std::string>& lines, const RunOptions& options) {
  return prover_->Run(lines, options);
}

engine::EngineResult MainWindow::RunEngine(const engine::Problem& problem,
                                           const engine::EngineOptions& options) {
  return engine::Prove(problem, options);
}

StartOutcome MainWindow::CarryOut(const StartRequest& request) {
  StartOutcome outcome;
  outcome.result = RunProver(request.lines, request.options);
  if (request.extended) outcome = Extend(request, std::move(outcome));
  const Status status = outcome.result.status;
  outcome.stopped = stop_ && status != Status::Terminating && status != Status::LoopFound &&
                    status != Status::Error;
  return outcome;
}

StartOutcome MainWindow::Extend(const StartRequest& request, StartOutcome fixedRun) {
  const RunResult& first = fixedRun.result;
  // A proof or a loop of the phases stands; so does a bad "nr of att:" text and a stop.
  if (first.status == Status::Terminating || first.status == Status::LoopFound || stop_)
    return fixedRun;
  if (first.status == Status::Error && !prover_->AttemptsError.empty()) return fixedRun;

  // The engine goes on without proof of the phases, and also where the window's readers refuse
  // a system beyond their tables.
  engine::Problem problem;
  std::string readError;
  if (!ReadEngineProblem(request.lines, request.options.tpdbFormat, problem, readError)) {
    if (first.status != Status::Error) {
      fixedRun.result.status = Status::Error;
      fixedRun.result.error = readError;
    }
    return fixedRun;
  }

  engine::EngineOptions options;
  options.timeoutSeconds = request.engineSeconds;
  options.workers = EngineWorkers();
  options.stop = &stop_;
  const engine::EngineResult found = RunEngine(problem, options);

  StartOutcome outcome;
  switch (found.verdict) {
  case engine::Verdict::Yes: outcome.result.status = Status::Terminating; break;
  case engine::Verdict::No: outcome.result.status = Status::LoopFound; break;
  case engine::Verdict::Maybe: outcome.result.status = Status::NoProof; break;
  case engine::Verdict::Error:
    outcome.result.status = Status::Error;
    outcome.result.error = "internal error: " + found.error;
    break;
  }
  if (outcome.result.status == Status::Terminating || outcome.result.status == Status::LoopFound)
    outcome.result.proof = found.proof;
  return outcome;
}

} // namespace selko::ui
