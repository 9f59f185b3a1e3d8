#pragma once
// A simulated top-level window: keeps its state and raises the events a native window would.
#include <memory>
#include <optional>
#include <vector>

#include "platform/form.h"
#include "platform/sim/sim_controls.h"

namespace tessarin::sim {

class SimForm : public platform::Form {
 public:
  // The frame the simulation draws around a sizable window, in twips: a 4-pixel border and a
  // caption and menu bar of 20 pixels each at 96 DPI.
  static constexpr long kBorder = 60;
  static constexpr long kCaptionAndMenu = 600;
  static constexpr platform::Twips kIconic{-32000 * 15, -32000 * 15, 160 * 15, 24 * 15};

  SimForm(SimToolkit& toolkit, platform::WindowId id, const platform::FormArgs& args);
  ~SimForm() override;

  void load() override;
  void unload() override;
  bool loaded() const override { return loaded_; }
  void show(bool modal, platform::Form* owner) override;
  void hide() override { visible_ = false; }
  bool visible() const override { return visible_; }
  void setCaption(std::u16string_view caption) override { args_.caption = caption; }
  std::u16string caption() const override { return args_.caption; }
  void setBounds(platform::Twips bounds) override;
  // A minimised window sits at the iconic place, as Win32 reports it; bounds_ is kept for the restore.
  platform::Twips bounds() const override { return state_ == platform::WindowState::Minimized ? kIconic : bounds_; }
  platform::Twips clientOrigin() const override;
  long twipsPerPixel() const override { return twipsPerPixel_; }
  platform::Twips workArea() const override;
  void setWindowState(platform::WindowState state) override;
  platform::WindowState windowState() const override { return state_; }
  void makeLayered() override { layered_ = true; }
  void setOpacity(std::uint8_t alpha) override;
  void setTopmost(bool topmost) override { topmost_ = topmost; }
  void setClickThrough(bool on) override { clickThrough_ = on; }
  bool clickThrough() const override { return clickThrough_; }
  void setMousePointer(platform::MousePointer pointer) override { pointer_ = pointer; }
  platform::MousePointer mousePointer() const override { return pointer_; }
  platform::WindowId id() const override { return id_; }
  void repaint() override { ++repaints; }

  platform::CommandButton& addButton(const platform::FontSpec& font) override;
  platform::CommandButton& addKeyButton(const platform::FontSpec& font) override;
  platform::TextBox& addTextBox(const platform::TextBoxArgs& args) override;
  platform::Label& addLabel(std::u16string_view caption, const platform::FontSpec& font) override;
  platform::Slider& addSlider() override;
  platform::Toolbar& addToolbar() override;
  platform::StatusBar& addStatusBar() override;
  platform::Icon& addIcon(platform::IconKind kind) override;
  platform::EtchedLine& addEtchedLine() override;
  platform::Timer& addTimer() override;
  platform::MenuItem& addMenuItem(platform::MenuItem* parent, std::u16string_view caption,
                                  platform::Shortcut shortcut) override;
  void installSubclass(SubclassHandlers handlers) override { subclass_ = std::move(handlers); }
  void removeSubclass() override { subclass_.reset(); }

  // What tests read back.
  bool layered() const { return layered_; }
  std::optional<std::uint8_t> opacity() const { return opacity_; }
  bool topmost() const { return topmost_; }
  // Kept out of screen captures now; how often the toolkit has set that on this form.
  bool captureExcluded() const { return captureExcluded_; }
  int captureExclusions = 0;
  // Sets the toolkit's capture choice on this window, as every show and restore does.
  void applyCaptureChoice();

  bool subclassed() const { return subclass_.has_value(); }
  const platform::FormArgs& args() const { return args_; }
  const std::vector<std::unique_ptr<SimMenuItem>>& menuItems() const { return menuItems_; }
  const std::vector<std::unique_ptr<SimTimer>>& timers() const { return timers_; }
  // The user closes the window from its title bar, or presses a shortcut key.
  void close() { unload(); }
  bool pressShortcut(platform::Shortcut shortcut);
  // The form moves to a monitor of another DPI, or the user changes the display scale: as the
  // system suggests, the window keeps its size on the screen, so its pixels scale with the DPI.
  void changeDpi(long twipsPerPixel);
  int repaints = 0;
  // Moves of the native window: changes of its bounds.
  int moves = 0;
  bool modal = false;

 private:
  template <class T>
  T& adopt(std::unique_ptr<T> control);

  SimToolkit& toolkit_;
  platform::WindowId id_;
  platform::FormArgs args_;
  platform::Twips bounds_;
  long twipsPerPixel_;
  platform::WindowState state_ = platform::WindowState::Normal;
  bool loaded_ = false;
  bool visible_ = false;
  bool layered_ = false;
  std::optional<std::uint8_t> opacity_;
  bool topmost_ = false;
  bool captureExcluded_ = false;
  bool clickThrough_ = false;
  platform::MousePointer pointer_ = platform::MousePointer::Default;
  std::optional<SubclassHandlers> subclass_;
  std::vector<std::unique_ptr<platform::Control>> controls_;
  std::vector<SimWindowMoves*> placements_;
  bool placementDeferred_;
  std::vector<std::unique_ptr<SimTimer>> timers_;
  std::vector<std::unique_ptr<SimMenuItem>> menuItems_;
};

}  // namespace tessarin::sim
