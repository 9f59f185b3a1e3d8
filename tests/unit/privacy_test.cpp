// What other programs can learn: capture exclusion of the windows, unreadable key captions and
// the scrambled order of the character keys; and what someone who sits down later finds: a
// password left in the box is cleared after a while without input, or when the user leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>

#include "keyboard/key_order.h"
#include "protection/idle_clear.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The characters of the 47 character keys, position by position ("&" shows as "&&").
std::u16string CharacterCaptions(FrmKeyboard& frm) {
  std::u16string captions;
  for (int number : kKeyButton) {
    const std::u16string caption = frm.Command(number).caption();
    captions += caption == u"&&" ? u"&" : caption;
  }
  return captions;
}

std::u16string Sorted(std::u16string text) {
  std::ranges::sort(text);
  return text;
}

TEST(KeyOrder, AScrambleUsesEveryKeyOnceAndDiffersFromTheLayoutAndTheLastOrder) {
  std::deque<double> draws = {0.13, 0.77, 0.42, 0.99, 0.0, 0.5, 0.31};
  auto random = [&] {
    const double d = draws.front();
    draws.push_back(d);
    draws.pop_front();
    return d;
  };
  KeyOrder previous = LayoutOrder();
  for (int round = 0; round < 20; ++round) {
    const KeyOrder order = ScrambledOrder(random, previous);
    const std::set<int> keys(order.begin(), order.end());
    ASSERT_EQ(keys.size(), static_cast<std::size_t>(kCharacterKeyCount));
    EXPECT_EQ(*keys.begin(), 0);
    EXPECT_EQ(*keys.rbegin(), kCharacterKeyCount - 1);
    EXPECT_FALSE(IsLayoutOrder(order));
    EXPECT_NE(order, previous);
    previous = order;
  }
}

TEST(KeyOrder, DrawsThatLeaveEveryKeyInPlaceAreDrawnAgain) {
  int calls = 0;
  // Just under 1 picks the last candidate each time, which swaps nothing: the layout's order.
  auto random = [&] { return ++calls <= kCharacterKeyCount - 1 ? 0.999999 : 0.25; };
  const KeyOrder order = ScrambledOrder(random, LayoutOrder());
  EXPECT_GT(calls, kCharacterKeyCount - 1);
  EXPECT_FALSE(IsLayoutOrder(order));
}

class Scrambling : public ::testing::Test {
 protected:
  void SetUp() override { program.start(); }
  void clickToolbar(std::u16string_view key) { program.frm().tbToolbar->onButtonClick(key); }
  SimProgram program;
};

TEST_F(Scrambling, MovesTheCharactersButKeepsTheActionKeys) {
  const std::u16string english = CharacterCaptions(program.frm());
  clickToolbar(u"ScrambleOnScreen");
  const std::u16string scrambled = CharacterCaptions(program.frm());
  EXPECT_NE(scrambled, english);
  EXPECT_EQ(Sorted(scrambled), Sorted(english)) << "every character still on exactly one key";
  EXPECT_EQ(program.frm().Command(kBackspace).caption(), u"bksp");
  EXPECT_EQ(program.frm().Command(kTab).caption(), u"tab");
  EXPECT_EQ(program.frm().Command(kEnter).caption(), u"ent");
  EXPECT_EQ(program.frm().Command(kShiftRight).caption(), u"shft");
  EXPECT_TRUE(program.toolbar().buttonPressed(u"ScrambleOnScreen"));
}

TEST_F(Scrambling, BothShiftStatesFollowTheKey) {
  clickToolbar(u"ScrambleOnScreen");
  const std::u16string lower = CharacterCaptions(program.frm());
  program.clickButton(kShiftLeft);
  const std::u16string upper = CharacterCaptions(program.frm());
  for (int p = 0; p < kCharacterKeyCount; ++p) {
    const auto key = kEnglishLower.find(lower[p]);
    ASSERT_NE(key, std::u16string_view::npos);
    EXPECT_EQ(upper[p], kEnglishUpper[key]) << "position " << p;
  }
}

