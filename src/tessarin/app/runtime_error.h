#pragma once
// The program's run-time error: a number and a description, like the errors the toolkit raises.
#include <stdexcept>
#include <string>

namespace tessarin {

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(long number, std::u16string description, std::u16string source = u"Tessarin")
      : std::runtime_error("run-time error"),
        number_(number),
        description_(std::move(description)),
        source_(std::move(source)) {}
  long number() const noexcept { return number_; }
  const std::u16string& description() const noexcept { return description_; }
  const std::u16string& source() const noexcept { return source_; }

 private:
  long number_;
  std::u16string description_;
  std::u16string source_;
};

// The numbers the toolkit uses for the errors the program can raise itself.
inline constexpr long kErrOverflow = 6;
inline constexpr long kErrSubscriptOutOfRange = 9;

}  // namespace tessarin
