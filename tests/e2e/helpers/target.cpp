// target: a program the password is delivered to. Its window holds one edit box that is an OLE
// drop target, like the text fields of ordinary programs, and it writes what happens to a log
// file, one tab-separated record per line, written at once so a journey can wait on it:
//
//   ready   hwnd=<main> edit=<edit> acp=<the ANSI code page CF_TEXT is in>
//   enter   allowed=<effects> formats=<names, comma-separated, as the data object lists them>
//   peek    when=enter|over unicode=<CF_UNICODETEXT, escaped UTF-8, or "-" when refused>
//           (with --peek only: the text is asked for on entering and on every move, as some
//           programs do before any drop)
//   drop    allowed=<effects> effect=<what the target answered> formats=<names>
//           unicode=<CF_UNICODETEXT, escaped UTF-8, or "-" when refused>
//           ansi=<CF_TEXT bytes in hex up to the NUL, or "-" when refused>
//   change  time_us=<microseconds since 1970> text=<the edit's whole text, escaped UTF-8>
//
// A drop inserts the Unicode text at the caret and answers "copy", as text fields do.
// "change" follows every change of the edit's text (drops, typing and posted characters alike),
// so its time can be compared with the sender's clock.
//
//   target.exe [options] <log file> [caption [x y]]   defaults: "Tessarin E2E Target" at 40,
//                                                    840 (the bottom left, clear of notepad)
//   --peek         as above
//   --busy MS      is busy for MS milliseconds on every mouse press, before it handles it
//   --close-early  closes its window after the first change of its text
#include <windows.h>
#include <ole2.h>

#include <string>

#include "clock.h"
#include "text_out.h"

namespace {

using e2e::escaped;

HANDLE gLog = INVALID_HANDLE_VALUE;
HWND gEdit = nullptr;
bool gPeek = false;
DWORD gBusyMs = 0;
bool gCloseEarly = false;
constexpr int kEditId = 100;

void log(const std::string& line) {
  e2e::emitTo(gLog, line);
}

std::string formatName(CLIPFORMAT format) {
  switch (format) {
    case CF_TEXT: return "CF_TEXT";
    case CF_UNICODETEXT: return "CF_UNICODETEXT";
    case CF_OEMTEXT: return "CF_OEMTEXT";
    case CF_LOCALE: return "CF_LOCALE";
    case CF_HDROP: return "CF_HDROP";
  }
  wchar_t name[128] = {};
  if (GetClipboardFormatNameW(format, name, 128) > 0) return escaped(name);
  return std::to_string(format);
}

std::string formatsOf(IDataObject* data) {
  IEnumFORMATETC* formats = nullptr;
  if (!data || FAILED(data->EnumFormatEtc(DATADIR_GET, &formats)) || !formats) return "-";
  std::string names;
  FORMATETC format;
  ULONG got = 0;
  while (formats->Next(1, &format, &got) == S_OK && got == 1) {
    if (format.ptd) CoTaskMemFree(format.ptd);
    if (!names.empty()) names += ',';
    names += formatName(format.cfFormat);
  }
  formats->Release();
  return names;
}

// The bytes of a text format up to its terminating NUL (two bytes wide for Unicode).
bool textData(IDataObject* data, CLIPFORMAT format, std::string& bytes) {
  FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&wanted, &medium))) return false;
  const auto* p = static_cast<const char*>(GlobalLock(medium.hGlobal));
  const size_t size = GlobalSize(medium.hGlobal);
  const size_t unit = format == CF_UNICODETEXT ? 2 : 1;
  size_t at = 0;
  while (p && at + unit <= size && std::string(p + at, unit) != std::string(unit, '\0')) at += unit;
  bytes.assign(p ? p : "", at);
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  return true;
}

