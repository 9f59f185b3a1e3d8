// Delivering the password: the drag gesture on the password box, what the drag carries, what
// stays behind, and injection at the pointer.
#include <gtest/gtest.h>

#include "platform/common/text_span.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

using platform::kLeftButton;
using platform::kRightButton;

class Delivery : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start();
    program.system->foreignWindows.push_back({0x7001, {100, 100, 400, 130}, {}, false});
  }
  void enter(std::u16string_view keys) { program.typeOnScreen(keys); }
  sim::SimTextBox& box() { return program.txtPassword(); }
  // Double click, then press inside the selection and move: the drag runs to its end.
  void dragAll() {
    box().onDblClick();
    box().onMouseDown({kLeftButton, 0, 10, 10});
    box().onMouseMove({kLeftButton, 0, 20, 10});
  }
  // Press at start, drag over length characters, release: as the box's own selection works.
  void selectWithTheMouse(int start, int length) {
    box().setSelStart(start);
    box().onMouseDown({kLeftButton, 0, 0, 0});
    box().setSelLength(length);
    box().onMouseMove({kLeftButton, 0, 0, 0});
    box().onMouseUp({kLeftButton, 0, 0, 0});
  }
  // A left press on the middle of a character (the box puts the caret before it), then a move
  // with the button held.
  void pressAndDrag(int character) {
    box().setSelStart(character);
    box().onMouseDown({kLeftButton, 0, at(character, 0.5), 10});
    box().onMouseMove({kLeftButton, 0, at(character, 0.5) + 5, 10});
  }
  // The x of a point that far across a character of the simulated box.
  static float at(int character, double across) {
    return static_cast<float>((character + across) * sim::SimTextBox::kCharWidth);
  }
  Keyboard& kb() { return program.keyboard(); }
  std::u16string& received() { return program.system->foreignWindows[0].received; }
  SimProgram program;
};

TEST_F(Delivery, DragOfTheWholePasswordCarriesItAndLeavesNothing) {
  enter(u"p4ss+^%~(){}");
  dragAll();
  EXPECT_EQ(box().lastDrag.text, u"p4ss+^%~(){}");
  EXPECT_EQ(box().lastAllowedEffects, platform::kDropEffectCopy | platform::kDropEffectMove);
  EXPECT_TRUE(kb().CurrentPassword().empty());
  EXPECT_EQ(box().text(), u"");
  EXPECT_EQ(box().selStart(), 0);
  EXPECT_TRUE(kb().SelectedPassword().empty());
  EXPECT_EQ(program.toolkit.loadedForms().size(), 2u) << "the note window is gone";
  EXPECT_TRUE(program.system->clipboard.empty());
}

TEST_F(Delivery, DragOfAPartCutsItOutUnlessThePasswordIsKept) {
  enter(u"abcdef");
  selectWithTheMouse(2, 2);
  pressAndDrag(2);
  EXPECT_EQ(box().lastDrag.text, u"cd");
  EXPECT_EQ(kb().CurrentPassword(), u"abef");
  EXPECT_EQ(box().text(), u"****") << "the masked box never receives the real characters";
  EXPECT_EQ(box().selStart(), 2);
}

TEST_F(Delivery, KeptPasswordStaysWholeInBoxAndEngine) {
  kb().KeepPasswordAfterDragDrop(true);
  enter(u"abcdef");
  selectWithTheMouse(2, 2);
  pressAndDrag(3);
  EXPECT_EQ(box().lastDrag.text, u"cd");
  EXPECT_EQ(kb().CurrentPassword(), u"abcdef");
  EXPECT_EQ(box().text(), u"******");
}

TEST_F(Delivery, PressOutsideTheRememberedSelectionStartsNoDrag) {
  enter(u"abcdef");
  box().setSelStart(1);
  box().setSelLength(2);
  box().onMouseMove({0, 0, 0, 0});
  box().setSelStart(5);  // the press moved the caret past the selection
  box().onMouseDown({kLeftButton, 0, at(5, 0.5), 10});
  box().onMouseMove({kLeftButton, 0, at(5, 0.5) + 5, 10});
  EXPECT_FALSE(box().lastDrag.textSet);
  EXPECT_EQ(program.frm().SavedSelStart, 5);
  EXPECT_EQ(kb().CurrentPassword(), u"abcdef");
}

// The rule on its own: from the left edge of the first character to the right edge of the last.
TEST(SelectionPixels, ThePressIsOnTheSelectionFromItsFirstPixelToItsLast) {
  // Three characters 8 pixels wide from x = 20, on a line from y = 2 to 18.
  const common::TextSpan span{20, 44, 2, 18};
  EXPECT_TRUE(common::IsOnTextSpan(span, 20, 10)) << "the first pixel of the first character";
  EXPECT_TRUE(common::IsOnTextSpan(span, 42, 10)) << "the right quarter of the last character";
  EXPECT_TRUE(common::IsOnTextSpan(span, 43, 10)) << "its last pixel";
  EXPECT_FALSE(common::IsOnTextSpan(span, 19, 10)) << "one pixel before the first";
  EXPECT_FALSE(common::IsOnTextSpan(span, 44, 10)) << "one pixel past the last";
  EXPECT_FALSE(common::IsOnTextSpan(span, 30, 1)) << "above the line";
  EXPECT_FALSE(common::IsOnTextSpan(span, 30, 18)) << "below it";
}

