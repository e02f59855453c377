// A colour picker control: a swatch of the current colour that opens the colour dialog
// when clicked.
#pragma once

#include <QColor>
#include <QToolButton>

namespace veltrix {

class Prompter;

class ColourPicker : public QToolButton {
  Q_OBJECT
 public:
  ColourPicker(Prompter& prompter, QColor colour, QWidget* parent);

  QColor colour() const { return colour_; }
  void setColour(const QColor& colour);

 signals:
  void colourChanged(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void choose();

  Prompter& prompter_;
  QColor colour_;
};

}  // namespace veltrix
