// Loading any file as a layout never fails, and the captions can always be written afterwards.
#include <cstdint>
#include <fstream>

#include "fuzz_program.h"

using tessarin::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tessarin::fuzz::FuzzProgram program;
  const auto path = program.directory / "fuzz.lng";
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  const std::string native = path.string();
  auto& kb = program.keyboard();
  kb.LoadLayoutFile(std::u16string(native.begin(), native.end()));
  kb.SetKeyCaptions();
  for (const auto& key : kb.KeyLayout()) Require(key[0].size() <= 254 && key[1].size() <= 254, "values are cut");
  for (int number : {15, 16, 29, 30, 42, 53})
    Require(!kb.Form().Command(number).caption().empty(), "action keys always show a caption");
  return 0;
}
