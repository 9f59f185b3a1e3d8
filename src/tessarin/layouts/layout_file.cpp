// Layout files: the characters of every key in lower and upper case and the action key
// captions, in a profile file. The same sections hold the last imported layout in the settings
// file.
#include "app/decimal_text.h"
#include "keyboard/keyboard.h"
#include "layouts/layout_reader.h"
#include "layouts/open_save.h"
#include "settings/settings_file.h"

namespace tessarin {

namespace {

constexpr std::array<const char16_t*, kActionKeyCount> kActionEntries = {u"Backspace", u"Tab", u"Caps Lock",
                                                                          u"Enter", u"Shift"};
constexpr const char16_t* kLayoutFilter = u"Tessarin language file (*.lng)|*.lng";

std::u16string RowSection(int row, int caseSlot) {
  return u"Row " + DecimalText(row) + (caseSlot == 0 ? u" Lower Case" : u" Upper Case");
}

// Every character entry in file order: section, entry name, key index, case slot.
template <class Visit>
void ForEachCharacterEntry(Visit visit) {
  for (int caseSlot = 0; caseSlot < 2; ++caseSlot)
    for (int row = 0; row < 4; ++row) {
      const std::u16string section = RowSection(row + 1, caseSlot);
      for (int n = 1; n <= kRowKeyCount[row]; ++n)
        visit(section, u"Key " + DecimalText(n), kRowFirstIndex[row] + n - 1, caseSlot);
    }
}

}  // namespace

std::optional<std::u16string> Keyboard::SaveLayoutFile(std::u16string path) {
  std::optional<std::u16string> why;
  auto write = [&](std::u16string_view section, std::u16string_view entry, std::u16string_view value) {
    auto failed = WriteSetting(platform_.system, path, section, entry, value);
    if (!why) why = std::move(failed);
  };
  ForEachCharacterEntry([&](const std::u16string& section, const std::u16string& entry, int index, int caseSlot) {
    write(section, entry, keyLayout_[index][caseSlot]);
  });
  for (int i = 0; i < kActionKeyCount; ++i) write(kActionKeySection, kActionEntries[i], actionKeyText_[i]);
  return why;
}

void Keyboard::LoadLayoutFile(std::u16string_view path) {
  const LayoutReader read = LayoutReaderFor(platform_.system, path);
  ForEachCharacterEntry([&](const std::u16string& section, const std::u16string& entry, int index, int caseSlot) {
    std::u16string value = read(section, entry);
    std::erase(value, u'\0');
    if (!value.empty()) keyLayout_[index][caseSlot] = std::move(value);
  });
  for (int i = 0; i < kActionKeyCount; ++i) {
    std::u16string value = read(kActionKeySection, kActionEntries[i]);
    std::erase(value, u'\0');
    actionKeyText_[i] = std::move(value);
  }
}

void Keyboard::SaveLayoutToSettings() {
  if (const auto why = SaveLayoutFile(settingsFilePath_)) settingsNotKept(*why);
}

cOpenSave& Keyboard::fileDialog() {
  if (!openSave_) openSave_ = std::make_unique<cOpenSave>(platform_.system);
  return *openSave_;
}

void Keyboard::prepareLayoutDialog(const char16_t* title) {
  auto& dialog = fileDialog();
  dialog.DialogTitle = title;
  dialog.Filter(kLayoutFilter);
  dialog.FilterIndex = 1;
  dialog.CancelError = true;
  dialog.FileName = platform_.system.programDirectory() + u"\\*.lng";
}

void Keyboard::CreateNewLayoutFile() {
  prepareLayoutDialog(u"Save As");
  const bool cancelled = fileDialog().ShowSave();
  if (!cancelled) SaveLayoutFile(fileDialog().FileName);
}

}  // namespace tessarin
