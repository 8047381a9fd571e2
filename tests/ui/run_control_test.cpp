// The window during and after a run off its thread: the engine's options, the extended run, a
// long run with the window live, STOP, and closing during a run.
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "test_window.hpp"
#include "ui/help_text.hpp"

using selko::ui::MainWindow;
using selko::ui::testing::TestWindow;
namespace engine = selko::engine;

namespace {

// Never proved: relatively non-terminating, so no loop search either; with a large "nr of att:"
// the labelling search of the last phase runs on until it is stopped.
const QStringList kUnprovable{"ab->ba", "ba->=ab"};
const QString kEndlessAttempts("2000000000");

// Beyond the fixed-capacity phases (they end without proof), proved by natural 2x2 matrices in
// two steps: a = [[1,1],[0,1]] with b = [[2,0],[0,3]] removes baba->abb, then b = [[1,0],[0,2]]
// removes aab->baaa. A problem of the public benchmark collection.
const QStringList kBeyondThePhases{"aab->baaa", "baba->abb"};

// An engine answer with a proof text of its own.
engine::EngineResult Answer(engine::Verdict verdict, std::vector<std::string> proof = {}) {
  engine::EngineResult result;
  result.verdict = verdict;
  result.proof = std::move(proof);
  return result;
}

const std::vector<std::string> kEngineProof{"SELKO 1.4 extended engine", "a b -> b a", "",
                                            "Terminating: a test's own text."};

// An engine that runs until the run is stopped, as one on a problem nobody proves runs until its
// deadline.
engine::EngineResult UntilStopped(const engine::Problem&, const engine::EngineOptions& options) {
  while (options.stop == nullptr || !options.stop->load())
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return Answer(engine::Verdict::Maybe);
}

QByteArray FileBytes(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return "(missing)";
  return file.readAll();
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
  int paints = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

} // namespace

class RunControlTest : public QObject {
  Q_OBJECT

private:
  std::unique_ptr<QTemporaryDir> dir_;
  QString startDir_;
  std::unique_ptr<TestWindow> window_;

  template <typename Control> Control* Find(const char* name) {
    auto* control = window_->Find<Control>(name);
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }
  QStringList Result() { return MainWindow::Lines(Find<QPlainTextEdit>("Memo2")); }
  QString Status() { return Find<QLabel>("Label4")->text(); }
  void Click(const char* name) { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }
  void TypeInput(const QStringList& lines) {
    auto* memo = Find<QPlainTextEdit>("Memo1");
    memo->selectAll();
    QTest::keyClick(memo, Qt::Key_Delete);
    for (qsizetype k = 0; k < lines.size(); ++k) {
      if (k > 0) QTest::keyClick(memo, Qt::Key_Return);
      QTest::keyClicks(memo, lines[k]);
    }
  }
  void SetText(const char* edit, const QString& text) {
    auto* box = Find<QLineEdit>(edit);
    box->selectAll();
    QTest::keyClicks(box, text);
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
  }
  void Uncover() {
    if (Find<QPushButton>("Button7")->isVisible()) Click("Button7");
  }
  // Uncovers the options and sets "extended".
  void Extended(bool on) {
    Uncover();
    if (Find<QCheckBox>("CheckBox5")->isChecked() != on) Click("CheckBox5");
  }
  void Start() {
    Click("Button4");
    QVERIFY2(window_->WaitForRunEnd(), "the run did not end");
  }

private slots:
  void init() {
    startDir_ = QDir::currentPath();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir::setCurrent(dir_->path()));
    window_ = std::make_unique<TestWindow>();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void cleanup() {
    window_.reset();
    QDir::setCurrent(startDir_);
    dir_.reset();
  }

  // ---- the engine's options -------------------------------------------------------------------

