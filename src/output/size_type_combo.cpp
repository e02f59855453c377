#include "output/size_type_combo.h"

namespace veltrix {

void SizeTypeCombo::showPopup() {
  emit aboutToChoose();
  QComboBox::showPopup();
}

// The keys and the wheel change the item without opening the list.
void SizeTypeCombo::keyPressEvent(QKeyEvent* event) {
  emit aboutToChoose();
  QComboBox::keyPressEvent(event);
}

void SizeTypeCombo::wheelEvent(QWheelEvent* event) {
  emit aboutToChoose();
  QComboBox::wheelEvent(event);
}

}  // namespace veltrix
