// The toolbar mirrors the engine's state; showing or hiding it moves the window's content.
#include "keyboard/keyboard.h"
#include "settings/settings_file.h"

namespace tessarin {

void Keyboard::RefreshToolbar() {
  auto& toolbar = *form_->tbToolbar;
  if (inputMode_ >= kModeStandard && inputMode_ <= kModeHideMouse) {
    toolbar.setButtonPressed(u"Standard", inputMode_ == kModeStandard);
    toolbar.setButtonPressed(u"Hover", inputMode_ == kModeHover);
    toolbar.setButtonPressed(u"HideMouse", inputMode_ == kModeHideMouse);
  }
  toolbar.setButtonPressed(u"Inject", dragDropMode_ != kDragDrop);
  toolbar.setButtonPressed(u"ToggleMask", !textIsMasked_);
  toolbar.setButtonPressed(u"Beep", beepOnHover_);
  toolbar.setButtonPressed(u"KeepOnTop", form_->mnuFileKeepOnTop->checked());
  toolbar.setButtonPressed(u"KeepPassword", form_->mnuOptionsKeepPasswordAfterDragDrop->checked());
  toolbar.setButtonPressed(u"ScrambleOnScreen", KeysScrambled());
  toolbar.refresh();
}

void Keyboard::ShowToolbar(bool blnShow) {
  auto& f = *form_;
  f.mnuViewToolbar->setChecked(blnShow);
  f.tbToolbar->setVisible(blnShow);
  const long h = f.tbToolbar->bounds().height;
  const long shift = blnShow ? h : -h;
  for (auto* control : f.positionedControls()) {
    auto b = control->bounds();
    b.top += shift;
    control->setBounds(b);
  }
  // Showing grows the window by what hiding took away, so a hide and show cycle keeps its size.
  auto bounds = f.form().bounds();
  bounds.height += shift;
  f.form().setBounds(bounds);
  if (f.form().visible()) writeSetting(u"View Toolbar", blnShow ? u"True" : u"False");
}

}  // namespace tessarin
