#pragma once
// Fixed allowances of the window layout, in twips.
namespace tessarin::layout {

inline constexpr long kWidthAllowance = 100;     // the window's side borders
inline constexpr long kHeightAllowance = 480;    // caption, menu and bottom border
inline constexpr long kMinimumBoxHeight = 375;   // the password box never gets lower than this
inline constexpr long kMinimumWindowWidth = 5200;

}  // namespace tessarin::layout
