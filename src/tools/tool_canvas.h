// The records every editing tool works on, and the one way their marks become the picture.
#pragma once

#include "tools/edit_tools.h"
#include "tools/tool_host.h"
#include "view/image_document.h"
#include "view/view_state.h"

namespace veltrix {

struct ToolCanvas {
  EditTools& edit;
  ViewState& view;
  ImageDocument& document;
  ToolHost& host;

  // The back canvas's marks become the picture, shown at zoom 1; the stroke is no longer
  // pending.
  void bake();
  // Takes the pen's outline away and shows the back canvas with the frame lines.
  void erasePreview();
};

}  // namespace veltrix
