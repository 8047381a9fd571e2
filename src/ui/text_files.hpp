// Whole text files read and written line by line: the ".srs" and ".res" files of the window.
#pragma once

#include <QString>
#include <QStringList>

namespace selko::ui {

// Writes the lines to the file, each followed by a line end. The file is replaced only once
// every byte is written: on failure the earlier file stays as it was and `error` holds
// "Cannot create file "NAME". REASON".
bool SaveLines(const QString& fileName, const QStringList& lines, QString& error);

// Reads the file's lines; a trailing carriage return is stripped from each line and a line end
// at the end of the file does not make an extra empty line. On failure `error` holds
// "Cannot open file "NAME". REASON".
bool LoadLines(const QString& fileName, QStringList& lines, QString& error);

} // namespace selko::ui
