// Injection vets its target before a character leaves and stops as soon as the target is gone
// or another program comes to the front; the characters never overtake the click.
#include <gtest/gtest.h>

#include "app/decimal_text.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

using platform::kLeftButton;

class Injection : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start();
    program.keyboard().DragDropMode(kInject);
    program.system->foreignWindows.push_back({0x7001, {100, 100, 400, 130}, {}});
    program.system->cursor = {150, 110};
    program.typeOnScreen(u"secret");
  }
  sim::SimSystem::ForeignWindow& target() { return program.system->foreignWindows[0]; }
  void injectAll() {
    auto& box = program.txtPassword();
    box.onDblClick();
    box.onMouseDown({kLeftButton, 0, 10, 10});
    box.onMouseMove({kLeftButton, 0, 20, 10});
  }
  // Injects expecting a failure: the password stays and one message says what happened.
  std::u16string failedInjection() {
    program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
    injectAll();
    EXPECT_EQ(program.keyboard().CurrentPassword(), u"secret");
    EXPECT_EQ(program.txtPassword().text(), u"******");
    EXPECT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
    if (program.toolkit.shownMessageBoxes.empty()) return {};
    const auto text = program.toolkit.shownMessageBoxes.back().text;
    EXPECT_EQ(text.find(u"secret"), std::u16string::npos);
    EXPECT_EQ(text.find(u"6"), std::u16string::npos) << "never the password's length";
    return text;
  }
  std::size_t count(const std::string& call) const {
    const auto& calls = program.system->calls;
    return static_cast<std::size_t>(std::count(calls.begin(), calls.end(), call));
  }
  SimProgram program;
};

TEST_F(Injection, WaitsForTheClickToBeTakenThenTypesEveryCharacter) {
  target().clickTakesMs = 200;  // busy for a moment after the click
  injectAll();
  EXPECT_EQ(target().received, u"secret");
  const auto& calls = program.system->calls;
  const auto click = std::find(calls.begin(), calls.end(), "clickLeft");
  const auto wait = std::find(calls.begin(), calls.end(), "waitForClickTaken");
  const auto first = std::find(calls.begin(), calls.end(), "typeChars");
  EXPECT_TRUE(click < wait && wait < first) << "click, wait for it to be taken, then the characters";
  EXPECT_GE(program.system->lastClickTimeoutMs, 200);
  EXPECT_TRUE(program.keyboard().CurrentPassword().empty());
  EXPECT_TRUE(program.toolkit.shownMessageBoxes.empty()) << "success shows nothing";
}

TEST_F(Injection, RefusesTheProgramsOwnWindowsWithoutClicking) {
  target().program = sim::SimSystem::kThisProgram;
  EXPECT_NE(failedInjection().find(u"Tessarin's own windows"), std::u16string::npos);
  EXPECT_EQ(count("clickLeft"), 0u);
  EXPECT_EQ(count("typeChars"), 0u);
}

TEST_F(Injection, RefusesAWindowOfAnotherDesktop) {
  target().otherDesktop = true;
  EXPECT_NE(failedInjection().find(u"another desktop"), std::u16string::npos);
  EXPECT_EQ(count("clickLeft"), 0u);
}

TEST_F(Injection, AWindowThatRefusesTheFirstCharacterIsExplained) {
  target().refusesChars = true;
  EXPECT_NE(failedInjection().find(u"administrator"), std::u16string::npos);
}

TEST_F(Injection, AWindowThatClosesPartWayStopsTheTyping) {
  target().closesAfterChars = 1;
  const auto message = failedInjection();
  EXPECT_NE(message.find(u"after 1 character:"), std::u16string::npos);
  EXPECT_EQ(target().received, u"s");
}

// A password longer than one batch of characters, with a character outside the BMP where the
// first batch would end.
class LongInjection : public Injection {
 protected:
  static constexpr std::u16string_view kPassword = u"abcdefghijklmno\U0001D6C0pqrstuvwxyz0123456789";
  void SetUp() override {
    Injection::SetUp();
    auto& plain = program.txtText();
    program.keyboard().TextIsMasked(false);
    plain.setText(kPassword);
    plain.setSelStart(0);
    plain.setSelLength(static_cast<int>(kPassword.size()));
  }
  void injectAll() { program.txtText().startDrag(); }
  std::size_t firstBatch() const { return program.system->foreignWindows[0].batchSizes.front(); }
};

TEST_F(LongInjection, GoesInBatchesThatNeverSplitACharacter) {
  injectAll();
  EXPECT_EQ(target().received, kPassword);
  const auto& batches = target().batchSizes;
  ASSERT_GT(batches.size(), 1u);
  std::size_t at = 0;
  for (std::size_t size : batches) {
    at += size;
    EXPECT_FALSE(at < kPassword.size() && kPassword[at] >= 0xDC00 && kPassword[at] <= 0xDFFF)
        << "a batch ended between the halves of a surrogate pair at " << at;
  }
  EXPECT_TRUE(program.toolkit.shownMessageBoxes.empty());
}

TEST_F(LongInjection, ARefusedFirstBatchSendsNoMore) {
  target().refusesChars = true;
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  injectAll();
  EXPECT_EQ(count("typeChars"), 1u);
  ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  EXPECT_NE(program.toolkit.shownMessageBoxes.back().text.find(u"administrator"), std::u16string::npos);
}

// The batch under way when another program came to the front still goes to the chosen window
// (it is addressed to it, not to the foreground); nothing after it does.
TEST_F(LongInjection, AnotherProgramComingToTheFrontStopsTheTyping) {
  target().foregroundMovesAfterChars = 2;
  program.system->moveForeground(0);
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  injectAll();
  EXPECT_EQ(target().received, kPassword.substr(0, firstBatch()));
  ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  const auto message = program.toolkit.shownMessageBoxes.back().text;
  EXPECT_NE(message.find(u"after " + DecimalText(static_cast<long>(firstBatch())) + u" characters"),
            std::u16string::npos)
      << std::string(message.begin(), message.end());
  EXPECT_EQ(program.txtText().text(), kPassword) << "the password stays";
}

TEST_F(Injection, TheNoteNamesTheWindowThePasswordWouldGoTo) {
  target().programFile = u"notepad.exe";
  target().title = u"Untitled - Notepad";
  program.system->foreignWindows.push_back({0x7002, {500, 100, 600, 130}, {}});
  program.system->foreignWindows.back().program = sim::SimSystem::kThisProgram;
  std::vector<std::u16string> shown;
  program.txtPassword().duringDrag = [&] {
    auto text = [&] { return program.keyboard().DragNote()->Text->caption(); };
    shown.push_back(text());
    program.system->cursor = {550, 110};  // over one of our own windows
    program.toolkit.advance(20);
    shown.push_back(text());
    program.system->cursor = {900, 900};  // over nothing
    program.toolkit.advance(20);
    shown.push_back(text());
    program.system->cursor = {150, 110};
    program.toolkit.advance(20);
  };
  injectAll();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_NE(shown[0].find(u"notepad.exe - Untitled - Notepad"), std::u16string::npos);
  EXPECT_NE(shown[1].find(u"Nothing will be typed here"), std::u16string::npos);
  EXPECT_NE(shown[2].find(u"Nothing will be typed here"), std::u16string::npos);
  EXPECT_EQ(target().received, u"secret");
}

}  // namespace
}  // namespace tessarin::test