TEST_F(Scrambling, EveryPressGivesANewOrderAndUnscrambleRestoresTheLayout) {
  const std::u16string english = CharacterCaptions(program.frm());
  program.system->randomDraws = {0.9, 0.1, 0.6, 0.3, 0.8};
  clickToolbar(u"ScrambleOnScreen");
  const std::u16string first = CharacterCaptions(program.frm());
  clickToolbar(u"ScrambleOnScreen");
  EXPECT_NE(CharacterCaptions(program.frm()), first);
  EXPECT_TRUE(Contains(program.settingsFileContent(), "Scramble Keys=True"));
  clickToolbar(u"Unscramble");
  EXPECT_EQ(CharacterCaptions(program.frm()), english);
  EXPECT_FALSE(program.toolbar().buttonPressed(u"ScrambleOnScreen"));
  EXPECT_TRUE(Contains(program.settingsFileContent(), "Scramble Keys=False"));
}

TEST_F(Scrambling, ClickingWhereEachCharacterNowStandsEntersIt) {
  clickToolbar(u"ScrambleOnScreen");
  program.keyboard().TextIsMasked(false);
  auto& cover = program.cover();
  const auto first = program.frm().Command(1).bounds();
  std::u16string expected;
  for (int number : kKeyButton) {
    // The key's centre in the cover's coordinates: the cover starts at the first key.
    const auto b = program.frm().Command(number).bounds();
    const platform::MouseEvent at{platform::kLeftButton, 0, static_cast<float>(b.left - first.left + b.width / 2),
                                  static_cast<float>(b.top - first.top + b.height / 2)};
    cover.onMouseDown(at);
    cover.onMouseUp(at);
    const std::u16string caption = program.frm().Command(number).caption();
    expected += caption == u"&&" ? u"&" : caption;
  }
  EXPECT_EQ(program.keyboard().CurrentPassword(), expected);
  EXPECT_NE(expected, std::u16string(kEnglishLower));
}

TEST(ScramblingStored, AStoredScrambleStartsScrambledAndALayoutSwitchKeepsIt) {
  SimProgram program;
  program.writeSettingsFile("[Settings]\r\nScramble Keys=True\r\n");
  program.start();
  EXPECT_TRUE(program.keyboard().KeysScrambled());
  const std::u16string scrambled = CharacterCaptions(program.frm());
  EXPECT_NE(scrambled, std::u16string(kEnglishLower));
  program.keyboard().SwitchKeyboardLang(kLayoutEnglish, false);
  EXPECT_EQ(CharacterCaptions(program.frm()), scrambled);
  EXPECT_TRUE(program.toolbar().buttonPressed(u"ScrambleOnScreen"));
}

TEST(KeyCaptions, AreUnreadableToOtherProgramsUnlessChosen) {
  SimProgram program;
  program.start();
  auto key = [&](int number) -> sim::SimButton& { return static_cast<sim::SimButton&>(program.frm().Command(number)); };
  for (int number : kKeyButton) {
    EXPECT_FALSE(key(number).caption().empty());
    EXPECT_EQ(key(number).windowText(), u"") << "key " << number;
  }
  EXPECT_EQ(key(kBackspace).windowText(), u"");
  EXPECT_FALSE(program.frm().mnuOptionsReadableKeys->checked());

  program.frm().mnuOptionsReadableKeys->onClick();
  EXPECT_EQ(key(kKeyButton[0]).windowText(), u"`");
  EXPECT_EQ(key(kBackspace).windowText(), u"bksp");
  EXPECT_TRUE(program.frm().mnuOptionsReadableKeys->checked());
  EXPECT_TRUE(Contains(program.settingsFileContent(), "Let Other Programs Read the Keys=True"));
  program.clickButton(kShiftLeft);
  EXPECT_EQ(key(kKeyButton[0]).windowText(), u"~") << "a readable caption follows Shift";
}

TEST(KeyCaptions, AStoredChoiceMakesThemReadableFromTheStart) {
  SimProgram program;
  program.writeSettingsFile("[Settings]\r\nLet Other Programs Read the Keys=True\r\n");
  program.start();
  EXPECT_EQ(static_cast<sim::SimButton&>(program.frm().Command(kKeyButton[13])).windowText(), u"q");
  EXPECT_TRUE(program.frm().mnuOptionsReadableKeys->checked());
}

