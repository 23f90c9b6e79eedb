// Runs the widget tests inside one application object, as a window needs.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  // Run by hand as well as by CTest, the tests open nothing on the screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
