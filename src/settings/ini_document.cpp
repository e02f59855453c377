// Private-profile INI handling on raw bytes. Lines are split on LF before any decoding (LF is
// never part of a GB18030 character) and decoded one at a time only to read names and
// values, because GB18030 trail bytes can equal ']' and must not be taken for syntax.
#include "settings/ini_document.h"

#include <QFile>
#include <QFileInfo>
#include <QStringView>

#include "platform/text_codec.h"
#include "settings/ini_file.h"

namespace veltrix {

namespace {

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  QString name;
  QString value;
};

struct RawLine {
  QByteArray text;
  QByteArray ending;
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
std::vector<RawLine> splitLines(const QByteArray& bytes) {
  std::vector<RawLine> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    const qsizetype lf = bytes.indexOf('\n', start);
    if (lf < 0) {
      lines.push_back({bytes.sliced(start), {}});
      break;
    }
    RawLine line{bytes.sliced(start, lf - start), QByteArrayLiteral("\n")};
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

QString foldedName(const QString& name) {
  return name.toCaseFolded();
}

}  // namespace

IniDocument::Line IniDocument::parsed(QByteArray text, QByteArray ending) {
  ParsedLine line = parseLine(text);
  const Kind kind = line.kind == LineKind::Section ? Kind::Section
                    : line.kind == LineKind::Key   ? Kind::Key
                                                   : Kind::Other;
  return {std::move(text), std::move(ending), kind, std::move(line.name), std::move(line.value)};
}

std::optional<IniDocument> IniDocument::load(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  const QFileInfo info(path);
  if (!info.exists()) return IniDocument(path);
  QFile file(path);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return fromBytes(bytes, path);
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes, QString path) {
  IniDocument document(std::move(path));
  std::vector<RawLine> raw = splitLines(bytes);
  if (!bytes.contains("\r\n") && !raw.empty()) document.lineBreak_ = QByteArrayLiteral("\n");
  document.lines_.reserve(raw.size());
  for (RawLine& line : raw)
    document.lines_.push_back(parsed(std::move(line.text), std::move(line.ending)));
  document.reindex();
  return document;
}

void IniDocument::reindex() const {
  headers_.clear();
  // From the end, so that the first header of a name is the one left in the index.
  for (size_t i = lines_.size(); i-- > 0;) {
    if (lines_[i].kind == Kind::Section) headers_.insert(foldedName(lines_[i].name), i);
  }
  indexStale_ = false;
}

std::optional<size_t> IniDocument::headerOf(const QString& section) const {
  if (indexStale_) reindex();
  const auto found = headers_.constFind(foldedName(section));
  if (found == headers_.cend()) return std::nullopt;
  return *found;
}

void IniDocument::insertLine(size_t at, Line line) {
  if (at == lines_.size()) {
    if (line.kind == Kind::Section && !indexStale_) {
      const QString name = foldedName(line.name);
      if (!headers_.contains(name)) headers_.insert(name, at);
    }
    lines_.push_back(std::move(line));
    return;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  indexStale_ = true;
}

bool IniDocument::hasSection(const QString& section) const {
  return headerOf(normalisedName(section)).has_value();
}

qsizetype IniDocument::sectionCount() const {
  if (indexStale_) reindex();
  return headers_.size();
}

QString IniDocument::value(const QString& section, const QString& key) const {
  const QString sectionName = normalisedName(section);
  const QString keyName = normalisedName(key);
  if (sectionName.isEmpty() || keyName.isEmpty()) return {};
  const std::optional<size_t> header = headerOf(sectionName);
  if (!header) return {};
  for (size_t i = *header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    if (lines_[i].kind == Kind::Key && sameName(lines_[i].name, keyName))
      return cutToBytes(withoutQuotes(lines_[i].value), kIniValueMaxBytes);
  }
  return {};
}

bool IniDocument::set(const QString& section, const QString& key, const QString& value) {
  const QString sectionName = normalisedName(section);
  const QString keyName = normalisedName(key);
  if (sectionName.isEmpty() || keyName.isEmpty()) return false;
  const QByteArray entry = toGb18030(keyName) + '=' + toGb18030(withoutLineBreaks(value));

  const std::optional<size_t> header = headerOf(sectionName);
  if (!header) {
    if (!lines_.empty() && lines_.back().ending.isEmpty()) lines_.back().ending = lineBreak_;
    insertLine(lines_.size(), parsed('[' + toGb18030(sectionName) + ']', lineBreak_));
    insertLine(lines_.size(), parsed(entry, lineBreak_));
    return true;
  }

  std::optional<size_t> lastKey;
  for (size_t i = *header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    if (lines_[i].kind != Kind::Key) continue;
    lastKey = i;
    if (!sameName(lines_[i].name, keyName)) continue;
    lines_[i] = parsed(entry, lines_[i].ending);
    // A key spelt like a header turns its line into one.
    if (lines_[i].kind == Kind::Section) indexStale_ = true;
    return true;
  }
  const size_t after = lastKey.value_or(*header);
  if (lines_[after].ending.isEmpty()) lines_[after].ending = lineBreak_;
  insertLine(after + 1, parsed(entry, lineBreak_));
  return true;
}

QByteArray IniDocument::bytes() const {
  QByteArray bytes;
  for (const Line& line : lines_) bytes += line.text + line.ending;
  return bytes;
}

WriteOutcome IniDocument::save() const {
  return replaceFileWhole(path_, bytes());
}

}  // namespace veltrix