  void theEngineOptionsShowOnlyWithTheOthers() {
    QVERIFY(!Find<QCheckBox>("CheckBox5")->isChecked()); // off after the first activation
    for (const char* name : {"CheckBox5", "Label8", "Edit4"})
      QVERIFY2(Find<QWidget>(name)->isHidden(), name);

    Click("Button7");
    QCOMPARE(Find<QCheckBox>("CheckBox5")->text(), QString("extended"));
    QCOMPARE(Find<QLabel>("Label8")->text(), QString("time (s):"));
    QCOMPARE(Find<QLineEdit>("Edit4")->text(), QString("60"));
    // Each in free room: inside the client area, and over no other control.
    for (const char* name : {"CheckBox5", "Label8", "Edit4"}) {
      QWidget* option = Find<QWidget>(name);
      QVERIFY2(option->isVisible(), name);
      QVERIFY2(window_->rect().contains(option->geometry()), name);
      for (const QWidget* other : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == option || other->objectName() == "Button7" ||
            other->objectName() == "Label4") {
          continue;
        }
        QVERIFY2(!other->geometry().intersects(option->geometry()),
                 qPrintable(QString(name) + " covers " + other->objectName()));
      }
    }
    for (const char* name : {"CheckBox5", "Label8"}) { // texts fit as the others' do
      QWidget* option = Find<QWidget>(name);
      QVERIFY2(option->sizeHint().width() <= option->width() ||
                   option->font().stretch() == QFont::ExtraCondensed,
               name);
    }
    // Keyboard order: the limit after "nr of att:", the box after the last check box.
    Find<QWidget>("Edit3")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Edit4"));
    Find<QWidget>("CheckBox4")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("CheckBox5"));

