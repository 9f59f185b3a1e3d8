#include "platform/sim/sim_toolkit.h"

#include <algorithm>
#include <system_error>

namespace tessarin::sim {

namespace {
constexpr int kAccessDenied = 5;
}  // namespace

void SimToolkit::failIf(std::string_view operation) {
  if (operation != failingOperation) return;
  failingOperation.clear();
  throw std::system_error(kAccessDenied, std::system_category(), std::string(operation));
}

platform::Twips SimScreen::workAreaAt(platform::Twips window, long windowTwipsPerPixel) const {
  const long x = (window.left + window.width / 2) / windowTwipsPerPixel;
  const long y = (window.top + window.height / 2) / windowTwipsPerPixel;
  platform::PixelRect area{0, 0, width_ / twipsPerPixel_, height_ / twipsPerPixel_};
  if (!monitors.empty()) {
    const auto holds = [&](const platform::PixelRect& m) { return x >= m.left && x < m.right && y >= m.top && y < m.bottom; };
    const auto found = std::ranges::find_if(monitors, holds);
    area = found == monitors.end() ? monitors.front() : *found;
  }
  const long t = windowTwipsPerPixel;
  return {area.left * t, area.top * t, (area.right - area.left) * t, (area.bottom - area.top) * t};
}

std::unique_ptr<platform::Form> SimToolkit::createForm(const platform::FormArgs& args) {
  failIf("createForm");
  return std::make_unique<SimForm>(*this, nextId(), args);
}

std::vector<platform::Form*> SimToolkit::loadedForms() const { return {loaded_.begin(), loaded_.end()}; }

platform::MsgBoxResult SimToolkit::messageBox(std::u16string_view text, std::u16string_view title, int style,
                                              platform::Form*) {
  shownMessageBoxes.push_back({std::u16string(text), std::u16string(title), style});
  if (answers_.empty()) throw UnexpectedMessageBox(std::u16string(title));
  if (whileMessageBoxShown) whileMessageBoxShown(shownMessageBoxes.back());
  const auto answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool SimToolkit::excludeFromCapture(bool exclude) {
  if (captureRefused_ || refuseCaptureExclusion) {
    captureRefused_ = true;
    return false;
  }
  excludeFromCapture_ = exclude;
  for (auto* form : loaded_) form->applyCaptureChoice();
  return true;
}

void SimToolkit::advance(long long milliseconds) {
  const long long end = now_ + milliseconds;
  for (;;) {
    SimTimer* due = nullptr;
    for (auto* timer : timers_)
      if (timer->running() && timer->nextDue <= end && (!due || timer->nextDue < due->nextDue)) due = timer;
    if (!due) break;
    now_ = due->nextDue;
    due->nextDue = now_ + due->interval();
    if (due->onTick) due->onTick();
  }
  now_ = end;
}

void SimToolkit::formUnloaded(SimForm& form) {
  std::erase(loaded_, &form);
  if (loaded_.empty()) quitRequested_ = true;
}

void SimToolkit::unregisterTimer(SimTimer& timer) { std::erase(timers_, &timer); }

int SimToolkit::runningTimers() const {
  return static_cast<int>(std::ranges::count_if(timers_, [](const SimTimer* timer) { return timer->running(); }));
}

}  // namespace tessarin::sim
