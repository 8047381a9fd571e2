// The main window (Form1): the input area, START (STOP while a run is in progress), the result
// pane, the status word, the options behind "Customize", the help panel, and loading and saving
// of files. A run is carried out off the window's thread, so the window stays live meanwhile.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "core/prover.hpp"
#include "engine/engine.hpp"

class QCheckBox;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QThread;
class QTimer;

namespace selko::ui {

class FileListBox;

// What START read from the window: the input and every option of the run.
struct StartRequest {
  std::vector<std::string> lines;
  RunOptions options;       // the fixed-capacity prover's options, with the stop flag
  bool extended = false;    // "extended": the engine after the phases of the prover
  double engineSeconds = 0; // "time (s):", the engine's limit
  bool busyCursor = true;   // the busy cursor is shown while the run is in progress
};

// How a run ended, as the window shows it.
struct StartOutcome {
  RunResult result;
  bool stopped = false; // STOP (or closing the window) ended it before an answer
};

class MainWindow : public QWidget {
  Q_OBJECT

public:
  static constexpr int kClientWidth = 718;  // the outer 726 x 579 less the window frame, and
  static constexpr int kClientHeight = 554; // tall enough for the picture's last row
  static constexpr int kLeft = 158;
  static constexpr int kTop = 107;

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The one prover of the window's life: its random sequence runs on from START to START.
  Prover& prover() { return *prover_; }

  // The lines of a text area as the handlers read and write them (an empty area has none).
  static QStringList Lines(const QPlainTextEdit* memo);

  static constexpr double kMaxEngineSeconds = 1e6; // longer limits are cut to this

  // A run is in progress: START reads "STOP" and the input and the options are disabled.
  bool Running() const { return worker_ != nullptr; }

public slots:
  void Button4Click();      // START: the proof run; STOP while one is in progress
  void Button3Click();      // "save SRS"
  void Button1Click();      // "save result"
  void FileListBox1Click(); // load the selected ".srs" file into the input area
  void Memo1Change();       // the input changed: hide the result and clear the status
  void Button8Click();      // HELP: show the help panel
  void Memo4Click();        // a click in the help panel hides it
  void Button7Click();      // "Customize": uncover the options
  void CheckBox2Click();    // "big font"
  void FormActivate();      // the window became the active window
  void CheckBox5Click();    // "extended": the help panel tells of the engine while it is on

signals:
  void RunStarted();  // the window shows a run in progress; the search begins next
  void RunFinished(); // the run has ended and the window shows how

protected:
  // The standard error dialog for a failed file operation or a run that ended in an error.
  virtual void ShowError(const QString& message);
  // One press of START in the core; the window's state around it is set by Button4Click.
  // Called off the window's thread, during the run.
  virtual RunResult RunProver(const std::vector<std::string>& lines, const RunOptions& options);
  // The extended engine on the problem of the input area; called off the window's thread after
  // RunProver when "extended" is on.
  virtual engine::EngineResult RunEngine(const engine::Problem& problem,
                                         const engine::EngineOptions& options);
  // Ends a run in progress at its next safe point and waits for it, without showing its
  // outcome. A subclass that overrides RunProver or RunEngine calls it in its destructor.
  void EndRunNow();
  // Shows a status text, or clears the status with an empty one; every status change goes
  // through here. The label keeps its place and grows to the right with its text up to the
  // window's edge; a text wider than that room gets the label's font narrowed just enough
  // (FittedFont), so the whole text shows on its highlight.
  void SetStatus(const QString& text);

  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closing during a run stops the run first; the window closes once it has ended.
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  bool SaveMemo(const QPlainTextEdit* memo, const QString& extension);
  void CoverOptions(bool covered); // "Customize" over the options, or the options uncovered

  // The run (run_control.cpp).
  void StartRun();
  void StopRun();
  void RunEnded();
  void ShowElapsed();
  void SetRunning(bool running);
  StartOutcome CarryOut(const StartRequest& request); // off the window's thread
  StartOutcome Extend(const StartRequest& request, StartOutcome fixedRun);

  std::unique_ptr<Prover> prover_;
  bool activatedBefore_ = false;

  std::unique_ptr<QThread> worker_; // the run in progress, if any
  std::atomic<bool> stop_{false};   // STOP: the run ends at its next safe point
  StartRequest request_;            // what the run in progress was started with
  StartOutcome outcome_;            // written by the worker, read once it has ended
  QTimer* elapsedTimer_ = nullptr;  // updates the elapsed time of an extended run
  QElapsedTimer elapsed_;
  quint64 runNumber_ = 0; // counts the runs started; a late end of an earlier one is
                          // told apart
  bool closeAfterRun_ = false;

  QLabel* Label5 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QLabel* Label7 = nullptr;
  QPlainTextEdit* Memo2 = nullptr;
  QLabel* Image1 = nullptr;
  QPlainTextEdit* Memo4 = nullptr;
  QPushButton* Button4 = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* Button8 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QCheckBox* CheckBox3 = nullptr;
  QCheckBox* CheckBox4 = nullptr;
  QPushButton* Button7 = nullptr;
  QLabel* Label6 = nullptr;
  FileListBox* FileListBox1 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button1 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QCheckBox* CheckBox5 = nullptr; // "extended"
  QLabel* Label8 = nullptr;       // "time (s):"
  QLineEdit* Edit4 = nullptr;     // the engine's limit in seconds
};

} // namespace selko::ui
