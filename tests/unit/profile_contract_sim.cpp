#include <filesystem>
#include <fstream>
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

void writeContractFile(std::u16string_view path, std::string_view bytes) {
  std::ofstream(sim::SimSystem::NativePath(path), std::ios::binary) << bytes;
}

void makeContractFolder(std::u16string_view path) {
  std::filesystem::create_directories(sim::SimSystem::NativePath(path));
}

platform::System& contractSystem() {
  static sim::SimSystem system(contractTempDir());
  return system;
}

}  // namespace tessarin::contract
