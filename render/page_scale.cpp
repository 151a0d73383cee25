#include "render/page_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace render {

float PageScale(int width, int height) {
  if (width < 1) return 1.0F;
  const double horizontal = static_cast<double>(width) / kPageWidth;
  const double vertical = static_cast<double>(height) / kPageHeight;
  return static_cast<float>(std::min(horizontal, vertical));
}

int ScaleToDevice(float scale, int v) {
  // A float has 24 significant bits and a page-unit value far fewer than 29,
  // so the double product is exact.
  const double product = static_cast<double>(scale) * v;
  const double below = std::floor(product);
  const double fraction = product - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(rounded, kLowest, kHighest));
}

}  // namespace render
