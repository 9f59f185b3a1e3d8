// Keeping the cover window exactly over the five key rows of the keyboard window.
#include "keyboard/keyboard.h"

namespace tessarin {

namespace {

// The screen rectangle of the key rows, in twips. Measured from the client area rather than
// from the outer frame, so that the cover fits whatever the frame and menu bar measure.
platform::Twips KeyRowsOnScreen(FrmKeyboard& f) {
  const auto origin = f.form().clientOrigin();
  const auto first = f.Command(1).bounds();
  const auto enter = f.Command(29).bounds();
  return {origin.left + first.left, origin.top + first.top, enter.left + enter.width - first.left,
          5 * first.height};
}

}  // namespace

void Keyboard::placeCover() { formCover_->form().setBounds(KeyRowsOnScreen(*form_)); }

void Keyboard::FormMove(long, long) {
  auto& cover = formCover_->form();
  const auto rows = KeyRowsOnScreen(*form_);
  auto bounds = cover.bounds();
  bounds.left = rows.left;
  bounds.top = rows.top;
  cover.setBounds(bounds);
}

// Restoring the keyboard window after a drag minimised both windows moves it, and that move is
// what brings the cover back over the keys.
void Keyboard::KeyboardWindowMoved(long xPos, long yPos) {
  auto& cover = formCover_->form();
  if (cover.windowState() == platform::WindowState::Minimized) {
    cover.setWindowState(platform::WindowState::Normal);
  } else {
    FormMove(xPos, yPos);
  }
}

void Keyboard::ResetFormCover() {
  formCover_->form().show();
  const auto rect = form_->Command(1).screenRect();
  const auto& screen = platform_.toolkit.screen();
  const auto rows = KeyRowsOnScreen(*form_);
  formCover_->form().setBounds(
      {rect.left * screen.twipsPerPixelX(), rect.top * screen.twipsPerPixelY(), rows.width, rows.height});
}

}  // namespace tessarin
