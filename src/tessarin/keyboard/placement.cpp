// A random width and position for the keyboard window, so the keys never sit at fixed places.
#include "keyboard/keyboard.h"
#include "keyboard/layout_rules.h"
#include "keyboard/rounding.h"

namespace tessarin {

namespace {
using layout::kHeightAllowance;
using layout::kMinimumBoxHeight;
using layout::kWidthAllowance;
constexpr long kSmallestWidth = 5500;
constexpr long kMargin = 300;
constexpr long kEdgeRoom = 1500;
constexpr long kSmallestOffset = 400;
constexpr long kStandardHeightAllowance = 950;
}  // namespace

void Keyboard::RandomiseFormSizeAndPlacement() {
  isResizing_ = true;
  auto& window = form_->form();
  const auto& screen = platform_.toolkit.screen();

  const double r1 = platform_.system.randomUnit();
  const long targetWidth = RoundEven((screen.width() / 2.0 - kSmallestWidth) * r1 + kSmallestWidth);
  formMargin_ = kMargin;
  const long k = KeySizeFor(targetWidth, formMargin_, screen.twipsPerPixelX());
  auto bounds = window.bounds();
  bounds.width = 2 * formMargin_ + kWidthAllowance + 15 * k;
  window.setBounds(bounds);

  const double r2 = platform_.system.randomUnit();
  bounds.top = RoundEven((screen.height() - bounds.height - kEdgeRoom) * r2 + kSmallestOffset);
  window.setBounds(bounds);
  const double r3 = platform_.system.randomUnit();
  bounds.left = RoundEven((screen.width() - bounds.width - kEdgeRoom) * r3 + kSmallestOffset);
  window.setBounds(bounds);

  auto& password = *form_->txtPassword;
  auto box = password.bounds();
  const long bars = reservedBarHeights();
  const long room = bounds.height - box.top - kHeightAllowance - bars;
  if (room < kMinimumBoxHeight) {
    bounds.height = box.top + kMinimumBoxHeight + kHeightAllowance + bars;
    box.height = kMinimumBoxHeight;
  } else {
    box.height = room;
    bounds.height = 5 * k + kSmallestOffset + 2 * formMargin_ + kStandardHeightAllowance +
                    form_->StatusBar1->bounds().height +
                    (form_->mnuViewToolbar->checked() ? form_->tbToolbar->bounds().height : 0);
  }
  password.setBounds(box);
  window.setBounds(bounds);

  isResizing_ = false;
  Resize(false);
}

}  // namespace tessarin
