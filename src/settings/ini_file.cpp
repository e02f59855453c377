// Private-profile INI handling on raw bytes. Lines are split on LF before any decoding (LF is
// never part of a GB18030 character) and decoded one at a time only to read names and
// values, because GB18030 trail bytes can equal ']' and must not be taken for syntax.
#include "settings/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringView>
#include <optional>
#include <vector>

#include "platform/text_codec.h"

namespace veltrix {

namespace {

struct Line {
  QByteArray text;
  QByteArray ending;  // "\r\n", "\n", or nothing on a last line without a break
};

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  QString name;
  QString value;
};

bool isBlank(QChar ch) {
  return ch == u' ' || ch == u'\t';
}

QStringView trimBlanks(QStringView text) {
  while (!text.isEmpty() && isBlank(text.front())) text = text.sliced(1);
  while (!text.isEmpty() && isBlank(text.back())) text.chop(1);
  return text;
}

// A line break inside a name or value would start a new line in the file.
QString withoutLineBreaks(QString text) {
  return text.replace(u'\r', u' ').replace(u'\n', u' ');
}

// Callers' names are read the way names in the file are, so a name always finds itself.
QString normalisedName(const QString& name) {
  return trimBlanks(withoutLineBreaks(name)).toString();
}

bool sameName(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Joining text + ending of every line gives back the original bytes exactly.
std::vector<Line> splitLines(const QByteArray& bytes) {
  std::vector<Line> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    const qsizetype lf = bytes.indexOf('\n', start);
    if (lf < 0) {
      lines.push_back({bytes.sliced(start), {}});
      break;
    }
    Line line{bytes.sliced(start, lf - start), QByteArrayLiteral("\n")};
    if (line.text.endsWith('\r')) {
      line.text.chop(1);
      line.ending = QByteArrayLiteral("\r\n");
    }
    lines.push_back(std::move(line));
    start = lf + 1;
  }
  return lines;
}

ParsedLine parseLine(const QByteArray& bytes) {
  const QString decoded = fromGb18030(bytes);
  const QStringView text = trimBlanks(decoded);
  if (text.startsWith(u';')) return {};
  if (text.startsWith(u'[')) {
    const qsizetype close = text.indexOf(u']');
    if (close < 0) return {};
    return {LineKind::Section, trimBlanks(text.sliced(1, close - 1)).toString(), {}};
  }
  const qsizetype equals = text.indexOf(u'=');
  if (equals < 0) return {};
  return {LineKind::Key, trimBlanks(text.first(equals)).toString(),
          trimBlanks(text.sliced(equals + 1)).toString()};
}

QString withoutQuotes(const QString& value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front())
    return value.sliced(1, value.size() - 2);
  return value;
}

// The GB18030 bytes are walked whole character by whole character (4 bytes when the second
// is a digit, 2 after any other lead byte, else 1); each such character is one character of
// the text, a surrogate pair counting as one.
QString cutToBytes(const QString& value, qsizetype maxBytes) {
  const QByteArray bytes = toGb18030(value);
  if (bytes.size() <= maxBytes) return value;
  qsizetype bytePos = 0;
  qsizetype textPos = 0;
  while (bytePos < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[bytePos]);
    qsizetype length = 1;
    if (lead >= 0x81 && lead <= 0xFE) {
      const bool fourBytes =
          bytePos + 1 < bytes.size() && bytes[bytePos + 1] >= '0' && bytes[bytePos + 1] <= '9';
      length = fourBytes ? 4 : 2;
    }
    if (bytePos + length > maxBytes) break;
    bytePos += length;
    const bool pair = value[textPos].isHighSurrogate() && textPos + 1 < value.size() &&
                      value[textPos + 1].isLowSurrogate();
    textPos += pair ? 2 : 1;
  }
  return value.first(textPos);
}

}  // namespace

QString iniRead(const QString& path, const QString& section, const QString& key) {
  const QString sectionName = normalisedName(section);
  const QString keyName = normalisedName(key);
  if (path.isEmpty() || sectionName.isEmpty() || keyName.isEmpty()) return {};

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  bool inSection = false;
  for (const Line& line : splitLines(file.readAll())) {
    const ParsedLine parsed = parseLine(line.text);
    if (parsed.kind == LineKind::Section) {
      if (inSection) return {};
      inSection = sameName(parsed.name, sectionName);
    } else if (parsed.kind == LineKind::Key && inSection && sameName(parsed.name, keyName)) {
      return cutToBytes(withoutQuotes(parsed.value), kIniValueMaxBytes);
    }
  }
  return {};
}

bool iniWrite(const QString& path, const QString& section, const QString& key,
              const QString& value) {
  const QString sectionName = normalisedName(section);
  const QString keyName = normalisedName(key);
  if (path.isEmpty() || sectionName.isEmpty() || keyName.isEmpty()) return false;

  QByteArray original;
  const QFileInfo info(path);
  if (info.exists()) {
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return false;
    original = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
  }

  std::vector<Line> lines = splitLines(original);
  const QByteArray lineBreak =
      original.contains("\r\n") || lines.empty() ? QByteArrayLiteral("\r\n") : "\n";
  const QByteArray entry = toGb18030(keyName) + '=' + toGb18030(withoutLineBreaks(value));

  std::optional<size_t> header;
  std::optional<size_t> lastKey;
  std::optional<size_t> match;
  for (size_t i = 0; i < lines.size() && !match; ++i) {
    const ParsedLine parsed = parseLine(lines[i].text);
    if (parsed.kind == LineKind::Section) {
      if (header) break;
      if (sameName(parsed.name, sectionName)) header = i;
    } else if (parsed.kind == LineKind::Key && header) {
      lastKey = i;
      if (sameName(parsed.name, keyName)) match = i;
    }
  }

  if (match) {
    lines[*match].text = entry;
  } else if (header) {
    const size_t after = lastKey.value_or(*header);
    if (lines[after].ending.isEmpty()) lines[after].ending = lineBreak;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after) + 1, Line{entry, lineBreak});
  } else {
    if (!lines.empty() && lines.back().ending.isEmpty()) lines.back().ending = lineBreak;
    lines.push_back({'[' + toGb18030(sectionName) + ']', lineBreak});
    lines.push_back({entry, lineBreak});
  }

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  for (const Line& line : lines) {
    file.write(line.text);
    file.write(line.ending);
  }
  return file.commit();
}

}  // namespace veltrix
