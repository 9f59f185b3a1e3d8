#include "platform/secure_memory.h"

namespace tessarin::platform {

// The simulation has nothing to lock; the memory is still wiped on release.
void lockSecretPages(void*, std::size_t) noexcept {}
void unlockSecretPages(void*, std::size_t) noexcept {}

}  // namespace tessarin::platform
