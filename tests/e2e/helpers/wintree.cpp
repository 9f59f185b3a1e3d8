// wintree: lets the end-to-end journeys look at another program's windows from outside, the
// way a logger or an accessibility tool would. One line per window, tab-separated key=value
// pairs, so shell scripts can pick fields with grep and cut.
//
//   wintree.exe                      every top-level window
//   wintree.exe --tree <caption>     that top-level window and all its descendants
//   wintree.exe --close <caption>    post WM_CLOSE to it, as the title-bar close button does
//   wintree.exe --minimize <caption> / --restore <caption>
//                                    post the title-bar button's WM_SYSCOMMAND to it
//   wintree.exe --move <caption> <x> <y>
//                                    move it (screen pixels), as a window manager would
//   wintree.exe --at <x> <y>         the top-level window that a click at that point reaches
//   wintree.exe --foreground         the foreground window
//   wintree.exe --toolbar <caption>  the buttons of that window's toolbar, one line each
//   wintree.exe --access <caption>   which rights a fresh OpenProcess gets to the program that
//                                    owns the window, one field per right (1 granted, 0 denied)
//   wintree.exe --ticks <caption>    the top items of that window's tree view, one line each,
//                                    with their state image (a tick box's: 1 empty, 2 ticked)
//   wintree.exe --end <caption>      end that program as Task Manager does (TerminateProcess
//                                    through a handle opened for that right alone)
//   wintree.exe --chars <caption> <hex>...
//                                    post WM_CHAR with each of those UTF-16 code units to the
//                                    window's first edit control: characters that X input cannot
//                                    type reliably under Wine (see type_into_dialog)
//
// Every line has the window's rectangle (x, y, w, h) and its client area's origin (cx, cy),
// both in screen pixels. An edit control's line also has its text, its selection (sel=start,end)
// and where its characters are (charx: each one's left edge; linetop: the first line's top). A
// slider's line has its position and range (pos, min, max) and its thumb (thumbx, thumby,
// thumbw, thumbh), so that a script can drag it.
// Exit status: 0 done, 2 no such window, 1 bad usage or the call failed.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "remote_buffer.h"
#include "remote_toolbar.h"
#include "text_out.h"

namespace {

using e2e::emit;
using e2e::escaped;
using e2e::hex;

std::wstring className(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return buf;
}

// WM_GETTEXT rather than GetWindowText: across processes GetWindowText only returns the
// caption stored by the window manager, not what an edit control holds.
std::wstring windowText(HWND h) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) return {};
  std::wstring buf(len + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(buf.data()),
                           SMTO_ABORTIFHUNG, 2000, &got))
    return {};
  buf.resize(got);
  return buf;
}

// EM_GETSEL with no pointers answers in its result, so it works across processes.
std::string selection(HWND h) {
  DWORD_PTR packed = 0;
  SendMessageTimeoutW(h, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &packed);
  return std::to_string(LOWORD(packed)) + "," + std::to_string(HIWORD(packed));
}

