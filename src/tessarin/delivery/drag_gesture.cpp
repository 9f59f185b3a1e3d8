// The gesture that turns a press in the password box into a drag: a left press on the
// remembered selection's characters, as they are drawn, arms it and the next move with the
// button held starts it. The plain box starts its drags by itself, by the same rule.
#include "app/application.h"
#include "keyboard/keyboard.h"
#include "ui/frm_keyboard.h"

namespace tessarin {

void FrmKeyboard::wireDragGesture() {
  auto& box = *txtPassword;
  box.onDblClick = [this, &box] {
    box.setSelStart(0);
    box.setSelLength(static_cast<int>(box.text().size()));
    SavedSelStart = box.selStart();
    SavedSelLength = box.selLength();
  };
  box.onMouseDown = [this, &box](const platform::MouseEvent& e) {
    const int caret = box.selStart();
    // By pixels: the caret the box has just put at the press may lie on either side of the
    // character pressed.
    const bool inside = e.button == platform::kLeftButton && SavedSelLength > 0 &&
                        box.isOnCharacters(SavedSelStart, SavedSelLength, e.x, e.y);
    if (inside) {
      box.setSelStart(SavedSelStart);
      box.setSelLength(SavedSelLength);
      DragArmed = true;
    } else {
      SavedSelStart = caret;
      SavedSelLength = box.selLength();
      DragArmed = false;
    }
    if (e.button == platform::kRightButton) platform_.system.emptyClipboard();
  };
  box.onMouseMove = [this, &box](const platform::MouseEvent& e) {
    if (e.button == platform::kLeftButton && DragArmed && SavedSelLength > 0) {
      box.setSelStart(SavedSelStart);
      box.setSelLength(SavedSelLength);
      DragArmed = false;
      box.startDrag();
    } else {
      SavedSelStart = box.selStart();
      SavedSelLength = box.selLength();
    }
    if (cKeyboard) cKeyboard->MouseMoveInTextBox(e.button, e.shift, e.x, e.y);
  };
  box.onMouseUp = [this, &box](const platform::MouseEvent&) {
    DragArmed = false;
    const int caret = box.selStart();
    // A release with the caret outside the remembered selection (its end included) drops it.
    if (!(caret >= SavedSelStart && caret < SavedSelStart + SavedSelLength)) box.setSelLength(0);
  };

  box.onOleStartDrag = [this](platform::DragData& data, long& allowedEffects) {
    reportErrors(u"txtPassword_OLEStartDrag", [&] { cKeyboard->StartDrag(data, allowedEffects); });
  };
  box.onOleCompleteDrag = [this](const platform::DragOutcome& outcome) {
    reportErrors(u"txtPassword_OLECompleteDrag", [&] { cKeyboard->CompleteDrag(outcome); });
  };
  txtText->setAutomaticDrag(true);
  txtText->onOleStartDrag = [this](platform::DragData& data, long& allowedEffects) {
    reportErrors(u"txtText_OLEStartDrag", [&] { cKeyboard->StartDrag(data, allowedEffects); });
  };
  txtText->onOleCompleteDrag = [this](const platform::DragOutcome& outcome) {
    reportErrors(u"txtText_OLECompleteDrag", [&] { cKeyboard->CompleteDrag(outcome); });
  };
}

}  // namespace tessarin
