// source: a program that drags text out of its edit box, as editors do, to see what a drop
// target answers. A left press in the box starts an OLE drag of the box's text; when it ends
// the program logs the result and, when the target reported "move", removes the text as an
// editor does, so that a target that claims a move it did not make loses the user's text.
//
//   ready    hwnd=<main> edit=<edit>
//   dragged  result=<DoDragDrop's result, hex> effect=<what the target reported>
//
//   source.exe <log file> <text>   the window is "Tessarin E2E Source" at 520, 840
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <string>

#include "text_out.h"

namespace {

HANDLE gLog = INVALID_HANDLE_VALUE;
HWND gEdit = nullptr;
WNDPROC gEditProc = nullptr;
std::wstring gText;

template <class Interface>
class Unknown : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != __uuidof(Interface)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static lifetime
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

const FORMATETC kUnicode{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};

class TextData final : public Unknown<IDataObject> {
 public:
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    const size_t bytes = (gText.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(block), gText.c_str(), bytes);
    GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == CF_UNICODETEXT && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return SHCreateStdEnumFmtEtc(1, &kUnicode, formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

class Source final : public Unknown<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

TextData gData;
Source gSource;

LRESULT CALLBACK editProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg != WM_LBUTTONDOWN) return CallWindowProcW(gEditProc, h, msg, w, l);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = DoDragDrop(&gData, &gSource, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
  if (result == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE) SetWindowTextW(gEdit, L"");
  e2e::emitTo(gLog, "dragged\tresult=" + e2e::hex(static_cast<ULONG_PTR>(static_cast<ULONG>(result))) +
                        "\teffect=" + std::to_string(result == DRAGDROP_S_DROP ? effect : 0));
  return 0;
}

LRESULT CALLBACK mainProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(h, msg, w, l);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 1;
  gText = argv[2];
  gLog = CreateFileW(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (gLog == INVALID_HANDLE_VALUE || FAILED(OleInitialize(nullptr))) return 1;
  WNDCLASSW wc{};
  wc.lpfnWndProc = mainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"TsnE2ESource";
  if (!RegisterClassW(&wc)) return 1;
  HWND main = CreateWindowExW(0, wc.lpszClassName, L"Tessarin E2E Source", WS_OVERLAPPEDWINDOW, 520, 840, 460,
                              140, nullptr, nullptr, wc.hInstance, nullptr);
  gEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", gText.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 20, 30,
                          400, 28, main, nullptr, wc.hInstance, nullptr);
  if (!main || !gEdit) return 1;
  gEditProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(gEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
  ShowWindow(main, SW_SHOW);
  e2e::emitTo(gLog, "ready\thwnd=" + e2e::hex(reinterpret_cast<ULONG_PTR>(main)) +
                        "\tedit=" + e2e::hex(reinterpret_cast<ULONG_PTR>(gEdit)));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  OleUninitialize();
  CloseHandle(gLog);
  return 0;
}
