#include "platform/win32/drop_source.h"

namespace tessarin::platform::win32 {

HRESULT DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
  return S_OK;
}

}  // namespace tessarin::platform::win32
