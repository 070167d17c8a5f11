#pragma once

#include <string>

namespace quadrello {

// The caption of the coordinate label for a pointer at (x, y) in the plot surface's current user
// coordinates: each number by the pattern "0.#", joined by three blanks.
std::string PointerCaption(float x, float y);

}  // namespace quadrello