class DropTarget final : public IDropTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDropTarget) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&references_); }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    log("enter\tallowed=" + std::to_string(*effect) + "\tformats=" + formatsOf(data));
    data_ = data;
    peek("enter");
    *effect = answer(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    peek("over");
    *effect = answer(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    data_ = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    data_ = nullptr;
    const DWORD allowed = *effect;
    *effect = answer(allowed);
    // The formats first and the data last, as many programs ask for them.
    const std::string formats = formatsOf(data);
    std::string unicode;
    std::string ansi;
    const bool haveUnicode = textData(data, CF_UNICODETEXT, unicode);
    const bool haveAnsi = textData(data, CF_TEXT, ansi);
    const std::wstring text(reinterpret_cast<const wchar_t*>(unicode.data()), unicode.size() / 2);
    log("drop\tallowed=" + std::to_string(allowed) + "\teffect=" + std::to_string(*effect) +
        "\tformats=" + formats + "\tunicode=" + (haveUnicode ? escaped(text) : "-") +
        "\tansi=" + (haveAnsi ? e2e::hexBytes(ansi) : "-"));
    SendMessageW(gEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return S_OK;
  }

 private:
  void peek(const char* when) {
    if (!gPeek || !data_) return;
    std::string unicode;
    const bool have = textData(data_, CF_UNICODETEXT, unicode);
    const std::wstring text(reinterpret_cast<const wchar_t*>(unicode.data()), unicode.size() / 2);
    log(std::string("peek\twhen=") + when + "\tunicode=" + (have ? escaped(text) : "-"));
  }
  static DWORD answer(DWORD allowed) { return allowed & DROPEFFECT_COPY ? DROPEFFECT_COPY : allowed & DROPEFFECT_MOVE; }
  LONG references_ = 1;  // static lifetime: the window owns the only real reference
  IDataObject* data_ = nullptr;  // the drag under way, between entering and leaving
};

DropTarget gDropTarget;

std::wstring editText() {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(gEdit)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(gEdit, text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT CALLBACK mainProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(w) == kEditId && HIWORD(w) == EN_CHANGE) {
        const long long when = e2e::nowMicroseconds();
        log("change\ttime_us=" + std::to_string(when) + "\ttext=" + escaped(editText()));
        if (gCloseEarly) DestroyWindow(h);
      }
      return 0;
    case WM_SETFOCUS:
      SetFocus(gEdit);
      return 0;
    case WM_DESTROY:
      RevokeDragDrop(gEdit);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(h, msg, w, l);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  for (; argc > 1 && std::wstring(argv[1]).rfind(L"--", 0) == 0; --argc, ++argv) {
    const std::wstring option = argv[1];
    if (option == L"--peek") {
      gPeek = true;
    } else if (option == L"--close-early") {
      gCloseEarly = true;
    } else if (option == L"--busy" && argc > 2) {
      gBusyMs = static_cast<DWORD>(_wtoi(argv[2]));
      --argc;
      ++argv;
    } else {
      return 1;
    }
  }
  if (argc != 2 && argc != 3 && argc != 5) return 1;
  const std::wstring caption = argc >= 3 ? argv[2] : L"Tessarin E2E Target";
  const int x = argc == 5 ? _wtoi(argv[3]) : 40;
  const int y = argc == 5 ? _wtoi(argv[4]) : 840;
  gLog = CreateFileW(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (gLog == INVALID_HANDLE_VALUE) return 1;
  if (FAILED(OleInitialize(nullptr))) return 1;

  WNDCLASSW wc{};
  wc.lpfnWndProc = mainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"TsnE2ETarget";
  if (!RegisterClassW(&wc)) return 1;
  HWND main = CreateWindowExW(0, wc.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, x, y, 460, 140,
                              nullptr, nullptr, wc.hInstance, nullptr);
  if (!main) return 1;
  gEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 20,
                          30, 400, 28, main, reinterpret_cast<HMENU>(kEditId), wc.hInstance, nullptr);
  if (!gEdit || FAILED(RegisterDragDrop(gEdit, &gDropTarget))) return 1;
  ShowWindow(main, SW_SHOW);
  log("ready\thwnd=" + e2e::hex(reinterpret_cast<ULONG_PTR>(main)) +
      "\tedit=" + e2e::hex(reinterpret_cast<ULONG_PTR>(gEdit)) + "\tacp=" + std::to_string(GetACP()));

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_LBUTTONDOWN) Sleep(gBusyMs);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  OleUninitialize();
  CloseHandle(gLog);
  return 0;
}
