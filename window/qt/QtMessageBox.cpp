#include "window/qt/QtMessageBox.h"

#include <QMessageBox>
#include <QString>

#include "window/WindowLayout.h"

namespace zarvex {

ShowMessage QtMessageBox(QWidget* owner) {
  return [owner](std::string_view message) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                    QString::fromUtf8(message), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    // Modal for the whole application, so the window takes no action, closing included.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
  };
}

}  // namespace zarvex
