#include "platform/win32/drop_target.h"

namespace tessarin::platform::win32 {

DWORD DropTarget::offer(DWORD allowedEffects) const {
  if (!handler_.acceptsDrops()) return DROPEFFECT_NONE;
  if (allowedEffects & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
  return allowedEffects & DROPEFFECT_COPY;
}

HRESULT DropTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = offer(*effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = offer(*effect);
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = handler_.acceptsDrops() ? handler_.drop(*effect) : DROPEFFECT_NONE;
  return S_OK;
}

}  // namespace tessarin::platform::win32
