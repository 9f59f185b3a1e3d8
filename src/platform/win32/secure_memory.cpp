#include "platform/secure_memory.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>

namespace tessarin::platform {
namespace {

// VirtualLock does not count: one VirtualUnlock releases a page that other secrets still share.
// So pages are counted here, locked on their first user and unlocked after their last.
class PageLocks {
 public:
  void add(void* data, std::size_t bytes) { forEachPage(data, bytes, +1); }
  void remove(void* data, std::size_t bytes) { forEachPage(data, bytes, -1); }

 private:
  void forEachPage(void* data, std::size_t bytes, int delta) {
    if (!data || !bytes) return;
    const std::uintptr_t size = pageSize();
    const auto first = reinterpret_cast<std::uintptr_t>(data) / size;
    const auto last = (reinterpret_cast<std::uintptr_t>(data) + bytes - 1) / size;
    std::lock_guard guard(mutex_);
    for (auto page = first; page <= last; ++page) {
      auto* address = reinterpret_cast<void*>(page * size);
      int& users = users_[page];
      users += delta;
      // Failures are ignored: the working-set minimum limits how much can be locked, and the
      // memory is wiped on release either way.
      if (delta > 0 && users == 1) VirtualLock(address, size);
      if (users <= 0) {
        VirtualUnlock(address, size);
        users_.erase(page);
      }
    }
  }

  static std::uintptr_t pageSize() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
  }

  std::mutex mutex_;
  std::map<std::uintptr_t, int> users_;
};

PageLocks& pageLocks() {
  static PageLocks locks;
  return locks;
}

}  // namespace

void lockSecretPages(void* data, std::size_t bytes) noexcept {
  try {
    pageLocks().add(data, bytes);
  } catch (...) {
    // Out of memory for the bookkeeping: the secret stays unlocked but is still wiped.
  }
}

void unlockSecretPages(void* data, std::size_t bytes) noexcept {
  try {
    pageLocks().remove(data, bytes);
  } catch (...) {
    // As above: the pages stay locked until the process ends, which does no harm.
  }
}

}  // namespace tessarin::platform
