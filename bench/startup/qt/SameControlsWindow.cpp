// The floor for the Linux editor's start-up: the editor's window built from the layout table with
// Qt's plain widgets and nothing else. Every control at its place and in its font, the value boxes
// and labels with their texts and the lists filled with as many entries; no picture, no colours,
// no icon, no logic. What the editor takes beyond this is what its own code adds.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <string_view>

#include "script/GameModeTable.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "window/WindowLayout.h"

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The editor's entries, none of them chosen, as it starts.
void FillList(QComboBox& list, zarvex::Control control) {
  switch (control) {
    case zarvex::Control::Combo1:
      for (const zarvex::GameMode& mode : zarvex::GameModeTable) {
        list.addItem(ToQString(mode.displayName));
      }
      break;
    case zarvex::Control::Combo2:
      for (const std::string_view track : zarvex::TrackList) {
        list.addItem(ToQString(track));
      }
      break;
    default:
      for (const std::string_view car : zarvex::ServerCarList) {
        list.addItem(ToQString(car));
      }
      break;
  }
  list.setCurrentIndex(-1);
}

QWidget* MakeWidget(const zarvex::ControlLayout& row, QWidget& window) {
  switch (row.kind) {
    case zarvex::ControlKind::Picture:
      // The editor's backdrop, its own cost, not the controls'.
      return nullptr;
    case zarvex::ControlKind::Label:
      return new QLabel(ToQString(row.text), &window);
    case zarvex::ControlKind::Button:
      return new QPushButton(ToQString(row.text), &window);
    case zarvex::ControlKind::OptionBox:
      return new QCheckBox(&window);
    case zarvex::ControlKind::ValueBox:
      return new QLineEdit(ToQString(row.text), &window);
    case zarvex::ControlKind::DropDownList: {
      auto* list = new QComboBox(&window);
      FillList(*list, row.name);
      return list;
    }
    case zarvex::ControlKind::ScriptArea:
      return new QPlainTextEdit(&window);
  }
  return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(ToQString(zarvex::kWindowCaption));
  const int dpiX = window.logicalDpiX();
  const int dpiY = window.logicalDpiY();
  window.setFixedSize(zarvex::TwipsToPixels(zarvex::kClientWidthTwips, dpiX),
                      zarvex::TwipsToPixels(zarvex::kClientHeightTwips, dpiY));
  for (const zarvex::ControlLayout& row : zarvex::kWindowLayout) {
    QWidget* widget = MakeWidget(row, window);
    if (widget == nullptr) {
      continue;
    }
    widget->setGeometry(zarvex::TwipsToPixels(row.left, dpiX), zarvex::TwipsToPixels(row.top, dpiY),
                        zarvex::TwipsToPixels(row.width, dpiX),
                        zarvex::TwipsToPixels(row.height, dpiY));
    // The design's three fonts: drawing the texts in them is part of what any such window costs.
    QFont font(ToQString(row.font.family));
    font.setPointSizeF(row.font.points);
    font.setBold(row.font.bold);
    widget->setFont(font);
  }
  window.show();
  return QApplication::exec();
}
