// The one-key INI operations: each reads the file anew and a write replaces it whole.
#include "settings/ini_file.h"

#include "settings/ini_document.h"

namespace veltrix {

QString iniRead(const QString& path, const QString& section, const QString& key) {
  const std::optional<IniDocument> document = IniDocument::load(path);
  return document ? document->value(section, key) : QString();
}

bool iniWrite(const QString& path, const QString& section, const QString& key,
              const QString& value) {
  std::optional<IniDocument> document = IniDocument::load(path);
  return document && document->set(section, key, value) &&
         document->save() == WriteOutcome::Written;
}

}  // namespace veltrix
