// The Qt tests' main: one application object for every test of the binary.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Offscreen unless a platform is asked for (the screenshot test runs
  // itself again on an X server); listing the tests needs no display either.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
