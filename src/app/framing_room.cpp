#include "app/framing_room.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "app/main_window.h"
#include "app/program.h"
#include "app/texts.h"
#include "framing/head_framing.h"
#include "framing/head_guides.h"
#include "framing/texts.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "view/frame_lines.h"
#include "view/view_canvas_widget.h"
#include "view/view_render.h"

namespace veltrix {

using namespace framing_texts;

FramingRoom::FramingRoom(Program& program, MainWindow& window, SizeHost& frameHost,
                         QMenuBar& menuBar, ViewCanvasWidget& viewCanvas)
    : program_(program), window_(window), frameHost_(frameHost), viewCanvas_(viewCanvas) {
  auto* menu = new QMenu(u8(kToolsMenu), &menuBar);
  const QList<QAction*> menus = menuBar.actions();
  menuBar.insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);
  QAction* guides = menu->addAction(u8(kShowGuides));
  guides->setObjectName(QStringLiteral("显示头像参考线菜单"));
  guides->setCheckable(true);
  guides->setChecked(program_.shell.headGuidesShown);
  QObject::connect(guides, &QAction::toggled, menu, [this](bool shown) {
    program_.shell.headGuidesShown = shown;
    SettingsStore(program_.shell.settingsFile)
        .write(u8(kGuidesSection), u8(kGuidesShownKey), shown ? u8(kFlagTrue) : QString());
    showGuides(shown);
  });
  showGuides(program_.shell.headGuidesShown);

  QAction* frame = menu->addAction(u8(kFrameHead));
  frame->setObjectName(QStringLiteral("自动框选头像菜单"));
  // A, S, D and F move through a batch; J is free, beside them under the right hand.
  frame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
  frame->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(frame, &QAction::triggered, menu, [this] { frameHead(); });
}

void FramingRoom::frameHead(Tell tell) {
  Prompter& prompter = program_.services.prompter;
  if (!program_.document.present) {
    prompter.notify(&window_, u8(app_texts::kOpenPictureFirst), PromptIcon::Information);
    return;
  }
  const OutputSpec& output = program_.output;
  const auto framed = veltrix::frameHead(program_.services.faceDetector, program_.document.picture,
                                         QSize(output.pixelWidth, output.pixelHeight),
                                         program_.view.backCanvas.size());
  if (const auto* failure = std::get_if<FramingFailure>(&framed)) {
    const char* text = *failure == FramingFailure::Unavailable ? kUnavailable
                       : *failure == FramingFailure::NoFace    ? kNoFace
                                                               : kNoPlace;
    if (tell == Tell::InStatusBar)
      window_.setHint(u8(text));
    else
      prompter.notify(&window_, u8(text), PromptIcon::Information);
    return;
  }
  const HeadPlacement& placed = std::get<HeadPlacement>(framed);
  // Text typed over the picture belongs where it was typed.
  frameHost_.flushTextInput();
  ViewState& view = program_.view;
  view.zoom = placed.zoom;
  view.scrollFractionX = placed.scrollFractionX;
  view.scrollFractionY = placed.scrollFractionY;
  program_.frame.interiorLeft = placed.interior.x();
  program_.frame.interiorTop = placed.interior.y();
  redrawView(view, program_.document, frameLines(program_.frame, output));
  window_.showView();
  frameHost_.showFrame();
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
