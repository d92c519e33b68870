// main() of the widget tests: one QApplication for the whole program, offscreen unless the
// environment asks for another platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "TestUtil.h"

int main(int argc, char** argv) {
  zemblo::test::PrepareTestEnvironment();
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
