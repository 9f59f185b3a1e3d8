// Laying out the keyboard window from its width: the key size, five rows of keys, the boxes,
// the sliders and the cover over the key rows.
#include "app/application.h"
#include "app/error_description.h"
#include "keyboard/keyboard.h"
#include "keyboard/layout_rules.h"
#include "keyboard/rounding.h"

namespace tessarin {

namespace {

using layout::kHeightAllowance;
using layout::kMinimumBoxHeight;
using layout::kWidthAllowance;

void PlaceRightOf(platform::Control& target, const platform::Control& source) {
  const auto s = source.bounds();
  target.setBounds({s.left + s.width, s.top, s.width, s.height});
}

void SetWidth(platform::Control& control, long width) {
  auto b = control.bounds();
  b.width = width;
  control.setBounds(b);
}

long Right(const platform::Control& control) { return control.bounds().left + control.bounds().width; }
long Bottom(const platform::Control& control) { return control.bounds().top + control.bounds().height; }

}  // namespace

long KeySizeFor(long width, long margin, long twipsPerPixel) {
  return RoundEven(RoundEven((width - kWidthAllowance - 2.0 * margin) / 15 / twipsPerPixel) * double(twipsPerPixel));
}

long Keyboard::reservedBarHeights() const {
  return form_->tbToolbar->bounds().height + form_->StatusBar1->bounds().height;
}

void Keyboard::PositionKeys(long width, long margin) {
  // Whole pixels at the window's own DPI, which may differ from the system's.
  const long tpp = form_->form().twipsPerPixel();
  const long k = keySize_ = KeySizeFor(width, margin, tpp);
  auto snap = [&](double keys) { return RoundEven(keys * k / tpp) * tpp; };
  auto& f = *form_;
  auto row = [&](int first, int last) {
    for (int i = first; i <= last; ++i) {
      PlaceRightOf(f.Command(i), f.Command(i - 1));
      SetWidth(f.Command(i), k);
    }
  };
  auto rowStart = [&](int number, int above, double widthInKeys) {
    const auto a = f.Command(above).bounds();
    f.Command(number).setBounds({a.left, a.top + a.height, snap(widthInKeys), k});
  };

  const long top = margin + (f.mnuViewToolbar->checked() ? f.tbToolbar->bounds().height : 0);
  f.Command(1).setBounds({margin, top, k, k});
  for (int i = 2; i <= 15; ++i) PlaceRightOf(f.Command(i), f.Command(i - 1));
  rowStart(16, 1, 1.4);
  row(17, 28);
  rowStart(30, 16, 1.8);
  row(31, 41);
  rowStart(42, 30, 2.2);
  row(43, 52);
  f.Command(53).setBounds({Right(f.Command(52)), f.Command(52).bounds().top, 5 * k - f.Command(42).bounds().width, k});

  // Each second key of a pair takes the remainder, so every row is exactly 15 keys wide.
  f.Command(65).setBounds({Right(f.Command(28)), f.Command(28).bounds().top, 3 * k - f.Command(16).bounds().width, k});
  f.Command(65).setVisible(true);
  f.Command(14).setVisible(false);
  auto backspace = f.Command(15).bounds();
  f.Command(15).setBounds({backspace.left - k, backspace.top, 2 * k, backspace.height});
  const long enterWidth = 4 * k - f.Command(30).bounds().width;
  f.Command(29).setBounds({Right(f.Command(15)) - enterWidth, f.Command(41).bounds().top, enterWidth, k});

  rowStart(54, 42, 1.4);
  PlaceRightOf(f.Command(55), f.Command(54));
  SetWidth(f.Command(55), k);
  PlaceRightOf(f.Command(56), f.Command(55));
  SetWidth(f.Command(56), snap(1.4));
  PlaceRightOf(f.Command(57), f.Command(56));
  SetWidth(f.Command(57), RoundEven(6.0 * k));
  PlaceRightOf(f.Command(58), f.Command(57));
  SetWidth(f.Command(58), snap(2));
}

void Keyboard::Resize(bool blnForceResize) {
  if (blnForceResize) isResizing_ = false;
  if (isResizing_) return;
  isResizing_ = true;
  try {
    layoutWindow();
    isResizing_ = false;
  } catch (...) {
    // The guard stays set: only the next forced layout runs again.
    auto* app = Application::current();
    if (!app) throw;
    const auto error = DescribeCurrentError();
    app->LogError(u"Keyboard Resize", error.number, error.text, form_->form());
  }
}

void Keyboard::layoutWindow() {
  auto& f = *form_;
  auto& window = f.form();
  const long m = formMargin_;
  auto bounds = window.bounds();
  if (bounds.width < layout::kMinimumWindowWidth) {
    bounds.width = layout::kMinimumWindowWidth;
    window.setBounds(bounds);
  }
  PositionKeys(window.bounds().width, m);

  auto& password = *f.txtPassword;
  platform::Twips box{m, Bottom(f.Command(58)) + m, window.bounds().width - kWidthAllowance - 2 * m, 0};
  const long room = window.bounds().height - box.top - kHeightAllowance - reservedBarHeights();
  if (room < kMinimumBoxHeight) {
    bounds = window.bounds();
    bounds.height = box.top + kMinimumBoxHeight + kHeightAllowance + reservedBarHeights();
    window.setBounds(bounds);
    box.height = kMinimumBoxHeight;
  } else {
    box.height = room;
  }
  password.setBounds(box);
  f.txtText->setBounds(box);

  // Placed before it shows, so that it never shows anywhere else.
  placeCover();
  formCover_->form().show();

  const long sliderTop = Bottom(f.Command(57));
  const long transparencyLeft = Right(f.Command(58));
  const long sliderWidth = Right(f.Command(29)) - transparencyLeft;
  f.sldTransparency->setBounds({transparencyLeft, sliderTop, sliderWidth, m});
  const long labelHeight = f.lblTransparency->bounds().height;
  f.lblTransparency->setBounds({transparencyLeft, sliderTop - labelHeight, sliderWidth, labelHeight});
  f.sldHoverDelay->setBounds({f.Command(1).bounds().left, sliderTop, sliderWidth, m});
  f.lblHoverDelay->setBounds({f.Command(1).bounds().left, sliderTop - labelHeight, sliderWidth,
                              f.lblHoverDelay->bounds().height});

  platform_.toolkit.doEvents();
  window.repaint();
  platform_.toolkit.doEvents();
  formCover_->form().repaint();
  platform_.toolkit.doEvents();
}

}  // namespace tessarin
