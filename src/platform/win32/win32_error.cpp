#include "platform/win32/win32_error.h"

#include <string>

namespace tessarin::platform::win32 {

namespace {

class WindowsCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "Windows"; }
  std::string message(int code) const override {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message;
    if (length) {
      const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
      message.resize(static_cast<std::size_t>(bytes));
      WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), message.data(), bytes, nullptr, nullptr);
      LocalFree(text);
    }
    // The system's messages end in a line break.
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
      message.pop_back();
    return message.empty() ? "Windows error " + std::to_string(code) : message;
  }
};

}  // namespace

const std::error_category& windowsCategory() {
  static const WindowsCategory category;
  return category;
}

}  // namespace tessarin::platform::win32
