// Keeping the cover window exactly over the five key rows of the keyboard window.
#include "keyboard/keyboard.h"
#include "keyboard/rounding.h"

namespace tessarin {

namespace {

// The screen rectangle of the key rows, in the cover's twips. Measured from the client area
// rather than from the outer frame, so that the cover fits whatever the frame and menu bar
// measure. While the two windows are at different DPIs (one has reached a monitor of another
// scale before the other), the rectangle goes through screen pixels.
platform::Twips KeyRowsOnScreen(FrmKeyboard& f, const platform::Form& cover) {
  const auto origin = f.form().clientOrigin();
  const auto first = f.Command(1).bounds();
  const auto enter = f.Command(29).bounds();
  const platform::Twips rows{origin.left + first.left, origin.top + first.top, enter.left + enter.width - first.left,
                             5 * first.height};
  const long from = f.form().twipsPerPixel();
  const long to = cover.twipsPerPixel();
  if (from == to) return rows;
  const auto convert = [&](long twips) { return RoundEven(static_cast<double>(twips) / from) * to; };
  return {convert(rows.left), convert(rows.top), convert(rows.width), convert(rows.height)};
}

}  // namespace

void Keyboard::placeCover() { formCover_->form().setBounds(KeyRowsOnScreen(*form_, formCover_->form())); }

void Keyboard::FormMove(long, long) {
  auto& cover = formCover_->form();
  const auto rows = KeyRowsOnScreen(*form_, cover);
  auto bounds = cover.bounds();
  bounds.left = rows.left;
  bounds.top = rows.top;
  cover.setBounds(bounds);
}

// The cover goes and comes back with the keyboard window. Minimising the keyboard window moves
// it to the iconic place: the cover is minimised with it rather than following it there, so
// that it comes back over the keys when restoring the keyboard window (after a drag, or after
// the user minimised it) moves that window back.
void Keyboard::KeyboardWindowMoved(long xPos, long yPos) {
  constexpr auto kMinimized = platform::WindowState::Minimized;
  auto& cover = formCover_->form();
  if (form_->form().windowState() == kMinimized) {
    if (cover.windowState() != kMinimized) cover.setWindowState(kMinimized);
  } else if (cover.windowState() == kMinimized) {
    cover.setWindowState(platform::WindowState::Normal);
  } else {
    FormMove(xPos, yPos);
  }
}

void Keyboard::ResetFormCover() {
  auto& cover = formCover_->form();
  cover.show();
  const auto rect = form_->Command(1).screenRect();
  const long tpp = cover.twipsPerPixel();
  const auto rows = KeyRowsOnScreen(*form_, cover);
  cover.setBounds({rect.left * tpp, rect.top * tpp, rows.width, rows.height});
}

}  // namespace tessarin