// The screen position of a character's top left corner.
POINT characterAt(HWND h, size_t index) {
  DWORD_PTR packed = 0;
  SendMessageTimeoutW(h, EM_POSFROMCHAR, index, 0, SMTO_ABORTIFHUNG, 2000, &packed);
  POINT at{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
  ClientToScreen(h, &at);
  return at;
}

// The screen x of each character's left edge, comma-separated, and the top of the first line,
// so that a journey can press the mouse on given characters as a user aims at them.
std::string characterPlaces(HWND h, size_t count) {
  std::string lefts;
  for (size_t i = 0; i < count; ++i) {
    if (i) lefts += ',';
    lefts += std::to_string(characterAt(h, i).x);
  }
  return lefts + "\tlinetop=" + (count ? std::to_string(characterAt(h, 0).y) : std::string());
}

// TBM_GETTHUMBRECT answers through a pointer, so into a buffer in the slider's process.
std::string sliderFields(HWND h) {
  std::string fields = "\tpos=" + std::to_string(SendMessageW(h, TBM_GETPOS, 0, 0));
  fields += "\tmin=" + std::to_string(SendMessageW(h, TBM_GETRANGEMIN, 0, 0));
  fields += "\tmax=" + std::to_string(SendMessageW(h, TBM_GETRANGEMAX, 0, 0));
  RemoteBuffer remote(h, sizeof(RECT));
  RECT thumb{};
  if (!remote.valid()) return fields;
  SendMessageW(h, TBM_GETTHUMBRECT, 0, remote.address());
  if (!remote.read(thumb)) return fields;
  MapWindowPoints(h, HWND_DESKTOP, reinterpret_cast<POINT*>(&thumb), 2);
  return fields + "\tthumbx=" + std::to_string(thumb.left) + "\tthumby=" + std::to_string(thumb.top) +
         "\tthumbw=" + std::to_string(thumb.right - thumb.left) +
         "\tthumbh=" + std::to_string(thumb.bottom - thumb.top);
}

bool isSlider(HWND h) {
  return CompareStringOrdinal(className(h).c_str(), -1, TRACKBAR_CLASSW, -1, TRUE) == CSTR_EQUAL;
}

bool isEdit(HWND h) { return CompareStringOrdinal(className(h).c_str(), -1, L"Edit", -1, TRUE) == CSTR_EQUAL; }

// RichEdit20W and its kin; their character positions are asked differently, so only the text.
bool isRichEdit(HWND h) {
  const std::wstring name = className(h);
  return CompareStringOrdinal(name.substr(0, 8).c_str(), -1, L"RichEdit", -1, TRUE) == CSTR_EQUAL;
}

void describe(HWND h, int depth) {
  RECT r{};
  GetWindowRect(h, &r);
  LONG style = GetWindowLongW(h, GWL_STYLE);
  LONG exStyle = GetWindowLongW(h, GWL_EXSTYLE);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t caption[512] = {};
  InternalGetWindowText(h, caption, 512);

  std::string line = "hwnd=" + hex(reinterpret_cast<ULONG_PTR>(h));
  line += "\tparent=" + hex(reinterpret_cast<ULONG_PTR>(GetAncestor(h, GA_PARENT)));
  line += "\tdepth=" + std::to_string(depth);
  line += "\tpid=" + std::to_string(pid);
  line += "\tclass=" + escaped(className(h));
  line += "\tcaption=" + escaped(caption);
  line += "\tx=" + std::to_string(r.left) + "\ty=" + std::to_string(r.top);
  line += "\tw=" + std::to_string(r.right - r.left) + "\th=" + std::to_string(r.bottom - r.top);
  POINT client{0, 0};
  ClientToScreen(h, &client);
  line += "\tcx=" + std::to_string(client.x) + "\tcy=" + std::to_string(client.y);
  // IsWindowVisible also needs every ancestor visible; the style bit is the control's own.
  line += "\tvisible=" + std::to_string(IsWindowVisible(h) ? 1 : 0);
  line += "\townvisible=" + std::to_string((style & WS_VISIBLE) ? 1 : 0);
  line += "\tstyle=" + hex(static_cast<DWORD>(style));
  line += "\texstyle=" + hex(static_cast<DWORD>(exStyle));
  line += "\ttopmost=" + std::to_string((exStyle & WS_EX_TOPMOST) ? 1 : 0);
  line += "\tlayered=" + std::to_string((exStyle & WS_EX_LAYERED) ? 1 : 0);
  BYTE alpha = 0;
  DWORD flags = 0;
  COLORREF key = 0;
  bool haveAlpha = (exStyle & WS_EX_LAYERED) && GetLayeredWindowAttributes(h, &key, &alpha, &flags) &&
                   (flags & LWA_ALPHA);
  line += "\talpha=" + (haveAlpha ? std::to_string(alpha) : std::string("-"));
  if (isSlider(h)) line += sliderFields(h);
  if (isEdit(h)) {
    DWORD_PTR ch = 0;
    SendMessageTimeoutW(h, EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG, 2000, &ch);
    line += "\tpasschar=" + std::to_string(ch);
    const std::wstring text = windowText(h);
    line += "\ttext=" + escaped(text);
    line += "\tsel=" + selection(h);
    line += "\tcharx=" + characterPlaces(h, text.size());
  } else if (isRichEdit(h)) {
    line += "\tpasschar=0\ttext=" + escaped(windowText(h));
  }
  emit(line);
}

struct FindArgs {
  const wchar_t* caption;
  HWND found;
  int seen;
};

// Exact caption match, so "Tessarin v3" does not also pick up a window whose caption only
// starts with it. A miss says on stderr what the look saw (how many windows, below which
// desktop): that is how a program left on a desktop Wine had closed was found.
HWND findTopLevel(const wchar_t* caption) {
  FindArgs args{caption, nullptr, 0};
  SetLastError(ERROR_SUCCESS);
  const BOOL whole = EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        auto* a = reinterpret_cast<FindArgs*>(p);
        ++a->seen;
        wchar_t buf[512] = {};
        InternalGetWindowText(h, buf, 512);
        if (lstrcmpW(buf, a->caption) == 0) {
          a->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&args));
  const DWORD error = whole ? ERROR_SUCCESS : GetLastError();
  if (!args.found) {
    std::string miss = "wintree: no top-level window is called '" + escaped(caption) + "'; " +
                       std::to_string(args.seen) + " seen, below desktop window " +
                       hex(reinterpret_cast<UINT_PTR>(GetDesktopWindow()));
    if (!whole) miss += ", the enumeration failed with error " + std::to_string(error);
    e2e::emitTo(GetStdHandle(STD_ERROR_HANDLE), miss);
  }
  return args.found;
}

