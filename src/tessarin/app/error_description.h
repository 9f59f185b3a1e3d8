#pragma once
// What an error in flight is, in the terms a report shows: a number, a text and where it came
// from. The program's own run-time errors keep theirs; a system failure gives its error code
// and the system's message; anything else is reported as an internal error.
#include <string>

namespace tessarin {

struct ErrorDescription {
  long number;
  std::u16string text;
  std::u16string source;
};

// Call only inside a catch block.
ErrorDescription DescribeCurrentError();

}  // namespace tessarin
