#pragma once
// The program started once on the simulation for a fuzz target, in a directory of its own.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/main.h"
#include "keyboard/keyboard.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_toolkit.h"

namespace tessarin::fuzz {

struct FuzzProgram {
  FuzzProgram() {
    directory = std::filesystem::temp_directory_path() / ("tessarin-fuzz-" + std::to_string(std::rand()));
    std::filesystem::create_directories(directory);
    const std::string dir = directory.string();
    system = std::make_unique<sim::SimSystem>(std::u16string(dir.begin(), dir.end()));
    platform = std::make_unique<platform::Platform>(platform::Platform{toolkit, *system});
    app = Main(*platform);
  }
  Keyboard& keyboard() { return app->Keyboard(); }

  std::filesystem::path directory;
  sim::SimToolkit toolkit;
  std::unique_ptr<sim::SimSystem> system;
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<Application> app;
};

// Stops the run with a message libFuzzer reports as a crash.
inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace tessarin::fuzz
