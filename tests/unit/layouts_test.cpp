// Layout files, the file dialogs, and switching between the four layout choices.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "layouts/open_save.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

class Layouts : public ::testing::Test {
 protected:
  void SetUp() override { program.start(); }
  std::filesystem::path file(const char* name) { return program.directory / name; }
  void writeFile(const char* name, const std::string& content) { std::ofstream(file(name), std::ios::binary) << content; }
  Keyboard& kb() { return program.keyboard(); }
  FrmKeyboard& f() { return program.frm(); }
  SimProgram program;
};

TEST_F(Layouts, EnglishLayoutSurvivesTheRoundTrip) {
  kb().SaveLayoutFile(U16(file("english.lng")));
  const std::string text = ReadBytes(file("english.lng"));
  EXPECT_EQ(text.rfind("[Row 1 Lower Case]\r\nKey 1=`\r\nKey 2=1\r\n", 0), 0u) << text.substr(0, 60);
  EXPECT_NE(text.find("Key 13==\r\n"), std::string::npos);
  EXPECT_NE(text.find("[Row 1 Upper Case]\r\nKey 1=~"), std::string::npos);
  const KeyLayoutTable saved = kb().KeyLayout();
  for (auto& key : kb().KeyLayout()) key = {};
  kb().LoadLayoutFile(U16(file("english.lng")));
  for (int i = 0; i < kCharacterKeyCount; ++i) {
    EXPECT_EQ(kb().KeyLayout()[i][0], saved[i][0]) << i;
    EXPECT_EQ(kb().KeyLayout()[i][1], saved[i][1]) << i;
  }
  EXPECT_EQ(kb().KeyLayout()[12][0], u"=");
  EXPECT_EQ(kb().KeyLayout()[12][1], u"+");
  EXPECT_EQ(kb().ActionKeyText()[2], u"cap");
}

TEST_F(Layouts, EachRowAndCaseLandsInItsOwnKeys) {
  std::string content;
  const char* sections[] = {"Lower", "Upper"};
  const int counts[] = {13, 13, 11, 10};
  for (int c = 0; c < 2; ++c)
    for (int row = 1; row <= 4; ++row) {
      content += "[Row " + std::to_string(row) + " " + sections[c] + " Case]\n";
      for (int n = 1; n <= counts[row - 1]; ++n)
        content += "Key " + std::to_string(n) + "=" + std::to_string(row) + sections[c][0] + std::to_string(n) + "\n";
    }
  writeFile("rows.lng", content);
  kb().LoadLayoutFile(U16(file("rows.lng")));
  const int first[] = {0, 13, 26, 37};
  for (int row = 1; row <= 4; ++row)
    for (int n = 1; n <= counts[row - 1]; ++n) {
      const std::string expectedLower = std::to_string(row) + "L" + std::to_string(n);
      const std::string expectedUpper = std::to_string(row) + "U" + std::to_string(n);
      const auto& key = kb().KeyLayout()[first[row - 1] + n - 1];
      EXPECT_EQ(key[0], std::u16string(expectedLower.begin(), expectedLower.end()));
      EXPECT_EQ(key[1], std::u16string(expectedUpper.begin(), expectedUpper.end()));
    }
}

TEST_F(Layouts, PartialFileChangesOnlyWhatItHasAndEmptiesTheCaptions) {
  writeFile("partial.lng", "[Row 2 Lower Case]\nKey 1=z\nKey 2=\n");
  const KeyLayoutTable before = kb().KeyLayout();
  kb().LoadLayoutFile(U16(file("partial.lng")));
  for (int i = 0; i < kCharacterKeyCount; ++i) {
    EXPECT_EQ(kb().KeyLayout()[i][0], i == 13 ? u"z" : before[i][0]) << i;
    EXPECT_EQ(kb().KeyLayout()[i][1], before[i][1]) << i;
  }
  for (const auto& text : kb().ActionKeyText()) EXPECT_EQ(text, u"");
  kb().SetKeyCaptions();
  EXPECT_EQ(f().Command(kBackspace).caption(), u"bksp");
  EXPECT_EQ(f().Command(kShiftRight).caption(), u"shft");
}

