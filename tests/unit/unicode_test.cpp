// Characters beyond the ANSI code page: imported layouts that survive the copy into the
// settings file and a restart, values cut without splitting a surrogate pair, and keys that
// edit a character outside the BMP as a whole.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/common/utf16.h"
#include "platform/common/utf8.h"
#include "settings/settings_file.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

constexpr std::u16string_view kKey = u"\U0001F511";  // a surrogate pair

// A UTF-8 layout with Greek letters on the first keys of row 2 and the key character above.
const std::string kGreekUtf8 =
    "\xEF\xBB\xBF[Row 2 Lower Case]\r\nKey 1=\xCF\x82\r\nKey 2=\xCE\xB5\r\nKey 3=\xF0\x9F\x94\x91\r\n"
    "[Row 2 Upper Case]\r\nKey 2=\xCE\x95\r\n[Action Keyboard Button Text]\r\nShift=\xCE\xA3\xCE\xB5\r\n";

class UnicodeLayouts : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(program.directory / "greek.lng", std::ios::binary) << kGreekUtf8;
    program.start();
  }
  void import() {
    program.system->dialogAnswers = {U16(program.directory / "greek.lng")};
    program.frm().mnuKeyboardLayoutImport->onClick();
  }
  void expectGreekKeys() {
    auto& f = program.frm();
    EXPECT_EQ(f.Command(17).caption(), u"\u03c2");
    EXPECT_EQ(f.Command(18).caption(), u"\u03b5");
    EXPECT_EQ(f.Command(19).caption(), kKey);
    EXPECT_EQ(f.Command(kShiftRight).caption(), u"\u03a3\u03b5");
  }
  SimProgram program;
};

TEST_F(UnicodeLayouts, AnImportSurvivesTheSettingsFileARestartAndTheWayBackFromEnglish) {
  import();
  expectGreekKeys();
  const std::string settings = program.settingsFileContent();
  ASSERT_TRUE(settings.starts_with(common::kUtf16LeMark)) << "the settings file keeps Unicode";
  const std::string text = common::Utf16ToUtf8(common::FromUtf16LeBytes(settings.substr(2)));
  EXPECT_NE(text.find("Keyboard Layout=Config"), std::string::npos);

  program.stop();
  program.start();
  expectGreekKeys();
  EXPECT_TRUE(program.frm().mnuKeyboardLayoutLastSaved->checked());
  program.keyboard().TextIsMasked(false);
  program.clickKey(u"\u03b5");
  program.clickKey(kKey);
  EXPECT_EQ(program.txtText().text(), u"\u03b5\U0001F511");
  EXPECT_EQ(program.keyboard().CurrentPassword(), u"\u03b5\U0001F511");

  program.frm().mnuKeyboardLayoutEnglish->onClick();
  EXPECT_EQ(program.frm().Command(18).caption(), u"w");
  program.frm().mnuKeyboardLayoutLastSaved->onClick();
  expectGreekKeys();
}

TEST_F(UnicodeLayouts, SavingWritesAFileThatLoadsBackWithEveryCharacter) {
  import();
  const auto saved = program.directory / "saved.lng";
  program.keyboard().SaveLayoutFile(U16(saved));
  EXPECT_TRUE(ReadBytes(saved).starts_with(common::kUtf16LeMark));
  program.frm().mnuKeyboardLayoutEnglish->onClick();
  program.keyboard().LoadLayoutFile(U16(saved));
  program.keyboard().SetKeyCaptions();
  expectGreekKeys();
}

// 253 units of "a" and then pairs: a cut at 254 units would keep only the first half of one.
std::u16string LongValueWithPairs() {
  std::u16string value(253, u'a');
  for (int i = 0; i < 10; ++i) value += kKey;
  return value;
}

TEST(UnicodeCuts, SettingsAndUtf8LayoutValuesNeverEndInHalfAPair) {
  SimProgram program;
  program.start();
  const std::u16string value = LongValueWithPairs();
  std::u16string path = program.keyboard().SettingsFilePath();
  WriteSetting(*program.system, path, u"Row 1 Lower Case", u"Key 1", value);
  const std::u16string read = ReadSetting(*program.system, path, u"Row 1 Lower Case", u"Key 1");
  EXPECT_EQ(read, value.substr(0, 253));

  std::ofstream(program.directory / "long.lng", std::ios::binary)
      << "\xEF\xBB\xBF[Row 1 Lower Case]\nKey 1=" << common::Utf16ToUtf8(value) << "\n";
  program.keyboard().LoadLayoutFile(U16(program.directory / "long.lng"));
  EXPECT_EQ(program.keyboard().KeyLayout()[0][0], value.substr(0, 253));
  // A cut that falls after a whole pair keeps it.
  EXPECT_EQ(common::CutKeepingPairs(value, 255), value.substr(0, 255));
}

class PairEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start();
    kb().KeyLayout()[13][0] = std::u16string(kKey);
    kb().SetKeyCaptions();
  }
  Keyboard& kb() { return program.keyboard(); }
  SimProgram program;
};

TEST_F(PairEditing, BackspaceTakesBothHalvesOfAPair) {
  for (bool masked : {true, false}) {
    kb().TextIsMasked(masked);
    kb().ClearText();
    program.clickKey(u"a");
    program.clickKey(kKey);
    auto& box = masked ? program.txtPassword() : program.txtText();
    EXPECT_EQ(box.text().size(), 3u);
    program.clickButton(kBackspace);
    EXPECT_EQ(kb().CurrentPassword(), u"a") << masked;
    EXPECT_EQ(box.text().size(), 1u) << masked;
    EXPECT_EQ(box.selStart(), 1) << masked;
  }
}

TEST_F(PairEditing, ACaretOrSelectionInsideAPairTakesTheWholeCharacter) {
  program.clickKey(u"a");
  program.clickKey(kKey);
  program.clickKey(u"b");
  auto& box = program.txtPassword();
  box.setSelStart(2);  // between the halves
  box.setSelLength(0);
  program.clickKey(u"c");
  EXPECT_EQ(kb().CurrentPassword(), u"ac\U0001F511b");
  box.setSelStart(3);
  box.setSelLength(1);  // the first half only
  program.clickButton(kBackspace);
  EXPECT_EQ(kb().CurrentPassword(), u"acb");
  EXPECT_EQ(box.text(), u"***");
}

TEST_F(PairEditing, PhysicalBackspaceInThePlainBoxTakesThePair) {
  kb().TextIsMasked(false);
  program.clickKey(kKey);
  program.txtText().setSelStart(2);
  kb().KeyPress(8, false);
  EXPECT_EQ(program.txtText().text(), u"");
}

TEST(Utf16Text, ConvertsBothWaysAndMarksBrokenPairs) {
  const std::u16string text = u"a\u03b1\u65e5\U0001F511";
  EXPECT_EQ(common::Utf8ToUtf16(common::Utf16ToUtf8(text)), text);
  EXPECT_EQ(common::Utf16ToUtf8(u"\xD83D" "x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(common::FromUtf16LeBytes(common::ToUtf16LeBytes(text)), text);
  EXPECT_EQ(common::ToUtf16LeBytes(u"\u03b1"), std::string("\xB1\x03", 2));
}

}  // namespace
}  // namespace tessarin::test
