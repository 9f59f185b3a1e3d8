#pragma once
// The profile-file contract, run against every backend so the two cannot drift apart.
// Each test runner defines these functions.
#include <string>

#include "platform/system.h"

namespace tessarin::contract {

platform::System& contractSystem();
// A writable directory for the test's files, without a trailing separator.
std::u16string contractTempDir();
// Puts exactly these bytes into a file, as an earlier version or another editor left it.
void writeContractFile(std::u16string_view path, std::string_view bytes);
// Makes a folder (its parent exists).
void makeContractFolder(std::u16string_view path);

}  // namespace tessarin::contract
