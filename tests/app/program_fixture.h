// A Program of its own for each test: temporary program, config and runtime folders and the
// platform doubles.
#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "app/program.h"
#include "fake_capture_device.h"
#include "fake_clock.h"
#include "fake_face_detector.h"
#include "fake_hotkeys.h"
#include "fake_keyboard.h"
#include "fake_screen.h"
#include "fake_sound.h"
#include "fake_url_opener.h"
#include "scripted_prompter.h"

namespace veltrix::test {

struct ProgramFixture {
  QTemporaryDir root;
  ScriptedPrompter prompter;
  FakeScreen screen;
  FakeClock clock;
  FakeKeyboard keyboard;
  FakeSound sound;
  FakeUrlOpener urlOpener;
  FakeHotkeys hotkeys;
  FakeCaptureDevice captureDevice;
  FakeFaceDetector faceDetector;

  ProgramFixture() {
    QDir(root.path()).mkpath(QStringLiteral("program"));
    QDir(root.path()).mkpath(QStringLiteral("run"));
  }

  QString path(const QString& relative) const { return root.path() + '/' + relative; }

  ProgramEnvironment environment() const {
    return {path(QStringLiteral("program")), path(QStringLiteral("config")),
            path(QStringLiteral("run/qmrtag.txt"))};
  }

  PlatformServices services() {
    return {prompter,  screen,  clock,         keyboard,    sound,
            urlOpener, hotkeys, captureDevice, faceDetector};
  }

  std::unique_ptr<Program> makeProgram() {
    return std::make_unique<Program>(services(), environment());
  }
};

}  // namespace veltrix::test
