// The four directions of the frame's move buttons and arrow keys, one pixel a step.
#pragma once

namespace veltrix {

enum class MoveDirection { None, Up, Down, Left, Right };

}  // namespace veltrix
