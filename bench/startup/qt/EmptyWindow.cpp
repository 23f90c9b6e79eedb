// The yardstick for the Linux editor's start-up: an empty window of the editor's client size and
// caption, and nothing else. It loads no picture, builds no control and fills no list, so the gap
// between the two is what the editor itself adds.
#include <QApplication>
#include <QString>
#include <QWidget>

#include "window/WindowLayout.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QString::fromUtf8(zarvex::kWindowCaption.data(),
                                          static_cast<qsizetype>(zarvex::kWindowCaption.size())));
  // Sized as the editor sizes itself, so both windows cost the X server the same.
  window.setFixedSize(zarvex::TwipsToPixels(zarvex::kClientWidthTwips, window.logicalDpiX()),
                      zarvex::TwipsToPixels(zarvex::kClientHeightTwips, window.logicalDpiY()));
  window.show();
  return QApplication::exec();
}
