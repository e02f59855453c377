// The size-type list. It says when the user is about to choose an item, so that a refused
// preset can put back the item shown before.
#pragma once

#include <QComboBox>

namespace veltrix {

class SizeTypeCombo : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;

  void showPopup() override;

 signals:
  void aboutToChoose();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace veltrix
