// The layout files shipped beside the program are exactly what the program's own writer makes
// of these tables, and loading each shows the expected keys. Run with TESSARIN_WRITE_LAYOUTS=1
// to write them anew after changing a table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim_program.h"

namespace tessarin::test {
namespace {

struct ShippedLayout {
  const char* file;
  std::u16string_view lower;  // the 47 keys, row by row
  std::u16string_view upper;
  std::array<const char16_t*, kActionKeyCount> actionKeys;
};

const ShippedLayout kShipped[] = {
    {"german.lng", u"^1234567890\u00df\u00b4qwertzuiop\u00fc+#asdfghjkl\u00f6\u00e4yxcvbnm,.-",
     u"\u00b0!\"\u00a7$%&/()=?`QWERTZUIOP\u00dc*'ASDFGHJKL\u00d6\u00c4YXCVBNM;:_",
     {u"R\u00fcck", u"Tab", u"Fest", u"Enter", u"Umsch"}},
    {"french.lng", u"\u00b2&\u00e9\"'(-\u00e8_\u00e7\u00e0)=azertyuiop^$*qsdfghjklm\u00f9wxcvbn,;:!",
     u"\u00b31234567890\u00b0+AZERTYUIOP\u00a8\u00a3\u00b5QSDFGHJKLM%WXCVBN?./\u00a7",
     {u"Retour", u"Tab", u"Verr", u"Entr\u00e9e", u"Maj"}},
    // Beyond the ANSI code page: the writer keeps it in a Unicode file.
    {"greek.lng",
     u"`1234567890-=;\u03c2\u03b5\u03c1\u03c4\u03c5\u03b8\u03b9\u03bf\u03c0[]\\\u03b1\u03c3\u03b4\u03c6\u03b3"
     u"\u03b7\u03be\u03ba\u03bb\u0384'\u03b6\u03c7\u03c8\u03c9\u03b2\u03bd\u03bc,./",
     u"~!@#$%^&*()_+:\u0385\u0395\u03a1\u03a4\u03a5\u0398\u0399\u039f\u03a0{}|\u0391\u03a3\u0394\u03a6\u0393"
     u"\u0397\u039e\u039a\u039b\u00a8\"\u0396\u03a7\u03a8\u03a9\u0392\u039d\u039c<>?",
     {u"\u0394\u03b9\u03b1\u03b3\u03c1", u"Tab", u"\u039a\u03b5\u03c6", u"Enter", u"Shift"}},
};

TEST(ShippedLayouts, AreWhatTheWriterMakesOfTheirTables) {
  for (const auto& shipped : kShipped) {
    ASSERT_EQ(shipped.lower.size(), 47u) << shipped.file;
    ASSERT_EQ(shipped.upper.size(), 47u) << shipped.file;
    SimProgram program;
    program.start();
    auto& kb = program.keyboard();
    for (int i = 0; i < kCharacterKeyCount; ++i) {
      kb.KeyLayout()[i][0] = std::u16string(1, shipped.lower[i]);
      kb.KeyLayout()[i][1] = std::u16string(1, shipped.upper[i]);
    }
    for (int i = 0; i < kActionKeyCount; ++i) kb.ActionKeyText()[i] = shipped.actionKeys[i];
    const auto written = program.directory / shipped.file;
    kb.SaveLayoutFile(U16(written));
    const auto committed = std::filesystem::path(TESSARIN_LAYOUTS_DIR) / shipped.file;
    if (std::getenv("TESSARIN_WRITE_LAYOUTS")) std::filesystem::copy_file(written, committed,
                                                                      std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(ReadBytes(written), ReadBytes(committed)) << shipped.file;
  }
}

TEST(ShippedLayouts, LoadingEachShowsItsKeys) {
  for (const auto& shipped : kShipped) {
    SimProgram program;
    program.start();
    program.keyboard().LoadLayoutFile(U16(std::filesystem::path(TESSARIN_LAYOUTS_DIR) / shipped.file));
    program.keyboard().SetKeyCaptions();
    auto& f = program.frm();
    EXPECT_EQ(f.Command(17).caption(), std::u16string(1, shipped.lower[13])) << shipped.file;
    EXPECT_EQ(f.Command(40).caption(), std::u16string(1, shipped.lower[35])) << shipped.file;
    EXPECT_EQ(f.Command(kShiftRight).caption(), shipped.actionKeys[4]) << shipped.file;
    program.clickButton(kShiftLeft);
    EXPECT_EQ(f.Command(43).caption(), std::u16string(1, shipped.upper[37])) << shipped.file;
  }
}

}  // namespace
}  // namespace tessarin::test
