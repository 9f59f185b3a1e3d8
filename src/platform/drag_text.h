#pragma once
// The text a drag carries, and when a drop target may read it. Held back, the text goes out
// only between the moment the drop is decided (the button released over a target) and the end
// of the drag, so that a window the pointer merely passes over reads nothing. The text is
// wiped when the drag ends, whoever still holds the data. A drag that only points carries no
// text at all, and its release drops nothing.
#include <string_view>

#include "platform/secure_string.h"

namespace tessarin::platform {

class DragText {
 public:
  void set(std::u16string_view text, bool heldBackUntilDrop) {
    text_.assign(text);
    heldBack_ = heldBackUntilDrop;
  }
  void pointOnly() {
    text_.clear();
    pointingOnly_ = true;
  }
  bool dropsOnRelease() const { return !pointingOnly_; }
  void dropDecided() {
    if (phase_ == Phase::Dragging) phase_ = Phase::Dropping;
  }
  void dragEnded() {
    phase_ = Phase::Ended;
    text_.clear();
  }
  // The text a target may read now, or null; a read during the drop is remembered.
  const SecureString* read() {
    if (phase_ == Phase::Ended || (heldBack_ && phase_ != Phase::Dropping)) return nullptr;
    if (phase_ == Phase::Dropping) takenOnDrop_ = true;
    return &text_;
  }
  bool takenOnDrop() const { return takenOnDrop_; }

 private:
  enum class Phase { Dragging, Dropping, Ended };
  SecureString text_;
  bool heldBack_ = false;
  bool pointingOnly_ = false;
  Phase phase_ = Phase::Dragging;
  bool takenOnDrop_ = false;
};

}  // namespace tessarin::platform
