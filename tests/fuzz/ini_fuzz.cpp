// The INI reader and writer: any bytes parse; a value written is read back; other entries stay.
#include <cstdint>
#include <string>

#include "fuzz_program.h"
#include "platform/common/ini_document.h"

using tessarin::common::IniDocument;
using tessarin::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  IniDocument document(bytes);
  const auto before = document.get("Settings", "Transparency");
  const auto other = document.get("Other", "Key");
  document.set("Settings", "Hover Timer Interval", "750");
  Require(document.get("settings", "HOVER TIMER INTERVAL") == "750", "written value reads back");
  Require(document.get("Other", "Key") == other, "other sections are kept");
  if (before) Require(document.get("Settings", "Transparency").has_value(), "other keys are kept");
  IniDocument reread(document.serialize());
  Require(reread.get("Settings", "Hover Timer Interval") == "750", "value survives serialising");
  return 0;
}
