#pragma once
// The whole program started on the simulation, in a fresh program directory of its own.
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "app/application.h"
#include "keyboard/keyboard.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_toolkit.h"

namespace tessarin::test {

// The whole content of a file, as bytes.
std::string ReadBytes(const std::filesystem::path& path);
// A path of the machine the tests run on, as the program spells paths.
std::u16string U16(const std::filesystem::path& path);

class SimProgram {
 public:
  SimProgram();
  ~SimProgram();

  // Writes tsnconfig.ini beside the program before it starts.
  void writeSettingsFile(const std::string& content);
  std::string settingsFileContent() const;
  bool settingsFileExists() const;
  void start();
  void stop();
  // Runs the program on this system, which tells the toolkit when the foreground moves.
  void useSystem(std::unique_ptr<sim::SimSystem> simSystem);

  Keyboard& keyboard() { return app->Keyboard(); }
  FrmKeyboard& frm() { return keyboard().Form(); }
  sim::SimForm& window() { return static_cast<sim::SimForm&>(frm().form()); }
  sim::SimForm& cover() { return static_cast<sim::SimForm&>(keyboard().FormCover().form()); }
  sim::SimTextBox& txtPassword() { return static_cast<sim::SimTextBox&>(*frm().txtPassword); }
  sim::SimTextBox& txtText() { return static_cast<sim::SimTextBox&>(*frm().txtText); }
  sim::SimToolbar& toolbar() { return static_cast<sim::SimToolbar&>(*frm().tbToolbar); }
  // Clicks the on-screen key now showing this caption (as the cover does on release).
  void clickKey(std::u16string_view caption);
  // Enters text with the on-screen keys as a user would, clicking Shift where a character
  // needs it.
  void typeOnScreen(std::u16string_view text);
  void clickButton(int number) { keyboard().ButtonClick(&frm().Command(number)); }

  std::filesystem::path directory;
  sim::SimToolkit toolkit;
  std::unique_ptr<sim::SimSystem> system;
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<Application> app;
};

}  // namespace tessarin::test

namespace tessarin::platform {
// Readable test failures for secure text.
inline void PrintTo(const SecureString& text, std::ostream* out) {
  *out << "u\"";
  for (char16_t ch : text.view()) *out << (ch < 128 ? static_cast<char>(ch) : '?');
  *out << "\"";
}
}  // namespace tessarin::platform
