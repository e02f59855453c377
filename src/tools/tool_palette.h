// The small tool window beside the main window: the three tool boxes, the pen width, the colour
// picker and the swatches. It only reports what the user does and shows the tools' record; the
// tools controller decides.
#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

#include "tools/edit_tools.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace veltrix {

class ColourPicker;
class Prompter;
class SwatchBox;

class ToolPalette : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kOuterWidth = 75;
  static constexpr int kOuterHeight = 318;

  ToolPalette(QWidget* mainWindow, Prompter& prompter);

  // Where the palette goes for a main window whose outer top-left is mainTopLeft.
  static QPoint positionBeside(QPoint mainTopLeft);

  // The boxes, the width bar and the picker show the record.
  void mirror(const EditTools& edit);
  QString penWidthText() const;

  // The hint of a control of the palette; none for the group boxes and the width bar, which
  // leave the hint as it is.
  static std::optional<QString> hintFor(const QWidget* control);

 signals:
  void toolClicked(ToolKind tool, bool checked);
  void fontRequested();
  void colourChosen(const QColor& colour);
  void penWidthEdited(const QString& text);
  // The mouse moved over the palette or one of its controls.
  void pointerOver(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QCheckBox* penBox_;
  QCheckBox* textBox_;
  QCheckBox* eyedropperBox_;
  QLabel* widthBar_;
  QLineEdit* widthBox_;
  ColourPicker* picker_;
  SwatchBox* swatches_;
  std::optional<QPoint> dragOffset_;
};

}  // namespace veltrix
