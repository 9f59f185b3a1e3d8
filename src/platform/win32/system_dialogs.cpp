// The common open and save dialogs and the folder browser.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/win32/late_library.h"
#include "platform/win32/ole.h"
#include "platform/win32/system.h"
#include "platform/win32/text.h"

namespace tessarin::platform::win32 {
namespace {

// Empty texts mean "the dialog's default" (its own title, no extension added).
const wchar_t* orNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

std::wstring upToNull(const std::vector<wchar_t>& buffer) { return std::wstring(buffer.data()); }

constexpr int kTitleCapacity = 260;

}  // namespace

bool Win32System::showFileDialog(FileDialogRecord& record) {
  const std::wstring filter = wideCopy(record.filter);
  const std::wstring initDir = wideCopy(record.initDir);
  const std::wstring title = wideCopy(record.title);
  const std::wstring defaultExt = wideCopy(record.defaultExt);
  const int capacity = std::max(record.maxFileSize, 1);
  std::vector<wchar_t> fileName(static_cast<std::size_t>(capacity) + 1, L'\0');
  wcsncpy(fileName.data(), wideCopy(record.fileName).c_str(), static_cast<std::size_t>(capacity));
  std::vector<wchar_t> fileTitle(kTitleCapacity + 1, L'\0');
  wcsncpy(fileTitle.data(), wideCopy(record.fileTitle).c_str(), kTitleCapacity);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = reinterpret_cast<HWND>(record.owner);
  // The filter already ends in two NULs; wideCopy keeps them and c_str adds one more.
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(record.filterIndex);
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = static_cast<DWORD>(capacity);
  dialog.lpstrFileTitle = fileTitle.data();
  dialog.nMaxFileTitle = kTitleCapacity;
  dialog.lpstrInitialDir = orNull(initDir);
  dialog.lpstrTitle = orNull(title);
  dialog.Flags = static_cast<DWORD>(record.flags);
  dialog.lpstrDefExt = orNull(defaultExt);

  // The dialogs host the shell's views, which expect OLE on the thread.
  startOle();
  requireLateLibrary("comdlg32.dll");
  const BOOL chosen = record.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return false;
  record.flags = static_cast<long>(dialog.Flags);
  record.fileName = fromWide(upToNull(fileName));
  record.fileTitle = fromWide(upToNull(fileTitle));
  record.fileExtOffset = dialog.nFileExtension;
  record.filterIndex = static_cast<int>(dialog.nFilterIndex);
  return true;
}

std::optional<std::u16string> Win32System::browseForFolder(std::u16string_view title) {
  const std::wstring wideTitle = wideCopy(title);
  BROWSEINFOW browse{};
  browse.lpszTitle = wideTitle.c_str();
  startOle();
  PIDLIST_ABSOLUTE folder = SHBrowseForFolderW(&browse);
  if (!folder) return std::nullopt;
  wchar_t path[MAX_PATH] = L"";
  const BOOL found = SHGetPathFromIDListW(folder, path);
  CoTaskMemFree(folder);
  if (!found) return std::nullopt;
  return fromWide(path);
}

}  // namespace tessarin::platform::win32
