#pragma once
// Whether a press lands on selected text is decided by the pixels the text covers, not by the
// character position nearest to the press: edit controls round a point on a character's right
// half to either side, and a press there on the last selected character, where a right-handed
// user grabs a selection, must still start a drag.
namespace tessarin::common {

// Where a run of characters is drawn on one line of a text box, in its client pixels: from the
// left edge of its first character to the right edge of its last, and the line's top and bottom.
// Right and bottom are the first pixels past it.
struct TextSpan {
  long left = 0;
  long right = 0;
  long top = 0;
  long bottom = 0;
};

constexpr bool IsOnTextSpan(const TextSpan& span, long x, long y) {
  return x >= span.left && x < span.right && y >= span.top && y < span.bottom;
}

}  // namespace tessarin::common
