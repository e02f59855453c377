// Program entry: picks the platform services, guards against a second copy and runs the
// main window until it is closed.
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <memory>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/texts.h"
#include "platform/face_detector.h"
#include "platform/gst_capture_device.h"
#include "platform/gst_sound.h"
#include "platform/logging_prompter.h"
#include "platform/qt_hotkeys.h"
#include "platform/qt_prompter.h"
#include "platform/qt_screen.h"
#include "platform/qt_url_opener.h"
#include "platform/system_clock.h"
#include "platform/xkb_keyboard.h"

namespace {

// --help and --version answer before Qt starts, so that they work without a display.
int answerCommandLine(const veltrix::CommandLine& command) {
  using Action = veltrix::CommandLine::Action;
  if (command.action == Action::Help)
    std::fputs(veltrix::commandLineHelp().toLocal8Bit().constData(), stdout);
  if (command.action == Action::Version)
    std::fputs(veltrix::versionText().toLocal8Bit().constData(), stdout);
  if (command.action != Action::Refuse) return 0;
  std::fprintf(stderr, "%s\n%s", command.refusal.toLocal8Bit().constData(),
               QString::fromUtf8(veltrix::app_texts::kSeeHelp).toLocal8Bit().constData());
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QFile::decodeName(argv[i]));
  const veltrix::CommandLine command = veltrix::parseCommandLine(arguments);
  if (command.action != veltrix::CommandLine::Action::Run) return answerCommandLine(command);

  // Wayland clients cannot place their own windows, and the tool palette follows the main
  // window: ask for X11 (XWayland there) unless the user chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  // Ties the windows to the menu entry, for the desktop's task list and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.veltrix.Veltrix"));
  // The interface is designed in 宋体 9 pt; where SimSun is not installed, a CJK sans face
  // keeps Latin and Chinese letters of one design.
  QFont::insertSubstitutions(QStringLiteral("宋体"),
                             {QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
  application.setFont(QFont(QStringLiteral("宋体"), 9));
  // The standard dialogs and buttons speak the program's language.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                   QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    application.installTranslator(&qtTexts);

  std::unique_ptr<veltrix::Prompter> prompter;
  if (const QString log = qEnvironmentVariable("VELTRIX_PROMPTER_LOG"); !log.isEmpty())
    prompter = std::make_unique<veltrix::LoggingPrompter>(log);
  else
    prompter = std::make_unique<veltrix::QtPrompter>();
  veltrix::QtScreen screen;
  veltrix::SystemClock clock;
  veltrix::XkbKeyboard keyboard;
  veltrix::GstSound sound;
  veltrix::QtUrlOpener urlOpener;
  veltrix::QtHotkeys hotkeys;
  veltrix::GstCaptureDevice captureDevice;
  const std::unique_ptr<veltrix::FaceDetector> faceDetector = veltrix::makeFaceDetector();

  veltrix::Program program(
      {*prompter, screen, clock, keyboard, sound, urlOpener, hotkeys, captureDevice, *faceDetector},
      veltrix::ProgramEnvironment::fromProcess());
  if (!veltrix::singleInstanceGuard(program)) return 0;

  veltrix::MainWindow window(program);
  window.start();
  if (!command.picture.isEmpty()) window.openPicture(command.picture);
  return application.exec();
}
