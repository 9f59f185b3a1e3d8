// Delivering the password by a drag from the visible box: the drag carries the text (drag and
// drop) or nothing (injection, which types it at the pointer when the drag ends).
#include "app/runtime_error.h"
#include "delivery/frm_drag_note.h"
#include "delivery/injection.h"
#include "keyboard/keyboard.h"

namespace tessarin {

namespace {
// Procedures that report any run-time error in a plain "err" box and skip the rest.
template <class Steps>
void WithErrBox(platform::Platform& platform, Steps steps) {
  try {
    steps();
  } catch (const RuntimeError&) {
    platform.toolkit.messageBox(u"err", u"Tessarin", platform::kOkOnly, nullptr);
  }
}
}  // namespace

void Keyboard::StartDrag(platform::DragData& data, long& allowedEffects) {
  WithErrBox(platform_, [&] {
    auto& box = visibleBox();
    // The plain box is the user's own text, typed or entered with the keys: deliver what it
    // shows, and keep the password in step with it.
    if (&box == form_->txtText) currentPassword_ = box.text();
    const int s = box.selStart();
    const int n = box.selLength();
    const auto& p = currentPassword_;
    passwordAfterDrag_ = platform::concat({p.substr(0, s), p.substr(s + n)});
    dragSelStart_ = s;
    if (n < 1) {
      selectedPassword_ = p;
      textAfterDrag_ = box.text();
    } else {
      selectedPassword_.assign(p.substr(s, n));
      textAfterDrag_ = keepPasswordAfterDragDrop_ ? box.text() : passwordAfterDrag_;
      if (!keepPasswordAfterDragDrop_ && &box == form_->txtPassword)
        textAfterDrag_.assign(std::u16string(passwordAfterDrag_.size(), u'*'));
    }
    dragNote_ = std::make_unique<FrmDragNote>(platform_);
    const bool injection = dragDropMode_ != kDragDrop;
    data.setText(injection ? std::u16string_view() : selectedPassword_.view());
    dragNote_->showFor(injection);
    platform_.toolkit.doEvents();
    form_->form().setWindowState(platform::WindowState::Minimized);
    formCover_->form().setWindowState(platform::WindowState::Minimized);
    platform_.toolkit.doEvents();
    dragNote_->form().show();
    platform_.toolkit.doEvents();
    allowedEffects = platform::kDropEffectCopy | platform::kDropEffectMove;
  });
}

void Keyboard::CompleteDrag() {
  WithErrBox(platform_, [&] {
    dragNote_.reset();
    auto& box = visibleBox();
    if (dragDropMode_ == kInject) InjectIntoWindowUnderMouse(platform_, selectedPassword_.view());
    if (!keepPasswordAfterDragDrop_) currentPassword_ = passwordAfterDrag_;
    box.setText(textAfterDrag_.view());
    box.setSelStart(dragSelStart_);
    box.setSelLength(0);
    selectedPassword_.clear();
  });
  // Nothing of the delivered text stays behind, whether the drag ended well or not.
  selectedPassword_.clear();
  textAfterDrag_.clear();
  passwordAfterDrag_.clear();
}

}  // namespace tessarin
