#include "widgets/spin_buttons.h"

#include <QLineEdit>
#include <QToolButton>

namespace veltrix {
namespace {

constexpr int kWidth = 16;

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, QRect geometry) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setGeometry(geometry);
  return button;
}

}  // namespace

SpinButtons::SpinButtons(QLineEdit* buddy) : QWidget(buddy->parentWidget()), buddy_(buddy) {
  const QRect box = buddy->geometry();
  setGeometry(box.right() + 1, box.top(), kWidth, box.height());
  const int upHeight = box.height() / 2;
  auto* up = arrowButton(this, Qt::UpArrow, QRect(0, 0, kWidth, upHeight));
  auto* down =
      arrowButton(this, Qt::DownArrow, QRect(0, upHeight, kWidth, box.height() - upHeight));
  connect(up, &QToolButton::clicked, this, [this] { emit stepped(1); });
  connect(down, &QToolButton::clicked, this, [this] { emit stepped(-1); });
}

}  // namespace veltrix
