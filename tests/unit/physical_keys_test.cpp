// Typing on the physical keyboard, and the system layout read into the keys.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "sim_program.h"

namespace tessarin::test {
namespace {

constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;
constexpr int kVkLShift = 0xA0;
constexpr int kVkLControl = 0xA2;
constexpr int kVkLMenu = 0xA4;
constexpr int kVkRMenu = 0xA5;

class PhysicalKeys : public ::testing::Test {
 protected:
  void SetUp() override { program.start(); }
  SimProgram program;
};

TEST_F(PhysicalKeys, MaskedBoxTakesNothingTyped) {
  program.clickKey(u"a");
  auto& box = program.txtPassword();
  for (auto [code, ch] : {std::pair{'B', u'b'}, {'1', u'1'}, {8, u'\b'}, {'V', char16_t(22)}}) box.typeKey(code, ch);
  EXPECT_EQ(box.text(), u"*");
  EXPECT_EQ(program.keyboard().CurrentPassword(), u"a");
}

TEST_F(PhysicalKeys, PlainBoxEditsGoThroughTheEngine) {
  program.keyboard().TextIsMasked(false);
  auto& box = program.txtText();
  box.setText(u"abc");
  box.setSelStart(1);
  box.typeKey('X', u'X', 1);
  EXPECT_EQ(box.text(), u"aXbc");
  EXPECT_EQ(box.selStart(), 2);
  box.setSelStart(2);
  box.setSelLength(1);
  box.typeKey(8, u'\b');
  EXPECT_EQ(box.text(), u"aXc");
  EXPECT_EQ(box.selStart(), 2);
  box.setSelStart(0);
  box.typeKey(8, u'\b');
  EXPECT_EQ(box.text(), u"aXc");
  box.setSelStart(3);
  box.typeKey(8, u'\b');
  EXPECT_EQ(box.text(), u"aX");
  // Enter and Tab are left to the box; the password itself is untouched by typing.
  box.typeKey(13, u'\r');
  EXPECT_EQ(box.text(), u"aX\r\n");
  EXPECT_TRUE(program.keyboard().CurrentPassword().empty());
}

TEST_F(PhysicalKeys, ShiftAndCapsLockKeepTheCaptionsInStep) {
  program.keyboard().TextIsMasked(false);
  auto& box = program.txtText();
  auto& system = *program.system;
  system.keysDown = {kVkShift, kVkLShift};
  int code = kVkShift;
  box.onKeyDown(code, 1);
  EXPECT_EQ(program.frm().Command(31).caption(), u"A");
  system.keysDown.clear();
  box.onKeyUp(code, 0);
  EXPECT_EQ(program.frm().Command(31).caption(), u"a");
  system.capsLockToggled = true;
  box.onKeyUp(code, 0);
  EXPECT_EQ(program.frm().Command(31).caption(), u"A");
  system.keysDown = {kVkShift};
  box.onKeyDown(code, 1);
  EXPECT_EQ(program.frm().Command(31).caption(), u"a");
  EXPECT_FALSE(program.keyboard().CapsLockIsDown());
}

// Holding Alt (or AltGr, which is Ctrl and the right Alt) while Shift goes down or up, in either
// order: each key event, the system keys among them, brings the captions in step.
TEST_F(PhysicalKeys, ShiftWithAltOrAltGrHeldKeepsTheCaptionsInStep) {
  program.keyboard().TextIsMasked(false);
  auto& box = program.txtText();
  auto& keys = program.system->keysDown;
  const auto caption = [&] { return program.frm().Command(31).caption(); };
  using platform::kAltMask;
  using platform::kCtrlMask;
  using platform::kShiftMask;
  struct Step {
    bool down;
    int key;
    std::set<int> held;
    int shift;
    const char16_t* shows;
  };
  const std::vector<std::vector<Step>> orders = {
      // Shift, then Alt; Shift released while Alt is still held.
      {{true, kVkShift, {kVkShift, kVkLShift}, kShiftMask, u"A"},
       {true, kVkMenu, {kVkShift, kVkLShift, kVkMenu, kVkLMenu}, kShiftMask | kAltMask, u"A"},
       {false, kVkShift, {kVkMenu, kVkLMenu}, kAltMask, u"a"},
       {false, kVkMenu, {}, 0, u"a"}},
      // Alt, then Shift; Alt released first.
      {{true, kVkMenu, {kVkMenu, kVkLMenu}, kAltMask, u"a"},
       {true, kVkShift, {kVkShift, kVkLShift, kVkMenu, kVkLMenu}, kShiftMask | kAltMask, u"A"},
       {false, kVkMenu, {kVkShift, kVkLShift}, kShiftMask, u"A"},
       {false, kVkShift, {}, 0, u"a"}},
      // AltGr, then Shift, released in the same order.
      {{true, kVkMenu, {kVkControl, kVkLControl, kVkMenu, kVkRMenu}, kCtrlMask | kAltMask, u"a"},
       {true, kVkShift, {kVkControl, kVkLControl, kVkMenu, kVkRMenu, kVkShift, kVkLShift},
        kCtrlMask | kAltMask | kShiftMask, u"A"},
       {false, kVkMenu, {kVkShift, kVkLShift}, kShiftMask, u"A"},
       {false, kVkShift, {}, 0, u"a"}},
  };
  for (const auto& order : orders) {
    for (const Step& step : order) {
      keys = step.held;
      int code = step.key;
      (step.down ? box.onKeyDown : box.onKeyUp)(code, step.shift);
      EXPECT_EQ(caption(), step.shows) << (step.down ? "down " : "up ") << step.key << " with " << step.shift;
    }
  }
}

TEST_F(PhysicalKeys, GermanSystemLayoutIsReadIntoTheKeys) {
  auto& layout = program.system->layout;
  layout[89] = {u"z", u"Z"};    // the key right of T
  layout[90] = {u"y", u"Y"};
  layout[186] = {u"\u00fc", u"\u00dc"};
  layout[192] = {u"", u""};      // a dead key gives nothing
  layout[50] = {u"2", u"\""};
  program.keyboard().SwitchKeyboardLang(kLayoutDefault, false);
  auto& f = program.frm();
  EXPECT_EQ(f.Command(22).caption(), u"z");
  EXPECT_EQ(f.Command(43).caption(), u"y");
  EXPECT_EQ(f.Command(40).caption(), u"\u00fc");
  EXPECT_EQ(f.Command(1).caption(), u"");
  EXPECT_TRUE(f.mnuKeyboardLayoutDefault->checked());
  EXPECT_FALSE(f.mnuKeyboardLayoutEnglish->checked());
  EXPECT_NE(program.settingsFileContent().find("Keyboard Layout=Default"), std::string::npos);
  program.clickButton(kShiftLeft);
  EXPECT_EQ(f.Command(3).caption(), u"\"");
  EXPECT_EQ(f.Command(40).caption(), u"\u00dc");
}

TEST_F(PhysicalKeys, KeySlotsBeyondTheTableAreAnError) {
  EXPECT_THROW(program.keyboard().GetCommandButtonCaptions(65, program.txtText(), 49), RuntimeError);
}

TEST(PrintScreenHook, InstalledAtStartOnceAndRemovedAtTheEnd) {
  SimProgram program;
  program.start();
  EXPECT_NE(program.system->installedHook, 0u);
  program.stop();
  EXPECT_EQ(program.system->installedHook, 0u);
  EXPECT_EQ(std::count(program.system->calls.begin(), program.system->calls.end(), "installPrintScreenHook"), 1);
}

TEST(PrintScreenHook, FailedInstallationLeavesTheProgramRunning) {
  SimProgram program;
  program.system->hookInstallFails = true;
  program.start();
  EXPECT_TRUE(program.window().visible());
  program.stop();
  EXPECT_EQ(std::count(program.system->calls.begin(), program.system->calls.end(), "removePrintScreenHook"), 0);
}

}  // namespace
}  // namespace tessarin::test