TEST(ScreenCapture, KeyboardAndCoverAreExcludedByDefaultAndAgainAfterARestore) {
  SimProgram program;
  program.start();
  EXPECT_TRUE(program.window().captureExcluded());
  EXPECT_TRUE(program.cover().captureExcluded());
  EXPECT_TRUE(program.frm().mnuOptionsHideFromCapture->checked());
  EXPECT_TRUE(program.frm().mnuOptionsHideFromCapture->enabled());

  const int before = program.window().captureExclusions;
  program.window().setWindowState(platform::WindowState::Minimized);
  EXPECT_FALSE(program.window().captureExcluded()) << "the simulation loses it on minimise, as Windows may";
  program.window().setWindowState(platform::WindowState::Normal);
  EXPECT_TRUE(program.window().captureExcluded());
  EXPECT_GT(program.window().captureExclusions, before);
  EXPECT_TRUE(program.cover().captureExcluded()) << "the cover comes back with the keyboard window";
}

TEST(ScreenCapture, SwitchedOffItLetsCapturesInAndIsStored) {
  SimProgram program;
  program.start();
  program.frm().mnuOptionsHideFromCapture->onClick();
  EXPECT_FALSE(program.window().captureExcluded());
  EXPECT_FALSE(program.cover().captureExcluded());
  EXPECT_FALSE(program.frm().mnuOptionsHideFromCapture->checked());
  EXPECT_TRUE(Contains(program.settingsFileContent(), "Hide from Screen Capture=False"));
  program.cover().hide();
  program.cover().show(false, nullptr);
  EXPECT_FALSE(program.cover().captureExcluded()) << "a later show keeps the choice";

  SimProgram restarted;
  restarted.writeSettingsFile(program.settingsFileContent());
  restarted.start();
  EXPECT_FALSE(restarted.window().captureExcluded());
}

TEST(ScreenCapture, WhereTheSystemRefusesTheItemIsDisabledAndSaysSoWithoutAMessage) {
  SimProgram program;
  program.toolkit.refuseCaptureExclusion = true;
  program.start();  // an unexpected message box would throw
  auto& item = *program.frm().mnuOptionsHideFromCapture;
  EXPECT_FALSE(item.enabled());
  EXPECT_FALSE(item.checked());
  EXPECT_EQ(item.caption(), u"&Hide from Screen Capture (not available on this system)");
  EXPECT_FALSE(program.window().captureExcluded());
  EXPECT_TRUE(program.toolkit.shownMessageBoxes.empty());
  EXPECT_FALSE(program.settingsFileExists());
}


TEST(IdleClear, StoredValuesAreWholeSecondsOrTheDefault) {
  const std::pair<std::u16string_view, long> cases[] = {
      {u"", 120},  {u"0", 0},     {u"60", 60},   {u"7", 7},          {u" 45 ", 45},
      {u"-5", 120}, {u"1.5", 120}, {u"abc", 120}, {u"4000000000", 120}, {u"+3", 120}};
  for (const auto& [text, seconds] : cases) EXPECT_EQ(StoredIdleClearSeconds(text), seconds) << std::string(text.begin(), text.end());
}

class IdleClearing : public ::testing::Test {
 protected:
  void start(const std::string& settings = "") {
    if (!settings.empty()) program.writeSettingsFile("[Settings]\r\n" + settings + "\r\n");
    program.start();
  }
  sim::SimMenuItem& choice(long seconds) {
    const auto at = std::ranges::find(kIdleClearChoices, seconds) - std::begin(kIdleClearChoices);
    return static_cast<sim::SimMenuItem&>(*program.frm().mnuOptionsClearWhenIdleAfter.at(at));
  }
  bool cleared() { return program.txtPassword().text().view().empty() && program.keyboard().CurrentPassword().empty(); }
  platform::Timer& timer() { return *program.frm().tmrClearWhenIdle; }

  SimProgram program;
};

TEST_F(IdleClearing, AfterTwoMinutesWithoutInputThePasswordIsClearedAsClearDoes) {
  start();
  EXPECT_EQ(program.keyboard().ClearPasswordWhenIdleSeconds(), 120);
  EXPECT_TRUE(choice(120).checked());
  EXPECT_EQ(program.toolkit.runningTimers(), 0) << "an empty keyboard sets no timer";
  program.typeOnScreen(u"pw");
  EXPECT_TRUE(timer().enabled());
  EXPECT_EQ(timer().interval(), 120000);
  program.toolkit.advance(119000);
  EXPECT_EQ(program.keyboard().CurrentPassword().view(), u"pw");
  program.toolkit.advance(1000);
  EXPECT_TRUE(cleared());
  EXPECT_EQ(program.txtText().text().view(), u"");
  EXPECT_EQ(program.toolkit.runningTimers(), 0) << "nothing wakes the program once the box is empty";
}

