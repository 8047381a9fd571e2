// Whole text files read and written line by line: the ".srs" and ".res" files of the window.
#include "ui/text_files.hpp"

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace selko::ui {

namespace {

QString CreateError(const QString& fileName, const QString& reason) {
  return QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason);
}

QString OpenError(const QString& fileName, const QString& reason) {
  return QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason);
}

QString SystemReason(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

} // namespace

bool SaveLines(const QString& fileName, const QStringList& lines, QString& error) {
  if (QFileInfo(fileName).isDir()) {
    error = CreateError(fileName, SystemReason(EISDIR));
    return false;
  }
  QByteArray data;
  for (const QString& line : lines) {
    data += line.toUtf8();
    data += '\n';
  }

  // Unbuffered, so that a short or failed write is seen here and not lost in a late flush: the
  // temporary file must never replace the old one unless it holds every byte.
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    error = CreateError(fileName, file.errorString());
    return false;
  }
  qint64 written = 0;
  while (written < data.size()) {
    const qint64 n = file.write(data.constData() + written, data.size() - written);
    if (n <= 0) break;
    written += n;
  }
  if (written < data.size()) {
    error = CreateError(fileName, file.errorString());
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = CreateError(fileName, file.errorString());
    return false;
  }
  return true;
}

bool LoadLines(const QString& fileName, QStringList& lines, QString& error) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    error = OpenError(fileName, file.errorString());
    return false;
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    error = OpenError(fileName, file.errorString());
    return false;
  }
  // UTF-8, the platform's text encoding; a file that is not valid UTF-8 is an older 8-bit
  // text and is read byte for byte as Latin-1.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(data);
  if (utf8.hasError()) text = QString::fromLatin1(data);

  lines = text.split(QLatin1Char('\n'));
  if (lines.last().isEmpty()) lines.removeLast(); // the line end of the last line
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  return true;
}

} // namespace selko::ui