int depthBelow(HWND root, HWND h) {
  int d = 0;
  for (HWND p = h; p && p != root; p = GetParent(p)) ++d;
  return d;
}

struct TreeArgs {
  HWND root;
};

int listTree(const wchar_t* caption) {
  HWND root = findTopLevel(caption);
  if (!root) return 2;
  describe(root, 0);
  TreeArgs args{root};
  EnumChildWindows(
      root,
      [](HWND h, LPARAM p) -> BOOL {
        describe(h, depthBelow(reinterpret_cast<TreeArgs*>(p)->root, h));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&args));
  return 0;
}

int listTopLevel() {
  EnumWindows(
      [](HWND h, LPARAM) -> BOOL {
        describe(h, 0);
        return TRUE;
      },
      0);
  return 0;
}

int postClose(const wchar_t* caption) {
  HWND h = findTopLevel(caption);
  if (!h) return 2;
  return PostMessageW(h, WM_CLOSE, 0, 0) ? 0 : 1;
}

int postSysCommand(const wchar_t* caption, WPARAM command) {
  HWND h = findTopLevel(caption);
  if (!h) return 2;
  return PostMessageW(h, WM_SYSCOMMAND, command, 0) ? 0 : 1;
}

int moveTo(const wchar_t* caption, int x, int y) {
  HWND h = findTopLevel(caption);
  if (!h) return 2;
  return SetWindowPos(h, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
}

int describeTopLevel(HWND h) {
  if (!h) return 2;
  describe(GetAncestor(h, GA_ROOT), 0);
  return 0;
}

int listToolbar(const wchar_t* caption) {
  HWND h = findTopLevel(caption);
  HWND toolbar = h ? FindWindowExW(h, nullptr, TOOLBARCLASSNAMEW, nullptr) : nullptr;
  if (!toolbar) return 2;
  return e2e::listToolbarButtons(toolbar) ? 0 : 1;
}

DWORD processOf(const wchar_t* caption) {
  HWND h = findTopLevel(caption);
  DWORD pid = 0;
  if (h) GetWindowThreadProcessId(h, &pid);
  return pid;
}

int listAccess(const wchar_t* caption) {
  const DWORD pid = processOf(caption);
  if (!pid) return 2;
  static constexpr std::pair<const char*, DWORD> kRights[] = {
      {"vm_read", PROCESS_VM_READ},           {"vm_write", PROCESS_VM_WRITE},
      {"vm_operation", PROCESS_VM_OPERATION}, {"create_thread", PROCESS_CREATE_THREAD},
      {"dup_handle", PROCESS_DUP_HANDLE},     {"suspend_resume", PROCESS_SUSPEND_RESUME},
      {"query_information", PROCESS_QUERY_INFORMATION}, {"write_dac", WRITE_DAC},
      {"synchronize", SYNCHRONIZE},           {"query_limited_information", PROCESS_QUERY_LIMITED_INFORMATION},
      {"terminate", PROCESS_TERMINATE}};
  std::string line = "access";
  for (const auto& [name, right] : kRights) {
    HANDLE process = OpenProcess(right, FALSE, pid);
    line += std::string("\t") + name + "=" + (process ? "1" : "0");
    if (process) CloseHandle(process);
  }
  e2e::emit(line);
  return 0;
}

int endProgram(const wchar_t* caption) {
  const DWORD pid = processOf(caption);
  if (!pid) return 2;
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
  const bool ended = process && TerminateProcess(process, 1);
  if (process) CloseHandle(process);
  return ended ? 0 : 1;
}

// The first descendant of that class of the top-level window with that caption.
HWND firstOfClass(const wchar_t* caption, const wchar_t* windowClass) {
  HWND root = findTopLevel(caption);
  if (!root) return nullptr;
  struct Search {
    const wchar_t* windowClass;
    HWND found;
  } search{windowClass, nullptr};
  EnumChildWindows(
      root,
      [](HWND h, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (lstrcmpiW(className(h).c_str(), s->windowClass) != 0) return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The top items of the window's tree view with their state image (a tick box's: 1 empty, 2
// ticked), read with messages whose answers need no memory in the other process.
int listTicks(const wchar_t* caption) {
  HWND tree = firstOfClass(caption, WC_TREEVIEWW);
  if (!tree) return 2;
  int index = 0;
  for (auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item;
       item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    const auto state = static_cast<UINT>(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
    e2e::emit("item\tindex=" + std::to_string(index++) + "\tstate_image=" + std::to_string((state & TVIS_STATEIMAGEMASK) >> 12));
  }
  return 0;
}

int postChars(const wchar_t* caption, int count, wchar_t** units) {
  HWND edit = firstOfClass(caption, L"Edit");
  if (!edit) return 2;
  for (int i = 0; i < count; ++i) {
    const unsigned long unit = std::wcstoul(units[i], nullptr, 16);
    if (unit == 0 || unit > 0xFFFF || !PostMessageW(edit, WM_CHAR, unit, 1)) return 1;
  }
  return 0;
}

int usage() {
  std::fputs(
      "usage: wintree [--tree|--close|--minimize|--restore <caption> | --move <caption> <x> <y>"
      " | --at <x> <y> | --foreground | --toolbar|--access|--ticks|--end <caption>"
      " | --chars <caption> <hex>...]\n",
      stderr);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 1) return listTopLevel();
  std::wstring option = argv[1];
  if (argc == 2 && option == L"--foreground") return describeTopLevel(GetForegroundWindow());
  if (argc == 3 && option == L"--tree") return listTree(argv[2]);
  if (argc == 3 && option == L"--close") return postClose(argv[2]);
  if (argc == 3 && option == L"--minimize") return postSysCommand(argv[2], SC_MINIMIZE);
  if (argc == 3 && option == L"--restore") return postSysCommand(argv[2], SC_RESTORE);
  if (argc == 3 && option == L"--toolbar") return listToolbar(argv[2]);
  if (argc == 3 && option == L"--access") return listAccess(argv[2]);
  if (argc == 3 && option == L"--ticks") return listTicks(argv[2]);
  if (argc == 3 && option == L"--end") return endProgram(argv[2]);
  if (argc == 4 && option == L"--at")
    return describeTopLevel(WindowFromPoint(POINT{_wtoi(argv[2]), _wtoi(argv[3])}));
  if (argc == 5 && option == L"--move") return moveTo(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
  if (argc >= 4 && option == L"--chars") return postChars(argv[2], argc - 3, argv + 3);
  return usage();
}
