#include "window/qt/ControlWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <string_view>

#include "window/qt/ValueEdit.h"

namespace zarvex {

namespace {

QColor ToQColor(Rgb rgb) {
  return {rgb.red, rgb.green, rgb.blue};
}

void SetColour(QWidget& widget, QPalette::ColorRole role, Rgb rgb) {
  QPalette palette = widget.palette();
  palette.setColor(role, ToQColor(rgb));
  widget.setPalette(palette);
}

// Left and Right choose the previous and next entry of a list, as Up and Down do and as in a
// Windows drop-down list; QComboBox would pass them on, and the focus would leave the list.
class SideArrowsChoose : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) {
      return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier ||
        (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right)) {
      return false;
    }
    QKeyEvent upOrDown(QEvent::KeyPress, key->key() == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down,
                       Qt::NoModifier);
    QCoreApplication::sendEvent(watched, &upOrDown);
    return true;
  }
};

}  // namespace

QRect PixelRectOf(const ControlLayout& row, const QWidget& parent) {
  const int dpiX = parent.logicalDpiX();
  const int dpiY = parent.logicalDpiY();
  return {TwipsToPixels(row.left, dpiX), TwipsToPixels(row.top, dpiY),
          TwipsToPixels(row.width, dpiX), TwipsToPixels(row.height, dpiY)};
}

QFont FontOf(const FontSpec& design) {
  QFont font(QString::fromUtf8(design.family));
  font.setPointSizeF(design.points);
  font.setBold(design.bold);
  return font;
}

void PlaceControl(QWidget& widget, const ControlLayout& row) {
  widget.setObjectName(QString::fromUtf8(NameOf(row.name)));
  widget.setGeometry(PixelRectOf(row, *widget.parentWidget()));
  widget.setFont(FontOf(row.font));
  if (!row.label.empty()) {
    widget.setAccessibleName(QString::fromUtf8(row.label));
  }
}

QLabel* MakePicture(const ControlLayout& row, QWidget& parent) {
  auto* picture = new QLabel(&parent);
  PlaceControl(*picture, row);
  picture->setPixmap(QPixmap(QStringLiteral(":/window/backdrop.bmp")));
  picture->setScaledContents(true);
  return picture;
}

QLabel* MakeLabel(const ControlLayout& row, QWidget& parent) {
  // Plain text, or "<<<Race type" could be taken for markup.
  auto* label = new QLabel(QString::fromUtf8(row.text), &parent);
  PlaceControl(*label, row);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setFocusPolicy(Qt::NoFocus);
  if (row.textColour) {
    SetColour(*label, QPalette::WindowText, *row.textColour);
  }
  return label;
}

QCheckBox* MakeOptionBox(const ControlLayout& row, QWidget& parent) {
  // No caption: the label beside the box names it, and a click on that label must not tick it.
  auto* box = new QCheckBox(&parent);
  PlaceControl(*box, row);
  if (row.backColour) {
    box->setAutoFillBackground(true);
    SetColour(*box, QPalette::Window, *row.backColour);
  }
  return box;
}

ValueEdit* MakeValueBox(const ControlLayout& row, QWidget& parent) {
  auto* box = new ValueEdit(&parent);
  PlaceControl(*box, row);
  return box;
}

QComboBox* MakeList(const ControlLayout& row, QWidget& parent) {
  auto* list = new QComboBox(&parent);
  PlaceControl(*list, row);
  list->setEditable(false);
  list->installEventFilter(new SideArrowsChoose(list));
  return list;
}

QPushButton* MakeButton(const ControlLayout& row, QWidget& parent) {
  auto* button = new QPushButton(QString::fromUtf8(row.text), &parent);
  PlaceControl(*button, row);
  // Enter in a value box must press nothing.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace zarvex
