#pragma once
// The target side for a text box: the box's owner decides what a drop means; the box itself
// inserts nothing.
#include <oleidl.h>

#include "platform/win32/com_object.h"

namespace tessarin::platform::win32 {

class DropHandler {
 public:
  virtual bool acceptsDrops() const = 0;
  // The effect to report, among those allowed.
  virtual DWORD drop(DWORD allowedEffects) noexcept = 0;

 protected:
  ~DropHandler() = default;
};

class DropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  explicit DropTarget(DropHandler& handler) : handler_(handler) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override;

 private:
  // What the pointer shows over the box.
  DWORD offer(DWORD allowedEffects) const;

  DropHandler& handler_;
};

}  // namespace tessarin::platform::win32
