#pragma once
// UTF-16 text that may hold the password. Its storage is locked while in use and wiped
// whenever it is released: when the string grows, shrinks to nothing, is reassigned or dies.
// A vector is used rather than std::u16string because a string's small-buffer storage lives
// inside the object and is never wiped.
#include <initializer_list>
#include <cstddef>
#include <new>
#include <string_view>
#include <vector>

#include "platform/secure_memory.h"

namespace tessarin::platform {

template <class T>
struct SecureAllocator {
  using value_type = T;
  SecureAllocator() = default;
  template <class U>
  SecureAllocator(const SecureAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    T* p = static_cast<T*>(::operator new(n * sizeof(T)));
    lockSecretPages(p, n * sizeof(T));
    return p;
  }
  void deallocate(T* p, std::size_t n) noexcept {
    wipe(p, n * sizeof(T));
    unlockSecretPages(p, n * sizeof(T));
    ::operator delete(p);
  }
  template <class U>
  bool operator==(const SecureAllocator<U>&) const noexcept { return true; }
};

class SecureString {
 public:
  SecureString() = default;
  explicit SecureString(std::u16string_view text) { assign(text); }
  SecureString(const SecureString& other) { assign(other.view()); }
  SecureString& operator=(const SecureString& other) {
    if (this != &other) assign(other.view());
    return *this;
  }
  SecureString(SecureString&&) noexcept = default;
  SecureString& operator=(SecureString&& other) noexcept {
    clear();
    chars_.swap(other.chars_);
    return *this;
  }
  ~SecureString() { clear(); }

  // Wipes the old characters in place before they are replaced.
  void assign(std::u16string_view text) {
    clear();
    chars_.reserve(text.size());
    chars_.assign(text.begin(), text.end());
  }
  void clear() noexcept {
    if (!chars_.empty()) wipe(chars_.data(), chars_.size() * sizeof(char16_t));
    chars_.clear();
  }
  void reserve(std::size_t n) { chars_.reserve(n); }
  void append(std::u16string_view text) { chars_.insert(chars_.end(), text.begin(), text.end()); }
  void append(char16_t ch) { chars_.push_back(ch); }

  std::size_t size() const noexcept { return chars_.size(); }
  bool empty() const noexcept { return chars_.empty(); }
  std::u16string_view view() const noexcept { return {chars_.data(), chars_.size()}; }
  // Characters from pos, at most count of them; positions past the end give less or nothing.
  std::u16string_view substr(std::size_t pos, std::size_t count = std::u16string_view::npos) const {
    if (pos >= size()) return {};
    return view().substr(pos, count);
  }
  char16_t operator[](std::size_t i) const { return chars_[i]; }
  // Direct access for backends that fill the string from the OS.
  void resizeForWrite(std::size_t n) {
    clear();
    chars_.resize(n);
  }
  char16_t* data() noexcept { return chars_.data(); }
  void truncate(std::size_t n) {
    if (n >= size()) return;
    wipe(chars_.data() + n, (size() - n) * sizeof(char16_t));
    chars_.resize(n);
  }

  bool operator==(std::u16string_view other) const noexcept { return view() == other; }
  bool operator==(const SecureString& other) const noexcept { return view() == other.view(); }

 private:
  std::vector<char16_t, SecureAllocator<char16_t>> chars_;
};

// Joins pieces into one secure string without a plain temporary in between.
inline SecureString concat(std::initializer_list<std::u16string_view> parts) {
  std::size_t total = 0;
  for (auto p : parts) total += p.size();
  SecureString out;
  out.reserve(total);
  for (auto p : parts) out.append(p);
  return out;
}

}  // namespace tessarin::platform
