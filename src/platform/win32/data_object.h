#pragma once
// The data of a drag from a text box: one text, offered as Unicode and as ANSI text only.
// The text is held wiped-on-release; copies go out only to a target that asks for them, and
// are wiped when the target releases them.
#include <objidl.h>

#include "platform/controls.h"
#include "platform/win32/com_object.h"

namespace tessarin::platform::win32 {

class TextDataObject final : public ComObject<IDataObject, IID_IDataObject>, public DragData {
 public:
  TextDataObject() = default;

  void setText(std::u16string_view text) override { text_.assign(text); }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HGLOBAL unicodeCopy() const;
  HGLOBAL ansiCopy() const;

  SecureString text_;
};

}  // namespace tessarin::platform::win32
