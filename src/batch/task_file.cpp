#include "batch/task_file.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>

#include "batch/texts.h"
#include "platform/utf8.h"
#include "settings/number_rules.h"

namespace veltrix {
namespace {

using namespace batch_texts;

QString section(qint64 entry) {
  return QString::number(entry);
}

// Names are stored so that they read back exactly. A line break would end the value, and the
// INI writer turns it into a space, naming another file: as no file name holds "/", CR and LF are
// stored as "/r" and "/n", and every other name is stored as it is. Blanks or quotes at either
// end would be taken off by the reader, so such a name is written inside one more pair of quotes.
QString storedName(const QString& name) {
  QString stored = name;
  stored.replace(u'\r', QStringLiteral("/r")).replace(u'\n', QStringLiteral("/n"));
  const auto loose = [](QChar c) { return c == u' ' || c == u'\t' || c == u'"' || c == u'\''; };
  if (!stored.isEmpty() && (loose(stored.front()) || loose(stored.back())))
    return u'"' + stored + u'"';
  return stored;
}

// The name storedName stored as this value.
QString nameStoredAs(const QString& stored) {
  if (!stored.contains(u'/')) return stored;
  QString name;
  name.reserve(stored.size());
  for (qsizetype i = 0; i < stored.size(); ++i) {
    const QChar escaped = i + 1 < stored.size() ? stored[i + 1] : QChar();
    if (stored[i] == u'/' && (escaped == u'r' || escaped == u'n')) {
      name.append(escaped == u'r' ? u'\r' : u'\n');
      ++i;
    } else {
      name.append(stored[i]);
    }
  }
  return name;
}

qint64 truncTo64(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 9.2e18;
  return static_cast<qint64>(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

QString taskFilePath(const QString& settingsFolder) {
  return settingsFolder + u'/' + u8(kTaskFileName);
}

std::optional<TaskFile> TaskFile::load(const QString& path) {
  std::optional<IniDocument> document = IniDocument::load(path);
  if (!document) return std::nullopt;
  return TaskFile(std::move(*document));
}

qint64 TaskFile::storedNumber(const char* key) const {
  return truncTo64(leadingNumber(document_.value(u8(key), u8(key))));
}

qint64 TaskFile::count() const {
  // Each entry is a section of its own, so a count past the file's sections claims entries it
  // cannot hold, even when a section far out bears the count's number.
  qint64 entries = std::clamp<qint64>(storedNumber(kCountKey), 0, document_.sectionCount());
  // A count past the entries the file holds would send every loop over it into the void; the
  // search halves the distance.
  if (entries > 0 && !document_.hasSection(section(entries))) {
    qint64 held = 0;
    qint64 missing = entries;
    while (missing - held > 1) {
      const qint64 middle = held + (missing - held) / 2;
      (document_.hasSection(section(middle)) ? held : missing) = middle;
    }
    entries = held;
  }
  return entries;
}

qint64 TaskFile::cursor() const {
  const qint64 entries = count();
  if (entries == 0) return 0;
  return std::clamp<qint64>(storedNumber(kCursorKey), 1, entries);
}

QString TaskFile::name(qint64 entry) const {
  return nameStoredAs(document_.value(section(entry), u8(kNameKey)));
}

QString TaskFile::record(qint64 entry) const {
  return document_.value(section(entry), u8(kRecordKey));
}

void TaskFile::setEntry(qint64 entry, const QString& record, const QString& name) {
  document_.set(section(entry), u8(kRecordKey), record);
  document_.set(section(entry), u8(kNameKey), storedName(name));
}

void TaskFile::create(const QStringList& names) {
  document_.set(u8(kCursorKey), u8(kCursorKey), QStringLiteral("1"));
  document_.set(u8(kCountKey), u8(kCountKey), QString::number(names.size()));
  for (qsizetype i = 0; i < names.size(); ++i) setEntry(i + 1, u8(kNotCropped), names[i]);
}

void TaskFile::setCursor(qint64 entry) {
  document_.set(u8(kCursorKey), u8(kCursorKey), QString::number(entry));
}

void TaskFile::markDone(qint64 entry) {
  document_.set(section(entry), u8(kRecordKey), u8(kCropped));
}

bool TaskFile::appendNew(const QStringList& scanned) {
  const qint64 entries = count();
  // Each held name takes away the first scanned name equal to it.
  QHash<QString, qint64> held;
  for (qint64 entry = 1; entry <= entries; ++entry) {
    const QString heldName = name(entry);
    if (!heldName.isEmpty()) ++held[heldName];
  }
  QStringList added;
  for (const QString& candidate : scanned) {
    qint64& left = held[candidate];
    if (left > 0)
      --left;
    else
      added.append(candidate);
  }
  if (added.isEmpty()) return false;
  for (qsizetype i = 0; i < added.size(); ++i) setEntry(entries + i + 1, u8(kNotCropped), added[i]);
  document_.set(u8(kCountKey), u8(kCountKey), QString::number(entries + added.size()));
  return true;
}

}  // namespace veltrix
