#include "platform/sim/sim_form.h"

#include "platform/sim/sim_toolkit.h"

namespace tessarin::sim {

SimForm::SimForm(SimToolkit& toolkit, platform::WindowId id, const platform::FormArgs& args)
    : toolkit_(toolkit),
      id_(id),
      args_(args),
      bounds_(args.bounds.value_or(platform::Twips{0, 0, 4800, 3600})),
      twipsPerPixel_(toolkit.simScreen().twipsPerPixel()),
      placementDeferred_(args.placeControlsWhenFirstShown) {}

SimForm::~SimForm() {
  if (loaded_) toolkit_.formUnloaded(*this);
}

void SimForm::load() {
  if (loaded_) return;
  loaded_ = true;
  toolkit_.formLoaded(*this);
  if (onLoad) onLoad();
}

void SimForm::unload() {
  if (!loaded_) return;
  if (onUnload) onUnload();
  loaded_ = false;
  visible_ = false;
  for (auto& timer : timers_) timer->setEnabled(false);
  toolkit_.formUnloaded(*this);
}

void SimForm::show(bool showModal, platform::Form*) {
  load();
  if (placementDeferred_) {
    placementDeferred_ = false;
    for (auto* control : placements_) control->placePending();
  }
  visible_ = true;
  applyCaptureChoice();
  // Showing a window with a frame activates it; the borderless ones are shown without that.
  if (args_.style != platform::FormStyle::Borderless && onActivate) onActivate();
  if (!showModal) return;
  if (!toolkit_.onModalShow) throw std::logic_error("a modal window appeared that the test did not expect");
  modal = true;
  toolkit_.onModalShow(*this);
  modal = false;
}

void SimForm::setBounds(platform::Twips bounds) {
  toolkit_.failIf("setBounds");
  const platform::Twips before = bounds_;
  bounds_ = bounds;
  if (bounds != before) ++moves;
  // A native window reports a move and a size change to its window procedure.
  if (!subclass_) return;
  if ((bounds.left != before.left || bounds.top != before.top) && subclass_->onMove)
    subclass_->onMove(bounds.left, bounds.top);
  if ((bounds.width != before.width || bounds.height != before.height) &&
      state_ == platform::WindowState::Normal && subclass_ && subclass_->onSizeRestored)
    subclass_->onSizeRestored();
}

platform::Twips SimForm::clientOrigin() const {
  const auto b = bounds();
  if (args_.style == platform::FormStyle::Borderless) return {b.left, b.top, 0, 0};
  return {b.left + kBorder, b.top + kBorder + kCaptionAndMenu, 0, 0};
}

platform::Twips SimForm::workArea() const { return toolkit_.simScreen().workAreaAt(bounds_, twipsPerPixel_); }

void SimForm::changeDpi(long twipsPerPixel) {
  twipsPerPixel_ = twipsPerPixel;
  if (subclass_ && subclass_->onDpiChanged) subclass_->onDpiChanged();
}

void SimForm::setWindowState(platform::WindowState state) {
  const auto before = state_;
  state_ = state;
  // Minimising can lose the capture exclusion on Windows; restoring sets it again.
  if (state == platform::WindowState::Minimized) captureExcluded_ = false;
  if (before == platform::WindowState::Minimized && state != before) applyCaptureChoice();
  // A native window moves to its minimised place and back, and reports both moves.
  const bool moved = (before == platform::WindowState::Minimized) != (state == platform::WindowState::Minimized);
  if (moved && subclass_ && subclass_->onMove) subclass_->onMove(bounds().left, bounds().top);
  if (state == platform::WindowState::Normal && before != state && subclass_ && subclass_->onSizeRestored)
    subclass_->onSizeRestored();
}

void SimForm::applyCaptureChoice() {
  if (toolkit_.captureRefused()) return;
  if (toolkit_.captureExclusionWanted()) {
    captureExcluded_ = true;
    ++captureExclusions;
  } else {
    captureExcluded_ = false;
  }
}

void SimForm::setOpacity(std::uint8_t alpha) {
  toolkit_.failIf("setOpacity");
  // Like SetLayeredWindowAttributes, the opacity only takes on a layered window.
  if (layered_) opacity_ = alpha;
}

template <class T>
T& SimForm::adopt(std::unique_ptr<T> control) {
  control->clientOrigin = [this] { return clientOrigin(); };
  control->twipsPerPixel = [this] { return twipsPerPixel_; };
  control->placementDeferred = [this] { return placementDeferred_; };
  placements_.push_back(control.get());
  T& ref = *control;
  controls_.push_back(std::move(control));
  return ref;
}

platform::CommandButton& SimForm::addButton(const platform::FontSpec&) {
  return adopt(std::make_unique<SimButton>(toolkit_, toolkit_.nextId(), platform::Twips{0, 0, 495, 495}));
}

platform::CommandButton& SimForm::addKeyButton(const platform::FontSpec& font) {
  auto& button = static_cast<SimButton&>(addButton(font));
  button.makeKeyButton();
  return button;
}

platform::TextBox& SimForm::addTextBox(const platform::TextBoxArgs&) {
  return adopt(std::make_unique<SimTextBox>(toolkit_, toolkit_.nextId(), platform::Twips{0, 0, 1215, 375}));
}

platform::Label& SimForm::addLabel(std::u16string_view caption, const platform::FontSpec&) {
  auto& label = adopt(std::make_unique<SimLabel>(toolkit_, toolkit_.nextId(), platform::Twips{0, 0, 1215, 195}));
  label.setCaption(caption);
  return label;
}

platform::Slider& SimForm::addSlider() {
  return adopt(std::make_unique<SimSlider>(toolkit_, toolkit_.nextId(), platform::Twips{0, 0, 2400, 300}));
}

platform::Toolbar& SimForm::addToolbar() {
  // 26 pixels high, like a toolbar of 16 x 16 images.
  return adopt(std::make_unique<SimToolbar>(toolkit_, toolkit_.nextId(), platform::Twips{0, 0, bounds_.width, 390}));
}

platform::StatusBar& SimForm::addStatusBar() {
  return adopt(std::make_unique<SimStatusBar>(toolkit_, toolkit_.nextId(), platform::Twips{0, 0, bounds_.width, 345}));
}

platform::Icon& SimForm::addIcon(platform::IconKind kind) {
  return adopt(std::make_unique<SimIcon>(toolkit_, toolkit_.nextId(), platform::Twips{0, 0, 480, 480}, kind));
}

platform::EtchedLine& SimForm::addEtchedLine() {
  return adopt(std::make_unique<SimControl<platform::EtchedLine>>(toolkit_, toolkit_.nextId(), platform::Twips{0, 0, 1215, 30}));
}

platform::Timer& SimForm::addTimer() {
  timers_.push_back(std::make_unique<SimTimer>(toolkit_));
  toolkit_.registerTimer(*timers_.back());
  return *timers_.back();
}

platform::MenuItem& SimForm::addMenuItem(platform::MenuItem* parent, std::u16string_view caption,
                                         platform::Shortcut shortcut) {
  menuItems_.push_back(std::make_unique<SimMenuItem>(static_cast<SimMenuItem*>(parent), caption, shortcut));
  return *menuItems_.back();
}

bool SimForm::pressShortcut(platform::Shortcut shortcut) {
  for (auto& item : menuItems_) {
    const auto s = item->shortcut();
    if (s.virtualKey == shortcut.virtualKey && s.ctrl == shortcut.ctrl && item->enabled()) {
      item->choose();
      return true;
    }
  }
  return false;
}

}  // namespace tessarin::sim
