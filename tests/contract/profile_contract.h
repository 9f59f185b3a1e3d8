#pragma once
// The profile-file contract, run against every backend so the two cannot drift apart.
// Each test runner defines these two functions.
#include <string>

#include "platform/system.h"

namespace tessarin::contract {

platform::System& contractSystem();
// A writable directory for the test's files, without a trailing separator.
std::u16string contractTempDir();

}  // namespace tessarin::contract
