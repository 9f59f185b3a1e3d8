#pragma once
// The data of a drag from a text box: one text, offered as Unicode and as ANSI text only.
// The text is held wiped-on-release; copies go out only to a target that asks for them while
// the text may be read (see DragText), and are wiped when the target releases them.
#include <objidl.h>

#include "platform/controls.h"
#include "platform/drag_text.h"
#include "platform/win32/com_object.h"

namespace tessarin::platform::win32 {

class TextDataObject final : public ComObject<IDataObject, IID_IDataObject>, public DragData {
 public:
  TextDataObject() = default;

  void setText(std::u16string_view text, bool heldBackUntilDrop) override { text_.set(text, heldBackUntilDrop); }
  void setPointingOnly() override { text_.pointOnly(); }
  bool dropsOnRelease() const { return text_.dropsOnRelease(); }
  // Called by the drag: the button was released, then the drag loop ended.
  void dropDecided() { text_.dropDecided(); }
  void dragEnded() { text_.dragEnded(); }
  bool textTakenOnDrop() const { return text_.takenOnDrop(); }

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
  static HGLOBAL unicodeCopy(const SecureString& text);
  static HGLOBAL ansiCopy(const SecureString& text);

  DragText text_;
};

}  // namespace tessarin::platform::win32
