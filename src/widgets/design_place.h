// Every control carries its design name as its object name and stands at its design geometry.
#pragma once

#include <QRect>
#include <QString>

namespace veltrix {

template <typename Control>
Control* place(Control* control, const char* designName, QRect geometry) {
  control->setObjectName(QString::fromUtf8(designName));
  control->setGeometry(geometry);
  return control;
}

}  // namespace veltrix
