#include "window/qt/QtMessageBox.h"

#include <QMessageBox>
#include <QString>

#include "window/WindowLayout.h"

namespace zarvex {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ShowMessage QtMessageBox(QWidget* owner) {
  return [owner](std::string_view message) {
    QMessageBox box(QMessageBox::NoIcon, ToQString(kApplicationTitle), ToQString(message),
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    // Modal for the whole application, so the window takes no action, closing included.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
  };
}

}  // namespace zarvex
