// A failure of the system where the program reports errors is reported with the system's error
// number and text, and the program goes on; a drag that fails still wipes its copies.
#include <gtest/gtest.h>

#include <system_error>

#include "app/frm_error.h"
#include "app/mod_main.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

using platform::kLeftButton;

class ErrorReports : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start();
    program.toolkit.onModalShow = [this](sim::SimForm& form) {
      reports.push_back(form.caption());
      form.unload();
    };
  }
  void expectOneErrBoxWithTheSystemError() {
    ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
    const auto& text = program.toolkit.shownMessageBoxes[0].text;
    EXPECT_EQ(text.rfind(u"err", 0), 0u);
    EXPECT_NE(text.find(u"5: "), std::u16string::npos) << "the system's error number";
  }
  void dragAll() {
    auto& box = program.txtPassword();
    box.onDblClick();
    box.onMouseDown({kLeftButton, 0, 10, 10});
    box.onMouseMove({kLeftButton, 0, 20, 10});
  }
  SimProgram program;
  std::vector<std::u16string> reports;
};

TEST_F(ErrorReports, MenuHandlerReportsASystemFailureAndTheProgramGoesOn) {
  program.toolkit.failingOperation = "createForm";
  program.frm().mnuHelpAbout->onClick();
  EXPECT_EQ(reports, std::vector<std::u16string>{u"Unexpected System Error"});
  program.typeOnScreen(u"a");
  EXPECT_EQ(program.keyboard().CurrentPassword(), u"a");
}

TEST_F(ErrorReports, TheReportShowsTheSystemsErrorIconLeftOfItsMessage) {
  FrmError report(program.toolkit);
  ASSERT_NE(report.picIcon, nullptr);
  EXPECT_EQ(report.picIcon->kind(), platform::IconKind::Error);
  const auto icon = report.picIcon->bounds();
  EXPECT_LE(icon.left + icon.width, report.Label1->bounds().left);
  EXPECT_LE(icon.left + icon.width, report.Label2->bounds().left);
  EXPECT_EQ(icon.top, report.Label1->bounds().top);
}

TEST_F(ErrorReports, LayoutReportsASystemFailure) {
  program.toolkit.failingOperation = "setBounds";
  program.keyboard().Resize(true);
  EXPECT_EQ(reports, std::vector<std::u16string>{u"Unexpected System Error"});
  program.keyboard().Resize(true);
  EXPECT_EQ(reports.size(), 1u) << "the next forced layout runs again";
}

TEST_F(ErrorReports, TransparencyReportsASystemFailureWithItsSource) {
  program.toolkit.failingOperation = "setOpacity";
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  SetFormTransparency(*program.platform, program.window(), 100);
  ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  EXPECT_NE(program.toolkit.shownMessageBoxes[0].text.find(u" Source : Windows"), std::u16string::npos);
}

TEST_F(ErrorReports, DragStartThatFailsReportsAndDeliversNothing) {
  program.typeOnScreen(u"secret");
  program.toolkit.failingOperation = "createForm";  // the drag note
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  program.txtPassword().dragEnding.effect = platform::kDropEffectCopy;  // a target takes the drop all the same
  dragAll();
  expectOneErrBoxWithTheSystemError();
  EXPECT_TRUE(program.keyboard().SelectedPassword().empty());
  EXPECT_EQ(program.keyboard().CurrentPassword(), u"secret") << "nothing was delivered, so nothing is cut";
  EXPECT_EQ(program.window().windowState(), platform::WindowState::Normal);
}

TEST_F(ErrorReports, InjectionThatFailsReportsAndWipesTheDragsCopies) {
  program.keyboard().DragDropMode(kInject);
  program.system->foreignWindows.push_back({0x7001, {100, 100, 400, 130}, {}, false});
  program.system->cursor = {150, 110};
  program.typeOnScreen(u"secret");
  program.system->failingCall = "clickLeft";
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  dragAll();
  expectOneErrBoxWithTheSystemError();
  EXPECT_TRUE(program.keyboard().SelectedPassword().empty());
  EXPECT_TRUE(program.system->foreignWindows[0].received.empty());
  EXPECT_EQ(program.keyboard().DragNote(), nullptr) << "the note does not stay behind";
  EXPECT_TRUE(reports.empty()) << "the drag's own box, not the error window";
}

}  // namespace
}  // namespace tessarin::test
