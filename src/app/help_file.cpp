// Writing out and opening the carried help page.
#include "app/help_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "save/picture_encoding.h"

namespace veltrix {

namespace {

constexpr char kPageName[] = "Veltrix使用帮助.html";
constexpr char kImagesFolder[] = "images";
constexpr char kResourceFolder[] = ":/help";

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString md5Hex(const QByteArray& bytes) {
  return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

bool ensureImages(const QString& folder) {
  const QDir carried(QString::fromLatin1(kResourceFolder) + u'/' + QLatin1String(kImagesFolder));
  const QStringList names = carried.entryList(QDir::Files, QDir::Name);
  if (names.isEmpty()) return true;
  const QString target = folder + u'/' + QLatin1String(kImagesFolder);
  if (!QDir().mkpath(target)) return false;
  bool written = true;
  for (const QString& name : names) {
    const QByteArray bytes = readAll(carried.filePath(name));
    const QString path = target + u'/' + name;
    if (readAll(path) != bytes) written = writeBytesToFile(path, bytes) && written;
  }
  return written;
}

}  // namespace

QString helpFileFolder(const QString& programFolder, const QString& configHome) {
  const QFileInfo program(programFolder);
  if (!programFolder.isEmpty() && program.isDir() && program.isWritable()) return programFolder;
  return configHome + QStringLiteral("/veltrix");
}

QString helpFileName(const QString& folder) {
  return folder + u'/' + QString::fromUtf8(kPageName);
}

bool ensureHelpFile(const QString& folder) {
  if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
  const QString page = helpFileName(folder);
  bool written = true;
  // A page edited by hand or left by an older version is replaced; a current one is not
  // rewritten on every opening.
  if (md5Hex(readAll(page)) != carriedHelpDigest())
    written = writeBytesToFile(page, carriedHelpPage());
  return ensureImages(folder) && written;
}

QString openHelp(UrlOpener& opener, const QString& folder) {
  ensureHelpFile(folder);
  const QString page = helpFileName(folder);
  return opener.open(QUrl::fromLocalFile(page)) ? QString() : QDir::toNativeSeparators(page);
}

QString openHomePage(UrlOpener& opener, const QString& folder) {
  const QString address = QString::fromUtf8(kHomePageAddress);
  if (address.isEmpty()) return openHelp(opener, folder);
  return opener.open(QUrl(address)) ? QString() : address;
}

QByteArray carriedHelpPage() {
  return readAll(QString::fromLatin1(kResourceFolder) + u'/' + QString::fromUtf8(kPageName));
}

QString carriedHelpDigest() {
  return QStringLiteral(VELTRIX_HELP_MD5);
}

}  // namespace veltrix
