#pragma once
// Which key lies under a point of the cover window. The cover is 15 key units wide and five
// rows high, and the grid mirrors the key layout of the keyboard window.
namespace tessarin {

// The number of the key button under (x, y), in twips relative to a cover of width w and
// height h; 0 when no key is there. Hidden and spare buttons are never returned.
int KeyAtCoverPoint(double w, double h, float x, float y);

}  // namespace tessarin
