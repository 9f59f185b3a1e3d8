#pragma once
// What the program receives from a backend at start-up.
#include "platform/system.h"
#include "platform/toolkit.h"

namespace tessarin::platform {

struct Platform {
  Toolkit& toolkit;
  System& system;
};

}  // namespace tessarin::platform
