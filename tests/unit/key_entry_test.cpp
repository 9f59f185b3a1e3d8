// Entering characters with the on-screen keys, in the masked box and in the plain box.
#include <gtest/gtest.h>

#include "sim_program.h"

namespace tessarin::test {
namespace {

class KeyEntry : public ::testing::Test {
 protected:
  void SetUp() override { program.start(); }
  // Puts a password in by clicking keys, then selects [start, start + length).
  void enter(std::u16string_view keys) {
    for (char16_t ch : keys) program.clickKey(std::u16string(1, ch));
  }
  void select(int start, int length) {
    box().setSelStart(start);
    box().setSelLength(length);
  }
  sim::SimTextBox& box() { return kb().TextIsMasked() ? program.txtPassword() : program.txtText(); }
  Keyboard& kb() { return program.keyboard(); }
  SimProgram program;
};

TEST_F(KeyEntry, MaskedBoxShowsOneStarPerCharacterAndNeverTheCharacters) {
  enter(u"abc");
  select(2, 0);
  program.clickKey(u"x");
  EXPECT_EQ(kb().CurrentPassword(), u"abxc");
  EXPECT_EQ(program.txtPassword().text(), u"****");
  EXPECT_EQ(program.txtPassword().selStart(), 3);
  EXPECT_EQ(program.txtPassword().passwordChar(), u'*');
}

TEST_F(KeyEntry, CharacterReplacesTheSelection) {
  enter(u"abcd");
  select(1, 2);
  program.clickKey(u"z");
  EXPECT_EQ(kb().CurrentPassword(), u"azd");
  EXPECT_EQ(program.txtPassword().text(), u"***");
  EXPECT_EQ(program.txtPassword().selStart(), 2);
}

TEST_F(KeyEntry, BackspaceOverSelectionLeavesTheCaretWhereTheRangeBegan) {
  enter(u"abcdef");
  select(2, 2);
  program.clickButton(kBackspace);
  EXPECT_EQ(kb().CurrentPassword(), u"abef");
  EXPECT_EQ(box().selStart(), 2);
  program.clickKey(u"x");
  EXPECT_EQ(kb().CurrentPassword(), u"abxef");

  select(1, 2);
  program.clickButton(kBackspace);
  EXPECT_EQ(kb().CurrentPassword(), u"aef");
  EXPECT_EQ(program.txtPassword().text(), u"***");
  EXPECT_EQ(box().selStart(), 1);
}

TEST_F(KeyEntry, BackspaceOverSelectionInThePlainBoxToo) {
  kb().TextIsMasked(false);
  enter(u"abcdef");
  select(2, 2);
  program.clickButton(kBackspace);
  program.clickKey(u"x");
  EXPECT_EQ(program.txtText().text(), u"abxef");
}

TEST_F(KeyEntry, BackspaceWithoutSelection) {
  enter(u"abc");
  select(0, 0);
  program.clickButton(kBackspace);
  EXPECT_EQ(kb().CurrentPassword(), u"abc");
  EXPECT_EQ(box().selStart(), 0);

  select(2, 0);
  program.clickButton(kBackspace);
  EXPECT_EQ(kb().CurrentPassword(), u"ac");
  EXPECT_EQ(program.txtPassword().text(), u"**");
  EXPECT_EQ(box().selStart(), 1);

  select(1, 0);
  program.clickButton(kBackspace);
  EXPECT_EQ(kb().CurrentPassword(), u"c");
  EXPECT_EQ(box().selStart(), 0);
}

TEST_F(KeyEntry, EnterAndTabWorkOnlyInThePlainBox) {
  enter(u"ab");
  EXPECT_FALSE(program.frm().Command(kTab).enabled());
  EXPECT_FALSE(program.frm().Command(kEnter).enabled());
  program.clickButton(kTab);
  program.clickButton(kEnter);
  EXPECT_EQ(kb().CurrentPassword(), u"ab");
  EXPECT_EQ(program.txtPassword().text(), u"**");

  kb().TextIsMasked(false);
  EXPECT_TRUE(program.frm().Command(kEnter).enabled());
  select(2, 0);
  program.clickButton(kEnter);
  EXPECT_EQ(program.txtText().text(), u"ab\r\n");
  EXPECT_EQ(program.txtText().selStart(), 4);
  // One Backspace takes the whole line break; the password itself is not touched by either.
  program.clickButton(kBackspace);
  EXPECT_EQ(program.txtText().text(), u"ab");
  EXPECT_EQ(program.txtText().selStart(), 2);
  EXPECT_EQ(kb().CurrentPassword(), u"ab");
  program.clickButton(kTab);
  EXPECT_EQ(program.txtText().text(), u"ab\t");
  EXPECT_EQ(program.txtText().selStart(), 3);
}

TEST_F(KeyEntry, LoneLineFeedAtTheStartIsRemovedWithoutError) {
  kb().TextIsMasked(false);
  program.txtText().setText(u"\nx");
  select(1, 0);
  program.clickButton(kBackspace);
  EXPECT_EQ(program.txtText().text(), u"x");
  EXPECT_EQ(program.txtText().selStart(), 0);
}

TEST_F(KeyEntry, ShiftActsForOneCharacter) {
  program.clickButton(kShiftLeft);
  EXPECT_TRUE(kb().ShiftIsDown());
  EXPECT_EQ(program.frm().Command(31).caption(), u"A");
  program.clickKey(u"A");
  EXPECT_FALSE(kb().ShiftIsDown());
  EXPECT_EQ(program.frm().Command(31).caption(), u"a");
  program.clickKey(u"a");
  EXPECT_EQ(kb().CurrentPassword(), u"Aa");
  // The right Shift does the same, and a second Shift click releases it.
  program.clickButton(kShiftRight);
  program.clickButton(kShiftRight);
  EXPECT_FALSE(kb().ShiftIsDown());
}

TEST_F(KeyEntry, CapsLockShiftsEveryKeyUntilClickedAgain) {
  program.clickButton(kCapsLock);
  EXPECT_EQ(program.frm().Command(2).caption(), u"!");
  enter(u"AB!");
  EXPECT_TRUE(kb().CapsLockIsDown());
  EXPECT_EQ(kb().CurrentPassword(), u"AB!");
  // Shift with Caps Lock gives lower case.
  program.clickButton(kShiftLeft);
  EXPECT_EQ(program.frm().Command(31).caption(), u"a");
  program.clickKey(u"a");
  EXPECT_EQ(program.frm().Command(31).caption(), u"A");
  program.clickButton(kCapsLock);
  EXPECT_EQ(program.frm().Command(31).caption(), u"a");
  EXPECT_EQ(kb().CurrentPassword(), u"AB!a");
}

TEST_F(KeyEntry, AmpersandSpaceAndEmptyCaptions) {
  program.clickButton(kShiftLeft);
  EXPECT_EQ(program.frm().Command(8).caption(), u"&&");
  program.clickButton(8);
  program.clickButton(kSpaceBar);
  program.frm().Command(2).setCaption(u"");
  program.clickButton(2);
  EXPECT_EQ(kb().CurrentPassword(), u"&  ");
}

TEST_F(KeyEntry, MultiCharacterCaptionKeepsOneStarPerCharacter) {
  enter(u"ab");
  select(1, 0);
  program.frm().Command(31).setCaption(u"xyz");
  program.clickButton(31);
  EXPECT_EQ(kb().CurrentPassword(), u"axyzb");
  EXPECT_EQ(program.txtPassword().text(), u"*****");
  EXPECT_EQ(box().selStart(), 4);
}

TEST_F(KeyEntry, ClearTextEmptiesBothBoxesAndThePassword) {
  enter(u"secret");
  kb().TextIsMasked(false);
  kb().ClearText();
  EXPECT_EQ(program.txtText().text(), u"");
  EXPECT_EQ(program.txtPassword().text(), u"");
  EXPECT_TRUE(kb().CurrentPassword().empty());
  kb().TextIsMasked(true);
  EXPECT_EQ(program.txtPassword().text(), u"");
}

TEST_F(KeyEntry, NothingClickedDoesNothing) {
  enter(u"a");
  kb().ButtonClick(nullptr);
  EXPECT_EQ(kb().CurrentPassword(), u"a");
}

TEST_F(KeyEntry, DetermineSelectedPasswordTakesTheSelectionOrEverything) {
  enter(u"abcdef");
  select(2, 2);
  kb().DetermineSelectedPassword();
  EXPECT_EQ(kb().SelectedPassword(), u"cd");
  select(0, 0);
  kb().DetermineSelectedPassword();
  EXPECT_EQ(kb().SelectedPassword(), u"abcdef");
  // With the plain box shown, what it shows is the password, typed text included.
  kb().TextIsMasked(false);
  select(6, 0);
  program.txtText().typeKey('X', u'X');
  select(6, 1);
  kb().DetermineSelectedPassword();
  EXPECT_EQ(kb().SelectedPassword(), u"X");
  EXPECT_EQ(kb().CurrentPassword(), u"abcdefX");
}

TEST_F(KeyEntry, HighlightTextSelectsTheMaskedBoxOrPutsTheCaretAtItsLength) {
  enter(u"abc");
  kb().HighlightText();
  EXPECT_TRUE(program.txtPassword().hasFocus());
  EXPECT_EQ(program.txtPassword().selLength(), 3);
  kb().TextIsMasked(false);
  kb().HighlightText();
  EXPECT_TRUE(program.txtText().hasFocus());
  EXPECT_EQ(program.txtText().selStart(), 3);
}

}  // namespace
}  // namespace tessarin::test
