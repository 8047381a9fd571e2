// The main window, driven through its real widgets on the offscreen platform.
#include <memory>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include "test_window.hpp"
#include "ui/file_list_box.hpp"
#include "ui/fitted_font.hpp"
#include "ui/fractal_picture.hpp"

using selko::ui::MainWindow;
using selko::ui::testing::TestWindow;

namespace {

const QStringList kSwapSystem{"ab->ba"};
// ab -> ba against ba ->= ab: relatively non-terminating, so never proved, and no loop search
// runs on a relative system.
const QStringList kUnprovable{"ab->ba", "ba->=ab"};

// The proof of ab->ba when "match bnd" is off: the removal of the last phase proves it, so the
// empty line after the rule listing is cut away.
const QStringList kSwapProof{
    "SELKO 1.4 is applied to the string rewriting system",
    "a b  -> b a ",
    "Choose polynomial interpretation:",
    "a: lambda x.10x,  rest lambda x.x+1",
    "remove: a b  -> b a ",
    "Terminating since no rules remain.",
};

QString Visible(const QStringList& lines) {
  QString text;
  for (const QString& line : lines)
    text += "  [" + QString(line).replace(' ', QChar(0xB7)) + "]\n";
  return text;
}

QByteArray FileBytes(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return "(missing)";
  return file.readAll();
}

bool WriteFile(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

#define COMPARE_LINES(actual, expected)                                                            \
  do {                                                                                             \
    const QStringList a_ = (actual), e_ = (expected);                                              \
    if (a_ != e_) {                                                                                \
      QFAIL(qPrintable("texts differ\nactual:\n" + Visible(a_) + "expected:\n" + Visible(e_)));    \
    }                                                                                              \
  } while (false)

class MainWindowTest : public QObject {
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
  QPlainTextEdit* Memo(const char* name) { return Find<QPlainTextEdit>(name); }
  QStringList Result() { return MainWindow::Lines(Memo("Memo2")); }
  QString Status() { return Find<QLabel>("Label4")->text(); }

  // Types the lines into the input area, as the user does, replacing what it held.
  void TypeInput(const QStringList& lines) {
    QPlainTextEdit* memo = Memo("Memo1");
    memo->selectAll();
    QTest::keyClick(memo, Qt::Key_Delete);
    for (qsizetype k = 0; k < lines.size(); ++k) {
      if (k > 0) QTest::keyClick(memo, Qt::Key_Return);
      QTest::keyClicks(memo, lines[k]);
    }
  }
  void ClickEntry(const QString& name) {
    auto* list = Find<QListWidget>("FileListBox1");
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    if (found.size() != 1) qFatal("no entry %s", qPrintable(name));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found[0]).center());
  }
  void Click(const char* name) { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }
  // START, and the wait until the run has ended.
  void Start() {
    Click("Button4");
    QVERIFY2(window_->WaitForRunEnd(), "the run did not end");
  }
  void SetOption(const char* name, bool on) {
    if (Find<QCheckBox>(name)->isChecked() != on) Click(name);
  }
  // Uncovers the options and sets "match bnd".
  void MatchBound(bool on) {
    if (Find<QPushButton>("Button7")->isVisible()) Click("Button7");
    SetOption("CheckBox3", on);
  }
  void SetText(const char* edit, const QString& text) {
    QLineEdit* box = Find<QLineEdit>(edit);
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  // What is wrong with the status label as it stands, or an empty text: it must keep its place,
  // height and colours, show its whole text on its highlight inside the client area, and
  // cover no other control.
  QString StatusFitProblem() {
    const QLabel* status = Find<QLabel>("Label4");
    const QRect place = status->geometry();
    if (place.topLeft() != QPoint(632, 56) || place.height() != 16) return "moved or resized";
    if (status->palette().color(QPalette::WindowText) != QColor(Qt::red) ||
        status->palette().color(QPalette::Window) !=
            window_->palette().color(QPalette::Highlight) ||
        !status->autoFillBackground() || !status->font().bold()) {
      return "not bold red on the highlight";
    }
    if (!window_->rect().contains(place)) return "the highlight passes the client area";
    const QRect text = status->style()->itemTextRect(status->fontMetrics(), status->contentsRect(),
                                                     status->alignment(), true, status->text());
    if (!status->contentsRect().contains(text)) return "the text runs past its highlight";
    if (!window_->rect().contains(text.translated(place.topLeft())))
      return "the text passes the client area";
    const QRect ink = status->fontMetrics().boundingRect(status->text());
    if (!status->text().isEmpty() && (ink.left() < 0 || ink.right() >= place.width()))
      return "letters are cut";
    for (const QWidget* other : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other != status && other->geometry().intersects(place))
        return "covers " + other->objectName();
    }
    return {};
  }
  bool Covered(const char* name, QPoint at) {
    QWidget* top = window_->childAt(at);
    QWidget* control = Find<QWidget>(name);
    return top != nullptr && (top == control || control->isAncestorOf(top));
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

  // ---- layout and start-up --------------------------------------------------------------------

  void windowFrameAndStartState() {
    TestWindow fresh; // never shown, so never activated
    QCOMPARE(fresh.objectName(), QString("Form1"));
    QCOMPARE(fresh.windowTitle(), QString("SELKO, version 1.4"));
    QCOMPARE(fresh.pos(), QPoint(158, 107));
    QCOMPARE(fresh.size(), QSize(MainWindow::kClientWidth, MainWindow::kClientHeight));
    QCOMPARE(fresh.minimumSize(), fresh.maximumSize());
    QCOMPARE(fresh.palette().color(QPalette::Window), QColor(252, 230, 160));
    QCOMPARE(fresh.font().pixelSize(), 11);
    // Every control fits inside the client area.
    for (QWidget* child : fresh.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      QVERIFY2(fresh.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
      QVERIFY2(!fresh.Find<QCheckBox>(box)->isChecked(), box);
    }
  }

  void controlsOfTheLayout_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hidden");
    const auto row = [](const char* name, const char* kind, QRect geometry, const char* text,
                        bool hidden = false) {
      QTest::newRow(name) << QString(kind) << geometry << QString(text) << hidden;
    };
    row("Label5", "QLabel", {16, 16, 48, 20}, "Input:");
    row("Memo1", "QPlainTextEdit", {16, 40, 193, 481}, "");
    row("Label7", "QLabel", {16, 528, 177, 13}, "by the SELKO developers");
    row("Memo2", "QPlainTextEdit", {216, 8, 409, 537}, "", true);
    row("Image1", "QLabel", {216, 104, 401, 450}, "");
    row("Memo4", "QPlainTextEdit", {72, 0, 441, 553}, nullptr, true);
    row("Button4", "QPushButton", {632, 8, 73, 33}, "START");
    row("Label4", "QLabel", {632, 56, 5, 16}, "");
    row("Button8", "QPushButton", {632, 88, 73, 33}, "HELP");
    row("Label2", "QLabel", {632, 152, 39, 13}, "nr of att:");
    row("Edit3", "QLineEdit", {672, 152, 33, 21}, "100");
    row("CheckBox1", "QCheckBox", {632, 184, 65, 17}, "rem.labels");
    row("CheckBox2", "QCheckBox", {632, 200, 73, 17}, "big font");
    row("CheckBox3", "QCheckBox", {632, 216, 73, 17}, "match bnd");
    row("CheckBox4", "QCheckBox", {632, 232, 73, 17}, "tpdb format");
    row("Button7", "QPushButton", {632, 152, 73, 97}, "Customize");
    row("Label6", "QLabel", {632, 272, 48, 13}, "load SRS:");
    row("FileListBox1", "selko::ui::FileListBox", {632, 288, 73, 145}, nullptr);
    row("Button3", "QPushButton", {632, 448, 73, 25}, "save SRS");
    row("Button1", "QPushButton", {632, 480, 73, 25}, "save result");
    row("Label3", "QLabel", {632, 512, 45, 13}, "file name:");
    row("Edit1", "QLineEdit", {632, 528, 73, 21}, "file");
  }

  void controlsOfTheLayout() {
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, hidden);
    TestWindow fresh;
    QWidget* control = fresh.Find<QWidget>(QTest::currentDataTag());
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), &fresh);
    QCOMPARE(QString(control->metaObject()->className()), kind);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->isHidden(), hidden);
    if (text.isNull()) return;
    if (auto* label = qobject_cast<QLabel*>(control)) QCOMPARE(label->text(), text);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) QCOMPARE(button->text(), text);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) QCOMPARE(edit->text(), text);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) QCOMPARE(memo->toPlainText(), text);
  }

  void fontsAndColours() {
    const auto pixels = [this](const char* name) {
      return Find<QWidget>(name)->font().pixelSize();
    };
    const auto bold = [this](const char* name) { return Find<QWidget>(name)->font().bold(); };
    QCOMPARE(pixels("Label5"), 16);
    QVERIFY(bold("Label5"));
    QCOMPARE(pixels("Button4"), 16);
    QVERIFY(bold("Button4"));
    QCOMPARE(pixels("Memo1"), 13);
    QCOMPARE(pixels("Memo2"), 11);
    QCOMPARE(pixels("Label4"), 13);
    QVERIFY(bold("Label4"));
    QCOMPARE(pixels("Button8"), 11);
    QVERIFY(!bold("Button8"));
    // "MS Sans Serif" where it exists, otherwise a sans-serif font: never a serif or fixed one.
    const QFontInfo used(window_->font());
    QVERIFY2(used.styleHint() != QFont::Serif && !used.fixedPitch(), qPrintable(used.family()));

    // Texts fit their place: where the font is wider than the layout's own, it is condensed.
    for (const char* name : {"Label5", "Label7", "Label2", "Label6", "Label3", "CheckBox1",
                             "CheckBox2", "CheckBox3", "CheckBox4"}) {
      QWidget* control = Find<QWidget>(name);
      QVERIFY2(control->sizeHint().width() <= control->width() ||
                   control->font().stretch() == QFont::ExtraCondensed,
               name);
    }

    QLabel* status = Find<QLabel>("Label4");
    QCOMPARE(status->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(status->palette().color(QPalette::Window),
             window_->palette().color(QPalette::Highlight));
    QVERIFY(status->autoFillBackground());
    QCOMPARE(Memo("Memo4")->palette().color(QPalette::Base), QColor(241, 255, 255));
    QVERIFY(Memo("Memo2")->isReadOnly());
    QVERIFY(Memo("Memo4")->isReadOnly());
    QVERIFY(!Memo("Memo1")->isReadOnly());
  }

  void pictureIsAColouredFigureOnTheWindowColour() {
    const QImage picture = selko::ui::FractalPicture(401, 450, QColor(252, 230, 160));
    QCOMPARE(picture.size(), QSize(401, 450));
    QCOMPARE(picture.format(), QImage::Format_RGB888);
    QCOMPARE(picture.pixelColor(0, 0), QColor(252, 230, 160));
    QCOMPARE(picture.pixelColor(400, 0), QColor(252, 230, 160));
    QSet<QRgb> colours;
    int figure = 0;
    for (int y = 0; y < picture.height(); y += 3) {
      for (int x = 0; x < picture.width(); x += 3) {
        const QRgb pixel = picture.pixel(x, y);
        colours.insert(pixel);
        if (pixel != QColor(252, 230, 160).rgb()) ++figure;
      }
    }
    QVERIFY2(figure > 2000, "the figure covers a good part of the picture");
    QVERIFY2(colours.size() > 20, "the figure is coloured");
    const QPixmap shown = Find<QLabel>("Image1")->pixmap();
    QCOMPARE(shown.size(), QSize(401, 450));
  }

  void overlappingControls() {
    // The picture shows only while the result pane is hidden.
    QVERIFY(Covered("Image1", {400, 300}));
    Memo("Memo2")->show();
    QVERIFY(Covered("Memo2", {400, 300}));
    // "Customize" lies over the options.
    QVERIFY(Covered("Button7", {640, 160}));
    QVERIFY(Covered("Button7", {640, 190}));
    QVERIFY(Covered("Button7", {690, 240}));
    Click("Button7");
    QVERIFY(Covered("Edit3", {680, 160}));
    QVERIFY(Covered("CheckBox1", {640, 190}));
    QVERIFY(Covered("CheckBox4", {640, 240}));
    // The help panel lies over both text areas.
    Click("Button8");
    QVERIFY(Covered("Memo4", {100, 100}));
    QVERIFY(Covered("Memo4", {400, 300}));
  }

  void tabOrder() {
    Memo("Memo2")->show();
    Memo("Memo4")->show();
    const QStringList expected{"FileListBox1", "Button3",   "Edit1",     "Button4", "Memo2",
                               "Button1",      "Edit3",     "Button8",   "Memo4",   "CheckBox1",
                               "CheckBox2",    "CheckBox3", "CheckBox4", "Button7", "Memo1"};
    Memo("Memo1")->setFocus();
    QCOMPARE(QApplication::focusWidget(), Memo("Memo1"));
    QStringList visited;
    for (qsizetype k = 0; k < expected.size(); ++k) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, expected);
    QCOMPARE(Memo("Memo1")->toPlainText(), QString()); // Tab moved on, it typed nothing
  }

  void onlyTheFirstActivationTurnsOnTheTwoOptions() {
    QVERIFY(Find<QCheckBox>("CheckBox1")->isChecked());
    QVERIFY(Find<QCheckBox>("CheckBox3")->isChecked());
    QVERIFY(!Find<QCheckBox>("CheckBox2")->isChecked());
    QVERIFY(!Find<QCheckBox>("CheckBox4")->isChecked());
    MatchBound(false);
    SetOption("CheckBox1", false);

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QVERIFY(!Find<QCheckBox>("CheckBox1")->isChecked());
    QVERIFY(!Find<QCheckBox>("CheckBox3")->isChecked());
  }

  // ---- START ----------------------------------------------------------------------------------

  void startShowsTheProofAndTheStatus() {
    MatchBound(false);
    TypeInput({"ab->ba", "", " the swap"});
    Start();
    COMPARE_LINES(Result(), kSwapProof);
    QVERIFY(Memo("Memo2")->isVisible());
    QCOMPARE(Status(), QString("terminating"));
    QLabel* status = Find<QLabel>("Label4");
    QCOMPARE(status->width(), selko::ui::TextWidth(status->font(), "terminating"));
    QCOMPARE(status->height(), 16);
    QVERIFY(Covered("Memo2", {400, 300}));
    QVERIFY(window_->errors.isEmpty());

    // Inside the run: the input lines as they stand, empty lines included, and the options.
    QCOMPARE(window_->runs.size(), std::size_t{1});
    const auto& run = window_->runs[0];
    QCOMPARE(run.lines, (std::vector<std::string>{"ab->ba", "", " the swap"}));
    QVERIFY(run.options.remLabels);
    QVERIFY(!run.options.matchBound);
    QVERIFY(!run.options.tpdbFormat);
    QCOMPARE(run.options.attemptsText, std::string("100"));
    QCOMPARE(run.options.timeoutSeconds, 0.0);

    // A second START on the shown proof: while it searches, the pane is hidden and empty.
    Start();
    QCOMPARE(window_->runs.size(), std::size_t{2});
    QVERIFY(!window_->runs[1].resultVisible);
    QCOMPARE(window_->runs[1].resultText, QString());
    COMPARE_LINES(Result(), kSwapProof);
  }

  void whileSearchingTheWindowShowsItIsBusy() {
    TypeInput(kUnprovable);
    Click("Button8"); // the help panel is open,
    Click("Button7"); // the options are uncovered
    Memo("Memo2")->setPlainText("an earlier proof");
    Memo("Memo2")->show(); // and a result is shown
    Start();
    QCOMPARE(window_->runs.size(), std::size_t{1});
    const auto& run = window_->runs[0];
    QCOMPARE(run.status, QString(" busy "));
    QVERIFY(!run.resultVisible);
    QCOMPARE(run.resultText, QString());
    QVERIFY(run.customizeVisible);
    QVERIFY(!run.helpVisible);
    QVERIFY(run.busyCursor);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void runWithoutProofLeavesThePaneHidden() {
    TypeInput(kUnprovable);
    Start();
    QCOMPARE(Status(), QString(" no proof "));
    QVERIFY(Memo("Memo2")->isHidden());
    QCOMPARE(Result(), QStringList());
    QVERIFY(Covered("Image1", {400, 300}));
    QVERIFY(window_->errors.isEmpty());
  }

  void changingTheInputHidesTheResultAndClearsTheStatus() {
    TypeInput(kUnprovable);
    Start();
    QCOMPARE(Status(), QString(" no proof "));
    QTest::keyClick(Memo("Memo1"), Qt::Key_X);
    QCOMPARE(Status(), QString());
    QCOMPARE(Find<QLabel>("Label4")->width(), 5);

    MatchBound(false);
    TypeInput(kSwapSystem);
    Start();
    QVERIFY(Memo("Memo2")->isVisible());
    QTest::keyClick(Memo("Memo1"), Qt::Key_Backspace);
    QVERIFY(Memo("Memo2")->isHidden());
    QCOMPARE(Status(), QString());
  }

  void aRunEndingInAnErrorShowsTheMessageAndClearsTheStatus() {
    // The box is read when the run reaches its last phase, which every run of ab->ba with
    // "match bnd" off does.
    MatchBound(false);
    SetText("Edit3", "abc");
    TypeInput(kSwapSystem);
    Start();
    QCOMPARE(window_->errors, QStringList{"'abc' is not a valid integer value"});
    QVERIFY(!window_->cursorBusyAtError);
    QCOMPARE(Status(), QString());
    QVERIFY(Memo("Memo2")->isHidden());
    QCOMPARE(Result(), QStringList());

    // Input refused by the reader: a side longer than a rule may hold.
    window_->errors.clear();
    SetText("Edit3", "100");
    TypeInput({"aaaaaaaaaaaaaaaaaaaaaaaaa->b"});
    Start();
    selko::Prover reference;
    const auto expected = reference.Run({"aaaaaaaaaaaaaaaaaaaaaaaaa->b"}, {});
    QCOMPARE(expected.status, selko::Status::Error);
    QCOMPARE(window_->errors, QStringList{QString::fromStdString(expected.error)});
    QCOMPARE(Status(), QString());
    QVERIFY(Memo("Memo2")->isHidden());
  }

  void startPressesContinueOneRandomSequence() {
    // The relative system reaches the labelling search of the last phase, the one random step.
    const std::vector<std::string> input{"ab->ba", "ba->=ab"};
    TypeInput(kUnprovable);
    SetText("Edit3", "20");
    Start();
    Start();
    QCOMPARE(window_->runs.size(), std::size_t{2});
    QCOMPARE(window_->runs[0].prover, &window_->prover());
    QCOMPARE(window_->runs[1].prover, &window_->prover());

    selko::RunOptions options = window_->runs[0].options;
    selko::Prover continuing; // one prover for both presses, as the window has
    continuing.Run(input, options);
    const auto second = continuing.Run(input, options);
    selko::Prover fresh; // what a new prover for the second press would have ended with
    fresh.Run(input, options);
    QVERIFY2(fresh.RandomSeed != continuing.RandomSeed, "the runs draw random numbers");
    QCOMPARE(window_->prover().RandomSeed, continuing.RandomSeed);
    QCOMPARE(window_->runs[1].result.proof, second.proof);
  }

  // ---- the status word ----------------------------------------------------------------------

  void everyStatusTextFitsTheClientArea_data() {
    QTest::addColumn<QString>("text");
    for (const char* text : {" busy ", "terminating", "loop found", " no proof ", " stopped ",
                             " busy 12 s", " busy 9999 s", ""}) {
      QTest::newRow(*text != '\0' ? text : "(cleared)") << QString(text);
    }
  }

  void everyStatusTextFitsTheClientArea() {
    QFETCH(QString, text);
    QLabel* status = Find<QLabel>("Label4");
    const QFont own = status->font();
    window_->SetStatus(" busy 9999 s"); // each text is fitted afresh, whatever came before
    window_->SetStatus(text);
    QCOMPARE(status->text(), text);
    QVERIFY2(StatusFitProblem().isEmpty(), qPrintable(StatusFitProblem()));
    QCOMPARE(status->width(), std::max(5, selko::ui::TextWidth(status->font(), text)));
    // A text that fits in the label's own font keeps it; a wider one gets it narrowed.
    QCOMPARE(status->font().family(), own.family());
    if (selko::ui::TextWidth(own, text) <= window_->width() - status->x())
      QCOMPARE(status->font(), own);
    else
      QVERIFY(status->font().stretch() < 100);
  }

  void theWordOfARealRunFits() {
    TypeInput({"abc->bca", "ba->ab", "cc->e"});
    Start();
    QCOMPARE(Status(), QString("terminating"));
    QVERIFY2(StatusFitProblem().isEmpty(), qPrintable(StatusFitProblem()));
    TypeInput(kUnprovable);
    Start();
    QCOMPARE(Status(), QString(" no proof "));
    QVERIFY2(StatusFitProblem().isEmpty(), qPrintable(StatusFitProblem()));
  }

  void aFittedFontIsNarrowedOnlyAsFarAsNeeded() {
    const QFont own = Find<QLabel>("Label4")->font();
    const QString word("terminating");
    const int natural = selko::ui::TextWidth(own, word);
    const auto advance = [&word](const QFont& font) { return selko::ui::TextWidth(font, word); };
    // Drawn, the text takes its whole width and no more.
    const QRect drawn = QFontMetrics(own).boundingRect(QRect(0, 0, 500, 20), 0, word);
    QCOMPARE(drawn.width(), natural);

    QCOMPARE(selko::ui::FittedFont(own, word, natural), own);
    QCOMPARE(selko::ui::FittedFont(own, QString(), -1), own);

    // A pixel short: condensed a little, at the same size.
    const QFont tight = selko::ui::FittedFont(own, word, natural - 1);
    QVERIFY(advance(tight) <= natural - 1);
    QCOMPARE(tight.pixelSize(), own.pixelSize());
    QCOMPARE(tight.bold(), own.bold());
    QVERIFY2(tight.stretch() >= 90 && tight.stretch() < 100,
             qPrintable(QString::number(tight.stretch())));

    // Far too short for condensing alone: smaller as well.
    const QFont small = selko::ui::FittedFont(own, word, natural / 4);
    QVERIFY(advance(small) <= natural / 4);
    QVERIFY(small.pixelSize() < own.pixelSize());

    // No room at all: the smallest font tried, and no endless narrowing.
    const QFont least = selko::ui::FittedFont(own, word, -1);
    QCOMPARE(least.pixelSize(), 6);
    QCOMPARE(least.stretch(), 50);

    // A font sized in points is made smaller in points.
    QFont points(own.family());
    points.setPointSize(30);
    const QFont fitted = selko::ui::FittedFont(points, word, natural);
    QVERIFY(advance(fitted) <= natural);
    QVERIFY(fitted.pointSizeF() < 30);
  }

  // ---- help panel and options -----------------------------------------------------------------

  void helpShowsAndAClickHidesIt() {
    Click("Button8");
    QPlainTextEdit* help = Memo("Memo4");
    QVERIFY(help->isVisible());
    const QStringList expected{
        "SELKO, version 1.4: proving termination of string rewriting systems",
        "",
        "By this tool proofs of (relative) termination of string rewriting can be generated ",
        "automatically. It is based on a combination of polynomial interpretations, recursive "
        "path ",
        "order, semantic labelling, dependency pairs, RFC-match-bounds, transformation order",
        "and dummy elimination. Moreover, a search for loops is included, based on ancestor "
        "graphs.",
        "",
        "Below the text 'Input' you can type a string rewrite system. The symbols should",
        "be single symbols different from ' ', '-', '>', '=', 'e'. The symbol 'e' (empty) "
        "represents the ",
        "empty string. Every rule should be on a separate line. ",
        "For proving termination of R every rule of R should be of the shape lhs -> rhs.",
        "For proving relative termination of R/S every rule of R should be of the shape lhs -> "
        "rhs",
        "and every rule of S should be of the shape lhs ->= rhs. After these rules lines "
        "starting with ",
        "a blank symbol are ignored and can be used as comment lines.",
        "",
        "Apart from typing the text also files in the same directory having a name of the shape",
        "<file name>.srs and in the same format as described above can be loaded. ",
        "",
        "A string rewrite system typed, entered or modified can be saved by entering the desired",
        "name in 'file name' and clicking on 'save SRS'.",
        "",
        "By clicking on 'START' the program tries to generate a proof for (relative) "
        "termination.",
        "If the program succeeds the resulting proof is shown. By clicking on 'save result' this",
        "proof is saved in a file <file name>.res.",
        "",
        "Finally by clicking on 'customize' some parameters can be reset. For normal use on",
        "systems of no more than 10 rules and 5 symbols this will not be necessary. Moreover, the",
        "standard format can be reset to tpdb format.",
        "",
        "The program is non-determistic: at some points a random search is done.",
        "",
        "SELKO was written by the SELKO developers, who thank everybody who sent them systems to "
        "try.",
        "",
        "SELKO may be used, copied and passed on freely for research and teaching. It comes "
        "without",
        "any warranty: a proof it shows should be checked before anything depends on it.",
        "",
        "Questions, remarks and systems that SELKO cannot handle are welcome; please send them to",
        "the SELKO developers through the channel from which you obtained the program.",
        "",
        "This is version 1.4, from March 2005.     ********  Click here to reenter the program  ",
        "********",
    };
    COMPARE_LINES(MainWindow::Lines(help), expected);
    QVERIFY(help->isReadOnly());
    QTest::mouseClick(help->viewport(), Qt::LeftButton, {}, {200, 500});
    QVERIFY(help->isHidden());
    QCOMPARE(MainWindow::Lines(help), expected);

    // START hides it as well.
    Click("Button8");
    QVERIFY(help->isVisible());
    Start();
    QVERIFY(help->isHidden());
  }

  void customizeUncoversTheOptionsUntilStart() {
    QPushButton* customize = Find<QPushButton>("Button7");
    QVERIFY(customize->isVisible());
    Click("Button7");
    QVERIFY(customize->isHidden());
    for (const char* option :
         {"Label2", "Edit3", "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
      QVERIFY2(Find<QWidget>(option)->isVisible(), option);
    }
    TypeInput({"a"});
    QVERIFY(customize->isHidden()); // typing does not cover them again
    Start();
    QVERIFY(customize->isVisible());
    QVERIFY(Covered("Button7", {640, 190}));
  }

  void bigFontSetsTheTwoTextSizes() {
    Click("Button7");
    Click("CheckBox2");
    QCOMPARE(Memo("Memo1")->font().pointSize(), 14);
    QCOMPARE(Memo("Memo2")->font().pointSize(), 12);
    Click("CheckBox2");
    QCOMPARE(Memo("Memo1")->font().pointSize(), 10);
    QCOMPARE(Memo("Memo2")->font().pointSize(), 8);
    Click("CheckBox2");
    QCOMPARE(Memo("Memo1")->font().pointSize(), 14);
    QCOMPARE(Memo("Memo2")->font().pointSize(), 12);
  }

  // ---- files ----------------------------------------------------------------------------------

  void listShowsTheSrsFilesOfTheCurrentDirectory() {
    QVERIFY(WriteFile("b.srs", "ab->ba\n"));
    QVERIFY(WriteFile("a.srs", "a->\n"));
    QVERIFY(WriteFile("c.res", "x\n"));
    QVERIFY(WriteFile("d.srs.bak", "x\n"));
    QVERIFY(QDir().mkdir("folder.srs"));
    TestWindow fresh;
    auto* list = fresh.Find<QListWidget>("FileListBox1");
    QStringList names;
    for (int k = 0; k < list->count(); ++k)
      names.append(list->item(k)->text());
    QCOMPARE(names, (QStringList{"a.srs", "b.srs"}));
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    QCOMPARE(list->visualItemRect(list->item(0)).height(), 13);
    QCOMPARE(list->visualItemRect(list->item(1)).top(),
             list->visualItemRect(list->item(0)).top() + 13);
  }

  void savingWritesTheFilesAndListsTheNewOne() {
    TypeInput({"ab->ba", "", " comment"});
    SetText("Edit1", "swap");
    Click("Button3");
    QVERIFY(window_->errors.isEmpty());
    QCOMPARE(FileBytes("swap.srs"), QByteArray("ab->ba\n\n comment\n"));
    auto* list = Find<QListWidget>("FileListBox1");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QString("swap.srs"));

    // "save result" writes the pane whatever it holds: here, with no proof, nothing.
    Click("Button1");
    QCOMPARE(FileBytes("swap.res"), QByteArray());

    // The name box may hold a path.
    QVERIFY(QDir().mkdir("sub"));
    SetText("Edit1", "sub/other");
    Click("Button3");
    QCOMPARE(FileBytes("sub/other.srs"), QByteArray("ab->ba\n\n comment\n"));
    QCOMPARE(list->count(), 1);

    MatchBound(false);
    TypeInput(kSwapSystem);
    Start();
    SetText("Edit1", "file");
    Click("Button1");
    QCOMPARE(FileBytes("file.res"), (kSwapProof.join('\n') + '\n').toUtf8());
    // A hidden pane keeps its proof, and "save result" still writes it.
    QTest::keyClick(Memo("Memo1"), Qt::Key_A);
    QVERIFY(Memo("Memo2")->isHidden());
    QVERIFY(QFile::remove("file.res"));
    Click("Button1");
    QCOMPARE(FileBytes("file.res"), (kSwapProof.join('\n') + '\n').toUtf8());
  }

  void clickingAListedFileLoadsIt() {
    QVERIFY(WriteFile("dos.srs", "ab->ba\r\nba->=ab\r\n\r\n comment\r\n"));
    QVERIFY(WriteFile("unix.srs", "a->b"));
    TypeInput(kUnprovable);
    Click("Button3"); // saving re-reads the list
    auto* list = Find<QListWidget>("FileListBox1");
    QCOMPARE(list->count(), 3);
    Start();
    QCOMPARE(Status(), QString(" no proof "));

    ClickEntry("dos.srs");
    QCOMPARE(MainWindow::Lines(Memo("Memo1")), (QStringList{"ab->ba", "ba->=ab", "", " comment"}));
    QCOMPARE(Status(), QString()); // loading counts as a change of the input
    QVERIFY(window_->errors.isEmpty());

    ClickEntry("unix.srs");
    QCOMPARE(MainWindow::Lines(Memo("Memo1")), QStringList{"a->b"});

    // Text in UTF-8, and older 8-bit text byte for byte.
    QVERIFY(WriteFile("utf8.srs", QStringLiteral("äb->bä\n").toUtf8()));
    QVERIFY(WriteFile("latin1.srs", "\xe4\x62->b\xe4\n"));
    Find<selko::ui::FileListBox>("FileListBox1")->Update();
    ClickEntry("utf8.srs");
    QCOMPARE(MainWindow::Lines(Memo("Memo1")), QStringList{QStringLiteral("äb->bä")});
    ClickEntry("latin1.srs");
    QCOMPARE(MainWindow::Lines(Memo("Memo1")), QStringList{QStringLiteral("äb->bä")});

    // Moving through the list with the keyboard loads the entry reached.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentItem()->text(), QString("file.srs"));
    QCOMPARE(MainWindow::Lines(Memo("Memo1")), kUnprovable);

    // A click on the empty part of the list loads nothing.
    TypeInput({"typed"});
    list->clearSelection();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, {10, list->viewport()->height() - 5});
    QCOMPARE(MainWindow::Lines(Memo("Memo1")), QStringList{"typed"});

    // Saved and loaded again, the text is the same.
    TypeInput({"ab->ba", "", ""});
    SetText("Edit1", "round");
    Click("Button3");
    TypeInput({"other"});
    ClickEntry("round.srs");
    QCOMPARE(MainWindow::Lines(Memo("Memo1")), (QStringList{"ab->ba", "", ""}));
  }

  void aFileThatCannotBeOpenedShowsTheError() {
    QVERIFY(WriteFile("gone.srs", "a->b\n"));
    TypeInput({"kept"});
    Click("Button3");
    QVERIFY(QFile::remove("gone.srs"));
    ClickEntry("gone.srs");
    const QString path = QDir(dir_->path()).filePath("gone.srs");
    QCOMPARE(window_->errors,
             QStringList{"Cannot open file \"" + path + "\". No such file or directory"});
    QCOMPARE(MainWindow::Lines(Memo("Memo1")), QStringList{"kept"});
  }

  void aFailedSaveKeepsTheOldFile() {
    QVERIFY(WriteFile("keep.srs", "old\n"));
    QVERIFY(QDir().mkdir("folder.srs"));
    TypeInput({"ab->ba", "ba->=ab", "and more text than the limit allows"});

    // The name of an existing directory.
    SetText("Edit1", "folder");
    Click("Button3");
    QCOMPARE(window_->errors, QStringList{"Cannot create file \"folder.srs\". Is a directory"});
    QVERIFY(QFileInfo("folder.srs").isDir());
    QCOMPARE(Find<QListWidget>("FileListBox1")->count(), 0); // the list is not read again

    // A write that fails half-way (a file size limit stops it, also for root): the old file
    // stays as it was and no temporary file is left behind.
    window_->errors.clear();
    SetText("Edit1", "keep");
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tiny = saved;
    tiny.rlim_cur = 8;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    Click("Button3");
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(window_->errors, QStringList{"Cannot create file \"keep.srs\". File too large"});
    QCOMPARE(FileBytes("keep.srs"), QByteArray("old\n"));
    QCOMPARE(QDir().entryList(QDir::Files, QDir::Name), (QStringList{"keep.srs"}));
    QCOMPARE(MainWindow::Lines(Memo("Memo1")).size(), 3); // the window stays as it was
  }

  void aSaveIntoAReadOnlyDirectoryKeepsTheOldFile() {
    if (geteuid() == 0) QSKIP("running as root: permissions do not stop the save");
    QVERIFY(QDir().mkdir("locked"));
    QVERIFY(WriteFile("locked/keep.srs", "old\n"));
    QVERIFY(QFile::setPermissions("locked", QFile::ReadOwner | QFile::ExeOwner));
    TypeInput({"new"});
    SetText("Edit1", "locked/keep");
    Click("Button3");
    QFile::setPermissions("locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(window_->errors.size(), 1);
    QVERIFY2(window_->errors[0].startsWith("Cannot create file \"locked/keep.srs\". ") &&
                 !window_->errors[0].endsWith(". "),
             qPrintable(window_->errors[0]));
    QCOMPARE(FileBytes("locked/keep.srs"), QByteArray("old\n"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
