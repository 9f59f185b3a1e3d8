// What other programs can learn: capture exclusion of the windows, unreadable key captions and
// the scrambled order of the character keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>

#include "keyboard/key_order.h"
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

}  // namespace
}  // namespace tessarin::test
