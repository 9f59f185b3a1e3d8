#pragma once
// The source side of a drag: it drops when the left button is released (or, for a drag that
// only points, ends without a drop) and cancels on Escape.
// It tells the data the moment the drop is decided, and remembers how the drag ended.
// Escape is also read from the keyboard itself: the drag loop hears only the keys that reach
// this thread, and while the pointer is over another program they go to that program.
#include <oleidl.h>

#include "platform/win32/com_object.h"
#include "platform/win32/data_object.h"

namespace tessarin::platform::win32 {

class DropSource final : public ComObject<IDropSource, IID_IDropSource> {
 public:
  explicit DropSource(TextDataObject& data) : data_(data) {}

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
    if (escapePressed || GetAsyncKeyState(VK_ESCAPE) < 0) return DRAGDROP_S_CANCEL;
    if (keyState & MK_LBUTTON) return S_OK;
    released_ = true;
    // A drag that only points ends without a drop: no target under it is handed anything.
    if (!data_.dropsOnRelease()) return DRAGDROP_S_CANCEL;
    data_.dropDecided();
    return DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
  bool released() const { return released_; }

 private:
  TextDataObject& data_;
  bool released_ = false;
};

}  // namespace tessarin::platform::win32
