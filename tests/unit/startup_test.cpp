#include <gtest/gtest.h>

#include "sim_program.h"

namespace tessarin::test {
namespace {

TEST(Startup, WithoutSettingsFileUsesDefaultsAndCreatesNoFile) {
  SimProgram program;
  program.start();
  auto& kb = program.keyboard();
  EXPECT_TRUE(kb.SaveSettingsInINI());
  EXPECT_EQ(kb.KeyboardTransparency(), 252);
  EXPECT_FALSE(program.settingsFileExists());
}

}  // namespace
}  // namespace tessarin::test
