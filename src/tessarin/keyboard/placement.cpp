// A random width and position for the keyboard window, so the keys never sit at fixed places:
// on the monitor the window is on, wholly inside its work area.
#include <algorithm>

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

// The whole window inside the work area: pushed back from its right and bottom edges, and
// never above or left of it.
platform::Twips KeptInside(platform::Twips window, const platform::Twips& area) {
  window.left = std::max(area.left, std::min(window.left, area.left + area.width - window.width));
  window.top = std::max(area.top, std::min(window.top, area.top + area.height - window.height));
  return window;
}

}  // namespace

void Keyboard::RandomiseFormSizeAndPlacement() {
  isResizing_ = true;
  auto& window = form_->form();
  // The monitor the window is on and the window's DPI, both in the window's own twips.
  const auto area = window.workArea();

  const double r1 = platform_.system.randomUnit();
  const long targetWidth = RoundEven((area.width / 2.0 - kSmallestWidth) * r1 + kSmallestWidth);
  formMargin_ = kMargin;
  const long k = KeySizeFor(targetWidth, formMargin_, window.twipsPerPixel());
  // The window moves once, to its final place: every move of a top-level window costs the
  // system a round of monitor and DPI look-ups, and nothing reads the window in between.
  auto bounds = window.bounds();
  bounds.width = 2 * formMargin_ + kWidthAllowance + 15 * k;

  const double r2 = platform_.system.randomUnit();
  bounds.top = area.top + RoundEven((area.height - bounds.height - kEdgeRoom) * r2 + kSmallestOffset);
  const double r3 = platform_.system.randomUnit();
  bounds.left = area.left + RoundEven((area.width - bounds.width - kEdgeRoom) * r3 + kSmallestOffset);

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
  window.setBounds(KeptInside(bounds, area));

  isResizing_ = false;
  Resize(false);
}

}  // namespace tessarin
