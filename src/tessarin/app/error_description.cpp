#include "app/error_description.h"

#include <new>
#include <system_error>

#include "app/runtime_error.h"
#include "platform/common/utf8.h"

namespace tessarin {

namespace {
// The toolkit's numbers for these.
constexpr long kErrOutOfMemory = 7;
constexpr long kErrInternal = 51;
}  // namespace

ErrorDescription DescribeCurrentError() {
  try {
    throw;
  } catch (const RuntimeError& error) {
    return {error.number(), error.description(), error.source()};
  } catch (const std::system_error& error) {
    return {error.code().value(), common::Utf8ToUtf16(error.what()), u"Windows"};
  } catch (const std::bad_alloc&) {
    return {kErrOutOfMemory, u"Out of memory", u"Tessarin"};
  } catch (const std::exception& error) {
    return {kErrInternal, u"Internal error: " + common::Utf8ToUtf16(error.what()), u"Tessarin"};
  } catch (...) {
    return {kErrInternal, u"Internal error", u"Tessarin"};
  }
}

}  // namespace tessarin
