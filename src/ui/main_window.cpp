// The main window (Form1): layout, start-up state and the event handlers.
#include "ui/main_window.hpp"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QThread>
#include <QTimer>

#include "ui/file_list_box.hpp"
#include "ui/fitted_font.hpp"
#include "ui/fractal_picture.hpp"
#include "ui/help_text.hpp"
#include "ui/text_files.hpp"

namespace selko::ui {

namespace {

const QColor kWindowColour(252, 230, 160);
const QColor kHelpColour(241, 255, 255);
constexpr int kPictureWidth = 401;
constexpr int kPictureHeight = 450;
constexpr int kStatusMinWidth = 5;
constexpr int kStatusHeight = 16;

// "MS Sans Serif" where it exists, otherwise the platform's sans-serif font, at a pixel size.
QFont WindowFont(int pixels, bool bold = false) {
  static const QString family = [] {
    const QString wanted = QStringLiteral("MS Sans Serif");
    if (QFontDatabase::families().contains(wanted)) return wanted;
    QFont probe(QStringLiteral("Sans Serif"));
    probe.setStyleHint(QFont::SansSerif);
    return QFontInfo(probe).family();
  }();
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// The status word's own font, before any fitting to its place.
QFont StatusFont() { return WindowFont(13, true); }

template <typename Control> Control* Place(Control* control, const char* name, QRect geometry) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(geometry);
  return control;
}

// Narrows the font of a label or check box whose text does not fit its place in the layout
// (fonts other than the layout's own are often wider): the same family and pixel size, set
// condensed as far as needed. The control keeps its place, so the "Customize" button still
// covers the options completely.
void FitText(QWidget* control) {
  for (const int stretch : {QFont::SemiCondensed, QFont::Condensed, QFont::ExtraCondensed}) {
    if (control->sizeHint().width() <= control->width()) return;
    QFont narrower = control->font();
    narrower.setStretch(stretch);
    control->setFont(narrower);
  }
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), prover_(std::make_unique<Prover>()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("SELKO, version 1.4"));
  setFont(WindowFont(11));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kWindowColour);
  setPalette(colours);
  setAutoFillBackground(true);
  setFixedSize(kClientWidth, kClientHeight);
  move(kLeft, kTop);
  BuildControls();
  elapsedTimer_ = new QTimer(this);
  elapsedTimer_->setInterval(1000);
  connect(elapsedTimer_, &QTimer::timeout, this, &MainWindow::ShowElapsed);
}

MainWindow::~MainWindow() { EndRunNow(); }