TEST_F(Layouts, DamagedOrMissingFilesLoadWithoutHarm) {
  std::string random(3 << 20, '\0');
  for (std::size_t i = 0; i < random.size(); ++i) random[i] = static_cast<char>((i * 7919 + i / 13) & 0xFF);
  writeFile("random.lng", random);
  writeFile("utf16.lng", std::string("\xFF\xFE[\0R\0", 6));
  writeFile("long.lng", "[Row 1 Lower Case]\nKey 1=" + std::string(600, 'q') + "\nKey 1=second\n");
  for (const char* name : {"random.lng", "utf16.lng", "long.lng", "missing.lng"}) {
    kb().LoadLayoutFile(U16(file(name)));
    kb().SetKeyCaptions();
  }
  EXPECT_EQ(kb().KeyLayout()[0][0], std::u16string(254, u'q')) << "the first entry wins, cut to 254";
  EXPECT_EQ(kb().KeyLayout()[1][0], u"1");
}

TEST_F(Layouts, Utf8FilesKeepCharactersOutsideTheAnsiCodePage) {
  writeFile("greek.lng", "\xEF\xBB\xBF[Row 2 Lower Case]\nKey 1=\xCE\xB1\nKey 2=\xF0\x9F\x94\x91\n"
                         "[Action Keyboard Button Text]\nShift=\xCE\xA3\n");
  kb().LoadLayoutFile(U16(file("greek.lng")));
  EXPECT_EQ(kb().KeyLayout()[13][0], u"\u03b1");
  EXPECT_EQ(kb().KeyLayout()[14][0], u"\U0001F511");
  EXPECT_EQ(kb().ActionKeyText()[4], u"\u03a3");
}

TEST_F(Layouts, SaveAsWritesTheChosenFileAndCancelWritesNothing) {
  program.system->dialogAnswers = {U16(file("mine.lng")), std::nullopt};
  program.frm().mnuKeyboardCreateNewLayoutFile->onClick();
  ASSERT_EQ(program.system->shownDialogs.size(), 1u);
  const auto& record = program.system->shownDialogs[0];
  EXPECT_TRUE(record.save);
  EXPECT_EQ(record.title, u"Save As");
  EXPECT_EQ(record.filter, std::u16string(u"Tessarin language file (*.lng)\0*.lng\0\0", 38));
  EXPECT_EQ(record.fileName, program.system->programDirectory() + u"\\*.lng");
  EXPECT_TRUE(std::filesystem::exists(file("mine.lng")));
  std::filesystem::remove(file("mine.lng"));
  program.frm().mnuKeyboardCreateNewLayoutFile->onClick();
  EXPECT_FALSE(std::filesystem::exists(file("mine.lng")));
}

TEST_F(Layouts, ImportChangesCaptionsUnchecksTheItemsAndCopiesTheLayoutIntoTheSettings) {
  writeFile("import.lng", "[Row 3 Lower Case]\nKey 1=q\n[Row 3 Upper Case]\nKey 1=Q\n"
                          "[Action Keyboard Button Text]\nEnter=Return\n");
  program.system->dialogAnswers = {U16(file("import.lng"))};
  program.frm().mnuKeyboardLayoutImport->onClick();
  EXPECT_EQ(program.system->shownDialogs[0].title, u"Open");
  EXPECT_FALSE(program.system->shownDialogs[0].save);
  EXPECT_EQ(f().Command(31).caption(), u"q");
  EXPECT_EQ(f().Command(kEnter).caption(), u"Return");
  EXPECT_FALSE(f().mnuKeyboardLayoutEnglish->checked());
  EXPECT_FALSE(f().mnuKeyboardLayoutDefault->checked());
  EXPECT_FALSE(f().mnuKeyboardLayoutLastSaved->checked());
  const std::string settings = program.settingsFileContent();
  EXPECT_NE(settings.find("Keyboard Layout=Config"), std::string::npos);
  EXPECT_NE(settings.find("[Row 3 Lower Case]\r\nKey 1=q"), std::string::npos);

  // English brings the built-in keys back; the last import comes back from the settings file.
  program.frm().mnuKeyboardLayoutEnglish->onClick();
  EXPECT_EQ(f().Command(31).caption(), u"a");
  program.frm().mnuKeyboardLayoutLastSaved->onClick();
  EXPECT_EQ(f().Command(31).caption(), u"q");
  EXPECT_TRUE(f().mnuKeyboardLayoutLastSaved->checked());
}

TEST_F(Layouts, CancelledImportChangesNothingButRewritesTheCaptions) {
  program.system->dialogAnswers = {std::nullopt};
  f().Command(31).setCaption(u"marker");
  program.frm().mnuKeyboardLayoutImport->onClick();
  EXPECT_EQ(f().Command(31).caption(), u"a");
  EXPECT_TRUE(f().mnuKeyboardLayoutEnglish->checked());
  EXPECT_FALSE(program.settingsFileExists());
}

