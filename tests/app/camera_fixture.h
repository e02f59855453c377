// The main window with its camera window opened from the toolbar, as the user opens it, and the
// camera window's controls found by their design names.
#pragma once

#include <QPushButton>
#include <QToolBar>

#include "camera/camera_window.h"
#include "window_fixture.h"

namespace veltrix::test {

class CameraWindowTest : public WindowTest {
 public:
  CameraWindow* openCamera() {
    control<QToolBar>("工具条1")->actions().at(10)->trigger();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* camera = qobject_cast<CameraWindow*>(top); camera && camera->isVisible())
        return camera;
    }
    ADD_FAILURE() << "no camera window";
    return nullptr;
  }

  // The camera window in quick-shoot mode, saving into out/ under a rule, with a frame to take.
  CameraWindow* openForQuickShots(NamingRule rule) {
    program->quickShot.quickMode = true;
    program->quickShot.quickSaveFolder = fixture.path(u("out"));
    program->quickShot.quickNamingRule = rule;
    CameraWindow* camera = openCamera();
    fixture.captureDevice.pushFrame();
    return camera;
  }

  template <typename T = QWidget>
  static T* in(QWidget* camera, const char* name) {
    T* found = camera->findChild<T*>(u(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  static QString caption(QWidget* camera) { return in<QPushButton>(camera, "拍照按钮")->text(); }
  static void takePhoto(QWidget* camera) { in<QPushButton>(camera, "拍照按钮")->click(); }
};

}  // namespace veltrix::test
