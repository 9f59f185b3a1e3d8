// Delivering the password by a drag from the visible box: the drag carries the text (drag and
// drop) or nothing (injection, which types it at the pointer when the button is released).
// Only a delivery that happened takes the delivered part away; anything else keeps the
// password and the box as they were and tells the user why.
#include "app/decimal_text.h"
#include "app/error_description.h"
#include "delivery/frm_drag_note.h"
#include "delivery/injection.h"
#include "keyboard/keyboard.h"

namespace tessarin {

namespace {

// Procedures that report any error in a plain "err" box, with its number and text, and skip
// the rest.
template <class Steps>
void WithErrBox(platform::Platform& platform, Steps steps) {
  try {
    steps();
  } catch (...) {
    const auto error = DescribeCurrentError();
    platform.toolkit.messageBox(u"err\r\n\r\n" + DecimalText(error.number) + u": " + error.text, u"Tessarin",
                                platform::kOkOnly | platform::kIconCritical, nullptr);
  }
}

// Runs at the end of the scope, however it is left.
template <class Action>
class AtScopeExit {
 public:
  explicit AtScopeExit(Action action) : action_(std::move(action)) {}
  ~AtScopeExit() { action_(); }
  AtScopeExit(const AtScopeExit&) = delete;
  AtScopeExit& operator=(const AtScopeExit&) = delete;

 private:
  Action action_;
};

}  // namespace

void Keyboard::StartDrag(platform::DragData& data, long& allowedEffects) {
  dragReady_ = false;
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
    dragSelLength_ = n;
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
    if (injection)
      data.setPointingOnly();
    else
      data.setText(selectedPassword_.view(), givePasswordOnlyOnDrop_);
    dragNote_->showFor(injection);
    platform_.toolkit.doEvents();
    form_->form().setWindowState(platform::WindowState::Minimized);
    formCover_->form().setWindowState(platform::WindowState::Minimized);
    platform_.toolkit.doEvents();
    dragNote_->form().show();
    platform_.toolkit.doEvents();
    allowedEffects = platform::kDropEffectCopy | platform::kDropEffectMove;
    dragReady_ = true;
  });
}

void Keyboard::CompleteDrag(const platform::DragOutcome& outcome) {
  // Nothing of the delivered text stays behind, nor the note, however the drag ended.
  const AtScopeExit wipeCopies([this] {
    dragNote_.reset();  // already gone unless delivering failed with an error
    selectedPassword_.clear();
    textAfterDrag_.clear();
    passwordAfterDrag_.clear();
  });
  DeliveryResult result;
  WithErrBox(platform_, [&] {
    // A drag whose start failed (and said so) delivers nothing, whatever a target took.
    if (!dragReady_) {
      dragNote_.reset();
      form_->form().setWindowState(platform::WindowState::Normal);
      return;
    }
    auto& box = visibleBox();
    // The note goes once the password is delivered: taking its window down first would keep
    // the target waiting for its first character.
    result = deliver(outcome);
    dragNote_.reset();
    if (result.failure != DeliveryFailure::None) {
      box.setSelStart(dragSelStart_);
      box.setSelLength(dragSelLength_);
      return;
    }
    if (!keepPasswordAfterDragDrop_) currentPassword_ = passwordAfterDrag_;
    box.setText(textAfterDrag_.view());
    box.setSelStart(dragSelStart_);
    box.setSelLength(0);
  });
  if (result.failure != DeliveryFailure::None) tellNotDelivered(result);
  UserInput();
}

DeliveryResult Keyboard::deliver(const platform::DragOutcome& outcome) {
  if (!outcome.released) return {DeliveryFailure::Cancelled, 0};
  if (dragDropMode_ == kInject) return InjectIntoWindowUnderMouse(platform_, selectedPassword_.view());
  if (outcome.effect == 0) return {DeliveryFailure::NothingTookTheDrop, 0};
  if (givePasswordOnlyOnDrop_ && !outcome.textTakenOnDrop) return {DeliveryFailure::NotReadOnDrop, 0};
  return {};
}

// The keyboard comes back, so that the user can try again at once.
void Keyboard::tellNotDelivered(const DeliveryResult& result) {
  WithErrBox(platform_, [&] {
    form_->form().setWindowState(platform::WindowState::Normal);
    platform_.toolkit.messageBox(DeliveryFailureMessage(result), u"Tessarin",
                                 platform::kOkOnly | platform::kIconExclamation, &form_->form());
  });
}

}  // namespace tessarin
