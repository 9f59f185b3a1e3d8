#pragma once
// Memory that holds a secret: wiped before release, and kept out of the pagefile where the
// backend can do that.
#include <cstddef>

namespace tessarin::platform {

// Keeps the pages of [data, data + bytes) in physical memory where the OS allows it.
// Failure is not an error: the memory is still wiped when released.
void lockSecretPages(void* data, std::size_t bytes) noexcept;
void unlockSecretPages(void* data, std::size_t bytes) noexcept;

// Overwrites memory with zeros through a volatile pointer so the optimiser cannot drop it.
inline void wipe(void* data, std::size_t bytes) noexcept {
  auto* p = static_cast<volatile unsigned char*>(data);
  for (std::size_t i = 0; i < bytes; ++i) p[i] = 0;
}

}  // namespace tessarin::platform
