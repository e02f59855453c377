// Names of saved pictures under the naming rules.
#include "save/output_naming.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "settings/naming_rules.h"

namespace veltrix {
namespace {

const QChar kEmDash(0x2014);

// Every entry of the folder, case-folded, so that a long search lists the folder only once.
QSet<QString> takenNames(const QString& folder) {
  // System takes in broken symbolic links: saving through one would write outside the folder.
  const QStringList names =
      QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  QSet<QString> folded;
  folded.reserve(names.size());
  for (const QString& name : names) folded.insert(name.toCaseFolded());
  return folded;
}

bool isUnsafe(QChar c) {
  static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
  return c.unicode() < 0x20 || c.unicode() == 0x7F || kForbidden.contains(c);
}

}  // namespace

QString timeStampName(const QDateTime& now) {
  const QDate date = now.date();
  const QTime time = now.time();
  return QStringLiteral("%1-%2-%3 %4-%5-%6")
      .arg(date.year())
      .arg(date.month())
      .arg(date.day())
      .arg(time.hour())
      .arg(time.minute())
      .arg(time.second());
}

QString sequenceNumber(int n) {
  return n < 10000 ? QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')) : QString::number(n);
}

bool nameTaken(const QString& path) {
  const QFileInfo info(path);
  return takenNames(info.path()).contains(info.fileName().toCaseFolded());
}

QString nextFreeNumberedPath(const QString& folder, const QString& prefix, const QString& ext) {
  const QSet<QString> taken = takenNames(folder);
  // Each taken candidate is a distinct entry, so the search ends by n = taken.size() + 1.
  for (int n = 1;; ++n) {
    const QString name = prefix + sequenceNumber(n) + ext;
    if (!taken.contains(name.toCaseFolded())) return folder + QLatin1Char('/') + name;
  }
}

QString suffixedName(const QString& name, int k) {
  return k == 0 ? name : name + kEmDash + QString::number(k);
}

QString nextFreeSuffixedPath(const QString& folder, const QString& name, const QString& ext) {
  const QSet<QString> taken = takenNames(folder);
  int k = 0;
  while (taken.contains((suffixedName(name, k) + ext).toCaseFolded())) ++k;
  return folder + QLatin1Char('/') + suffixedName(name, k) + ext;
}

QString sameNameBase(const QString& sourceFileName) {
  const qsizetype dot = sourceFileName.lastIndexOf(QLatin1Char('.'));
  return dot <= 0 ? sourceFileName : sourceFileName.left(dot);
}

QString sameNameCrop(const QString& sourceFileName) {
  return safeFileName(sameNameBase(sourceFileName));
}

QString safeFileName(const QString& name) {
  QString safe = name;
  for (QChar& c : safe) {
    if (isUnsafe(c)) c = QLatin1Char('_');
  }
  for (QChar& c : safe) {
    if (c != QLatin1Char('.')) break;
    c = QLatin1Char('_');
  }
  return safe;
}

QString temporaryPicturePath(const QString& settingsFolder, const QString& ext) {
  return settingsFolder + QStringLiteral("/临时C") + ext;
}

NamingInputs seriesNamingInputs(const QString& folder, const QString& format, const QString& prefix,
                                const QString& settingsFolder, const QDateTime& now) {
  NamingInputs inputs;
  inputs.folder = folder;
  inputs.ext = format.toLower();
  inputs.customPrefix = prefix;
  inputs.settingsFolder = settingsFolder;
  inputs.now = now;
  return inputs;
}

QString makeOutputName(NamingRule rule, const NamingInputs& in) {
  switch (rule) {
    case NamingRule::SameName:
      // The same name replaces an earlier picture of the same source on purpose.
      return in.folder + QLatin1Char('/') +
             suffixedName(sameNameCrop(in.sourceName), in.sameNameNumber) + in.ext;
    case NamingRule::TimeStamp:
      // Two pictures within one second must both survive.
      return nextFreeSuffixedPath(in.folder, timeStampName(in.now), in.ext);
    case NamingRule::Sequence:
      return nextFreeNumberedPath(in.folder, QString(), in.ext);
    case NamingRule::CustomPrefix:
      return nextFreeNumberedPath(in.folder, safeFileName(in.customPrefix), in.ext);
    case NamingRule::AskEveryTime:
      return temporaryPicturePath(in.settingsFolder, in.ext);
    case NamingRule::Spreadsheet:
      return nextFreeSuffixedPath(in.folder, safeFileName(in.spreadsheetName), in.ext);
  }
  return {};
}

}  // namespace veltrix
