// OLE drag of a text box: the drag it starts and the automatic start from the selection.
#include <windowsx.h>

#include "platform/win32/callback.h"
#include "platform/win32/data_object.h"
#include "platform/win32/drop_source.h"
#include "platform/win32/form.h"
#include "platform/win32/ole.h"
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
      const int at = charIndexAt(lParam);
      if (start == end || at < static_cast<int>(start) || at >= static_cast<int>(end)) return Gesture::PassOn;
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

int Win32TextBox::charIndexAt(LPARAM point) const {
  return LOWORD(SendMessageW(hwnd(), EM_CHARFROMPOS, 0, point));
}

}  // namespace tessarin::platform::win32