TEST(LayoutStartup, StoredConfigLayoutIsLoadedAndItsItemChecked) {
  SimProgram program;
  program.writeSettingsFile("[Settings]\nKeyboard Layout=Config\n[Row 1 Lower Case]\nKey 2=!\n"
                            "[Action Keyboard Button Text]\nTab=TAB\n");
  program.start();
  EXPECT_EQ(program.frm().Command(2).caption(), u"!");
  EXPECT_EQ(program.frm().Command(kTab).caption(), u"TAB");
  EXPECT_TRUE(program.frm().mnuKeyboardLayoutLastSaved->checked());
  EXPECT_FALSE(program.frm().mnuKeyboardLayoutEnglish->checked());
}

TEST(LayoutStartup, LastImportedWhenNothingWasImportedShowsTheFallbackCaptions) {
  SimProgram program;
  program.start();
  program.keyboard().SwitchKeyboardLang(kLayoutLastImported, false);
  EXPECT_EQ(program.frm().Command(31).caption(), u"a");
  EXPECT_EQ(program.frm().Command(kCapsLock).caption(), u"cap");
}

TEST(LayoutStartup, SelectorsWriteTheirChoiceUnlessStopped) {
  for (bool stop : {true, false}) {
    SimProgram program;
    program.start();
    program.keyboard().SwitchKeyboardLang(kLayoutEnglish, stop);
    program.keyboard().SwitchKeyboardLang(kLayoutDefault, stop);
    program.keyboard().SwitchKeyboardLang(77, stop);
    EXPECT_EQ(program.settingsFileExists(), !stop);
    if (!stop) {
      EXPECT_NE(program.settingsFileContent().find("Keyboard Layout=Default"), std::string::npos);
    }
    EXPECT_TRUE(program.frm().mnuKeyboardLayoutDefault->checked());
  }
}

TEST(OpenSave, FilterIsStoredWithNulsAndReadsBackUnchanged) {
  SimProgram program;
  cOpenSave dialog(*program.system);
  EXPECT_EQ(dialog.Filter(), u"All Files (*.*)|*.*");
  dialog.Filter(u"A|B");
  EXPECT_EQ(dialog.Filter(), u"A|B");
  dialog.Filter(u"A|B|");
  EXPECT_EQ(dialog.Filter(), u"A|B");
  dialog.Filter(u"A|B||");
  EXPECT_EQ(dialog.Filter(), u"A|B");
  EXPECT_EQ(dialog.InitDir, u"C:\\");
  EXPECT_EQ(dialog.MaxFileSize, 260);
}

TEST(OpenSave, CancelReportsOnlyWithCancelErrorAndKeepsTheName) {
  SimProgram program;
  cOpenSave dialog(*program.system);
  dialog.FileName = u"keep.lng";
  program.system->dialogAnswers = {std::nullopt, std::nullopt, u"C:\\x\\chosen.lng"};
  EXPECT_FALSE(dialog.ShowOpen());
  dialog.CancelError = true;
  EXPECT_TRUE(dialog.ShowSave());
  EXPECT_EQ(dialog.FileName, u"keep.lng");
  EXPECT_FALSE(dialog.ShowOpen());
  EXPECT_EQ(dialog.FileName, u"C:\\x\\chosen.lng");
  EXPECT_EQ(dialog.FileTitle, u"chosen.lng");
}

TEST(OpenSave, FoldersAndFilesExist) {
  SimProgram program;
  cOpenSave dialog(*program.system);
  std::ofstream(program.directory / "a.txt") << "x";
  EXPECT_TRUE(dialog.DirExists(U16(program.directory)));
  EXPECT_FALSE(dialog.DirExists(U16(program.directory / "a.txt")));
  EXPECT_TRUE(dialog.FileExists(U16(program.directory)));
  EXPECT_TRUE(dialog.FileExists(U16(program.directory / "a.txt")));
  EXPECT_FALSE(dialog.FileExists(U16(program.directory / "none")));
  program.system->dialogAnswers = {u"C:\\folder", std::nullopt};
  EXPECT_TRUE(dialog.ChooseDirectory());
  EXPECT_EQ(dialog.Directory, u"C:\\folder");
  EXPECT_FALSE(dialog.ChooseDirectory());
}

}  // namespace
}  // namespace tessarin::test
