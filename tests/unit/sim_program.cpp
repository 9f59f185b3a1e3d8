#include "sim_program.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

#include "app/main.h"

namespace tessarin::test {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::u16string U16(const std::filesystem::path& path) {
  const std::string s = path.string();
  return {s.begin(), s.end()};
}

SimProgram::SimProgram() {
  std::random_device seed;
  directory = std::filesystem::temp_directory_path() / ("tessarin-unit-" + std::to_string(seed()));
  std::filesystem::create_directories(directory);
  const std::string dir = directory.string();
  useSystem(std::make_unique<sim::SimSystem>(std::u16string(dir.begin(), dir.end())));
}

void SimProgram::useSystem(std::unique_ptr<sim::SimSystem> simSystem) {
  system = std::move(simSystem);
  system->onForegroundMoved = [this] {
    if (toolkit.onForegroundChanged) toolkit.onForegroundChanged();
  };
  platform = std::make_unique<platform::Platform>(platform::Platform{toolkit, *system});
}

SimProgram::~SimProgram() {
  stop();
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
}

void SimProgram::writeSettingsFile(const std::string& content) {
  std::ofstream(directory / "tsnconfig.ini", std::ios::binary) << content;
}

std::string SimProgram::settingsFileContent() const { return ReadBytes(directory / "tsnconfig.ini"); }

bool SimProgram::settingsFileExists() const { return std::filesystem::exists(directory / "tsnconfig.ini"); }

void SimProgram::start() { app = Main(*platform); }

void SimProgram::stop() {
  if (!app) return;
  if (frm().form().loaded()) frm().form().unload();
  app.reset();
}

namespace {
platform::CommandButton* KeyShowing(FrmKeyboard& frm, std::u16string_view caption) {
  for (int number = 1; number <= FrmKeyboard::kButtonCount; ++number) {
    auto& button = frm.Command(number);
    if (button.visible() && button.caption() == caption) return &button;
  }
  return nullptr;
}
}  // namespace

void SimProgram::clickKey(std::u16string_view caption) {
  if (auto* key = KeyShowing(frm(), caption))
    keyboard().ButtonClick(key);
  else
    ADD_FAILURE() << "no visible key shows that caption";
}

void SimProgram::typeOnScreen(std::u16string_view text) {
  for (char16_t ch : text) {
    const std::u16string caption = ch == u'&' ? u"&&" : std::u16string(1, ch);
    if (!KeyShowing(frm(), caption)) clickButton(kShiftLeft);
    clickKey(caption);
  }
}

}  // namespace tessarin::test
