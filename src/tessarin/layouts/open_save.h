#pragma once
// The open and save dialogs and the folder browser behind properties, in the manner of a
// common-dialog control. The program keeps one instance, so unset properties keep the values
// of the previous use.
#include <string>

#include "platform/system.h"

namespace tessarin {

class cOpenSave {
 public:
  explicit cOpenSave(platform::System& system);

  // True only when the dialog ended without a file and CancelError is set.
  bool ShowOpen();
  bool ShowSave();
  // True when a folder was chosen; the folder is then in Directory.
  bool ChooseDirectory();
  bool DirExists(std::u16string_view sDirName) const;
  bool FileExists(std::u16string_view sPathName) const;

  // Stored the way the dialog needs it: pairs separated by NUL and ending in two NULs.
  void Filter(std::u16string_view filter);
  std::u16string Filter() const;

  bool CancelError = false;
  std::u16string DefaultExt;
  std::u16string DialogTitle;
  std::u16string FileName;
  std::u16string FileTitle;
  int FilterIndex = 1;
  long flags = 0;
  std::u16string InitDir = u"C:\\";
  int MaxFileSize = 260;
  platform::WindowId hwnd = 0;
  int FileExt = 0;
  std::u16string Directory;

 private:
  bool show(bool save);
  platform::System& system_;
  std::u16string filter_;
};

}  // namespace tessarin
