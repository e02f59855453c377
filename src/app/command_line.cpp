#include "app/command_line.h"

#include <QFileInfo>

#include "app/texts.h"
#include "platform/utf8.h"

namespace veltrix {

using namespace app_texts;

CommandLine parseCommandLine(const QStringList& arguments) {
  CommandLine line;
  bool options = true;
  QStringList files;
  for (const QString& argument : arguments) {
    if (options && argument == QLatin1String("--")) {
      options = false;
    } else if (options &&
               (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
      return {CommandLine::Action::Help, {}, {}};
    } else if (options && argument == QLatin1String("--version")) {
      return {CommandLine::Action::Version, {}, {}};
    } else if (options && argument.startsWith(u'-') && argument.size() > 1) {
      return {CommandLine::Action::Refuse, {}, u8(kUnknownOption) + argument};
    } else {
      files.append(argument);
    }
  }
  if (files.size() > 1) return {CommandLine::Action::Refuse, {}, u8(kOnePictureOnly)};
  // Absolute, so that the folder remembered for the next dialog does not hang on the shell's.
  if (!files.isEmpty()) line.picture = QFileInfo(files.front()).absoluteFilePath();
  return line;
}

QString commandLineHelp() {
  return u8(kCommandLineHelp);
}

QString versionText() {
  return QStringLiteral("Veltrix " VELTRIX_VERSION "\n");
}

}  // namespace veltrix
