// A list of the files of one directory that match a mask (FileListBox1: the "*.srs" files).
#pragma once

#include <QListWidget>
#include <QString>

namespace selko::ui {

class FileListBox : public QListWidget {
  Q_OBJECT

public:
  FileListBox(const QString& directory, const QString& mask, QWidget* parent = nullptr);

  void Update();            // read the directory again
  QString FileName() const; // full path of the selected entry; empty when none is selected
  const QString& Directory() const { return directory_; }

signals:
  // The user picked an entry with the mouse or the keyboard.
  void Click();

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  QString directory_;
  QString mask_;
};

} // namespace selko::ui
