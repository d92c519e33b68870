#include <gtest/gtest.h>

#include "TestUtil.h"

int main(int argc, char** argv) {
  zemblo::test::PrepareTestEnvironment();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
