// OLE drag of a text box: the drag it starts, the automatic start from the selection, and
// whether a point lies on the selected characters.
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "platform/common/text_span.h"
#include "platform/common/utf16.h"
#include "platform/win32/callback.h"
#include "platform/win32/data_object.h"
#include "platform/win32/drop_source.h"
#include "platform/win32/form.h"
#include "platform/win32/ole.h"
#include "platform/win32/text.h"
#include "platform/win32/text_box.h"
#include "platform/win32/toolkit.h"

namespace tessarin::platform::win32 {

void Win32TextBox::startDrag() {
  ComOwner<TextDataObject> data(new TextDataObject);
  ComOwner<DropSource> source(new DropSource(*data));
  long allowedEffects = kDropEffectCopy | kDropEffectMove;
  fire(onOleStartDrag, static_cast<DragData&>(*data), allowedEffects);
  DWORD effect = DROPEFFECT_NONE;
  // Runs the drag loop until the button is released or Escape is pressed. Without OLE there is
  // no drag: the outcome is that of one that dropped nothing.
  const HRESULT result = !startOle() ? CO_E_NOTINITIALIZED : DoDragDrop(data.get(), source.get(), static_cast<DWORD>(allowedEffects), &effect);
  // A target may keep the data object: from now on it gives nothing.
  data->dragEnded();
  const DragOutcome outcome{source->released(), result == DRAGDROP_S_DROP ? static_cast<long>(effect) : 0L,
                            data->textTakenOnDrop()};
  fire(onOleCompleteDrag, outcome);
}

Win32TextBox::Gesture Win32TextBox::dragGesture(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      DWORD start = 0;
      DWORD end = 0;
      SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      if (!onCharacters(static_cast<int>(start), static_cast<int>(end), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
        return Gesture::PassOn;
      pressedOnSelection_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      SetFocus(hwnd());
      SetCapture(hwnd());
      return Gesture::Swallow;
    }
    case WM_MOUSEMOVE: {
      if (!pressedOnSelection_) return Gesture::PassOn;
      if (!(wParam & MK_LBUTTON)) {
        pressedOnSelection_.reset();
        return Gesture::PassOn;
      }
      const bool farEnough = std::abs(GET_X_LPARAM(lParam) - pressedOnSelection_->x) > GetSystemMetrics(SM_CXDRAG) ||
                             std::abs(GET_Y_LPARAM(lParam) - pressedOnSelection_->y) > GetSystemMetrics(SM_CYDRAG);
      if (!farEnough) return Gesture::Swallow;
      pressedOnSelection_.reset();
      ReleaseCapture();
      return Gesture::StartDrag;
    }
    case WM_LBUTTONUP: {
      if (!pressedOnSelection_) return Gesture::PassOn;
      // A click on the selection without a drag puts the caret where it was pressed.
      const POINT pressed = *pressedOnSelection_;
      pressedOnSelection_.reset();
      ReleaseCapture();
      const int at = clampToText(charIndexAt(MAKELPARAM(pressed.x, pressed.y)));
      select(at, at);
      return Gesture::Swallow;
    }
    default:
      return Gesture::PassOn;
  }
}

bool Win32TextBox::isOnCharacters(int start, int length, float x, float y) const {
  if (!hwnd()) return false;  // a box without a window has no text
  const long tpp = twipsPerPixel();
  const POINT point{static_cast<LONG>(std::floor(x / tpp)), static_cast<LONG>(std::floor(y / tpp))};
  return onCharacters(start, start + std::max(length, 0), point);
}

bool Win32TextBox::onCharacters(int start, int end, POINT point) const {
  const HWND box = hwnd();
  const int length = GetWindowTextLengthW(box);
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  if (start == end) return false;
  // Only the characters on the line under the point count.
  const int line = HIWORD(SendMessageW(box, EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y)));
  const int lineStart = static_cast<int>(SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
  const int lineEnd = lineStart + static_cast<int>(SendMessageW(box, EM_LINELENGTH, static_cast<WPARAM>(lineStart), 0));
  const int first = std::max(start, lineStart);
  const int last = std::min(end, lineEnd);
  if (first >= last) return false;
  // The right edge of the last character is where it is drawn plus its width: the edit gives
  // no position after the last character of the text.
  const SecureString text = this->text();
  const std::u16string_view units = text.view();
  const bool pair = last - first >= 2 && common::IsHighSurrogate(units[last - 2]);
  const int lastStart = pair ? last - 2 : last - 1;
  const auto passwordChar = static_cast<wchar_t>(SendMessageW(box, EM_GETPASSWORDCHAR, 0, 0));
  const std::wstring_view drawn(wide(units.data() + lastStart), static_cast<std::size_t>(last - lastStart));
  const std::wstring masked(drawn.size(), passwordChar);
  HDC dc = GetDC(box);
  const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
  SIZE width{};
  TEXTMETRICW metrics{};
  GetTextExtentPoint32W(dc, passwordChar ? masked.data() : drawn.data(), static_cast<int>(drawn.size()), &width);
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, oldFont);
  ReleaseDC(box, dc);
  const LRESULT firstAt = SendMessageW(box, EM_POSFROMCHAR, static_cast<WPARAM>(first), 0);
  const LRESULT lastAt = SendMessageW(box, EM_POSFROMCHAR, static_cast<WPARAM>(lastStart), 0);
  const common::TextSpan span{GET_X_LPARAM(firstAt), GET_X_LPARAM(lastAt) + width.cx, GET_Y_LPARAM(firstAt),
                              GET_Y_LPARAM(firstAt) + metrics.tmHeight};
  return common::IsOnTextSpan(span, point.x, point.y);
}

int Win32TextBox::charIndexAt(LPARAM point) const {
  return LOWORD(SendMessageW(hwnd(), EM_CHARFROMPOS, 0, point));
}

}  // namespace tessarin::platform::win32
