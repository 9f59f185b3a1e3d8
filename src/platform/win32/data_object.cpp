#include "platform/win32/data_object.h"

#include <shlobj.h>

#include <cstring>
#include <new>

#include "platform/secure_memory.h"

namespace tessarin::platform::win32 {
namespace {

FORMATETC textFormat(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

const FORMATETC kFormats[] = {textFormat(CF_UNICODETEXT), textFormat(CF_TEXT)};

bool offered(const FORMATETC& format) {
  return (format.cfFormat == CF_UNICODETEXT || format.cfFormat == CF_TEXT) && (format.tymed & TYMED_HGLOBAL) &&
         format.dwAspect == DVASPECT_CONTENT;
}

// Fills a new block of `bytes` bytes through `fill`, which writes into locked memory.
template <class Fill>
HGLOBAL globalBlock(std::size_t bytes, Fill fill) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!block) return nullptr;
  fill(static_cast<char*>(GlobalLock(block)));
  GlobalUnlock(block);
  return block;
}

// Releases a block handed to a target: a target frees a medium through ReleaseStgMedium, which
// then releases this object instead of freeing the block, so the text is wiped before the
// memory goes back to the heap.
class WipedBlock final : public ComObject<IUnknown, IID_IUnknown> {
 public:
  explicit WipedBlock(HGLOBAL block) : block_(block) {}

 private:
  ~WipedBlock() override {
    if (void* bytes = GlobalLock(block_)) {
      wipe(bytes, GlobalSize(block_));
      GlobalUnlock(block_);
    }
    GlobalFree(block_);
  }

  HGLOBAL block_;
};

}  // namespace

HRESULT TextDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  if (!offered(*format)) return DV_E_FORMATETC;
  const SecureString* text = text_.read();
  // Held back before the drop, or gone after the drag: nothing to give.
  if (!text) return E_ACCESSDENIED;
  HGLOBAL block = format->cfFormat == CF_UNICODETEXT ? unicodeCopy(*text) : ansiCopy(*text);
  if (!block) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  medium->pUnkForRelease = new (std::nothrow) WipedBlock(block);
  if (!medium->pUnkForRelease) {
    GlobalFree(block);
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT TextDataObject::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  return offered(*format) ? S_OK : DV_E_FORMATETC;
}

HRESULT TextDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (!out) return E_INVALIDARG;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT TextDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (direction != DATADIR_GET) return E_NOTIMPL;
  return SHCreateStdEnumFmtEtc(static_cast<UINT>(std::size(kFormats)), kFormats, formats);
}

HGLOBAL TextDataObject::unicodeCopy(const SecureString& text) {
  const std::size_t bytes = text.size() * sizeof(char16_t);
  return globalBlock(bytes + sizeof(char16_t), [&](char* out) { std::memcpy(out, text.view().data(), bytes); });
}

// Converted straight into the block, so that no ANSI copy is left behind in our own memory.
HGLOBAL TextDataObject::ansiCopy(const SecureString& text) {
  const auto* source = reinterpret_cast<const wchar_t*>(text.view().data());
  const int length = static_cast<int>(text.size());
  const int bytes = length ? WideCharToMultiByte(CP_ACP, 0, source, length, nullptr, 0, nullptr, nullptr) : 0;
  return globalBlock(static_cast<std::size_t>(bytes) + 1, [&](char* out) {
    if (bytes) WideCharToMultiByte(CP_ACP, 0, source, length, out, bytes, nullptr, nullptr);
  });
}

}  // namespace tessarin::platform::win32
