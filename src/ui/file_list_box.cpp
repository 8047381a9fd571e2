// A list of the files of one directory that match a mask (FileListBox1: the "*.srs" files).
#include "ui/file_list_box.hpp"

#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

namespace selko::ui {

namespace {

constexpr int kRowHeight = 13;

} // namespace

FileListBox::FileListBox(const QString& directory, const QString& mask, QWidget* parent)
    : QListWidget(parent), directory_(directory), mask_(mask) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  Update();
}

void FileListBox::Update() {
  const QStringList names =
      QDir(directory_).entryList(QStringList{mask_}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  clear();
  const QFontMetrics metrics(font());
  for (const QString& name : names) {
    auto* item = new QListWidgetItem(name, this);
    item->setSizeHint(QSize(metrics.horizontalAdvance(name) + 4, kRowHeight));
  }
}

QString FileListBox::FileName() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  if (selected.isEmpty()) return QString();
  return QDir(directory_).filePath(selected.first()->text());
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()) != nullptr) {
    emit Click();
  }
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before) emit Click();
}

} // namespace selko::ui
