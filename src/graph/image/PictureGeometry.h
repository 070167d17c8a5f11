#pragma once

namespace quadrello::graph {

// The sunken 3D border of a picture box, in pixels on each side; the drawing area lies inside.
inline constexpr int kPictureBorderWidth = 2;

}  // namespace quadrello::graph
