#include "delivery/frm_drag_note.h"

#include "delivery/injection.h"

namespace tessarin {

namespace {
constexpr long kOffsetFromPointer = 250;
constexpr long kFollowIntervalMs = 20;
// What fits on one line of the note.
constexpr std::size_t kNameChars = 48;

std::u16string CutToFit(std::u16string text) {
  if (text.size() <= kNameChars) return text;
  std::size_t cut = kNameChars - 3;
  // Never half of a surrogate pair.
  if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  return text.substr(0, cut) + u"...";
}
}  // namespace

FrmDragNote::FrmDragNote(platform::Platform& platform)
    : platform_(platform),
      form_(platform.toolkit.createForm({platform::FormStyle::Borderless, u"", kInjectionColor, false})) {
  Box = &form_->addLabel(u"", {});
  Box->setBounds({0, 0, 4095, 1095});
  Box->setBackColor(kInjectionColor);
  Header = &form_->addLabel(u"Tessarin Injection mode:", {u"MS Sans Serif", 8.25, false, true});
  Header->setBounds({120, 0, 3855, 255});
  Header->setBackColor(kInjectionColor);
  Text = &form_->addLabel(u"", {u"MS Sans Serif", 8.25});
  Text->setBounds({120, 360, 3855, 735});
  Text->setBackColor(kInjectionColor);
  Timer1 = &form_->addTimer();
  Timer1->setInterval(kFollowIntervalMs);
  Timer1->onTick = [this] { followPointer(); };
  form_->onLoad = [this] {
    auto b = form_->bounds();
    b.width = Box->bounds().width;
    b.height = Box->bounds().height;
    form_->setBounds(b);
    layout();
  };
}

FrmDragNote::~FrmDragNote() {
  if (form_->loaded()) form_->unload();
}

void FrmDragNote::showFor(bool injection) {
  injection_ = injection;
  const platform::Color color = injection ? kInjectionColor : kDragDropColor;
  const std::u16string keepPressed =
      u"Keep the mouse pressed while you drag the password, then drop the password onto the destination control.";
  if (injection) {
    Header->setCaption(u"Tessarin Injection mode:");
    Text->setCaption(keepPressed + u"\r\nThe 'no drop' icon may display - that's okay,\r\n"
                                   u"Tessarin will still try to inject the data.");
  } else {
    Header->setCaption(u"Tessarin Drag and Drop mode:");
    // The note keeps its full height: the text takes three lines in the system's font.
    Text->setCaption(keepPressed);
  }
  for (auto* label : {Box, Header, Text}) label->setBackColor(color);
  form_->load();
  auto b = form_->bounds();
  b.height = Box->bounds().height;
  form_->setBounds(b);
  layout();
  followPointer();
}

void FrmDragNote::layout() {
  auto header = Header->bounds();
  header = {50, 50, Box->bounds().width - 100, header.height};
  Header->setBounds(header);
  auto text = Text->bounds();
  text.top = header.top + header.height - 50;
  text.height = Box->bounds().height - header.height - 50;
  Text->setBounds(text);
}

void FrmDragNote::followPointer() {
  const auto pointer = platform_.system.cursorPos();
  const long tpp = form_->twipsPerPixel();
  auto b = form_->bounds();
  b.left = pointer.x * tpp + kOffsetFromPointer;
  b.top = pointer.y * tpp + kOffsetFromPointer;
  form_->setBounds(b);
  if (injection_) nameTarget();
}

void FrmDragNote::nameTarget() {
  auto& system = platform_.system;
  const auto target = GetWindowUnderMouse(system);
  if (target == namedTarget_) return;
  namedTarget_ = target;
  std::u16string where;
  if (system.windowOwner(target) == platform::System::WindowOwner::OtherProgram) {
    const auto name = system.windowName(target);
    where = u"Release to type it into:\r\n" + CutToFit(name.program + u" - " + name.title);
  } else {
    where = u"Nothing will be typed here.\r\nRelease over the field the password is for.";
  }
  Text->setCaption(where + u"\r\nThe 'no drop' icon may display - that's okay.");
}

}  // namespace tessarin
