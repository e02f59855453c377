// A drop-down list that says when the user is about to choose an item: before its list opens,
// and before a key or the wheel changes the item without opening it.
#pragma once

#include <QComboBox>

namespace veltrix {

class ChoiceCombo : public QComboBox {
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