    // START covers them again with the other options.
    TypeInput({"a->"});
    Start();
    for (const char* name : {"CheckBox5", "Label8", "Edit4"})
      QVERIFY2(Find<QWidget>(name)->isHidden(), name);
  }

  void theHelpTellsOfTheEngineWhileTheOptionIsOn() {
    auto* help = Find<QPlainTextEdit>("Memo4");
    const QStringList plain = MainWindow::Lines(help);
    QCOMPARE(plain, selko::ui::HelpLines(false));
    Extended(true);
    const QStringList extended = MainWindow::Lines(help);
    const qsizetype at = plain.indexOf("standard format can be reset to tpdb format.") + 1;
    QVERIFY(at > 0);
    QVERIFY(extended.size() > plain.size());
    const qsizetype added = extended.size() - plain.size();
    QCOMPARE(extended.mid(0, at), plain.mid(0, at));
    QCOMPARE(extended.mid(at + added), plain.mid(at));
    QVERIFY(extended[at].contains("'extended'"));
    Extended(false);
    QCOMPARE(MainWindow::Lines(help), plain);
  }

  void aBadTimeTextIsRefused_data() {
    QTest::addColumn<QString>("text");
    for (const char* text : {"", "abc", "0", "-5", "1e400", "inf", "nan", "60s"})
      QTest::newRow(*text != '\0' ? text : "(empty)") << QString(text);
  }

  void aBadTimeTextIsRefused() {
    QFETCH(QString, text);
    TypeInput(kUnprovable);
    Extended(true);
    SetText("Edit4", text);
    QCOMPARE(Find<QLineEdit>("Edit4")->text(), text);
    Start();
    QCOMPARE(window_->errors, QStringList{"'" + text + "' is not a valid time in seconds"});
    QVERIFY(window_->runs.empty()); // no search began
    QCOMPARE(Status(), QString());
    QVERIFY(Find<QPlainTextEdit>("Memo2")->isHidden());
    QCOMPARE(Find<QPushButton>("Button4")->text(), QString("START"));

    // With the option off the box is not read.
    window_->errors.clear();
    Extended(false);
    Start();
    QVERIFY(window_->errors.isEmpty());
    QCOMPARE(Status(), QString(" no proof "));
  }

  void theLimitIsHandedToTheEngine_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("seconds");
    QTest::newRow("whole") << "60" << 60.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("blanks around") << " 7 " << 7.0;
    QTest::newRow("beyond any need") << "1e12" << MainWindow::kMaxEngineSeconds;
  }

  void theLimitIsHandedToTheEngine() {
    QFETCH(QString, text);
    QFETCH(double, seconds);
    window_->engine = [](const engine::Problem&, const engine::EngineOptions&) {
      return Answer(engine::Verdict::Maybe);
    };
    TypeInput(kUnprovable);
    Extended(true);
    SetText("Edit4", text);
    Start();
    QVERIFY(window_->errors.isEmpty());
    QCOMPARE(window_->engineCalls.size(), std::size_t{1});
    const engine::EngineOptions& options = window_->engineCalls[0].options;
    QCOMPARE(options.timeoutSeconds, seconds);
    QVERIFY(options.workers >= 1);
    QVERIFY(options.stop != nullptr);
    QCOMPARE(Status(), QString(" no proof "));
    QVERIFY(Find<QPlainTextEdit>("Memo2")->isHidden());
  }

  // ---- the extended run -----------------------------------------------------------------------

  void theEngineGoesOnWhereThePhasesEndWithoutProof() {
    window_->engine = [](const engine::Problem&, const engine::EngineOptions&) {
      return Answer(engine::Verdict::Yes, kEngineProof);
    };
    TypeInput({"ab->ba", "ba->=ab", "", " comment"});
    Extended(true);
    Start();
    // The phases ran first, exactly as without the option.
    QCOMPARE(window_->runs.size(), std::size_t{1});
    QCOMPARE(window_->runs[0].result.status, selko::Status::NoProof);
    QCOMPARE(window_->runs[0].status, QString(" busy "));
    QVERIFY(!window_->runs[0].busyCursor); // an extended run counts its seconds instead
    // Then the engine, on the rules as read.
    QCOMPARE(window_->engineCalls.size(), std::size_t{1});
    const engine::Problem& problem = window_->engineCalls[0].problem;
    QCOMPARE(problem.rules.size(), std::size_t{2});
    QCOMPARE(problem.RuleText(problem.rules[0]), std::string("a b -> b a"));
    QCOMPARE(problem.RuleText(problem.rules[1]), std::string("b a ->= a b"));
    // Its proof is shown, and saved as shown.
    QStringList expected;
    for (const std::string& line : kEngineProof)
      expected.append(QString::fromStdString(line));
    QCOMPARE(Result(), expected);
    QVERIFY(Find<QPlainTextEdit>("Memo2")->isVisible());
    QCOMPARE(Status(), QString("terminating"));
    QVERIFY(window_->errors.isEmpty());
    Click("Button1");
    QCOMPARE(FileBytes("file.res"), (expected.join('\n') + '\n').toUtf8());
  }

  void theEnginesOtherAnswers() {
    TypeInput(kUnprovable);
    Extended(true);

    window_->engine = [](const engine::Problem&, const engine::EngineOptions&) {
      return Answer(engine::Verdict::No, {"a loop", "ab -> ba ->= ab"});
    };
    Start();
    QCOMPARE(Status(), QString("loop found"));
    QCOMPARE(Result(), (QStringList{"a loop", "ab -> ba ->= ab"}));

    window_->engine = [](const engine::Problem&, const engine::EngineOptions&) {
      return Answer(engine::Verdict::Maybe, {"nothing to show"});
    };
    Start();
    QCOMPARE(Status(), QString(" no proof "));
    QVERIFY(Find<QPlainTextEdit>("Memo2")->isHidden());
    QCOMPARE(Result(), QStringList());

    // A step that failed its check is an internal error, never an answer.
    window_->engine = [](const engine::Problem&, const engine::EngineOptions&) {
      engine::EngineResult failed = Answer(engine::Verdict::Error, {"a proof"});
      failed.error = "the matrix step does not check";
      return failed;
    };
    Start();
    QCOMPARE(window_->errors, QStringList{"internal error: the matrix step does not check"});
    QCOMPARE(Status(), QString());
    QVERIFY(Find<QPlainTextEdit>("Memo2")->isHidden());
  }

  void whatThePhasesSettleTheEngineNeverSees() {
    TypeInput({"ab->ba"});
    Find<QPushButton>("Button7")->click();
    Find<QCheckBox>("CheckBox3")->setChecked(false);
    Start();
    const QStringList alone = Result();
    QCOMPARE(Status(), QString("terminating"));

    Extended(true);
    Find<QCheckBox>("CheckBox3")->setChecked(false);
    Start();
    QCOMPARE(Result(), alone);
    QCOMPARE(Status(), QString("terminating"));

    // A bad "nr of att:" text stays the error it is.
    SetText("Edit3", "abc");
    Start();
    QCOMPARE(window_->errors, QStringList{"'abc' is not a valid integer value"});
    QVERIFY(window_->engineCalls.empty());
  }

  void aSystemBeyondTheTablesGoesToTheEngine() {
    window_->engine = [](const engine::Problem&, const engine::EngineOptions&) {
      return Answer(engine::Verdict::Yes, kEngineProof);
    };
    const QString longSide(25, QLatin1Char('a'));
    TypeInput({longSide + "->b"});
    Extended(true);
    Start();
    QVERIFY(window_->errors.isEmpty());
    QCOMPARE(window_->runs[0].result.status, selko::Status::Error);
    QCOMPARE(window_->engineCalls.size(), std::size_t{1});
    QCOMPARE(window_->engineCalls[0].problem.rules[0].lhs.size(), std::size_t{25});
    QCOMPARE(Status(), QString("terminating"));

    // Without the option it is refused as always.
    Extended(false);
    Start();
    QCOMPARE(window_->errors.size(), 1);
  }

  void aProblemBeyondThePhasesIsProvedByTheEngine() {
    TypeInput(kBeyondThePhases);
    Extended(true);
    Start();
    QCOMPARE(window_->runs[0].result.status, selko::Status::NoProof);
    QCOMPARE(window_->engineCalls.size(), std::size_t{1});
    const engine::EngineResult& found = window_->engineCalls[0].result;
    QCOMPARE(found.verdict, engine::Verdict::Yes);
    QCOMPARE(Status(), QString("terminating"));
    QVERIFY(Find<QPlainTextEdit>("Memo2")->isVisible());
    QStringList expected;
    for (const std::string& line : found.proof)
      expected.append(QString::fromStdString(line));
    QVERIFY(!expected.isEmpty());
    QVERIFY(expected[0].startsWith(QString(engine::kEngineHeader)));
    QCOMPARE(Result(), expected);
  }

  // ---- a long run -----------------------------------------------------------------------------

  void theWindowStaysLiveAndStopEndsTheRun_data() {
    QTest::addColumn<bool>("extended");
    QTest::newRow("phases alone") << false;
    QTest::newRow("extended, stopped in the phases") << true;
  }

  void theWindowStaysLiveAndStopEndsTheRun() {
    QFETCH(bool, extended);
    TypeInput(kUnprovable);
    Extended(extended);
    SetText("Edit3", kEndlessAttempts);
    Find<QPlainTextEdit>("Memo2")->setPlainText("an earlier proof");
    Find<QPlainTextEdit>("Memo2")->show();
    Click("Button4");

    // In progress: STOP, and nothing that could change the input or the options.
    QVERIFY(window_->Running());
    QCOMPARE(Find<QPushButton>("Button4")->text(), QString("STOP"));
    QVERIFY(Find<QPushButton>("Button4")->isEnabled());
    for (const char* name : {"Memo1", "FileListBox1", "Edit3", "Edit4", "CheckBox1", "CheckBox2",
                             "CheckBox3", "CheckBox4", "CheckBox5"}) {
      QVERIFY2(!Find<QWidget>(name)->isEnabled(), name);
    }
    QCOMPARE(Status(), QString(" busy "));
    QCOMPARE(QApplication::overrideCursor() != nullptr, !extended);

    // The event loop runs on: a timer fires, the window repaints and moves.
    bool fired = false;
    QTimer::singleShot(10, window_.get(), [&fired] { fired = true; });
    QVERIFY(QTest::qWaitFor([&fired] { return fired; }));
    PaintCounter counter;
    window_->installEventFilter(&counter);
    window_->update();
    QVERIFY(QTest::qWaitFor([&counter] { return counter.paints > 0; }));
    window_->removeEventFilter(&counter);
    window_->move(200, 150);
    QVERIFY(QTest::qWaitFor([this] { return window_->pos() == QPoint(200, 150); }));
    QVERIFY(window_->Running());

    QElapsedTimer stopping;
    stopping.start();
    Click("Button4");
    QVERIFY2(window_->WaitForRunEnd(), "STOP did not end the run");
    qInfo("STOP ended the run after %lld ms", static_cast<long long>(stopping.elapsed()));

    QCOMPARE(Status(), QString(" stopped "));
    QVERIFY(Find<QPlainTextEdit>("Memo2")->isHidden());
    QCOMPARE(Result(), QStringList());
    QVERIFY(window_->engineCalls.empty()); // stopped in the phases: the engine never began
    QCOMPARE(Find<QPushButton>("Button4")->text(), QString("START"));
    for (const char* name : {"Memo1", "FileListBox1", "Edit3", "CheckBox1", "CheckBox5"})
      QVERIFY2(Find<QWidget>(name)->isEnabled(), name);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(window_->errors.isEmpty());

    // The next START is a run as any other.
    SetText("Edit3", "100");
    Extended(false);
    Start();
    QCOMPARE(Status(), QString(" no proof "));
  }

  void anExtendedRunCountsItsSecondsUntilStopped() {
    std::atomic<bool> inEngine{false};
    window_->engine = [&inEngine](const engine::Problem& problem,
                                  const engine::EngineOptions& options) {
      inEngine = true;
      return UntilStopped(problem, options);
    };
    TypeInput(kUnprovable);
    Extended(true);
    Click("Button4");
    QVERIFY(QTest::qWaitFor([&inEngine] { return inEngine.load(); }, 120000));
    // The status counts whole seconds, and goes on counting.
    const QRegularExpression counting("^ busy [0-9]+ s$");
    QVERIFY(QTest::qWaitFor([&] { return counting.match(Status()).hasMatch(); }, 30000));
    const QString shown = Status();
    QVERIFY(QTest::qWaitFor([&] { return Status() != shown; }, 30000));
    QVERIFY2(counting.match(Status()).hasMatch(), qPrintable(Status()));
    QVERIFY(window_->Running());
    Click("Button4");
    QVERIFY2(window_->WaitForRunEnd(), "STOP did not end the run");
    QCOMPARE(Status(), QString(" stopped "));
    QCOMPARE(window_->engineCalls.size(), std::size_t{1});
    QVERIFY(Find<QPlainTextEdit>("Memo2")->isHidden());
  }

  void closingDuringARunStopsItThenCloses() {
    TypeInput(kUnprovable);
    SetText("Edit3", kEndlessAttempts);
    Click("Button4");
    QVERIFY(window_->Running());
    QVERIFY(!window_->close()); // not yet: the run is stopped first
    QVERIFY2(window_->WaitForRunEnd(), "closing did not end the run");
    QVERIFY(QTest::qWaitFor([this] { return !window_->isVisible(); }));
    QVERIFY(window_->errors.isEmpty());
  }

  void aWindowDestroyedDuringARunEndsItFirst() {
    auto other = std::make_unique<TestWindow>();
    std::atomic<bool> inEngine{false};
    other->engine = [&inEngine](const engine::Problem& problem,
                                const engine::EngineOptions& options) {
      inEngine = true;
      return UntilStopped(problem, options);
    };
    other->show();
    auto* input = other->Find<QPlainTextEdit>("Memo1");
    input->setPlainText(kUnprovable.join('\n'));
    other->Find<QPushButton>("Button7")->click();
    other->Find<QCheckBox>("CheckBox5")->setChecked(true);
    other->Find<QPushButton>("Button4")->click();
    QVERIFY(other->Running());
    QVERIFY(QTest::qWaitFor([&inEngine] { return inEngine.load(); }, 120000));
    other.reset(); // stops the run and waits for it
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }
};

QTEST_MAIN(RunControlTest)
#include "run_control_test.moc"
