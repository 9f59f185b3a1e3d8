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

// Greek, Cyrillic, CJK and two characters outside the BMP (a surrogate pair each).
constexpr std::u16string_view kBeyondAnsi = u"\u03b1\u03a9 \u0436\u042f \u65e5\u672c \U0001F511\U00010348";

std::string fileStart(const std::u16string& path, std::size_t bytes) {
  return contractSystem().readFileStart(path, bytes).value_or("");
}

TEST_F(ProfileContract, EveryCharacterComesBackAsWrittenAndTheFileBecomesUnicode) {
  write(u"Settings", u"Transparency", u"128");
  EXPECT_NE(fileStart(path, 2), "\xFF\xFE") << "a file that needs no Unicode stays ANSI";
  write(u"Row 1 Lower Case", u"Key 1", kBeyondAnsi);
  write(u"Row 1 Lower Case", u"Key 2", u"\U0001F600");
  EXPECT_EQ(fileStart(path, 2), "\xFF\xFE");
  EXPECT_EQ(read(u"Row 1 Lower Case", u"Key 1"), kBeyondAnsi);
  EXPECT_EQ(read(u"Row 1 Lower Case", u"Key 2"), u"\U0001F600");
  EXPECT_EQ(read(u"Settings", u"Transparency"), u"128");
  // Later ANSI values go into the Unicode file as well.
  write(u"Settings", u"Keyboard Layout", u"Config");
  EXPECT_EQ(read(u"Settings", u"Keyboard Layout"), u"Config");
  EXPECT_EQ(read(u"Row 1 Lower Case", u"Key 1"), kBeyondAnsi);
}

TEST_F(ProfileContract, AnAnsiFileOfAnEarlierVersionReadsAsBeforeAndKeepsItsEntriesWhenConverted) {
  // Latin-1 letters are the same bytes in the Windows ANSI code page 1252.
  writeContractFile(path, "[Settings]\r\nTransparency=128\r\n[Action Keyboard Button Text]\r\nBackspace=R\xFC" "ck\r\n");
  EXPECT_EQ(read(u"Settings", u"Transparency"), u"128");
  EXPECT_EQ(read(u"Action Keyboard Button Text", u"Backspace"), u"R\u00fcck");
  write(u"Settings", u"View Toolbar", u"False");
  EXPECT_EQ(fileStart(path, 10), "[Settings]") << "an ANSI write keeps the ANSI file";
  write(u"Row 2 Lower Case", u"Key 1", u"\u03c2");
  EXPECT_EQ(fileStart(path, 2), "\xFF\xFE");
  EXPECT_EQ(read(u"Action Keyboard Button Text", u"Backspace"), u"R\u00fcck");
  EXPECT_EQ(read(u"Settings", u"Transparency"), u"128");
  EXPECT_EQ(read(u"Settings", u"View Toolbar"), u"False");
  EXPECT_EQ(read(u"Row 2 Lower Case", u"Key 1"), u"\u03c2");
}

TEST_F(ProfileContract, LongUnicodeValuesAreCutInUtf16Units) {
  std::u16string value;
  for (int i = 0; i < 200; ++i) value += u"\u03bb\U0001F600";
  write(u"Settings", u"Long", value);
  EXPECT_EQ(read(u"Settings", u"Long"), value.substr(0, 254));
}

TEST_F(ProfileContract, FilesInFoldersNamedBeyondTheAnsiCodePageAreWrittenAndRead) {
  const std::u16string folder = contractTempDir() + u"\\\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 \u65e5\u672c";
  makeContractFolder(folder);
  const std::u16string file = folder + u"\\\u03c0\u03bb.ini";
  contractSystem().writeProfileString(file, u"Settings", u"Transparency", u"64");
  EXPECT_TRUE(contractSystem().fileExists(file));
  EXPECT_EQ(contractSystem().readProfileString(file, u"Settings", u"Transparency", 255), u"64");
  contractSystem().writeProfileString(file, u"Row 1 Lower Case", u"Key 1", kBeyondAnsi);
  EXPECT_EQ(contractSystem().readProfileString(file, u"Row 1 Lower Case", u"Key 1", 255), kBeyondAnsi);
}

TEST_F(ProfileContract, EveryReadSeesWhatIsInTheFileNow) {
  writeContractFile(path, "[Settings]\r\nTransparency=111\r\n");
  EXPECT_EQ(read(u"Settings", u"Transparency"), u"111");
  // Another program changes the file: the same size, so only its bytes tell.
  writeContractFile(path, "[Settings]\r\nTransparency=222\r\n");
  EXPECT_EQ(read(u"Settings", u"Transparency"), u"222");
  const std::u16string other = path + u".other.ini";
  writeContractFile(other, "[Settings]\r\nTransparency=333\r\n");
  EXPECT_EQ(contractSystem().readProfileString(other, u"Settings", u"Transparency", 255), u"333");
  write(u"Settings", u"Beep", u"True");
  EXPECT_EQ(read(u"Settings", u"Transparency"), u"222");
  EXPECT_EQ(read(u"Settings", u"Beep"), u"True");
}

TEST_F(ProfileContract, AWriteThatCannotBeMadeSaysWhyAndAWriteThatWasMadeSaysNothing) {
  EXPECT_EQ(contractSystem().writeProfileString(path, u"Settings", u"Beep on Hover", u"True"), std::nullopt);
  const std::u16string nowhere = contractTempDir() + u"\\no such folder\\tsnconfig.ini";
  const auto why = contractSystem().writeProfileString(nowhere, u"Settings", u"Beep on Hover", u"True");
  ASSERT_TRUE(why.has_value());
  EXPECT_FALSE(why->empty()) << "the system's text for the failure";
  EXPECT_FALSE(contractSystem().fileExists(nowhere));
}

}  // namespace
}  // namespace tessarin::contract