void MainWindow::BuildControls() {
  // Labels and the picture first: they lie beneath every other control.
  Label5 = Place(new QLabel(QStringLiteral("Input:"), this), "Label5", {16, 16, 48, 20});
  Label5->setFont(WindowFont(16, true));
  Label7 = Place(new QLabel(CreditLine(), this), "Label7", {16, 528, 177, 13});
  Image1 = Place(new QLabel(this), "Image1", {216, 104, kPictureWidth, kPictureHeight});
  Image1->setPixmap(
      QPixmap::fromImage(FractalPicture(kPictureWidth, kPictureHeight, kWindowColour)));
  Label4 = Place(new QLabel(this), "Label4", {632, 56, kStatusMinWidth, kStatusHeight});
  Label4->setFont(StatusFont());
  Label4->setAutoFillBackground(true);
  QPalette statusColours = Label4->palette();
  statusColours.setColor(QPalette::Window, statusColours.color(QPalette::Highlight));
  statusColours.setColor(QPalette::WindowText, Qt::red);
  Label4->setPalette(statusColours);
  Label2 = Place(new QLabel(QStringLiteral("nr of att:"), this), "Label2", {632, 152, 39, 13});
  Label6 = Place(new QLabel(QStringLiteral("load SRS:"), this), "Label6", {632, 272, 48, 13});
  Label3 = Place(new QLabel(QStringLiteral("file name:"), this), "Label3", {632, 512, 45, 13});
  // The engine's options lie outside the place of "Customize", in the free rows above and below
  // it, and show only while it is hidden: "time (s):" like "nr of att:", "extended" after the
  // last check box.
  Label8 = Place(new QLabel(QStringLiteral("time (s):"), this), "Label8", {632, 131, 39, 13});
  Label8->hide();

  Memo1 = Place(new QPlainTextEdit(this), "Memo1", {16, 40, 193, 481});
  Memo1->setFont(WindowFont(13));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setTabChangesFocus(true);

  Memo2 = Place(new QPlainTextEdit(this), "Memo2", {216, 8, 409, 537});
  Memo2->setFont(WindowFont(11));
  Memo2->setReadOnly(true);
  Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo2->setTabChangesFocus(true);
  Memo2->setFocusPolicy(Qt::StrongFocus);
  Memo2->hide();

  Button4 = Place(new QPushButton(QStringLiteral("START"), this), "Button4", {632, 8, 73, 33});
  Button4->setFont(WindowFont(16, true));
  Button8 = Place(new QPushButton(QStringLiteral("HELP"), this), "Button8", {632, 88, 73, 33});
  Edit3 = Place(new QLineEdit(QStringLiteral("100"), this), "Edit3", {672, 152, 33, 21});
  CheckBox1 =
      Place(new QCheckBox(QStringLiteral("rem.labels"), this), "CheckBox1", {632, 184, 65, 17});
  CheckBox2 =
      Place(new QCheckBox(QStringLiteral("big font"), this), "CheckBox2", {632, 200, 73, 17});
  CheckBox3 =
      Place(new QCheckBox(QStringLiteral("match bnd"), this), "CheckBox3", {632, 216, 73, 17});
  CheckBox4 =
      Place(new QCheckBox(QStringLiteral("tpdb format"), this), "CheckBox4", {632, 232, 73, 17});
  Edit4 = Place(new QLineEdit(QStringLiteral("60"), this), "Edit4", {672, 128, 33, 21});
  Edit4->hide();
  CheckBox5 =
      Place(new QCheckBox(QStringLiteral("extended"), this), "CheckBox5", {632, 249, 73, 17});
  CheckBox5->hide();
  Button7 =
      Place(new QPushButton(QStringLiteral("Customize"), this), "Button7", {632, 152, 73, 97});
  FileListBox1 = Place(new FileListBox(QDir::currentPath(), QStringLiteral("*.srs"), this),
                       "FileListBox1", {632, 288, 73, 145});
  Button3 = Place(new QPushButton(QStringLiteral("save SRS"), this), "Button3", {632, 448, 73, 25});
  Button1 =
      Place(new QPushButton(QStringLiteral("save result"), this), "Button1", {632, 480, 73, 25});
  Edit1 = Place(new QLineEdit(QStringLiteral("file"), this), "Edit1", {632, 528, 73, 21});

  Memo4 = Place(new QPlainTextEdit(this), "Memo4", {72, 0, 441, 553});
  Memo4->setReadOnly(true);
  Memo4->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded); // where the text is taller
  Memo4->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo4->setTabChangesFocus(true);
  Memo4->setFocusPolicy(Qt::StrongFocus);
  QPalette helpColours = Memo4->palette();
  helpColours.setColor(QPalette::Base, kHelpColour);
  Memo4->setPalette(helpColours);
  Memo4->setPlainText(HelpLines(false).join(QLatin1Char('\n')));
  Memo4->viewport()->installEventFilter(this);
  Memo4->hide();

  for (QWidget* control :
       std::initializer_list<QWidget*>{Label5, Label7, Label2, Label6, Label3, Label8, CheckBox1,
                                       CheckBox2, CheckBox3, CheckBox4, CheckBox5}) {
    FitText(control);
  }

  // Stacking: labels and the picture at the bottom, the result pane over the picture, the
  // "Customize" button over the options, the help panel over both text areas.
  for (QLabel* label : {Label8, Label3, Label6, Label2, Label4, Label7, Label5, Image1})
    label->lower();
  Memo2->raise();
  Button7->raise();
  Memo4->raise();

  // Keyboard order; hidden controls are passed over.
  QWidget* const order[] = {Memo1,     FileListBox1, Button3,   Edit1,     Button4, Memo2,
                            Button1,   Edit3,        Edit4,     Button8,   Memo4,   CheckBox1,
                            CheckBox2, CheckBox3,    CheckBox4, CheckBox5, Button7};
  for (std::size_t k = 0; k + 1 < std::size(order); ++k)
    setTabOrder(order[k], order[k + 1]);

  connect(Button4, &QPushButton::clicked, this, &MainWindow::Button4Click);
  connect(Button3, &QPushButton::clicked, this, &MainWindow::Button3Click);
  connect(Button1, &QPushButton::clicked, this, &MainWindow::Button1Click);
  connect(Button8, &QPushButton::clicked, this, &MainWindow::Button8Click);
  connect(Button7, &QPushButton::clicked, this, &MainWindow::Button7Click);
  connect(CheckBox2, &QCheckBox::clicked, this, &MainWindow::CheckBox2Click);
  connect(CheckBox5, &QCheckBox::toggled, this, &MainWindow::CheckBox5Click);
  connect(FileListBox1, &FileListBox::Click, this, &MainWindow::FileListBox1Click);
  connect(Memo1, &QPlainTextEdit::textChanged, this, &MainWindow::Memo1Change);
}

