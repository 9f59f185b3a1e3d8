#include "protection/frm_blank.h"

#include "app/application.h"
#include "keyboard/keyboard.h"
#include "protection/cover_keys.h"

namespace tessarin {

namespace {
constexpr platform::Color kCoverColor = 0x00C0FFC0;
constexpr int kDoubleClickRepaints = 1000;
}  // namespace

FrmBlank::FrmBlank(platform::Platform& platform)
    : platform_(platform),
      form_(platform.toolkit.createForm(
          {platform::FormStyle::Borderless, kCaption, kCoverColor, false, true, platform::Twips{0, 0, 4680, 3090}})) {
  Timer1 = &form_->addTimer();
  Timer1->setInterval(0);
  txtSetup = &form_->addTextBox({platform::FontSpec{}, false, false, kCoverColor});

  form_->onLoad = [this] {
    txtSetup->setBounds({-10000, -10000, txtSetup->bounds().width, txtSetup->bounds().height});
    txtSetup->setVisible(false);
    const auto relayout = [] {
      if (auto* kb = keyboard()) kb->Resize(true);
    };
    form_->installSubclass({{}, relayout, relayout});
    platform_.toolkit.onForegroundChanged = [this] { foregroundChanged(); };
  };
  form_->onUnload = [this] {
    platform_.toolkit.onForegroundChanged = nullptr;
    form_->removeSubclass();
  };
  form_->onMouseDown = [this](const platform::MouseEvent& e) { mouseDown(e); };
  form_->onMouseMove = [this](const platform::MouseEvent& e) { mouseMove(e); };
  form_->onMouseUp = [this](const platform::MouseEvent& e) { mouseUp(e); };
  form_->onDblClick = [this] { dblClick(); };
  Timer1->onTick = [this] { hoverTick(); };
}

FrmBlank::~FrmBlank() { platform_.toolkit.onForegroundChanged = nullptr; }

Keyboard* FrmBlank::keyboard() {
  auto* app = Application::current();
  return app ? &app->Keyboard() : nullptr;
}

platform::CommandButton* FrmBlank::keyAt(Keyboard& kb, float x, float y) {
  const auto size = form_->bounds();
  const int number = KeyAtCoverPoint(size.width, size.height, x, y);
  return number ? &kb.Form().Command(number) : nullptr;
}

void FrmBlank::mouseDown(const platform::MouseEvent& e) {
  auto* kb = keyboard();
  if (!kb) return;
  PressedButton = keyAt(*kb, e.x, e.y);
  if (PressedButton) PressedButton->showPressed(true);
}

void FrmBlank::mouseMove(const platform::MouseEvent& e) {
  auto* kb = keyboard();
  if (!kb) return;
  // In standard mode a move without a button held does nothing: only hover entry needs moves.
  if (e.button == platform::kNoButton && kb->InputMode() == kModeStandard) return;
  auto* key = keyAt(*kb, e.x, e.y);
  if (!key) return;
  kb->ButtonMouseMove(key, e.button, e.shift, e.x, e.y);
  if (PressedButton && PressedButton->id() != key->id()) {
    PressedButton->showPressed(false);
    key->showPressed(true);
    PressedButton = key;
  }
}

void FrmBlank::mouseUp(const platform::MouseEvent& e) {
  if (auto* kb = keyboard()) {
    if (auto* key = keyAt(*kb, e.x, e.y)) {
      kb->ButtonClick(key);
      key->showPressed(false);
    }
  }
  PressedButton = nullptr;
}

void FrmBlank::dblClick() {
  auto* kb = keyboard();
  if (!kb) return;
  const auto pointer = platform_.system.cursorPos();
  const long tpp = form_->twipsPerPixel();
  const auto cover = form_->bounds();
  const float x = static_cast<float>(pointer.x * tpp - cover.left);
  const float y = static_cast<float>(pointer.y * tpp - cover.top);
  if (auto* key = keyAt(*kb, x, y)) {
    // The second press of a double click shows the key pressed until its release is handled.
    key->showPressed(true);
    for (int i = 0; i < kDoubleClickRepaints; ++i) {
      platform_.toolkit.doEvents();
      key->repaint();
      platform_.toolkit.doEvents();
    }
    key->showPressed(false);
  }
  PressedButton = nullptr;
}

void FrmBlank::hoverTick() {
  auto* kb = keyboard();
  if (!kb || !kb->TimerEnabled()) return;
  const auto pointer = platform_.system.cursorPos();
  // The pointer is in pixels; the cover's twips are those of its own DPI.
  const long tpp = form_->twipsPerPixel();
  const auto cover = form_->bounds();
  const long left = cover.left / tpp;
  const long top = cover.top / tpp;
  const long right = left + cover.width / tpp;
  const long bottom = top + cover.height / tpp;
  if (pointer.x >= left && pointer.x <= right && pointer.y >= top && pointer.y <= bottom) {
    kb->Timer();
  } else {
    // The pointer has left the keys: stop until it moves over a key again.
    Timer1->setEnabled(false);
    kb->CurrentButton(nullptr);
  }
}

void FrmBlank::foregroundChanged() {
  auto* kb = keyboard();
  if (!kb) return;
  const auto foreground = platform_.system.foregroundWindow();
  if (foreground == form_->id() || foreground == kb->hwnd()) {
    if (WasInBackground) {
      auto& f = kb->Form();
      if (!f.txtPassword->hasFocus() && !f.txtText->hasFocus())
        (f.txtPassword->visible() ? f.txtPassword : f.txtText)->setFocus();
      kb->CoverTransparency(1);
    }
    WasInBackground = false;
  } else {
    if (!WasInBackground) kb->CoverTransparency(0);
    WasInBackground = true;
  }
}

}  // namespace tessarin
