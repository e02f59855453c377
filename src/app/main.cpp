// Program entry: picks the platform services, guards against a second copy and runs the
// main window until it is closed.
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "app/main_window.h"
#include "app/program.h"
#include "platform/gst_capture_device.h"
#include "platform/gst_sound.h"
#include "platform/logging_prompter.h"
#include "platform/qt_hotkeys.h"
#include "platform/qt_prompter.h"
#include "platform/qt_screen.h"
#include "platform/qt_url_opener.h"
#include "platform/system_clock.h"
#include "platform/xkb_keyboard.h"

int main(int argc, char* argv[]) {
  // Wayland clients cannot place their own windows, and the tool palette follows the main
  // window: ask for X11 (XWayland there) unless the user chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
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

  veltrix::Program program(
      {*prompter, screen, clock, keyboard, sound, urlOpener, hotkeys, captureDevice},
      veltrix::ProgramEnvironment::fromProcess());
  if (!veltrix::singleInstanceGuard(program)) return 0;

  veltrix::MainWindow window(program);
  window.start();
  return application.exec();
}
