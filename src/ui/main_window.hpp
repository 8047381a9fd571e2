// The main window (Form1): the input area, START, the result pane, the status word, the
// options behind "Customize", the help panel, and loading and saving of files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "core/prover.hpp"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace selko::ui {

class FileListBox;

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

public slots:
  void Button4Click();      // START: the proof run
  void Button3Click();      // "save SRS"
  void Button1Click();      // "save result"
  void FileListBox1Click(); // load the selected ".srs" file into the input area
  void Memo1Change();       // the input changed: hide the result and clear the status
  void Button8Click();      // HELP: show the help panel
  void Memo4Click();        // a click in the help panel hides it
  void Button7Click();      // "Customize": uncover the options
  void CheckBox2Click();    // "big font"
  void FormActivate();      // the window became the active window

protected:
  // The standard error dialog for a failed file operation or a run that ended in an error.
  virtual void ShowError(const QString& message);
  // One press of START in the core; the window's state around it is set by Button4Click.
  virtual RunResult RunProver(const std::vector<std::string>& lines, const RunOptions& options);
  // Shows a status text, or clears the status with an empty one; every status change goes
  // through here. The label keeps its place and grows to the right with its text up to the
  // window's edge; a text wider than that room gets the label's font narrowed just enough
  // (FittedFont), so the whole text shows on its highlight.
  void SetStatus(const QString& text);

  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildControls();
  bool SaveMemo(const QPlainTextEdit* memo, const QString& extension);

  std::unique_ptr<Prover> prover_;
  bool activatedBefore_ = false;

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
};

} // namespace selko::ui
