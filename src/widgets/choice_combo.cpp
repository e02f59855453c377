#include "widgets/choice_combo.h"

namespace veltrix {

void ChoiceCombo::showPopup() {
  emit aboutToChoose();
  QComboBox::showPopup();
}

// The keys and the wheel change the item without opening the list.
void ChoiceCombo::keyPressEvent(QKeyEvent* event) {
  emit aboutToChoose();
  QComboBox::keyPressEvent(event);
}

void ChoiceCombo::wheelEvent(QWheelEvent* event) {
  emit aboutToChoose();
  QComboBox::wheelEvent(event);
}

}  // namespace veltrix
