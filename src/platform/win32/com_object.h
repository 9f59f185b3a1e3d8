#pragma once
// IUnknown for the program's COM objects (one interface each), and an owner that releases.
#include <windows.h>
#include <unknwn.h>

#include <memory>

namespace tessarin::platform::win32 {

// Starts with one reference, the creator's; deletes itself when the last one goes.
template <class Interface, const IID& kInterfaceId>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != kInterfaceId) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  LONG references_ = 1;
};

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};

// Holds the reference the creator got from `new`.
template <class T>
using ComOwner = std::unique_ptr<T, ComRelease>;

}  // namespace tessarin::platform::win32
