#include "layouts/open_save.h"

#include <algorithm>

#include "keyboard/key_layout.h"

namespace tessarin {

namespace {
constexpr long kDirectoryAttribute = 0x10;
}

cOpenSave::cOpenSave(platform::System& system) : system_(system) { Filter(u"All Files (*.*)|*.*"); }

void cOpenSave::Filter(std::u16string_view filter) {
  filter_.assign(filter);
  std::ranges::replace(filter_, u'|', u'\0');
  int trailing = 0;
  for (auto it = filter_.rbegin(); it != filter_.rend() && *it == u'\0' && trailing < 2; ++it) ++trailing;
  filter_.append(2 - trailing, u'\0');
}

std::u16string cOpenSave::Filter() const {
  std::u16string text = filter_;
  std::ranges::replace(text, u'\0', u'|');
  for (int i = 0; i < 2 && !text.empty() && text.back() == u'|'; ++i) text.pop_back();
  return text;
}

bool cOpenSave::show(bool save) {
  platform::FileDialogRecord record;
  record.save = save;
  record.owner = hwnd;
  record.filter = filter_;
  record.filterIndex = FilterIndex;
  record.fileName = save ? std::u16string(TrimSpaces(FileName)) : FileName;
  record.maxFileSize = MaxFileSize;
  record.fileTitle = FileTitle;
  record.initDir = InitDir;
  record.title = DialogTitle;
  record.flags = flags;
  record.defaultExt = DefaultExt;
  if (!system_.showFileDialog(record)) return CancelError;
  flags = record.flags;
  DefaultExt = record.defaultExt;
  FileName = record.fileName;
  FileTitle = record.fileTitle;
  FileExt = record.fileExtOffset;
  InitDir = record.initDir;
  FilterIndex = record.filterIndex;
  return false;
}

bool cOpenSave::ShowOpen() { return show(false); }
bool cOpenSave::ShowSave() { return show(true); }

bool cOpenSave::ChooseDirectory() {
  const auto folder = system_.browseForFolder(DialogTitle);
  if (!folder) return false;
  Directory = *folder;
  return true;
}

bool cOpenSave::DirExists(std::u16string_view sDirName) const {
  const long attributes = system_.fileAttributes(sDirName);
  return attributes != -1 && (attributes & kDirectoryAttribute);
}

bool cOpenSave::FileExists(std::u16string_view sPathName) const { return system_.fileAttributes(sPathName) != -1; }

}  // namespace tessarin