TEST_F(IdleClearing, EveryKindOfInputStartsTheWaitAgain) {
  start();
  program.typeOnScreen(u"a");
  const std::function<void()> inputs[] = {
      [&] { program.typeOnScreen(u"b"); },
      [&] { static_cast<sim::SimMenuItem&>(*program.frm().mnuOptionsBeepOnHover).choose(); },
      [&] { program.toolbar().onButtonClick(u"ToggleMask"); },
      [&] { program.frm().sldTransparency->onChange(); },
      [&] { program.frm().txtPassword->onMouseUp(platform::MouseEvent{}); },
      [&] {
        int shiftKey = 16;
        program.frm().txtText->onKeyUp(shiftKey, 0);
      },
  };
  for (const auto& input : inputs) {
    program.toolkit.advance(100000);
    input();
    ASSERT_FALSE(cleared());
  }
  program.toolkit.advance(100000);
  EXPECT_FALSE(cleared()) << "the last input was 100 s ago";
  program.toolkit.advance(20000);
  EXPECT_TRUE(cleared());
}

TEST_F(IdleClearing, TheTimerRunsOnlyWhileAPasswordIsInTheBox) {
  start();
  program.typeOnScreen(u"pw");
  EXPECT_EQ(program.toolkit.runningTimers(), 1);
  program.toolbar().onButtonClick(u"Clear");
  EXPECT_EQ(program.toolkit.runningTimers(), 0) << "Clear stops it";
  program.typeOnScreen(u"p");
  program.clickButton(kBackspace);
  EXPECT_EQ(program.keyboard().CurrentPassword().view(), u"");
  EXPECT_EQ(program.toolkit.runningTimers(), 0) << "erasing the last character stops it";
  choice(0).choose();
  program.typeOnScreen(u"pw");
  EXPECT_EQ(program.toolkit.runningTimers(), 0) << "never: no timer even with a password";
  program.toolkit.advance(3600000);
  EXPECT_FALSE(cleared());
}

TEST_F(IdleClearing, LockingTheWorkstationOrEndingTheSessionClearsAtOnce) {
  start("Clear Password When Idle Seconds=0");
  program.typeOnScreen(u"pw");
  program.toolkit.leaveSession();
  EXPECT_TRUE(cleared()) << "also when idle clearing is off";
  program.typeOnScreen(u"pw");
  program.toolkit.leaveSession();
  EXPECT_TRUE(cleared());
  EXPECT_EQ(program.toolkit.runningTimers(), 0);
  program.toolkit.leaveSession();
  EXPECT_TRUE(program.toolkit.shownMessageBoxes.empty()) << "an empty box is left alone, silently";
}

TEST_F(IdleClearing, TheMenuStoresItsChoicesAndTheFileMayHoldAnyWholeNumber) {
  start();
  for (long seconds : kIdleClearChoices) {
    choice(seconds).choose();
    for (long other : kIdleClearChoices) EXPECT_EQ(choice(other).checked(), other == seconds);
    EXPECT_TRUE(Contains(program.settingsFileContent(),
                         "Clear Password When Idle Seconds=" + std::to_string(seconds) + "\r\n"));
  }
  EXPECT_EQ(program.frm().mnuOptionsClearWhenIdle->caption(), u"&Clear Password When Idle");

  SimProgram restarted;
  restarted.writeSettingsFile("[Settings]\r\nClear Password When Idle Seconds=7\r\n");
  restarted.start();
  for (auto* item : restarted.frm().mnuOptionsClearWhenIdleAfter) EXPECT_FALSE(item->checked());
  restarted.typeOnScreen(u"pw");
  restarted.toolkit.advance(6999);
  EXPECT_EQ(restarted.keyboard().CurrentPassword().view(), u"pw");
  restarted.toolkit.advance(1);
  EXPECT_TRUE(restarted.keyboard().CurrentPassword().empty());
  EXPECT_FALSE(Contains(restarted.settingsFileContent(), "=120")) << "start-up writes nothing back";
}

}  // namespace
}  // namespace tessarin::test
