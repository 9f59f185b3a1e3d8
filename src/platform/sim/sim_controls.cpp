#include "platform/sim/sim_controls.h"

#include <algorithm>
#include <cmath>

#include "platform/common/text_span.h"
#include "platform/sim/sim_toolkit.h"

namespace tessarin::sim {

template <class Base>
platform::PixelRect SimControl<Base>::screenRect() const {
  const long tpp = twipsPerPixel ? twipsPerPixel() : 15;
  const auto origin = clientOrigin ? clientOrigin() : platform::Twips{};
  const long left = (origin.left + bounds_.left) / tpp;
  const long top = (origin.top + bounds_.top) / tpp;
  return {left, top, left + bounds_.width / tpp, top + bounds_.height / tpp};
}

template class SimControl<platform::CommandButton>;
template class SimControl<platform::TextBox>;
template class SimControl<platform::Label>;
template class SimControl<platform::StatusBar>;
template class SimControl<platform::Slider>;
template class SimControl<platform::Toolbar>;
template class SimControl<platform::Icon>;
template class SimControl<platform::EtchedLine>;

void SimButton::click() {
  if (enabled_ && visible() && onClick) onClick();
}

void SimTextBox::setText(std::u16string_view text) {
  text_.assign(text);
  // Like an edit control given new text: the caret goes to the start.
  selStart_ = 0;
  selLength_ = 0;
}

void SimTextBox::setSelStart(int start) {
  selStart_ = std::clamp(start, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
}

void SimTextBox::setSelLength(int length) {
  selLength_ = std::clamp(length, 0, static_cast<int>(text_.size()) - selStart_);
}

void SimTextBox::setFocus() { toolkit_.setFocus(id()); }

bool SimTextBox::hasFocus() const { return toolkit_.focus() == id(); }

std::u16string SimTextBox::shownText() const {
  if (passwordChar_) return std::u16string(text_.size(), passwordChar_);
  return std::u16string(text_.view());
}

bool SimTextBox::isOnCharacters(int start, int length, float x, float y) const {
  const int from = std::clamp(start, 0, static_cast<int>(text_.size()));
  const int to = std::clamp(start + std::max(length, 0), from, static_cast<int>(text_.size()));
  const common::TextSpan span{from * kCharWidth, to * kCharWidth, 0, bounds().height};
  return common::IsOnTextSpan(span, static_cast<long>(std::floor(x)), static_cast<long>(std::floor(y)));
}

void SimTextBox::typeKey(int keyCode, char16_t ch, int shift) {
  int code = keyCode;
  if (onKeyDown) onKeyDown(code, shift);
  if (code != 0 && ch != 0) {
    int ascii = ch;
    if (onKeyPress) onKeyPress(ascii);
    if (ascii != 0) insertTyped(static_cast<char16_t>(ascii));
  }
  int up = keyCode;
  if (onKeyUp) onKeyUp(up, shift);
}

void SimTextBox::insertTyped(char16_t ch) {
  const auto before = text_.substr(0, selStart_);
  const auto after = text_.substr(selStart_ + selLength_);
  if (ch == u'\b') {
    // Backspace removes the selection, or the character before the caret.
    const int removeFrom = selLength_ > 0 ? selStart_ : std::max(0, selStart_ - 1);
    auto joined = platform::concat({text_.substr(0, removeFrom), after});
    text_ = std::move(joined);
    selStart_ = removeFrom;
  } else {
    const std::u16string_view inserted = ch == u'\r' ? std::u16string_view(u"\r\n") : std::u16string_view(&ch, 1);
    auto joined = platform::concat({before, inserted, after});
    text_ = std::move(joined);
    selStart_ += static_cast<int>(inserted.size());
  }
  selLength_ = 0;
}

std::optional<std::u16string> SimDragData::targetReads() {
  const auto* text = readable.read();
  if (!text) return std::nullopt;
  return std::u16string(text->view());
}

void SimTextBox::startDrag() {
  lastDrag = SimDragData();
  readOnDrop.reset();
  long allowed = platform::kDropEffectCopy | platform::kDropEffectMove;
  if (onOleStartDrag) onOleStartDrag(lastDrag, allowed);
  lastAllowedEffects = allowed;
  if (duringDrag) duringDrag();
  platform::DragOutcome outcome;
  outcome.released = dragEnding.released;
  if (dragEnding.released && lastDrag.readable.dropsOnRelease()) {
    lastDrag.readable.dropDecided();
    outcome.effect = dragEnding.effect;
    if (dragEnding.effect != 0 && dragEnding.targetReadsOnDrop) readOnDrop = lastDrag.targetReads();
  }
  lastDrag.readable.dragEnded();
  outcome.textTakenOnDrop = lastDrag.readable.takenOnDrop();
  if (onOleCompleteDrag) onOleCompleteDrag(outcome);
}

void SimSlider::setRange(int min, int max) {
  min_ = min;
  max_ = max;
  value_ = std::clamp(value_, min_, max_);
}

void SimSlider::setValue(int value) { value_ = std::clamp(value, min_, max_); }

void SimSlider::drag(int value) {
  const int before = value_;
  setValue(value);
  if (value_ != before && onChange) onChange();
}

void SimToolbar::addButton(std::u16string_view key, std::u16string_view toolTip, bool visible) {
  entries_.push_back({std::u16string(key), std::u16string(toolTip), visible, false, {}});
}

void SimToolbar::addSeparator(bool visible) { entries_.push_back({{}, {}, visible, false, {}}); }

void SimToolbar::addButtonMenuEntry(std::u16string_view buttonKey, std::u16string_view text, std::u16string_view) {
  if (auto* entry = find(buttonKey)) entry->menu.emplace_back(text);
}

void SimToolbar::setButtonPressed(std::u16string_view key, bool pressed) {
  if (auto* entry = find(key)) entry->pressed = pressed;
}

bool SimToolbar::buttonPressed(std::u16string_view key) const {
  const auto it = std::ranges::find(entries_, key, &Entry::key);
  return it != entries_.end() && it->pressed;
}

SimToolbar::Entry* SimToolbar::find(std::u16string_view key) {
  const auto it = std::ranges::find(entries_, key, &Entry::key);
  return it == entries_.end() ? nullptr : &*it;
}

SimTimer::~SimTimer() { toolkit_.unregisterTimer(*this); }

void SimTimer::setInterval(long milliseconds) {
  interval_ = milliseconds;
  restart();
}

void SimTimer::setEnabled(bool enabled) {
  enabled_ = enabled;
  restart();
}

void SimTimer::restart() { nextDue = toolkit_.now() + interval_; }

void SimMenuItem::choose() {
  if (enabled_ && visible_ && onClick) onClick();
}

}  // namespace tessarin::sim
