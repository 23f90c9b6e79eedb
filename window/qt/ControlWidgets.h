// Turns one row of the layout table into its Qt widget: place and size scaled by the window's
// logical DPI, font, colours and focus behaviour. Wires nothing to the editor; the window does
// that, so every widget made here runs no operation on its own.
#pragma once

#include "window/WindowLayout.h"

class QCheckBox;
class QComboBox;
class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QWidget;

namespace zarvex {

class ValueEdit;

// The row's rectangle in the parent's pixels, by the parent's logical DPI.
[[nodiscard]] QRect PixelRectOf(const ControlLayout& row, const QWidget& parent);

[[nodiscard]] QFont FontOf(const FontSpec& design);

// Gives an existing widget the row's name, place, font and the name a screen reader announces.
void PlaceControl(QWidget& widget, const ControlLayout& row);

[[nodiscard]] QLabel* MakePicture(const ControlLayout& row, QWidget& parent);
[[nodiscard]] QLabel* MakeLabel(const ControlLayout& row, QWidget& parent);
[[nodiscard]] QCheckBox* MakeOptionBox(const ControlLayout& row, QWidget& parent);
[[nodiscard]] ValueEdit* MakeValueBox(const ControlLayout& row, QWidget& parent);
[[nodiscard]] QComboBox* MakeList(const ControlLayout& row, QWidget& parent);
[[nodiscard]] QPushButton* MakeButton(const ControlLayout& row, QWidget& parent);

}  // namespace zarvex
