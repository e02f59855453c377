#include "app/framing_room.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "app/program.h"
#include "framing/head_guides.h"
#include "framing/texts.h"
#include "platform/utf8.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "view/view_canvas_widget.h"

namespace veltrix {

using namespace framing_texts;

FramingRoom::FramingRoom(Program& program, QMenuBar& menuBar, ViewCanvasWidget& viewCanvas)
    : program_(program), viewCanvas_(viewCanvas) {
  auto* menu = new QMenu(u8(kToolsMenu), &menuBar);
  const QList<QAction*> menus = menuBar.actions();
  menuBar.insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);
  guidesAction_ = menu->addAction(u8(kShowGuides));
  guidesAction_->setObjectName(QStringLiteral("显示头像参考线菜单"));
  guidesAction_->setCheckable(true);
  const SettingsStore store(program_.shell.settingsFile);
  guidesAction_->setChecked(store.read(u8(kGuidesSection), u8(kGuidesShownKey)) == u8(kFlagTrue));
  QObject::connect(guidesAction_, &QAction::toggled, menu, [this](bool shown) {
    SettingsStore(program_.shell.settingsFile)
        .write(u8(kGuidesSection), u8(kGuidesShownKey), shown ? u8(kFlagTrue) : QString());
    showGuides(shown);
  });
  showGuides(guidesAction_->isChecked());
}

FramingRoom::~FramingRoom() {
  viewCanvas_.setOverlay({});
}

void FramingRoom::showGuides(bool shown) {
  if (!shown) {
    viewCanvas_.setOverlay({});
    return;
  }
  viewCanvas_.setOverlay([this](QPainter& painter) {
    if (!program_.document.present) return;
    const OutputSpec& output = program_.output;
    const QRect interior(program_.frame.interiorLeft, program_.frame.interiorTop, output.pixelWidth,
                         output.pixelHeight);
    paintHeadGuides(painter, interior, headGuides(output.pixelWidth, output.pixelHeight),
                    guideColour(program_.frame.colour));
  });
}

}  // namespace veltrix
