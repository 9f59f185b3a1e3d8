#include <filesystem>
#include <random>

#include "platform/sim/sim_system.h"
#include "profile_contract.h"

namespace tessarin::contract {

std::u16string contractTempDir() {
  static const std::string dir = [] {
    auto path = std::filesystem::temp_directory_path() / ("tessarin-contract-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return {dir.begin(), dir.end()};
}

platform::System& contractSystem() {
  static sim::SimSystem system(contractTempDir());
  return system;
}

}  // namespace tessarin::contract
