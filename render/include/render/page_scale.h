#pragma once

namespace render {

// The page is designed in units of a 320 × 441 page, the preview's size.
inline constexpr int kPageWidth = 320;
inline constexpr int kPageHeight = 441;

// Page units to device pixels for a surface of width × height pixels: the
// smaller of width / 320 and height / 441, stored in single precision, or 1
// when the width is below 1.
float PageScale(int width, int height);

// The device value of a page-unit value v: scale × v, computed exactly and
// rounded to the nearest integer, halves to even. A result beyond the range
// of int is held at its end.
int ScaleToDevice(float scale, int v);

}  // namespace render