// The box's caret after a press on the right half of a character may lie after it: the press
// still counts by where it landed.
TEST_F(Delivery, APressOnTheRightQuarterOfTheLastSelectedCharacterArmsOnePastItDoesNot) {
  enter(u"abcdef");
  box().setSelStart(1);
  box().setSelLength(2);
  box().onMouseMove({0, 0, 0, 0});
  box().setSelStart(3);  // the box rounds the press to the boundary after the character
  box().onMouseDown({kLeftButton, 0, at(2, 0.8), 10});
  EXPECT_TRUE(program.frm().DragArmed);
  EXPECT_EQ(box().selLength(), 2);
  box().onMouseUp({kLeftButton, 0, at(2, 0.8), 10});
  EXPECT_FALSE(program.frm().DragArmed);
  EXPECT_EQ(box().selLength(), 2) << "a click on the selection keeps it";

  for (const float x : {at(3, 0), at(1, 0) - 1}) {
    box().setSelStart(1);
    box().setSelLength(2);
    box().onMouseMove({0, 0, 0, 0});
    box().setSelStart(x > at(1, 0) ? 3 : 1);
    box().onMouseDown({kLeftButton, 0, x, 10});
    EXPECT_FALSE(program.frm().DragArmed) << "one pixel past the selection at " << x;
    box().onMouseUp({kLeftButton, 0, x, 10});
    EXPECT_EQ(box().selLength(), 0);
  }
}

TEST_F(Delivery, RightPressEmptiesTheClipboard) {
  program.system->clipboard = u"sentinel";
  box().onMouseDown({kRightButton, 0, 0, 0});
  EXPECT_TRUE(program.system->clipboard.empty());
}

TEST_F(Delivery, InjectionClicksOnceThenPostsEveryCharacterInOrder) {
  kb().DragDropMode(kInject);
  enter(u"ab+^%~(){}");
  program.system->cursor = {150, 110};
  dragAll();
  EXPECT_TRUE(box().lastDrag.pointingOnly) << "the drag itself carries nothing and drops nothing";
  EXPECT_EQ(box().lastDrag.text, u"");
  EXPECT_EQ(received(), u"ab+^%~(){}");
  const auto& calls = program.system->calls;
  const auto click = std::find(calls.begin(), calls.end(), "clickLeft");
  ASSERT_NE(click, calls.end());
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "clickLeft"), 1);
  EXPECT_EQ(std::count(click, calls.end(), "typeChars"), 1);
  EXPECT_EQ(std::count(calls.begin(), click, "typeChars"), 0);
  EXPECT_EQ(program.system->foregroundWindow(), 0x7001u);
}

TEST_F(Delivery, InjectionHappensWhenNoTargetTakesTheEmptyDrop) {
  kb().DragDropMode(kInject);
  enter(u"xy");
  program.system->cursor = {150, 110};
  box().dragEnding.effect = 0;
  dragAll();
  EXPECT_EQ(received(), u"xy");
  EXPECT_TRUE(kb().CurrentPassword().empty());
}

TEST_F(Delivery, DragMinimisesBothWindowsAndShowsTheNoteBesideThePointer) {
  enter(u"a");
  program.system->cursor = {200, 300};
  box().duringDrag = [&] {
    EXPECT_EQ(program.window().windowState(), platform::WindowState::Minimized);
    EXPECT_EQ(program.cover().windowState(), platform::WindowState::Minimized);
    auto forms = program.toolkit.loadedForms();
    ASSERT_EQ(forms.size(), 3u);
    auto& note = static_cast<sim::SimForm&>(*forms.back());
    EXPECT_TRUE(note.visible());
    EXPECT_EQ(note.bounds().left, 200 * 15 + 250);
    EXPECT_EQ(note.bounds().top, 300 * 15 + 250);
    EXPECT_EQ(note.bounds().height, 1095) << "tall enough for three lines of text";
    program.system->cursor = {210, 300};
    program.toolkit.advance(20);
    EXPECT_EQ(note.bounds().left, 210 * 15 + 250);
  };
  dragAll();
  EXPECT_EQ(program.window().windowState(), platform::WindowState::Minimized);
}

TEST_F(Delivery, RestoringTheKeyboardAfterADragBringsTheCoverBackOverTheKeys) {
  enter(u"a");
  const auto coverBefore = program.cover().bounds();
  dragAll();
  ASSERT_EQ(program.cover().windowState(), platform::WindowState::Minimized);
  program.window().setWindowState(platform::WindowState::Normal);
  EXPECT_EQ(program.cover().windowState(), platform::WindowState::Normal);
  EXPECT_EQ(program.cover().bounds(), coverBefore);
}

TEST_F(Delivery, PlainBoxDeliversWhatItShowsEvenWhenTyped) {
  enter(u"old");
  kb().TextIsMasked(false);
  auto& plain = program.txtText();
  plain.setText(u"");
  for (char16_t ch : std::u16string_view(u"abc")) plain.typeKey(ch, ch);
  plain.setSelStart(0);
  plain.setSelLength(3);
  plain.startDrag();
  EXPECT_EQ(plain.lastDrag.text, u"abc");
  EXPECT_TRUE(kb().CurrentPassword().empty());
  EXPECT_EQ(plain.text(), u"");
  // Masking afterwards agrees with what was delivered.
  kb().TextIsMasked(true);
  EXPECT_EQ(box().text(), u"");
}

}  // namespace
}  // namespace tessarin::test
