#include "delivery/delivery_failure.h"

#include "app/decimal_text.h"

namespace tessarin {

namespace {
constexpr char16_t kStillHere[] = u"\r\n\r\nThe password is still in Tessarin.";
}  // namespace

std::u16string DeliveryFailureMessage(const DeliveryResult& result) {
  switch (result.failure) {
    case DeliveryFailure::None:
      return {};
    case DeliveryFailure::Cancelled:
      return u"The drag was cancelled, so nothing was delivered." + std::u16string(kStillHere);
    case DeliveryFailure::NothingTookTheDrop:
      return u"Nothing took the password where it was dropped, so nothing was delivered." +
             std::u16string(kStillHere) +
             u" Drop it onto a password field, or use Injection Mode for fields that do not take dropped text.";
    case DeliveryFailure::NotReadOnDrop:
      return u"The program where the password was dropped did not read it after the drop, so nothing was "
             u"delivered." +
             std::u16string(kStillHere) +
             u" Some programs read dropped text only while the pointer moves over them: switch off "
             u"\"Give Password Only on Drop\" in the Options menu to deliver to them.";
    case DeliveryFailure::NoWindow:
      return u"There was no window under the pointer, so nothing was typed." + std::u16string(kStillHere);
    case DeliveryFailure::OwnWindow:
      return u"The pointer was over one of Tessarin's own windows, so nothing was typed." +
             std::u16string(kStillHere) + u" Release the button over the field the password is for.";
    case DeliveryFailure::OtherDesktop:
      return u"The window under the pointer is on another desktop, so nothing was typed." +
             std::u16string(kStillHere);
    case DeliveryFailure::Refused:
      return u"The window under the pointer refused the password, so nothing was typed. Windows does this when "
             u"the program runs as administrator and Tessarin does not." +
             std::u16string(kStillHere) +
             u" To type into that program, start Tessarin as administrator too.";
    case DeliveryFailure::Interrupted:
      return u"Typing stopped after " + DecimalText(static_cast<long>(result.typed)) +
             (result.typed == 1 ? u" character" : u" characters") +
             u": the target window closed or another program came to the front." +
             std::u16string(kStillHere) + u" Clear the field and try again.";
  }
  return {};
}

}  // namespace tessarin
