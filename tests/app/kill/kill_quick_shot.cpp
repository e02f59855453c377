// Quick shots through the camera window on the test double camera, one numbered PNG a press:
// after a kill every shot in the folder decodes to the frame's pixels of the camera's picture.
// The camera codes each pixel's place in its colour, so a shot says where it was taken from.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QToolBar>
#include <cstdio>

#include "app/main_window.h"
#include "app/program.h"
#include "camera/camera_window.h"
#include "codec/image_codec.h"
#include "kill/kill_cases.h"
#include "kill/kill_support.h"
#include "program_fixture.h"

namespace veltrix::kill {
namespace {

constexpr QSize kCameraPicture(412, 309);

int setup(const QString& home) {
  prepareHome(home);
  return 0;
}

int run(const QString& home, quint32) {
  test::ProgramFixture fixture;
  fixture.captureDevice.size = kCameraPicture;
  ProgramEnvironment environment = fixture.environment();
  environment.programFolder = programFolderOf(home);
  Program program(fixture.services(), environment);
  MainWindow window(program);
  window.start();
  QuickShotSettings& quick = program.quickShot;
  quick.quickMode = true;
  quick.quickSaveFolder = home + QStringLiteral("/out");
  quick.quickSaveFormat = QStringLiteral(".PNG");
  quick.quickNamingRule = NamingRule::Sequence;
  window.findChild<QToolBar*>(QStringLiteral("工具条1"))->actions().at(10)->trigger();
  CameraWindow* camera = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<CameraWindow*>(top); found && found->isVisible()) camera = found;
  }
  if (!camera) return damaged(QStringLiteral("the camera window did not open"));
  auto* shutter = camera->findChild<QAbstractButton*>(QStringLiteral("拍照按钮"));
  markReady(home);
  for (;;) {
    fixture.captureDevice.pushFrame();
    shutter->click();
    if (!fixture.prompter.records.empty()) return damaged(fixture.prompter.records.front().text);
    QCoreApplication::processEvents();
  }
}

int check(const QString& home) {
  const QString folder = home + QStringLiteral("/out");
  const std::optional<int> copies = startsAndReads(home);
  if (!copies) return damaged(QStringLiteral("the program did not start soundly"));
  const int strays = *copies + takeStrays(folder, {QStringLiteral("\\d{4,}\\.png")});
  const QImage camera = test::FakeCaptureDevice::codedFrame(kCameraPicture);
  const QStringList shots = QDir(folder).entryList(QDir::Files);
  for (const QString& name : shots) {
    const std::optional<QImage> shot = decodePictureFile(folder + u'/' + name);
    if (!shot || shot->size() != QSize(160, 210))
      return damaged(QStringLiteral("%1 is not a whole shot").arg(name));
    const QPoint taken = test::FakeCaptureDevice::decodePixel(shot->pixel(0, 0));
    if (*shot != camera.copy(QRect(taken, shot->size())))
      return damaged(QStringLiteral("%1 holds other pixels than the camera's").arg(name));
    // Each kill is charged with its own shots only.
    QFile::remove(folder + u'/' + name);
  }
  std::printf("sound: %lld whole shots, %d strays\n", static_cast<long long>(shots.size()), strays);
  return 0;
}

}  // namespace

KillCase quickShotCase() {
  return {"quick-shot", 1.0, setup, run, check};
}

}  // namespace veltrix::kill
