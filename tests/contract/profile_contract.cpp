#include "profile_contract.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace tessarin::contract {
namespace {

class ProfileContract : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    const std::string name = "contract-" + std::to_string(counter++) + "-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    path = contractTempDir() + u"\\" + std::u16string(name.begin(), name.end());
  }
  std::u16string read(std::u16string_view section, std::u16string_view key, int buffer = 255) {
    return contractSystem().readProfileString(path, section, key, buffer);
  }
  void write(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    contractSystem().writeProfileString(path, section, key, value);
  }
  std::u16string path;
};

TEST_F(ProfileContract, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
  EXPECT_FALSE(contractSystem().fileExists(path));
  EXPECT_EQ(read(u"Settings", u"Transparency"), u"");
  write(u"Settings", u"Transparency", u"128");
  EXPECT_TRUE(contractSystem().fileExists(path));
  EXPECT_EQ(read(u"Settings", u"Transparency"), u"128");
}

TEST_F(ProfileContract, NamesMatchWithoutRegardToCase) {
  write(u"Settings", u"View Toolbar", u"False");
  EXPECT_EQ(read(u"SETTINGS", u"view toolbar"), u"False");
  write(u"settings", u"VIEW TOOLBAR", u"True");
  EXPECT_EQ(read(u"Settings", u"View Toolbar"), u"True");
}

TEST_F(ProfileContract, WritingKeepsOtherSectionsAndKeys) {
  write(u"Settings", u"A", u"1");
  write(u"Settings", u"B", u"2");
  write(u"Action Keyboard Button Text", u"Tab", u" tab ");
  write(u"Settings", u"A", u"3");
  EXPECT_EQ(read(u"Settings", u"A"), u"3");
  EXPECT_EQ(read(u"Settings", u"B"), u"2");
  EXPECT_EQ(read(u"Action Keyboard Button Text", u"Tab"), u"tab");
  EXPECT_EQ(read(u"Settings", u"Tab"), u"");
}

TEST_F(ProfileContract, LongValuesComeBackCutToTheBuffer) {
  const std::u16string value(300, u'x');
  write(u"Settings", u"Long", value);
  EXPECT_EQ(read(u"Settings", u"Long"), value.substr(0, 254));
  EXPECT_EQ(read(u"Settings", u"Long", 10), value.substr(0, 9));
}

TEST_F(ProfileContract, MissingSectionOrKeyReadsEmpty) {
  write(u"Settings", u"Present", u"yes");
  EXPECT_EQ(read(u"Other", u"Present"), u"");
  EXPECT_EQ(read(u"Settings", u"Absent"), u"");
}

TEST_F(ProfileContract, PunctuationAndEqualsSignsSurviveTheRoundTrip) {
  write(u"Row 1 Upper Case", u"Key 13", u"+");
  write(u"Row 1 Lower Case", u"Key 13", u"=");
  write(u"Row 1 Lower Case", u"Key 8", u"a=b;c");
  EXPECT_EQ(read(u"Row 1 Upper Case", u"Key 13"), u"+");
  EXPECT_EQ(read(u"Row 1 Lower Case", u"Key 13"), u"=");
  EXPECT_EQ(read(u"Row 1 Lower Case", u"Key 8"), u"a=b;c");
}

}  // namespace
}  // namespace tessarin::contract