QStringList MainWindow::Lines(const QPlainTextEdit* memo) {
  QStringList lines;
  const QTextDocument* document = memo->document();
  if (document->isEmpty()) return lines;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    lines.append(block.text());
  }
  return lines;
}

void MainWindow::SetStatus(const QString& text) {
  // Every text is fitted from the label's own font, so a short text after a long one is shown
  // at full width again.
  const int room = width() - Label4->x();
  Label4->setFont(FittedFont(StatusFont(), text, room));
  Label4->setText(text);
  const int shown = std::max(kStatusMinWidth, TextWidth(Label4->font(), text));
  Label4->resize(std::min(shown, room), kStatusHeight);
}

bool MainWindow::SaveMemo(const QPlainTextEdit* memo, const QString& extension) {
  QString error;
  if (SaveLines(Edit1->text() + extension, Lines(memo), error)) return true;
  ShowError(error);
  return false;
}

void MainWindow::Button3Click() {
  if (SaveMemo(Memo1, QStringLiteral(".srs"))) FileListBox1->Update();
}

void MainWindow::Button1Click() { SaveMemo(Memo2, QStringLiteral(".res")); }

void MainWindow::FileListBox1Click() {
  const QString fileName = FileListBox1->FileName();
  if (fileName.isEmpty()) return;
  QStringList lines;
  QString error;
  if (!LoadLines(fileName, lines, error)) {
    ShowError(error);
    return;
  }
  Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

void MainWindow::Memo1Change() {
  Memo2->hide();
  SetStatus(QString());
}

void MainWindow::Button8Click() { Memo4->show(); }

void MainWindow::Memo4Click() { Memo4->hide(); }

void MainWindow::Button7Click() { CoverOptions(false); }

void MainWindow::CoverOptions(bool covered) {
  Button7->setVisible(covered);
  for (QWidget* option : std::initializer_list<QWidget*>{Label8, Edit4, CheckBox5})
    option->setVisible(!covered);
}

void MainWindow::CheckBox2Click() {
  const bool big = CheckBox2->isChecked();
  QFont input = Memo1->font();
  input.setPointSize(big ? 14 : 10);
  Memo1->setFont(input);
  QFont result = Memo2->font();
  result.setPointSize(big ? 12 : 8);
  Memo2->setFont(result);
}

void MainWindow::FormActivate() {
  // Only the first activation sets the two options, so that switching windows never undoes
  // what the user chose.
  if (activatedBefore_) return;
  activatedBefore_ = true;
  CheckBox1->setChecked(true);
  CheckBox3->setChecked(true);
  CheckBox5->setChecked(false);
}

void MainWindow::CheckBox5Click() {
  Memo4->setPlainText(HelpLines(CheckBox5->isChecked()).join(QLatin1Char('\n')));
}

void MainWindow::ShowError(const QString& message) {
  QMessageBox::critical(this, QStringLiteral("SELKO"), message);
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Memo4->viewport() && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Memo4Click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace selko::ui
