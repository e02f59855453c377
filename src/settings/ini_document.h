// An INI file read once, with any number of keys looked up and set, and written back once: the
// private-profile rules of ini_file.h without a read and a rewrite of the whole file per key.
// The bytes it writes are those the same one-key writes would have left, one after another.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

#include "platform/file_write.h"

namespace veltrix {

class IniDocument {
 public:
  // A missing file is an empty document. Nothing when the path is empty, names something other
  // than a file, or cannot be read.
  static std::optional<IniDocument> load(const QString& path);
  // The document a file holding these bytes reads as; save() writes it to path.
  static IniDocument fromBytes(const QByteArray& bytes, QString path = {});

  // As iniRead: "" for a missing section or key, or an empty section or key name.
  QString value(const QString& section, const QString& key) const;

  // As iniWrite, in memory. False, changing nothing, for an empty section or key name.
  bool set(const QString& section, const QString& key, const QString& value);

  // Whether the document has a section of that name.
  bool hasSection(const QString& section) const;
  // How many sections of different names the document has.
  qsizetype sectionCount() const;

  // Replaces the file whole, never leaving it half-written; says why when it cannot.
  WriteOutcome save() const;

  // The file's bytes as save() writes them.
  QByteArray bytes() const;

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    QByteArray text;
    QByteArray ending;  // "\r\n", "\n", or nothing on a last line without a break
    Kind kind = Kind::Other;
    QString name;  // of a section or key as the file spells it, blanks trimmed
    QString value;
  };

  explicit IniDocument(QString path) : path_(std::move(path)) {}
  static Line parsed(QByteArray text, QByteArray ending);
  // The first header of the section, or nothing.
  std::optional<size_t> headerOf(const QString& section) const;
  void insertLine(size_t at, Line line);
  void reindex() const;

  QString path_;
  std::vector<Line> lines_;
  QByteArray lineBreak_ = QByteArrayLiteral("\r\n");
  // Case-folded section name → line of its first header; rebuilt after a line is inserted
  // anywhere but at the end.
  mutable QHash<QString, size_t> headers_;
  mutable bool indexStale_ = false;
};

}  // namespace veltrix
